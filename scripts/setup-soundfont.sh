#!/usr/bin/env bash
# Installs the fuller General MIDI SoundFont (fluid-soundfont-gm, a 120 MB
# download) that Varnel prefers when it is present. Optional: Varnel plays
# with timgm6mb-soundfont, which setup.sh installs, and its tests pass with
# either. A failed download leaves things as they were.
set -uo pipefail
if dpkg-query -W -f='${Status}' fluid-soundfont-gm 2>/dev/null | grep -q 'install ok installed'; then
  exit 0
fi
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends fluid-soundfont-gm ||
  echo "fluid-soundfont-gm was not installed; Varnel plays with the SoundFont it has." >&2
exit 0
