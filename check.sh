#!/usr/bin/env bash
# Set-up and build of everything, then every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh all
cd build
ctest --output-on-failure -j "$(nproc)" -LE long
