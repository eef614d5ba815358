#!/bin/sh
# Builds the panel benchmark and reports the window's CPU time idling for 20 s.
# Pass "record 60" to measure a recording from the simulated card instead.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHARKDECK_BENCH=ON \
  -DHARKDECK_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target harkdeck_panel_bench >/dev/null
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)} "$build/bench/harkdeck_panel_bench" "${1:-idle}" "${2:-20}"
