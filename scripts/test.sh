#!/usr/bin/env bash
# Sets everything up, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
options=()
if [ "${CI:-}" = true ]; then
  # CI builds once from nothing and only runs the tests: no debug info,
  # -O1, the common headers precompiled and the sources compiled in batches.
  options=(-DVARNEL_PCH=ON -DVARNEL_UNITY=ON
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DNDEBUG")
fi
bash scripts/build.sh "${options[@]}"
# The tests that listen run once with each of these, as tests of their own.
echo "test: SoundFonts:" /usr/share/sounds/sf2/*.sf2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2
