#!/bin/sh
# Builds harkdeck-tool optimised and times it over synthetic recordings of one
# and 24 hours of audio (sparse files under /tmp, removed afterwards).
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DHARKDECK_BENCH=ON \
  -DHARKDECK_TESTS=OFF -DHARKDECK_GUI=OFF -DHARKDECK_PULSE=OFF >/dev/null
cmake --build build-bench -j2 --target harkdeck_tool_bench
build-bench/bench/harkdeck_tool_bench
