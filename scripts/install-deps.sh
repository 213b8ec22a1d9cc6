#!/usr/bin/env bash
# Installs the Debian packages of one list. Safe to run again.
#   install-deps.sh player   what building and running the player needs (run.sh)
#   install-deps.sh test     that, and what the tests and benchmarks add (test.sh)
# Nothing on the player list starts a service or replaces a part of the desktop:
# it is installed on users' desktops.
set -euo pipefail

player_packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev libxcb1-dev
  # the font configuration, read ahead on the start-up's warm-up thread
  libfontconfig-dev
  # the update service: HTTP(S) with proxies and time-outs, and the check of the
  # publisher's Ed25519 signature on the downloaded program
  libcurl4-openssl-dev libsodium-dev
  # audio: decoders of all seven file groups (FLAC, Vorbis and Opus, the MP4 demuxer and
  # the AAC decoder come with -base, -good and -libav), soundfont, desktop outputs
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-pulseaudio gstreamer1.0-alsa
  timgm6mb-soundfont
  # measuring a track's loudness (EBU R 128) for 音量を揃える; brings libebur128-1
  libebur128-dev
  # Japanese text and standard buttons
  fonts-vlgothic qt6-translations-l10n
  # the desktop's opener for the welcome page and web pages
  xdg-utils
)

test_packages=(
  # GoogleTest
  libgtest-dev
  # a virtual display, real clicks, and the desktop's parts on it: a small EWMH window
  # manager, an XEmbed tray host and a StatusNotifierItem tray host
  xvfb xauth xdotool openbox trayer haskell-gtk-sni-tray-utils
  # the benchmarks: making their audio and the reference player
  gstreamer1.0-tools gstreamer1.0-plugins-base-apps
  # a private sound server with a null sink: the playback benchmark's desktop output
  pulseaudio
  # the update server the update tests talk to, and their test certificate
  nginx-light openssl
  # signing the test's update programs, and the forward proxy the update tests go through
  minisign tinyproxy
  # fuzz targets (libFuzzer)
  clang libclang-rt-14-dev
  # checking the shipped desktop entry and AppStream data
  desktop-file-utils appstream
  # the MPRIS2 tests: a private session bus and a real client
  dbus playerctl
  # a real notification server on that bus (on the tests' virtual display) for the
  # track-start notifications
  dunst
  # a FUSE mount whose daemon is stopped: the dead network folder of the folder tests
  bindfs
  # the skinned benchmark's reference: a light skinned player (its Winamp-style interface)
  audacious
)

case "${1:-}" in
  player) packages=("${player_packages[@]}") ;;
  test) packages=("${player_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 player|test" >&2
    exit 2
    ;;
esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages of the $1 list are installed"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
# Servers among the packages (nginx, tinyproxy) are for the tests, which start their
# own on loopback: the packages' services must not start, nor hold the ports.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
  "${sudo_cmd[@]}" chmod 755 "$policy"
  trap '"${sudo_cmd[@]}" rm -f "$policy"' EXIT
fi
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
# Enabled by its package for the next boot all the same; the tests start their own.
if [[ " ${missing[*]} " == *" tinyproxy "* ]] && command -v systemctl >/dev/null; then
  "${sudo_cmd[@]}" systemctl disable tinyproxy >/dev/null 2>&1 || true
fi
