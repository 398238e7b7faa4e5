#!/bin/sh
# Builds the libFuzzer targets with clang and runs each of them for a while,
# seeded with the committed corpus, the test fixtures and the samples.
#   fuzz/run.sh [SECONDS] [TARGET...]   (default 30 seconds each, every target)
# What a target finds is written as crash-* or timeout-* into build-fuzz/; the
# corpus it grows stays in build-fuzz/corpus/TARGET (see fuzz/README.md).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-"permanence_reader_fuzz bare_list_fuzz system_file_fuzz numbers_fuzz script_player_fuzz session_replay_fuzz csv_fuzz system_json_fuzz"}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTAMVEK_FUZZ=ON -DTAMVEK_GUI=OFF \
    -DTAMVEK_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

for target in $targets; do
    case $target in
        permanence_reader_fuzz) seeds="$root/tests/data $root/samples" ;;
        bare_list_fuzz) seeds="$root/fuzz/corpus/bare $root/tests/data/spins" ;;
        system_file_fuzz) seeds="$root/fuzz/corpus/system" ;;
        numbers_fuzz) seeds="$root/fuzz/corpus/numbers" ;;
        script_player_fuzz) seeds="$root/fuzz/corpus/script" ;;
        session_replay_fuzz) seeds="$root/fuzz/corpus/session $root/fuzz/corpus/script" ;;
        csv_fuzz) seeds="$root/fuzz/corpus/csv" ;;
        system_json_fuzz) seeds="$root/fuzz/corpus/json" ;;
        *) seeds="" ;;
    esac
    # The first corpus folder takes what the fuzzer finds: a scratch one, so the
    # seeds stay as they are.
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target, $seconds s"
    # shellcheck disable=SC2086
    "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/$target-" "$corpus" $seeds 2>&1 |
        grep -E "^(Done|stat::number_of_executed_units|==|SUMMARY|.*ERROR|.*Test unit written)" || true
    # A finding leaves an artifact and fails the run.
    # (Each kind on its own: ls fails when any one of several patterns is missing.)
    found=""
    for kind in crash timeout leak oom; do
        for f in "$build/$target-$kind-"*; do [ -e "$f" ] && found="$f"; done
    done
    if [ -n "$found" ]; then
        echo "$target found a fault: see $build/$target-*" >&2
        exit 1
    fi
done
