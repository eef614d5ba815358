#!/usr/bin/env bash
# Builds Harkdeck twice (plain and with AddressSanitizer + UBSan) and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
for config in release asan; do
  dir="build-$config"
  extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DHARKDECK_WERROR=ON)
  [ "$config" = asan ] && extra+=(-DHARKDECK_SANITIZE=ON)
  cmake -S . -B "$dir" -G Ninja "${extra[@]}" > /dev/null
  cmake --build "$dir"
  (cd "$dir" && ctest --output-on-failure --timeout 300)
done

# Every reader of outside input, fuzzed for a bounded time.
tools/run-fuzz.sh 12
