#!/usr/bin/env bash
# Set up, build (the pure libraries also with AddressSanitizer and UBSan) and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_SANITIZE=ON >/dev/null
cmake --build build-test -j2
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300
