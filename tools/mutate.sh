#!/usr/bin/env bash
# tools/mutate.sh [-j N] [--survivors] [FILE...]
#
# A mutation pass over the loaders and checks: for each file of the table
# below (or only the FILEs named), every mutant tools/mutate.py makes of it
# is written in place, compiled, linked into a copy of the test binary and
# run against that file's tests. A mutant is killed when it does not build,
# a test fails, or the run times out; otherwise it survived. The file is
# put back after every mutant and on any exit.
#
# -j N         N files at a time, each file mutated by one lane only
#              (default 2, the machine's share; results merged at the end).
# --survivors  runs again only the mutants that survived the last pass,
#              taking its kills as they were (tests are only ever added, so a
#              killed mutant stays killed); mutants it did not reach are not
#              run either, and the totals say how many.
#
# Environment: MUTATE_BUILD (default build-mut), MUTATE_TIMEOUT (seconds a
# mutant's tests may take; default three times the clean run plus 10).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

# file | the tests that stand for it (a gtest filter). End-to-end tests and
# the played saves (SaveGamePlay) run the game's own binary, which has no
# mutant in it, so none is named here.
TABLE=(
  "world/mapfile.cpp|Parsers.*:MapFile.*:MapNames.*:MapEditorMaps.*:MapEditorStart.*"
  "world/itemtype.cpp|Parsers.*:WorldLoaders.*:ItemEditorContent.*"
  "world/unittype.cpp|Parsers.*:WorldLoaders.*:CompileUnits.*:UnitEditorLoad.*:UnitEditorSave.*"
  "world/landtype.cpp|Parsers.*:WorldLoaders.*:LandSave.*:LandCutGeometry.*:ObjectPics.*"
  "game/savefile.cpp|SaveGame.*"
  "game/savestate.cpp|SaveGame.*"
  "game/savegame.cpp|SaveGame.*:MissionKeys.*"
  "platform/settingsparse.cpp|SettingsParse.*:SettingsFile.*"
  "game/missionend.cpp|MissionEndSound.*:MissionStats.*"
)
EQUIVALENTS=tools/mutate-equivalent.txt

again=0 jobs=2
while [ $# -gt 0 ]; do
  case $1 in
  -j) jobs=$2; shift 2 ;;
  -j*) jobs=${1#-j}; shift ;;
  --survivors) again=1; shift ;;
  *) break ;;
  esac
done
only=("$@")

BUILD=${MUTATE_BUILD:-build-mut}
# A lane has a work folder of its own; the pass's results are the main one's.
WORK=${MUTATE_LANE_WORK:-$BUILD/mutate}
mkdir -p "$WORK/orig"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)

# A mutant left in place by a pass that was killed outright goes first.
restore() {
  if [ -f "$WORK/applied" ]; then
    f=$(cat "$WORK/applied")
    cp -p "$WORK/orig/$f" "$f"
    rm -f "$WORK/applied"
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM
for a in "$WORK/applied" "$WORK"/lane*/applied; do
  [ -f "$a" ] || continue
  f=$(cat "$a")
  echo "putting back $f, left mutated by an earlier pass"
  cp -p "$(dirname "$a")/orig/$f" "$f"
  rm -f "$a"
done

start=$(date +%s)
if [ -z "${MUTATE_LANE_WORK:-}" ]; then
# Configured once: tests on, no sanitizers, no fuzz replay, -O1.
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DVENNOR_TESTS=ON \
        -DVENNOR_FUZZ_REPLAY=OFF -DVENNOR_ASAN_TESTS=OFF "${launcher[@]}" "${linker[@]}" >/dev/null
fi
cmake "$BUILD" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$BUILD" -j2 --target vennor_tests >"$WORK/build.log" 2>&1 || { tail -n 30 "$WORK/build.log"; exit 1; }
fi

# The mutant's object goes before the libraries, so the linker takes it in
# place of the library's own; the built test binary stays as it is.
link=$(cat "$BUILD/tests/CMakeFiles/vennor_tests.dir/link.txt")
link=${link/ -o vennor_tests / -o $PWD/$WORK/vennor_tests_mutant $PWD/$WORK/mutant.o }

compilecmd() {
  python3 - "$BUILD/compile_commands.json" "$PWD/$1" "$PWD/$WORK/mutant.o" <<'EOF'
import json, re, sys
for e in json.load(open(sys.argv[1])):
    if e["file"] == sys.argv[2]:
        print("cd %s && %s" % (e["directory"], re.sub(r" -o \S+", " -o " + sys.argv[3], e["command"])))
        break
EOF
}

# Results: file, mutation, line text, line number, outcome (killed, survived,
# equivalent), and how it was killed (build, test, timeout).
results=$WORK/results.tsv
previous=${MUTATE_PREVIOUS:-$results}
: >"$WORK/previous.keys"
if [ "$again" = 1 ] && [ -f "$previous" ]; then
  awk -F'\t' '$5 == "killed" {print $1 "\t" $2 "\t" $3}' "$previous" >"$WORK/previous.keys"
  awk -F'\t' '$5 == "survived" {print $1 "\t" $2 "\t" $3}' "$previous" >"$WORK/previous.survivors"
fi
: >"$results.new"

files=()
for row in "${TABLE[@]}"; do
  file=${row%%|*}
  if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $file "* ]]; then continue; fi
  files+=("$file")
done

summary() {
  echo
  echo "Survivors:"
  awk -F'\t' '$5 == "survived" {printf "  %s:%s: %s    [%s]\n", $1, $4, $2, $3}' "$results"
  awk -F'\t' -v again="$again" '
    $5 == "notrun" {x++; next} {n++} $5 == "killed" {k++} $5 == "killed" && $6 == "build" {b++} $5 == "killed" && $6 == "kept" {r++}
    $5 == "survived" {s++} $5 == "equivalent" {e++}
    END {
      printf "Mutants: %d, killed %d (%d of them did not build%s), survived %d, equivalent %d\n",
             n, k, b, again == 1 ? ", " r+0 " kept from the pass before" : "", s, e
      if (x > 0) printf "Not run (not in the pass before): %d\n", x
      if (n - e > 0) printf "Survivors: %.1f %% of the %d mutants that are not equivalent\n", 100 * s / (n - e), n - e
    }' "$results"
  echo "Time: $(( $(date +%s) - start )) s"
}

if [ "$jobs" -gt 1 ] && [ ${#files[@]} -gt 1 ]; then
  # Files dealt to the lanes by their mutant counts, largest first.
  mapfile -t dealt < <(for f in "${files[@]}"; do echo "$(python3 tools/mutate.py list "$f" | wc -l) $f"; done |
    sort -rn | awk -v j="$jobs" '{best = 0; for (l = 1; l < j; l++) if (sum[l] < sum[best]) best = l;
      sum[best] += $1; lane[best] = lane[best] " " $2} END {for (l = 0; l < j; l++) print lane[l]}')
  pids=()
  for l in "${!dealt[@]}"; do
    [ -n "${dealt[$l]// /}" ] || continue
    mkdir -p "$WORK/lane$l"
    # shellcheck disable=SC2086
    MUTATE_LANE_WORK=$WORK/lane$l MUTATE_PREVIOUS=$PWD/$results \
      "$0" -j 1 $([ "$again" = 1 ] && echo --survivors) ${dealt[$l]} >"$WORK/lane$l.log" 2>&1 &
    pids+=($!)
  done
  # A lane puts its own file back; this one waits for them all.
  trap 'kill "${pids[@]}" 2>/dev/null; wait; exit 130' INT TERM
  failed=0
  for p in "${pids[@]}"; do wait "$p" || failed=1; done
  cat "$WORK"/lane*.log | grep -v '^\(Survivors:\|Mutants:\|Not run\|Time:\|  \|$\)' || true
  cat "$WORK"/lane*/results.tsv >"$results"
  rm -f "$results.new"
  summary
  exit $failed
fi

total=0 killed=0 survived=0 equivalent=0
for row in "${TABLE[@]}"; do
  file=${row%%|*} filter=${row#*|}
  [[ " ${files[*]} " == *" $file "* ]] || continue
  cmd=$(compilecmd "$file")
  [ -n "$cmd" ] || { echo "$file: not in the build"; exit 1; }
  # The clean run must pass; its time sets the mutants' timeout.
  t0=$(date +%s%N)
  if ! (cd "$BUILD/tests" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./vennor_tests --gtest_filter="$filter") \
       >"$WORK/clean.log" 2>&1 </dev/null; then
    echo "$file: its tests fail without a mutant (see $WORK/clean.log)"; exit 1
  fi
  clean=$(( ($(date +%s%N) - t0) / 1000000 ))
  limit=${MUTATE_TIMEOUT:-$(( clean * 3 / 1000 + 10 ))}
  mkdir -p "$WORK/orig/$(dirname "$file")"
  cp -p "$file" "$WORK/orig/$file"
  python3 tools/mutate.py list "$file" "$EQUIVALENTS" >"$WORK/list.tsv"
  fn=0 fk=0 fs=0 fe=0
  while IFS=$'\t' read -r -u 3 id line mark what text; do
    total=$((total + 1)) fn=$((fn + 1))
    key="$file"$'\t'"$what"$'\t'"$text"
    if [ "$mark" = E ]; then
      equivalent=$((equivalent + 1)) fe=$((fe + 1))
      printf '%s\t%s\tequivalent\t\n' "$key" "$line" >>"$results.new"
      continue
    fi
    if grep -qxF "$key" "$WORK/previous.keys"; then
      outcome=killed how=kept
    elif [ "$again" = 1 ] && ! grep -qxF "$key" "$WORK/previous.survivors"; then
      outcome=notrun how=
    else
      echo "$file" >"$WORK/applied"
      python3 tools/mutate.py apply "$file" "$id"
      outcome=survived how=
      if ! (eval "$cmd") >"$WORK/mutant.log" 2>&1 </dev/null ||
         ! (cd "$BUILD/tests" && eval "$link") >>"$WORK/mutant.log" 2>&1 </dev/null; then
        outcome=killed how=build
      else
        rc=0
        (cd "$BUILD/tests" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
          timeout "$limit" "$ROOT/$WORK/vennor_tests_mutant" --gtest_filter="$filter" --gtest_fail_fast) \
          >>"$WORK/mutant.log" 2>&1 </dev/null || rc=$?
        if [ "$rc" = 124 ]; then outcome=killed how=timeout
        elif [ "$rc" != 0 ]; then outcome=killed how=test
        fi
      fi
      restore
    fi
    printf '%s\t%s\t%s\t%s\n' "$key" "$line" "$outcome" "$how" >>"$results.new"
    if [ "$outcome" = killed ]; then
      killed=$((killed + 1)) fk=$((fk + 1))
    elif [ "$outcome" = survived ]; then
      survived=$((survived + 1)) fs=$((fs + 1))
      echo "SURVIVED $file:$line: $what    [$text]"
    fi
  done 3<"$WORK/list.tsv"
  echo "$file: $fn mutants, $fk killed, $fs survived, $fe equivalent (tests $filter: clean run ${clean} ms, timeout ${limit} s)"
done
mv "$results.new" "$results"
summary
