#!/usr/bin/env bash
# Starts Kelvaro from the release build. Until the window exists, it plays a demonstration text
# through the sound card with the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=build/release/tools/kelvaro-cli
text=${1:-"cq cq cq de kelvaro kelvaro k"}
echo "Playing \"$text\" at 12 wpm (kelvaro-cli play --help for the options)"
exec "$cli" play --text "$text" --wpm 12
