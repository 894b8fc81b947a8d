#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer (LeakSanitizer with it)
# and UndefinedBehaviorSanitizer in build-asan/ and runs it there. A report
# of either stops the test that made it, so the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DVARNEL_BENCH=OFF >/dev/null
cmake --build build-asan
# No strict string checks: they make strndup read all n bytes, which
# libxkbcommon (under Qt's X11 platform in the end-to-end tests) does not
# promise.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2
