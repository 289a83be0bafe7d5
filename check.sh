#!/usr/bin/env bash
# Set-up, build, data, and every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cd build
ctest --output-on-failure -j "$(nproc)" -LE long
