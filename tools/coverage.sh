#!/usr/bin/env bash
# tools/coverage.sh [fuzz]
#   (none)  builds the tests with --coverage into build-coverage/, runs
#           ctest -LE long, prints line and branch coverage per folder and
#           fails when the game code is below GAME_MIN_LINES % of its lines
#   fuzz    builds the fuzz corpus replays with --coverage into
#           build-coverage-fuzz/, replays each corpus on its own and prints
#           how much of each loader's source its corpus reaches
# The sanitizer builds and the corpus replays are left out of the first: they
# run the same code again, slower, and would count towards nothing new.
set -euo pipefail
cd "$(dirname "$0")/.."

# The game code: everything but the SDL back end, the tools, tests and fuzz.
GAME_MIN_LINES=85

# Which source files each fuzz target is there to exercise; the replay of its
# corpus is measured on these files only. One line per target, the target
# first; keep in step with the loaders when they move.
FUZZ_TABLE=(
  "bmp        platform/bmpdecode.cpp platform/sdl/sdlbmp.cpp"
  "pcx        video/pcxdecode.cpp"
  "png        platform/pngdecode.cpp"
  "wav        platform/mmio.cpp sound/dsound.cpp platform/dsound.cpp"
  "map        world/mapfile.cpp world/npcrecord.cpp"
  "items      world/itemtype.cpp world/itemtyperecord.cpp"
  "units      world/unittype.cpp world/unittyperecord.cpp"
  "rle        world/rle.cpp"
  "viewtables world/viewtables.cpp"
  "land       world/landtype.cpp"
  "script     platform/script.cpp"
  "font       text/font.cpp video/pcxdecode.cpp"
  "picture    video/loadbmp.cpp video/ddutil.cpp platform/bitmapload.cpp app/cursor.cpp"
  "save       game/savestate.cpp game/savefile.cpp"
  "settings   platform/settingsparse.cpp"
  "campaign   game/campaign.cpp"
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

rows=()
for row in "${FUZZ_TABLE[@]}"; do
  read -r target sources <<<"$row"
  zerocounts "$dir"
  log="$dir/fuzz_${target}_replay.log"
  if ! ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
       "$dir/fuzz/fuzz_${target}_replay" "$PWD/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "coverage: the $target replay failed, see $log" >&2
    exit 1
  fi
  filters=()
  for s in $sources; do filters+=(-f "$s"); done
  # Only this target's objects: the decoders are compiled into their own.
  summary "$dir/fuzz_${target}.json" "${filters[@]}" \
          "$dir/tests/CMakeFiles/vennor_sanitized.dir" "$dir/fuzz/CMakeFiles/fuzz_${target}_replay.dir"
  rows+=("$target $dir/fuzz_${target}.json $sources")
done
python3 - "${rows[@]}" <<'EOF'
import json, sys

print(f"{'target':<12}{'file':<30}{'lines':>18}")
for row in sys.argv[1:]:
    target, summary, *sources = row.split()
    got = {f["filename"]: f for f in json.load(open(summary))["files"]}
    for s in sources:
        f = got.get(s)
        if f is None:
            print(f"{target:<12}{s:<30}{'not compiled in':>18}")
            continue
        lc, lt = f["line_covered"], f["line_total"]
        share = f"{100.0 * lc / lt:6.1f} %" if lt else "     -  "
        print(f"{target:<12}{s:<30}{lc:>6} / {lt:<5}{share}")
EOF
