#!/usr/bin/env bash
# Sets everything up, builds, and starts Varnel on the bundled course.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/varnel "$@"
