#!/usr/bin/env bash
# tools/fuzzmerge.sh BUILD OUT [TARGET...]
#   Merges a campaign's inputs (OUT/<target>/corpus, see tools/fuzzcampaign.sh)
#   into fuzz/corpus/<target>: libFuzzer's -merge=1 keeps every input already
#   there and adds only those that reach code the corpus does not, so the
#   corpus stays small. Prints each target's count before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: tools/fuzzmerge.sh BUILD OUT [TARGET...]"
build=${1:?$usage}
out=${2:?$usage}
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls "$out"))
build=$(cd "$build" && pwd)
out=$(cd "$out" && pwd)
repo=$PWD
for t in "${targets[@]}"; do
  [ -d "$out/$t/corpus" ] || continue
  before=$(ls "fuzz/corpus/$t" | wc -l)
  (cd "$out/$t" && ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
     "$build/fuzz/fuzz_$t" -merge=1 "$repo/fuzz/corpus/$t" "$out/$t/corpus" >"$out/$t/merge.log" 2>&1) ||
    { echo "$t: merge failed, see $out/$t/merge.log" >&2; exit 1; }
  printf '%-11s %4s -> %4s inputs\n' "$t" "$before" "$(ls "fuzz/corpus/$t" | wc -l)"
done
