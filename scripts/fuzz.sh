#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each one on its
# seeds in fuzz/corpus/<target>/ and on what it makes of them, for SECONDS
# seconds each (default 20). New inputs go to a scratch folder, not to the
# seeds; an input that fails is kept in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
build="${VARNEL_FUZZ_BUILD:-build-fuzz}"
bash scripts/setup.sh
if [ "$build" = build-fuzz ]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVARNEL_FUZZ=ON -DVARNEL_TESTS=OFF \
    -DVARNEL_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target fuzz_targets
# AddressSanitizer holds freed blocks back for a while to catch late uses;
# a smaller hold leaves the 512 MB limit to what the program itself holds.
export ASAN_OPTIONS=quarantine_size_mb=64
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
findings="$PWD/$build/findings"
mkdir -p "$findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Three targets at a time on the two cores (each target runs for its
# seconds of wall clock), so that five take two rounds; the reports follow
# in order.
run_target() {
  local target=$1 seeds=$2
  mkdir -p "$scratch/$target"
  if "$build"/fuzz/"${target}_fuzz" -max_total_time="$seconds" \
      -rss_limit_mb=512 -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$scratch/$target" "$seeds" \
      >"$scratch/$target.log" 2>&1; then
    touch "$scratch/$target.passed"
  fi
}
targets=()
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  targets+=("$target")
  while [ "$(jobs -rp | wc -l)" -ge 3 ]; do
    wait -n || true
  done
  run_target "$target" "$seeds" &
done
wait
failed=()
ran=0
for target in "${targets[@]}"; do
  log="$scratch/$target.log"
  ran=$((ran + 1))
  if [ -e "$scratch/$target.passed" ]; then
    echo "$target: $(grep -m1 '^Done' "$log")"
  else
    failed+=("$target")
    echo "$target: FAILED"
    grep -v -E '^#[0-9]+|^INFO:|NEW_FUNC' "$log" | tail -n 60
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets failed: ${failed[*]} (inputs in $findings)"
  exit 1
fi
echo "fuzz: $ran targets ran clean"
