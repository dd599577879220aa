#!/usr/bin/env bash
# Configures and builds into ./build (or $ORVANE_BUILD_DIR).
# Arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${ORVANE_BUILD_DIR:-build}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
