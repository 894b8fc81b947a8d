#!/usr/bin/env bash
# Installs every Debian package Varnel needs to build, run and test.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libgl-dev libxcb1-dev
  libfluidsynth-dev libsndfile1-dev fluidsynth timgm6mb-soundfont
  libharfbuzz-dev libwoff-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fontconfig
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  qt6-translations-l10n librsvg2-bin desktop-file-utils appstream
  shared-mime-info poppler-utils dpkg-dev libxml2-utils
  xvfb xauth file xdotool xclip
  chromium python3
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
  if ! installed "$p"; then missing+=("$p"); fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
updated=false
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  updated=true
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The fuller General MIDI SoundFont that Varnel prefers (about 120 MB to
# fetch). The sound tests run once with each SoundFont present, so they
# cover it as well as TimGM6mb; where it cannot be fetched, everything runs
# without it.
if ! installed fluid-soundfont-gm; then
  if ! { $updated || "${sudo_cmd[@]}" apt-get update -qq; } ||
    ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
      fluid-soundfont-gm; then
    echo "setup: fluid-soundfont-gm could not be installed; the sound" \
      "tests run with TimGM6mb only." >&2
  fi
fi
