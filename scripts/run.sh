#!/usr/bin/env bash
# Installs what the player needs (the player list of install-deps.sh), builds the
# player alone and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh player
bash scripts/build.sh player
# A profile with no play folders yet gets the demo folder, so the first click plays
# something; an existing folder list is never touched.
data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/lyrabox3"
folder_list="$data_dir/$(id -un).fllx3"
if [ ! -e "$folder_list" ]; then
  mkdir -p "$data_dir"
  printf '%s\r\n\r\n' "$PWD/assets/demo/" > "$folder_list"
  echo "run: registered the demo folder in $folder_list"
fi
echo "run: starting build/src/lyrabox3"
exec ./build/src/lyrabox3
