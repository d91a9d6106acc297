#!/usr/bin/env bash
# Set up, build and start the game: the game, the command line and the assets only (no tests,
# no benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/bin/morvik "$@"
