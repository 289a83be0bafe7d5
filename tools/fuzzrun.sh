#!/usr/bin/env bash
# tools/fuzzrun.sh BUILD SECONDS [TARGET...]
#   Runs each libFuzzer target of BUILD (configured with -DVENNOR_LIBFUZZER=ON)
#   for SECONDS on one core, two targets at a time, in a scratch folder, and
#   prints the runs, the runs per second and any finding: a campaign
#   (tools/fuzzcampaign.sh) of no run limit that is not logged. Inputs it
#   finds are left in the scratch folder (printed), to be merged into
#   fuzz/corpus with tools/fuzzmerge.sh once looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: tools/fuzzrun.sh BUILD SECONDS [TARGET...]}
seconds=${2:?usage: tools/fuzzrun.sh BUILD SECONDS [TARGET...]}
shift 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vennor-fuzzrun-XXXXXX")
echo "scratch: $scratch"
FUZZLOG=/dev/null exec tools/fuzzcampaign.sh "$build" "$scratch" -1 "$seconds" "$@"
