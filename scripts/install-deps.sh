#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# usage: scripts/install-deps.sh [--board] [--web] [extra package ...]
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
  # zorbex-sim --submit sends a replay to a score board
  libcurl4-openssl-dev
  # the --watch test presses Escape on a window of a virtual X display
  xdotool
  # the boss sheet lays out and quantises the simulator's frames
  python3-pil
  # the catalogues under po/ are compiled and checked with msgfmt and msgcmp
  gettext
)
# the score board (board/) and its tests: Debian's Python with its web and database
# packages, PostgreSQL, bubblewrap for the simulator's sandbox, a browser for the page test, and
# nginx and openssl for the deployment test (the shipped site in front of a board, a throwaway certificate)
board_packages=(
  python3 python3-fastapi python3-uvicorn python3-sqlalchemy python3-psycopg2 python3-multipart
  python3-jinja2 python3-pytest python3-httpx python3-selenium
  postgresql bubblewrap util-linux chromium chromium-driver curl nginx openssl
)
# the browser build (make web, and make test, which tests it): Debian's emscripten and Node,
# stb's PNG code, zopflipng to pack its pictures smaller, oggenc for its sound effects in Ogg
# Vorbis, headless Chromium driven by Selenium for its tests, and brotli for make web-dist;
# `make run` needs none
web_packages=(emscripten nodejs libstb-dev chromium chromium-driver python3-selenium zopfli vorbis-tools brotli)
# callers may ask for more, e.g. the fuzzers want clang and its libFuzzer runtime;
# --board adds the score board's, --web the browser build's
for arg in "$@"; do
  case "$arg" in
    --board) packages+=("${board_packages[@]}") ;;
    --web) packages+=("${web_packages[@]}") ;;
    *) packages+=("$arg") ;;
  esac
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
