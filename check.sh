#!/usr/bin/env bash
# Set-up and build of everything, then every test, then the static analysis
# (tools/lint.sh), then the tests once more in a coverage build of their own
# (tools/coverage.sh), which fails when the game code falls below its share
# of lines run.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh all
(cd build && ctest --output-on-failure -j "$(nproc)" -LE long)
tools/lint.sh
tools/coverage.sh
