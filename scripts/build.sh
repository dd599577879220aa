#!/usr/bin/env bash
# Configures and builds into ./build (or $ORVANE_BUILD_DIR).
# Arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${ORVANE_BUILD_DIR:-build}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so another clone of the same sources
  # (CI's) reuses what this one compiled.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
