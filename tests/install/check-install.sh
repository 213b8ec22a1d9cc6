#!/usr/bin/env bash
# Validates the shipped desktop entry and AppStream data, then installs into a
# temporary prefix, checks that every file lands where desktops look for it, and
# starts the installed player: without a session bus, then on one, where it quits by MPRIS2.
set -euo pipefail
source_dir=$1
build_dir=$2
id=com.miravelt.Lyrabox3

desktop-file-validate "$source_dir/assets/$id.desktop"
appstreamcli validate --no-net "$source_dir/assets/$id.metainfo.xml"

prefix=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill $pid 2>/dev/null; rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

missing=0
files=(bin/lyrabox3 share/lyrabox3/welcome.html share/applications/$id.desktop share/metainfo/$id.metainfo.xml)
for size in 16 24 32 48 64 128 256; do files+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || { echo "missing after install: $file"; missing=1; }
done
ls "$prefix"/share/lyrabox3/demo/* >/dev/null || { echo "missing after install: the demo music"; missing=1; }
[ $missing -eq 0 ] || exit 1

# The installed binary in a profile of its own, offscreen. Offscreen has no
# opener, so the first run says on standard error where its welcome page lies.
home=$prefix/home
mkdir -p -m 700 "$home/runtime"
player() { # replaces the (sub)shell it runs in, so that $! is the player itself
  exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen LYRABOX_AUDIO_SINK=fakesink "$@"
}

# No session bus: the player runs without MPRIS2 and ends in order on SIGTERM.
player env -u DBUS_SESSION_BUS_ADDRESS "$prefix/bin/lyrabox3" 2>"$home/first.err" &
pid=$!
timeout 10 bash -c "until grep -q 'it is at $prefix/share/lyrabox3/welcome.html' $home/first.err; do sleep 0.1; done" ||
  { echo "installed player: the first run did not find its welcome page in the prefix"; exit 1; }
kill -TERM $pid
wait $pid || { echo "installed player: first run ended with $?"; cat "$home/first.err"; exit 1; }
pid=
find "$home/data" -name '*.fllx3' | grep -q . || { echo "installed player: the lists were not saved"; exit 1; }

# The first run is done: the player comes up on a private bus and leaves by MPRIS2 Quit.
(player dbus-run-session -- bash -c '
  "$1/bin/lyrabox3" 2>"$2/second.err" &
  pid=$!
  timeout 10 bash -c "until [ \"\$(playerctl -p lyrabox3 status 2>/dev/null)\" = Stopped ]; do sleep 0.1; done" ||
    { echo "installed player: not on the bus"; kill $pid; exit 1; }
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.lyrabox3 /org/mpris/MediaPlayer2 \
    org.mpris.MediaPlayer2.Quit >/dev/null
  timeout 10 tail --pid=$pid -f /dev/null || { echo "installed player: still running after Quit"; kill $pid; exit 1; }
  wait $pid || { echo "installed player: ended with $? after Quit"; exit 1; }' _ "$prefix" "$home")
# Offscreen's own notes aside, a clean start says nothing (no second welcome page either).
if grep -v '^This plugin does not support' "$home/second.err"; then
  echo "installed player: the lines above went to standard error"; exit 1
fi
