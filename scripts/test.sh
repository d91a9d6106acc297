#!/usr/bin/env bash
# Set up, build (the pure libraries also with AddressSanitizer and UBSan, warnings as errors)
# and run every test, then fuzz each file reader for a bounded time (about a minute in all).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test

# A fuzz build set up from tests/fuzz alone, as before the presets, is set up afresh.
if [ -f build-fuzz/CMakeCache.txt ] && ! grep -q '^MORVIK_FUZZ:BOOL=ON' build-fuzz/CMakeCache.txt; then
  rm -rf build-fuzz
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
