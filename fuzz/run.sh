#!/bin/sh
# Builds the libFuzzer targets with clang and runs the permanence reader fuzzer
# for a short while, seeded with the test fixtures and the sample files.
#   fuzz/run.sh [SECONDS]   (default 30)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTAMVEK_FUZZ=ON -DTAMVEK_GUI=OFF \
    -DTAMVEK_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$build" -j2 --target permanence_reader_fuzz

# The fuzzer writes what it finds into the first corpus folder: keep that one
# scratch, so the fixtures stay as they are.
corpus="$build/corpus"
mkdir -p "$corpus"
"$build/bin/permanence_reader_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -artifact_prefix="$build/" "$corpus" "$root/tests/data" "$root/samples"
