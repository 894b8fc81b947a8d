#!/usr/bin/env bash
# Installs what is needed and builds Varnel in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# VARNEL_BENCH=OFF leaves the benchmarks out (as CI does). Further
# arguments go to cmake.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEL_BENCH="${VARNEL_BENCH:-ON}" "$@" >/dev/null
cmake --build build
