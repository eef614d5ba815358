#!/usr/bin/env bash
# Installs the Debian packages Harkdeck needs to build, run and test.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libpulse-dev libgtest-dev libgmock-dev
  libbenchmark-dev pulseaudio pulseaudio-utils sox espeak-ng fonts-dejavu-core libgl-dev clang
  libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
