#!/usr/bin/env bash
# tools/fuzzrun.sh BUILD SECONDS [TARGET...]
#   Runs each libFuzzer target of BUILD (configured with -DVENNOR_LIBFUZZER=ON)
#   for SECONDS on one core, two targets at a time, each from a copy of its
#   corpus in a scratch folder, and prints the runs, the runs per second and
#   any finding. Inputs it finds are left in the scratch folder (printed), to
#   be merged into fuzz/corpus by hand with -merge=1 once looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: tools/fuzzrun.sh BUILD SECONDS [TARGET...]}
seconds=${2:?usage: tools/fuzzrun.sh BUILD SECONDS [TARGET...]}
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls fuzz/corpus))
build=$(cd "$build" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vennor-fuzzrun-XXXXXX")
echo "scratch: $scratch"

runone() {
  local t=$1 out=$scratch/$1
  mkdir -p "$out/corpus" "$out/found"
  cp -r "fuzz/corpus/$t/." "$out/corpus/"
  (cd "$out" && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
     "$build/fuzz/fuzz_$t" "$out/corpus" -max_total_time="$seconds" -print_final_stats=1 \
     -artifact_prefix="$out/found/" >"$out/log" 2>&1) || true
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/log" | grep -o '[0-9]*$' || echo 0)
  local found
  found=$(ls "$out/found" | wc -l)
  printf '%-11s %12s runs %10s /s  findings %s\n' "$t" "$runs" "$((runs / seconds))" "$found"
}

running=0
for t in "${targets[@]}"; do
  runone "$t" &
  running=$((running + 1))
  if [ "$running" -ge 2 ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
