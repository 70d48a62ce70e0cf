#!/usr/bin/env bash
# Starts Kelvaro from the release build.
set -uo pipefail
cd "$(dirname "$0")/.."
build/release/kelvaro "$@"
status=$?
# Without a display the program has already said so in one line; that is no failure of make.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    exit 0
fi
exit $status
