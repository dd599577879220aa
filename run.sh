#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvane.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
# GTK's overlay scroll bars would hide the log's scroll bar.
export GTK_OVERLAY_SCROLLING=0
exec build/app/orvane "$@"
