#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# usage: scripts/install-deps.sh [extra package ...]
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libpng-dev zlib1g-dev libmp3lame-dev
  fonts-ipafont-gothic
  libgtest-dev libbenchmark-dev
  xvfb
  # the Debian package and its checks: dpkg-shlibdeps, file, lintian, the desktop validators
  dpkg-dev file lintian desktop-file-utils appstream
  # the sound tests check loudness against ffmpeg's ebur128 filter
  ffmpeg
  # zorbex-sim --video encodes with FFmpeg's libraries; its test reads the files back with them
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev
  # the --watch test presses Escape on a window of a virtual X display
  xdotool
  # the boss sheet lays out and quantises the simulator's frames
  python3-pil
)
# callers may ask for more, e.g. the fuzzers want clang and its libFuzzer runtime
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
