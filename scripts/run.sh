#!/usr/bin/env bash
# Sets everything up, builds, and starts Varnel on the bundled course.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# The fuller SoundFont, for playing; the tests do not need it.
bash scripts/setup-soundfont.sh
exec build/varnel "$@"
