#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# usage: scripts/install-deps.sh [web] [extra package ...]
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
)
# the browser build (make web, and make test, which tests it): Debian's emscripten and Node,
# stb's PNG code, and headless Chromium driven by Selenium for its test; `make run` needs none
web_packages=(emscripten nodejs libstb-dev chromium chromium-driver python3-selenium)
# callers may ask for more, e.g. the fuzzers want clang and its libFuzzer runtime, or "web"
for extra in "$@"; do
  if [[ "$extra" == web ]]; then packages+=("${web_packages[@]}"); else packages+=("$extra"); fi
done

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
