#!/usr/bin/env bash
# End to end: the real program on an X display, in monitoring mode with the Ctrl key as a
# straight key. Real key events of the X server key 200 characters of Morse at 20 wpm; the
# decoded text, saved through the menu and the save dialog, must be exactly what was keyed.
#
#   tests/e2e/monitor_ctrl_key_test.sh PATH/TO/kelvaro
#
# Needs a display (scripts/with-display.sh); without one the test reports itself skipped
# (exit status 77). The sidetone goes to the test sound server when one runs, else nowhere.
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    echo "skipped: needs the display test environment (run under scripts/with-display.sh)"
    exit 77
fi
program=$1

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-monitor-ctrl.XXXXXX") || exit 1
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    chmod -R u+w "$work_dir" 2>/dev/null
    rm -rf "$work_dir"
}
trap cleanup EXIT

# 20 wpm, the Ctrl key as the source, monitoring chosen with the keyboard below.
printf 'SPEED=20\r\nMONITOR_CHANNEL=CTRLKEY\r\n\002\r\n' >"$work_dir/kelvaro.dat"
audio=null
[ "${KELVARO_E2E:-}" = 1 ] && audio=""

# The save dialog starts in the working folder.
(cd "$work_dir" && KELVARO_CONFIG_DIR="$work_dir" KELVARO_AUDIO=$audio QT_QPA_PLATFORM=xcb exec "$program") &
app_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --pid "$app_pid" --name "KELVARO 4.0" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "FAIL: the main window did not appear"
    exit 1
fi
sleep 1
xdotool windowfocus --sync "$window"
xdotool mousemove 1279 799
xdotool keydown Alt_L key g keyup Alt_L
sleep 0.5

# 40 groups of five letters and figures, always the same ones.
text=$(awk 'BEGIN {
    chars = "abcdefghijklmnopqrstuvwxyz0123456789"; seed = 12345
    for (w = 0; w < 40; w++) {
        for (c = 0; c < 5; c++) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            printf "%s", substr(chars, int(seed / 65536) % 36 + 1, 1)
        }
        printf (w < 39 ? " " : "\n")
    }
}')

# One xdotool run keys it all, so the timing is the X server's, not the shell's: at 20 wpm a
# dot is 60 ms, a dash 180 ms, the element gap 60 ms; a character ends after 150 ms of
# silence (300 ms are left), a word after 450 ms (900 ms are left).
commands=$(echo "$text" | awk '
    BEGIN {
        split("a .- b -... c -.-. d -.. e . f ..-. g --. h .... i .. j .--- k -.- l .-.. m -- " \
              "n -. o --- p .--. q --.- r .-. s ... t - u ..- v ...- w .-- x -..- y -.-- z --.. " \
              "0 ----- 1 .---- 2 ..--- 3 ...-- 4 ....- 5 ..... 6 -.... 7 --... 8 ---.. 9 ----.", t, " ")
        for (i = 1; i < 72; i += 2) code[t[i]] = t[i + 1]
    }
    {
        for (i = 1; i <= length($0); i++) {
            c = substr($0, i, 1)
            if (c == " ") { printf " sleep 0.6"; continue }
            p = code[c]
            for (j = 1; j <= length(p); j++) {
                printf " keydown Control_L sleep %s keyup Control_L sleep 0.06", (substr(p, j, 1) == "." ? "0.06" : "0.18")
            }
            printf " sleep 0.24"
        }
    }')
# shellcheck disable=SC2086
xdotool $commands
sleep 1.5

# Options > Save Monitoring as Text file (the menu's last item), then the dialog's default name.
xdotool keydown Alt_L key o keyup Alt_L
sleep 0.5
xdotool key Up Return
sleep 1.5
xdotool key Return
for _ in $(seq 50); do
    [ -s "$work_dir/Monitoring1.txt" ] && break
    sleep 0.1
done
kill -TERM "$app_pid"
wait "$app_pid"
app_pid=""

if [ ! -s "$work_dir/Monitoring1.txt" ]; then
    echo "FAIL: nothing was saved"
    exit 1
fi
decoded=$(tr -d '\r' <"$work_dir/Monitoring1.txt" | sed 's/ *$//')
echo "keyed:   $text"
echo "decoded: $decoded"
if [ "$decoded" != "$text" ]; then
    echo "FAIL: the decoded text differs from what was keyed"
    exit 1
fi
echo "PASS: 200 characters keyed on Ctrl decoded exactly"
