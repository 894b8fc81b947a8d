#!/usr/bin/env bash
# Installs every Debian package Varnel needs to build, run and test.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libgl-dev
  libfluidsynth-dev libsndfile1-dev fluidsynth timgm6mb-soundfont
  fonts-ipafont-mincho fonts-ipafont-gothic fontconfig
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  qt6-translations-l10n librsvg2-bin desktop-file-utils appstream
  shared-mime-info poppler-utils dpkg-dev libxml2-utils
  xvfb xauth file xdotool xclip
  chromium python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
