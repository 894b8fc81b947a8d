#!/usr/bin/env bash
# Builds the whole test suite with clang under AddressSanitizer (LeakSanitizer
# with it) and UndefinedBehaviorSanitizer in build-asan/ and runs it there. A
# report of either stops the test that made it, so the run fails. The fuzz
# targets are built in the same tree from the same libraries, so that
# `VARNEL_FUZZ_BUILD=build-asan scripts/fuzz.sh` needs no build of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
# -O1: the tests run several times faster than unoptimised, and the
# sanitizers still see every access. Line tables are all their reports use.
batched=OFF
if [ "${CI:-}" = true ]; then
  batched=ON
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DVARNEL_PCH=$batched -DVARNEL_UNITY=$batched \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DVARNEL_BENCH=OFF \
  -DVARNEL_BROWSER_TESTS=OFF -DVARNEL_FUZZ=ON >/dev/null
cmake --build build-asan
# No strict string checks: they make strndup read all n bytes, which
# libxkbcommon (under Qt's X11 platform in the end-to-end tests) does not
# promise.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The random edit sequences find their faults in the release build's many
# sequences; here a few run, for what only the sanitizers see.
export VARNEL_RANDOM_SEQUENCES="${VARNEL_RANDOM_SEQUENCES:-4}"
cd build-asan
# Not here: the browser checks (Chromium runs the exported pages; the export
# itself runs under the sanitizers in the gui tests) and the packaging checks
# (desktop-file-validate and dpkg on files the release run checks already).
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 -LE browser \
  -E '^Packaging[.]'
