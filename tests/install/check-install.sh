#!/usr/bin/env bash
# Validates the shipped desktop entry and AppStream data, then installs into a
# temporary prefix and checks that every file lands where desktops look for it.
set -euo pipefail
source_dir=$1
build_dir=$2
id=com.miravelt.Lyrabox3

desktop-file-validate "$source_dir/assets/$id.desktop"
appstreamcli validate --no-net "$source_dir/assets/$id.metainfo.xml"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

missing=0
files=(bin/lyrabox3 share/lyrabox3/welcome.html share/applications/$id.desktop share/metainfo/$id.metainfo.xml)
for size in 16 24 32 48 64 128 256; do files+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || { echo "missing after install: $file"; missing=1; }
done
ls "$prefix"/share/lyrabox3/demo/* >/dev/null || { echo "missing after install: the demo music"; missing=1; }
exit $missing
