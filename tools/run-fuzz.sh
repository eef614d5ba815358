#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and
# runs each for a bounded time from its seed corpus in fuzz/corpus/<name>/.
# Usage: tools/run-fuzz.sh [seconds per target, default 12]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-12}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHARKDECK_FUZZ=ON -DHARKDECK_SANITIZE=ON -DHARKDECK_WERROR=ON -DHARKDECK_GUI=OFF \
  -DHARKDECK_PULSE=OFF -DHARKDECK_TESTS=OFF > /dev/null
cmake --build build-fuzz
# A whole recorder makes its folders and recordings for every input: in memory
# that is several times quicker than on disk.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
for target in build-fuzz/fuzz/*_fuzz; do
  name="$(basename "$target" _fuzz)"
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  # New finds stay in the build folder; the seeds in the repository are read only.
  "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" "fuzz/corpus/$name" \
    -artifact_prefix="build-fuzz/crash-$name-" 2>&1 | tail -n 2
done
