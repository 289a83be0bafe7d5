#!/usr/bin/env bash
# tools/fuzzcampaign.sh BUILD OUT RUNS SECONDS [TARGET...]
#   A fuzzing campaign: each libFuzzer target of BUILD (configured with
#   -DVENNOR_LIBFUZZER=ON) runs on one core until RUNS runs or SECONDS
#   seconds, FUZZJOBS targets at a time (2 unless set), from
#   fuzz/corpus/<target> and what OUT already holds of it (so a campaign
#   stopped part way goes on from there). New inputs go to
#   OUT/<target>/corpus, findings to OUT/<target>/found. Each run of a target
#   prints a line and appends it to fuzz/campaign.log (FUZZLOG, if set): the
#   date, the target, its runs, seconds, runs per second and findings. RUNS
#   of -1 is no limit.
#   Afterwards tools/fuzzmerge.sh BUILD OUT takes what adds coverage into
#   fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: tools/fuzzcampaign.sh BUILD OUT RUNS SECONDS [TARGET...]"
build=${1:?$usage}
out=${2:?$usage}
runs=${3:?$usage}
seconds=${4:?$usage}
shift 4
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls fuzz/corpus))
build=$(cd "$build" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
log=${FUZZLOG:-$PWD/fuzz/campaign.log}
repo=$PWD

runone() {
  local t=$1 dir=$out/$1
  mkdir -p "$dir/corpus" "$dir/found"
  local start=$SECONDS
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
     "$build/fuzz/fuzz_$t" "$dir/corpus" "$repo/fuzz/corpus/$t" -runs="$runs" -max_total_time="$seconds" \
     -print_final_stats=1 -artifact_prefix="$dir/found/" >>"$dir/log" 2>&1) || true
  local took=$((SECONDS - start)) count found line
  count=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  found=$(ls "$dir/found" | wc -l)
  [ "$took" -gt 0 ] || took=1
  line=$(printf '%s %-11s %10s runs %6s s %8s /s  findings %s' "$(date -u +%F)" "$t" "$count" "$took" \
    "$((count / took))" "$found")
  echo "$line" >>"$log"
  echo "$line"
}

running=0
for t in "${targets[@]}"; do
  runone "$t" &
  running=$((running + 1))
  if [ "$running" -ge "${FUZZJOBS:-2}" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
