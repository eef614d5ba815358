#!/usr/bin/env bash
# Builds Harkdeck and starts it; arguments are passed on (for example /script FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build
exec build/harkdeck "$@"
