#!/usr/bin/env bash
# Installs the Debian packages Orvane needs to build, run and test, if missing.
# Usage: scripts/setup.sh [--tests]
set -euo pipefail

# Build: the toolkit, FFmpeg's libraries (media in and out, PNG, slow playback), libimagequant
# (palettes), libzip (player bundles), SDL2 (sound), CLI11 (the command line),
# libass with its default font (lyrics).
packages=(cmake g++ make pkg-config ccache libwxgtk3.2-dev
          libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev libavfilter-dev
          libimagequant-dev libzip-dev libsdl2-dev libcli11-dev
          libass-dev fonts-dejavu-core)
if [[ "${1:-}" == "--tests" ]]; then
  # Tests and their oracles; clang and its runtime for the fuzz and sanitizer
  # builds; the packaging checks and bash completion (for its test); OCR to
  # read the lyrics back off the screen; chdman to read a disc's toc; XTest to
  # press keys from a thread of a test's own.
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
             sox ffmpeg imagemagick cdrdao unzip clang libclang-rt-14-dev
             dpkg-dev file lintian desktop-file-utils appstream bash-completion
             tesseract-ocr tesseract-ocr-eng mame-tools libxtst-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" </dev/null
