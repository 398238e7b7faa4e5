#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds Tamvek and runs every test:
# the full build (window included), then the core and the command-line player alone
# under AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run of the
# permanence reader, then the format check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=2

echo "== full build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMVEK_BENCH=ON > /dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"

echo "== core and command line without the window, with ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DTAMVEK_GUI=OFF -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
  > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== a short fuzzing run of the permanence reader (clang, libFuzzer)"
sh fuzz/run.sh 20

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format ok"
