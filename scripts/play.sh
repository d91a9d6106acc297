#!/usr/bin/env bash
# Set up, build and start the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
exec build/bin/morvik "$@"
