#!/usr/bin/env bash
# Set-up and build of everything, then every test, then the static analysis.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh all
(cd build && ctest --output-on-failure -j "$(nproc)" -LE long)
tools/lint.sh
