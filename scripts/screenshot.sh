#!/usr/bin/env bash
# Takes a picture of Kelvaro's main window on a private X server: docs/screenshot.png.
#
#   scripts/screenshot.sh [PATH/TO/kelvaro] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/kelvaro}
output=${2:-docs/screenshot.png}
mkdir -p "$(dirname "$output")"
config_dir=$(mktemp -d)
trap 'chmod -R u+w "$config_dir"; rm -rf "$config_dir"' EXIT

scripts/with-display.sh bash -c '
    KELVARO_CONFIG_DIR="$1" KELVARO_AUDIO=null "$2" &
    app=$!
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree | awk "/KELVARO 4.0/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    sleep 1
    import -window "$id" "$3"
    kill -TERM "$app"
    wait "$app"
' screenshot "$config_dir" "$program" "$output"
echo "wrote $output"
