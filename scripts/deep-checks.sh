#!/usr/bin/env bash
# What CI checks beyond scripts/test.sh: the headless part (everything but the
# window) again under AddressSanitizer and UndefinedBehaviorSanitizer, built
# without Qt, so it also shows that the headless part needs none; a short run
# of every fuzzer; then the format. The window's tests run in scripts/test.sh.
# Expects what scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=2

echo "== the headless part without Qt, with ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMVEK_GUI=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
  > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== a short run of every fuzzer (clang, libFuzzer)"
sh fuzz/run.sh 15

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format ok"
