#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds Tamvek (the window, the
# command-line player, the tests and the benchmarks) and runs every test.
# The deeper checks that CI adds (sanitizers, the build without Qt, the
# fuzzers, the format) are in scripts/deep-checks.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=2

echo "== full build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMVEK_BENCH=ON > /dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
