#!/usr/bin/env bash
# Set-up, build, data, and the game. Options are passed to the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
exec build/vennor "$@"
