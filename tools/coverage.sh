#!/usr/bin/env bash
# tools/coverage.sh [fuzz]
#   (none)  builds the tests with --coverage into build-coverage/, runs
#           ctest -LE long, prints line and branch coverage per folder and
#           fails when the game code is below GAME_MIN_LINES % of its lines
#   fuzz    builds the fuzz corpus replays with --coverage into
#           build-coverage-fuzz/, replays each corpus on its own and prints
#           how many of its parser's lines it runs (FUZZ_TABLE), failing
#           when a parser is below FUZZ_MIN_LINES %
# The sanitizer builds and the corpus replays are left out of the first: they
# run the same code again, slower, and would count towards nothing new.
set -euo pipefail
cd "$(dirname "$0")/.."

# The game code: everything but the SDL back end, the tools, tests and fuzz.
GAME_MIN_LINES=85

# The parser each fuzz target is there to exercise: the target, then the
# parts of the parser, each a source and which of its functions are the
# parser's (see tools/parsercoverage.py): file, file:f,g or file:-f,g for all
# but f and g. The reading of files and the writers are not the parser's.
# Keep in step with the loaders when they move.
FUZZ_MIN_LINES=90
FUZZ_TABLE=(
  "bmp        platform/bmpdecode.cpp platform/sdl/sdlbmp.cpp"
  "pcx        video/pcxdecode.cpp"
  "png        platform/pngdecode.cpp"
  "wav        sound/loadsound.cpp:fillbuffer,LoadSoundBytes sound/wavereader.cpp:-WaveOpenFile
              platform/mmio.cpp:-mmio_open"
  "map        world/mapfile.cpp:partsize,parsegrids,parsenpcs,place,startformation,placeplayer0,checkmap,commit,parsemap
              world/npcrecord.cpp:npcfromfile,mapdatafromfile world/lanecheck.h"
  "items      world/itemtype.cpp:-inititemtypes world/itemtyperecord.cpp:itemtypefromfile
              world/rle.cpp:rleinsidedata,rleto565 world/averagecolour.cpp:itemaverage,add,red,green,blue,compose"
  "units      world/unittype.cpp:-findunitframe,loadpictureset,loadunittype,initunit
              world/unittyperecord.cpp:unittypefromfile"
  "rle        world/rle.cpp"
  "viewtables world/viewtables.cpp:parsesquares,parselines,numbersquares,checkviewlines,checkviewsquares,checkviewtables,refuse,parseviewtables"
  "land       world/landtype.cpp:allto565,parseland world/averagecolour.cpp:landaverage,lanesum,compose"
  "script     platform/script.cpp:-script_keyname"
  "font       text/font.cpp:tablewidth,parsefont video/pcxdecode.cpp"
  "picture    video/display.cpp:parsecursorpicture,cursorpicturefits video/loadbmp.cpp:rightsize,copyout,unpackbmpbytes
              video/ddutil.cpp:surfaceof,DDLoadBitmapBytes platform/bitmapload.cpp:plat_decodebitmap"
  "save       game/savestate.cpp:-writeclouds,writeclock,writecursor,writerandom,writepath,writeparked,writelmbwait,buildsave
              game/savefile.cpp:savecrc32,savesplit world/lanecheck.h"
  "settings   platform/settingsparse.cpp:-settings_put,settings_text"
  "campaign   game/campaign.cpp:campaignfromtext,campaigntext"
)

mode=${1:-tests}
case $mode in
tests | fuzz) ;;
*) echo "usage: tools/coverage.sh [fuzz]" >&2; exit 2 ;;
esac

command -v gcovr >/dev/null || { echo "coverage: gcovr is missing (tools/setup.sh all installs it)" >&2; exit 1; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
jobs=$(nproc)

configure() { # build directory, then options
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage -O0" \
        -DCMAKE_EXE_LINKER_FLAGS=--coverage "${launcher[@]}" -DVENNOR_TESTS=ON -DVENNOR_LIBFUZZER=OFF "$@" >/dev/null
}

# Counts from an earlier run would be added to this one's; gcovr leaves some
# of gcov's own files behind.
zerocounts() { find "$1" \( -name '*.gcda' -o -name '*.gcov' \) -delete; }

# gcovr's per-file summary of the given object folders, as JSON.
summary() { # output file, then gcovr's arguments
  local out=$1
  shift
  gcovr -r . -j "$jobs" --exclude-throw-branches --exclude-unreachable-branches \
        --json-summary "$out" "$@" >/dev/null
}

if [ "$mode" = tests ]; then
  dir=build-coverage
  configure "$dir" -DVENNOR_ASAN_TESTS=OFF -DVENNOR_FUZZ_REPLAY=OFF -DVENNOR_TEST_TIMEOUT=600
  cmake --build "$dir" -j "$jobs" >/dev/null
  zerocounts "$dir"
  # A failed test fails the run, but the figures are shown all the same.
  tests_ok=0
  (cd "$dir" && ctest --output-on-failure -j "$jobs" -LE long) || tests_ok=$?
  summary "$dir/coverage.json" "$dir" -e 'build-coverage.*/' -e 'tests/' -e 'fuzz/'
  echo "Per-file details: gcovr -r . --html-details $dir/coverage.html $dir"
  python3 - "$dir/coverage.json" "$GAME_MIN_LINES" <<'EOF'
import json, sys

files = json.load(open(sys.argv[1]))["files"]
least = float(sys.argv[2])
folders = ["app", "video", "text", "world", "view", "game", "sound", "editor", "resources",
           "platform", "platform/sdl", "tools"]

def folder(path):
    if path.startswith("platform/sdl/"):
        return "platform/sdl"
    return path.split("/")[0]

sums = {f: [0, 0, 0, 0] for f in folders + ["game code", "other"]}
for f in files:
    name = f["filename"]
    where = folder(name)
    counts = [f["line_covered"], f["line_total"], f["branch_covered"], f["branch_total"]]
    for key in ([where] if where in folders else ["other"]) + \
               (["game code"] if where in folders and where not in ("platform/sdl", "tools") else []):
        sums[key] = [a + b for a, b in zip(sums[key], counts)]

def pct(got, total):
    return f"{100.0 * got / total:6.1f} %" if total else "     -  "

print(f"{'folder':<14}{'lines':>18}{'':>9}{'branches':>18}")
for key in folders + ["other", "game code"]:
    lc, lt, bc, bt = sums[key]
    if key == "other" and lt == 0:
        continue
    if key == "game code":
        print("-" * 59)
    print(f"{key:<14}{lc:>8} / {lt:<7}{pct(lc, lt)}{bc:>9} / {bt:<7}{pct(bc, bt)}")
lc, lt = sums["game code"][:2]
share = 100.0 * lc / lt if lt else 0.0
if share < least:
    print(f"coverage: the game code has {share:.1f} % of its lines run by the tests, below {least:g} %")
    sys.exit(1)
EOF
  if [ "$tests_ok" -ne 0 ]; then
    echo "coverage: some tests failed in the coverage build" >&2
    exit 1
  fi
  exit 0
fi

# ---- fuzz: each corpus replayed alone, counted on its loader's files --------
dir=build-coverage-fuzz
configure "$dir" -DVENNOR_ASAN_TESTS=OFF -DVENNOR_FUZZ_REPLAY=ON
targets=()
for row in "${FUZZ_TABLE[@]}"; do
  read -r target _ <<<"$row"
  targets+=(--target "fuzz_${target}_replay")
done
cmake --build "$dir" -j "$jobs" "${targets[@]}" >/dev/null

failed=()
for row in "${FUZZ_TABLE[@]}"; do
  read -r target parts <<<"$(echo $row)"
  zerocounts "$dir"
  log="$dir/fuzz_${target}_replay.log"
  if ! ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
       "$dir/fuzz/fuzz_${target}_replay" "$PWD/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "coverage: the $target replay failed, see $log" >&2
    exit 1
  fi
  # The target's own objects first: the decoders are compiled into it.
  objects="$dir/fuzz/CMakeFiles/fuzz_${target}_replay.dir,$dir/tests/CMakeFiles/vennor_sanitized.dir"
  # shellcheck disable=SC2086
  python3 tools/parsercoverage.py "$FUZZ_MIN_LINES" "$target" "$objects" $parts || failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "coverage: below $FUZZ_MIN_LINES % of the parser's lines: ${failed[*]}" >&2
  exit 1
fi
