#!/usr/bin/env bash
# Installs (apt-get) whatever the build, the tests and the viewer need and is not there yet.
set -euo pipefail
packages=(
  build-essential cmake g++ clang libclang-rt-14-dev python3 ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev pkgconf libxcb1-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri mesa-utils
  xvfb xauth x11-utils openbox imagemagick time
  desktop-file-utils appstream shared-mime-info dpkg-dev
  fonts-liberation fonts-wqy-zenhei
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
