#!/usr/bin/env bash
# Takes the pictures of Kelvaro's main window on a private X server, driving the real program
# with the keyboard as a user would:
#   screenshot.png         typing into the text box
#   screenshot-random.png  a quick random series, with the chosen-characters panel open
#   screenshot-quiz.png    the quiz
#   screenshot-port.png    the quiz with Tools > Port open
#   screenshot-monitor.png monitoring, a few letters keyed with the Ctrl key
#
#   scripts/screenshot.sh [PATH/TO/kelvaro] [FOLDER]
#
# FOLDER defaults to docs/. SCREENSHOT_DPI=144 shoots a screen of 144 dots per inch (Qt scales
# the window by 1.5); SCREENSHOT_TEXT_DPI=120 shoots a desktop whose texts are 25 % larger
# while the rest keeps its size.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/kelvaro}
folder=${2:-docs}
mkdir -p "$folder"
config_dir=$(mktemp -d)
trap 'chmod -R u+w "$config_dir"; rm -rf "$config_dir"' EXIT
# Monitoring listens to the Ctrl key.
printf 'SPEED=12\r\nMONITOR_CHANNEL=CTRLKEY\r\n\002\r\n' >"$config_dir/kelvaro.dat"

if [ -n "${SCREENSHOT_DPI:-}" ]; then
    export QT_FONT_DPI=$SCREENSHOT_DPI
elif [ -n "${SCREENSHOT_TEXT_DPI:-}" ]; then
    export QT_FONT_DPI=$SCREENSHOT_TEXT_DPI QT_ENABLE_HIGHDPI_SCALING=0
fi

scripts/with-display.sh bash -c '
    set -euo pipefail
    folder=$3
    KELVARO_CONFIG_DIR="$1" KELVARO_AUDIO=null "$2" &
    app=$!
    id=""
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree | awk "/KELVARO 4.0/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
    sleep 1
    # No window manager runs: give the window the keyboard and keep the pointer (and its
    # tooltips) away from it.
    xdotool windowfocus --sync "$id"
    xdotool mousemove 1279 799
    alt() { xdotool keydown Alt_L key "$1" keyup Alt_L; sleep 0.5; }
    key() { xdotool key "$@"; sleep 0.5; }
    shoot() { import -window "$id" "$folder/$1"; echo "wrote $folder/$1"; }

    xdotool type --delay 60 "cq de f5abc"
    sleep 15  # until it has sounded
    shoot screenshot.png
    alt r
    key ctrl+shift+F11
    key F11
    shoot screenshot-random.png
    key Escape
    alt q
    shoot screenshot-quiz.png
    alt o  # Options and Tools share the letter: from Options, step right to Tools
    key Escape
    key Right
    key Down
    key p
    shoot screenshot-port.png
    key Escape
    alt g
    ctrl() { xdotool keydown Control_L; sleep "$1"; xdotool keyup Control_L; sleep 0.08; }
    ctrl 0.08; ctrl 0.3; sleep 1.2   # a
    ctrl 0.3; ctrl 0.08; ctrl 0.3; ctrl 0.08; sleep 1.2   # c
    shoot screenshot-monitor.png
    kill -TERM "$app"
    wait "$app"
' screenshot "$config_dir" "$program" "$folder"
