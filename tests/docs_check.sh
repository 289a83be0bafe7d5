#!/bin/sh
# The modder's guide against the game: every script of docs/scripts/ played
# again must give, byte for byte, the pictures committed in docs/pictures/,
# and every picture docs/modding.md links must be there (and every one there
# linked).
#
#   tests/docs_check.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -u

src=$1
build=$2
work=$3
docs=$src/docs
fresh=$work/pictures
rm -rf "$work"
mkdir -p "$fresh"

fail=0
say() { echo "docs_check: $*" >&2; fail=1; }

if ! sh "$docs/makepictures.sh" "$build" "$fresh"; then
    say "a docs script did not play through"
fi

for committed in "$docs"/pictures/*.png; do
    [ -e "$committed" ] || continue
    name=$(basename "$committed")
    if [ ! -f "$fresh/$name" ]; then
        say "no script shoots $name any more"
    elif ! cmp -s "$committed" "$fresh/$name"; then
        say "$name differs from what the game draws now (new one: $fresh/$name)"
    fi
done
for made in "$fresh"/*.png; do
    [ -e "$made" ] || continue
    name=$(basename "$made")
    [ -f "$docs/pictures/$name" ] || say "$name is shot by a script but not committed in docs/pictures"
done

guide=$docs/modding.md
if [ ! -f "$guide" ]; then
    say "docs/modding.md is missing"
else
    links=$(grep -o '](pictures/[^)]*)' "$guide" | sed 's/^](//; s/)$//' | sort -u)
    [ -n "$links" ] || say "docs/modding.md links no picture"
    for link in $links; do
        [ -f "$docs/$link" ] || say "docs/modding.md links $link, which is not there"
    done
    for committed in "$docs"/pictures/*.png; do
        [ -e "$committed" ] || continue
        name=$(basename "$committed")
        echo "$links" | grep -qx "pictures/$name" || say "docs/pictures/$name is linked nowhere in docs/modding.md"
    done
fi

if [ $fail -ne 0 ]; then
    echo "docs_check: after a change that is meant to show, regenerate the pictures and commit them:" >&2
    echo "    docs/makepictures.sh $build" >&2
    exit 1
fi
echo "docs_check: every picture matches and every link holds"
