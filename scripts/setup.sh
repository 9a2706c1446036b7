#!/usr/bin/env bash
# Installs the Debian packages the project needs, through sudo when not root.
set -euo pipefail
packages=(build-essential cmake pkg-config libsdl2-dev libgl1-mesa-dev libgl1-mesa-dri
          libglm-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool
          imagemagick python3 clang libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
