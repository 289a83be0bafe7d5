#!/usr/bin/env bash
# install_check.sh BUILD WORK STEP: one check of an installed game.
#   install   installs BUILD under WORK/dest with the prefix /usr
#   desktop   the desktop entry passes desktop-file-validate
#   metainfo  the AppStream metainfo passes appstreamcli validate --no-net
#   man       the man page names every option --help prints, and no other
#   icons     a PNG of each hicolor size, of that size
#   play      from another folder, with a fresh player's tree: a screenshot
#             lands in the player's tree and the installed tree is unchanged
#   lost      an installed game without its tree names where it should be
set -euo pipefail
build=$1 work=$2 step=$3
root=$work/dest/usr
id=io.github.vennor.Vennor

fail() { echo "install_check $step: $*" >&2; exit 1; }

# Every file and folder of a tree with the hash of each file.
treehash() { (cd "$1" && find . -type d | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum); }

options() { grep -o -- '--[a-z][a-z-]*' | LC_ALL=C sort -u; }

case $step in
install)
  rm -rf "$work"
  mkdir -p "$work"
  DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >"$work/install.log"
  for f in bin/vennor share/vennor/maps share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/vennor.6; do
    [ -e "$root/$f" ] || fail "$f was not installed"
  done
  [ -z "$(find "$root/share/vennor" -name .generated)" ] || fail "the build's stamp was installed"
  ;;
desktop)
  # Hints count too: a category it would not show under is a fault here.
  out=$(desktop-file-validate "$root/share/applications/$id.desktop" 2>&1) || fail "$out"
  [ -z "$out" ] || fail "$out"
  ;;
metainfo)
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
  ;;
man)
  help=$("$root/bin/vennor" --help | options)
  man=$(sed 's/\\-/-/g' "$root/share/man/man6/vennor.6" | options)
  [ -n "$help" ] || fail "--help printed no options"
  missing=$(LC_ALL=C comm -23 <(echo "$help") <(echo "$man"))
  extra=$(LC_ALL=C comm -13 <(echo "$help") <(echo "$man"))
  [ -z "$missing" ] || fail "the man page lacks" $missing
  [ -z "$extra" ] || fail "the man page names options the game does not have:" $extra
  ;;
icons)
  for n in 32 64 128 256; do
    png=$root/share/icons/hicolor/${n}x${n}/apps/$id.png
    [ -f "$png" ] || fail "no $png"
    # The width and height are the big-endian words at 16 and 20.
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$size" = "${n}x${n}" ] || fail "$png is $size"
  done
  ;;
play)
  rm -rf "$work/run"
  mkdir -p "$work/run/elsewhere" "$work/run/home"
  treehash "$root" >"$work/run/before"
  printf '5 move 320 240\n40 key F12\n60 quit\n' >"$work/run/menu.script"
  (cd "$work/run/elsewhere" &&
   env HOME="$work/run/home" XDG_DATA_HOME="$work/run/xdg" XDG_CONFIG_HOME="$work/run/config" \
       "$root/bin/vennor" --headless --play ../menu.script) || fail "the game exited with $?"
  treehash "$root" >"$work/run/after"
  diff "$work/run/before" "$work/run/after" >&2 || fail "the installed tree changed"
  [ -z "$(ls -A "$work/run/elsewhere")" ] || fail "files were written into the working folder"
  shots=$(find "$work/run/xdg/vennor/shots" -name '*.png' 2>/dev/null | wc -l)
  [ "$shots" -eq 1 ] || fail "$shots screenshots in the player's tree, not 1"
  ;;
lost)
  rm -rf "$work/lost"
  mkdir -p "$work/lost/bin"
  cp "$root/bin/vennor" "$work/lost/bin/"
  printf '5 quit\n' >"$work/lost/quit.script"
  set +e
  msg=$(cd /tmp && "$work/lost/bin/vennor" --headless --play "$work/lost/quit.script" 2>&1)
  code=$?
  set -e
  [ "$code" -ne 0 ] || fail "the game started without its tree"
  case $msg in *"$work/lost/share/vennor"*) ;; *) fail "the message does not name the tree: $msg" ;; esac
  ;;
*)
  fail "unknown step"
  ;;
esac
