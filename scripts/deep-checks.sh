#!/usr/bin/env bash
# What CI checks beyond scripts/test.sh: the whole project again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the headless part alone (it
# must build and pass without Qt), a short run of every fuzzer, then the format.
# Expects what scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=2

echo "== the whole project, window included, with ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
  > /dev/null
cmake --build build-asan -j"$jobs"
# Leaks inside the system's own libraries (fontconfig, Qt's plugins) are theirs.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== the headless part without Qt"
cmake -S . -B build-headless -G Ninja -DTAMVEK_GUI=OFF -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-headless -j"$jobs"
ctest --test-dir build-headless --output-on-failure -j"$jobs"

echo "== a short run of every fuzzer (clang, libFuzzer)"
sh fuzz/run.sh 15

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format ok"
