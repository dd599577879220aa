#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite
# (the window tests under a virtual display).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
scripts/build.sh -DORVANE_BUILD_TESTS=ON -DORVANE_BUILD_BENCH=ON
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
