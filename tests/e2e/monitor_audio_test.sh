#!/usr/bin/env bash
# End to end: the real program on an X display in monitoring mode, left channel, records the
# test sound server's default input (the null sink's monitor) while paplay plays 250 rendered
# characters into the sink at full level (above the default threshold) with triple word gaps
# (after a lone dash the decoder sees a word end only past nine units); the decoded text, saved
# through the menu and the save dialog, must be exactly the text.
#
#   tests/e2e/monitor_audio_test.sh PATH/TO/kelvaro PATH/TO/kelvaro-cli
#
# Needs both test environments (scripts/with-display.sh and scripts/with-audio-env.sh); without
# them the test reports itself skipped (exit status 77).
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ "${KELVARO_E2E:-}" != 1 ]; then
    echo "skipped: needs the display and audio test environments"
    exit 77
fi
program=$1
cli=$2

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-monitor-audio.XXXXXX") || exit 1
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    chmod -R u+w "$work_dir" 2>/dev/null
    rm -rf "$work_dir"
}
trap cleanup EXIT

# Groups of one to five letters and figures, always the same ones. The text starts with a dot
# (the decoder takes its first mark for one) and "t" only ends a group: after a lone dash the
# decoder's gap estimate is too long to see the next character gap.
text=$(awk 'BEGIN {
    set = "abcdefghijklmnopqrsuvwxyz0123456789"; seed = 4242; text = "e"
    while (length(text) < 250) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        n = 1 + int(seed / 65536) % 5
        for (i = 0; i < n; i++) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            text = text substr(set, int(seed / 65536) % 35 + 1, 1)
        }
        seed = (seed * 1103515245 + 12345) % 2147483648
        text = text (int(seed / 65536) % 4 == 0 ? "t " : " ")
    }
    sub(/ $/, "", text)
    print text
}')
if ! "$cli" render --text "$text" --wpm 25 --level 0 --word-factor 3 -o "$work_dir/text.wav" >/dev/null; then
    echo "FAIL: kelvaro-cli could not render the text"
    exit 1
fi

printf 'SPEED=25\r\nMONITOR_CHANNEL=LEFT\r\n\002\r\n' >"$work_dir/kelvaro.dat"
# The save dialog starts in the working folder.
(cd "$work_dir" && KELVARO_CONFIG_DIR="$work_dir" QT_QPA_PLATFORM=xcb exec env -u KELVARO_AUDIO "$program") &
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
xdotool keydown Alt_L key g keyup Alt_L  # monitoring: recording starts
sleep 1.5

if ! paplay "$work_dir/text.wav"; then
    echo "FAIL: paplay could not play into the sink"
    exit 1
fi
sleep 2

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
echo "played:  $text"
echo "decoded: $decoded"
if [ "$decoded" != "$text" ]; then
    echo "FAIL: the decoded text differs from what was played"
    exit 1
fi
echo "PASS: ${#text} characters played into the sink decoded exactly in the window"
