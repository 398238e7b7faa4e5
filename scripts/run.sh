#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds Tamvek and opens its window.
# Arguments are passed on to the program (for example --seed 7).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display found; after the build the program plays a demo off screen" \
       "and saves its picture under build/"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2
exec ./build/bin/tamvek "$@"
