#!/usr/bin/env bash
# The Debian package names the packages Varnel needs at run time, holds the
# program, its sound module, its course and its desktop files, and the
# installed program checks its own course and renders a page's piece.
set -euo pipefail
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
deb=$(ls "$scratch"/out/varnel_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q fluid-soundfont-gm <<<"$recommends" || { echo "Recommends lacks fluid-soundfont-gm: $recommends"; exit 1; }
for needed in libqt6widgets6 libfluidsynth3 timgm6mb-soundfont fonts-ipafont-mincho; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
dpkg-deb -x "$deb" "$scratch/root"
for file in usr/bin/varnel usr/lib/varnel/libvarnel_sound.so usr/lib/varnel/libvarnel_windows.so usr/lib/varnel/libvarnel_webfont.so usr/share/varnel/Data/Varnel.vrn usr/share/varnel/Gmon.mid \
            usr/share/varnel/VRN32.HLP usr/share/applications/varnel.desktop \
            usr/share/mime/packages/varnel.xml usr/share/icons/hicolor/scalable/apps/varnel.svg \
            usr/share/icons/hicolor/48x48/apps/varnel.png \
            usr/share/metainfo/io.github.varnel.Varnel.metainfo.xml; do
  [ -e "$scratch/root/$file" ] || { echo "missing from the package: $file"; exit 1; }
done
"$scratch/root/usr/bin/varnel" --check "$scratch/root/usr/share/varnel/Data/Varnel.vrn"
# The module is found in the installed lib folder, and plays.
"$scratch/root/usr/bin/varnel" --render-audio "$scratch/root/usr/share/varnel/Data/はじめに.fum" \
  "$scratch/piece.wav"
[ "$(stat -c %s "$scratch/piece.wav")" -gt 44100 ] || { echo "the rendered piece is empty"; exit 1; }
echo "1 passed, 0 failed"
