#!/usr/bin/env bash
# Set up, build (the pure libraries also with AddressSanitizer and UBSan) and run every test,
# then fuzz each file reader for a bounded time (about a minute in all).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_SANITIZE=ON >/dev/null
cmake --build build-test -j2
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

cd ..
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j2
cd build-fuzz
ctest --output-on-failure -j2
