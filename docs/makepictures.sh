#!/bin/sh
# Plays every script of docs/scripts/ headless, each on a fresh copy of the
# generated data tree, and writes the pictures it shoots into OUT (default:
# docs/pictures, so a run regenerates the guide's pictures in place).
#
#   docs/makepictures.sh [BUILD_DIR [OUT_DIR]]      # default: build docs/pictures
#
# A script NAME.script may have NAME.setup.sh beside it: it runs first, in the
# fresh data tree, to lay out files a modder would have made by hand. A line
# "# args: ..." in a script gives the game more options for that run. Shots
# are named without a folder: the game runs in OUT, where they land.
set -eu

docs=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$docs/../build}" && pwd)
out=${2:-$docs/pictures}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vennor-docs.XXXXXX")
trap 'rm -rf "$work"' EXIT

[ -x "$build/vennor" ] || { echo "makepictures: no game at $build/vennor (build --target vennor content)" >&2; exit 2; }
[ -f "$build/data/.generated" ] || { echo "makepictures: no generated data in $build/data" >&2; exit 2; }

status=0
for script in "$docs"/scripts/*.script; do
    name=$(basename "$script" .script)
    data=$work/$name/data
    mkdir -p "$work/$name"
    cp -R "$build/data" "$data"
    if [ -f "$docs/scripts/$name.setup.sh" ]; then
        (cd "$data" && sh "$docs/scripts/$name.setup.sh")
    fi
    args=$(sed -n 's/^# args: //p' "$script")
    # A config file of its own, never the player's: the pictures must not
    # depend on anyone's settings.
    # shellcheck disable=SC2086
    if ! (cd "$out" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$build/vennor" --headless --data "$data" \
            --config "$work/$name/vennor.ini" --play "$script" $args 2>"$work/$name/stderr"); then
        echo "makepictures: $name.script failed:" >&2
        cat "$work/$name/stderr" >&2
        status=1
    fi
done
exit $status
