#!/usr/bin/env bash
# The launcher, the file types and the metadata are what desktops accept.
set -euo pipefail
src="$1"
desktop-file-validate "$src/packaging/varnel.desktop"
appstreamcli validate --no-net "$src/packaging/io.github.varnel.Varnel.metainfo.xml"
xmllint --noout "$src/packaging/varnel-mime.xml"
# A page file is recognised by its name and by its first line.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages"
cp "$src/packaging/varnel-mime.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime"
grep -q 'application/x-varnel-page' "$scratch/mime/globs2"
grep -q '\*\.vrn' "$scratch/mime/globs2"
echo "1 passed, 0 failed"
