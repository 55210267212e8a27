#!/usr/bin/env bash
# Installs, with apt-get, whichever build and test packages are missing, or
# whichever of the packages named as arguments are.
# Safe to run again: when everything is present it touches nothing.
set -euo pipefail
packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev python3 clang
          libclang-rt-14-dev desktop-file-utils appstream shared-mime-info dpkg-dev file
          libgdal-dev poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
