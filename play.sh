#!/usr/bin/env bash
# Set-up, build and data of the game alone, then the game. Options are passed
# to the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh game
exec build/vennor "$@"
