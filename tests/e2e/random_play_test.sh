#!/usr/bin/env bash
# End to end: the real program, on an X display and the real sound path, plays a random series
# of ten letters when Play is clicked; the sound server's output must hold exactly ten Morse
# letters in two groups of five.
#
#   tests/e2e/random_play_test.sh PATH/TO/kelvaro PATH/TO/kelvaro-e2e-analyze
#
# Needs both test environments (scripts/with-display.sh and scripts/with-audio-env.sh); without
# them the test reports itself skipped (exit status 77).
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ "${KELVARO_E2E:-}" != 1 ]; then
    echo "skipped: needs the display and audio test environments"
    exit 77
fi
program=$1
analyzer=$2

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-random.XXXXXX") || exit 1
app_pid=""
recorder_pid=""
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null && wait "$recorder_pid" 2>/dev/null
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    chmod -R u+w "$work_dir" 2>/dev/null
    rm -rf "$work_dir"
}
trap cleanup EXIT

# Random mode selected at start, letters only, ten characters in groups of five, 20 wpm.
printf 'SPEED=20\r\nRANDOM_COUNT=10\r\nWORDS=5\r\nRANDOM=1\r\nLASTCHOICE=4\r\n\002\377\377\r\n' \
    >"$work_dir/kelvaro.dat"

KELVARO_CONFIG_DIR="$work_dir" QT_QPA_PLATFORM=xcb "$program" &
app_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "KELVARO 4.0" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "FAIL: the main window did not appear"
    exit 1
fi
sleep 1

parec -d kelvaro_sink.monitor --file-format=wav --rate=22050 --channels=1 --format=s16le \
    "$work_dir/random.wav" &
recorder_pid=$!
sleep 0.5

# The pane's Play button, where the window lays it out on a 96 dpi screen.
xdotool mousemove --window "$window" 353 467 click 1
# Ten letters at 20 wpm take under 8 s.
sleep 9
kill -INT "$recorder_pid"
wait "$recorder_pid"
recorder_pid=""
kill -TERM "$app_pid"
wait "$app_pid"
app_pid=""

"$analyzer" "$work_dir/random.wav" >"$work_dir/analysis.txt"
cat "$work_dir/analysis.txt"

# At 20 wpm a unit is 56.7 ms: elements are 1 unit apart, letters 3, groups 6. Marks are read
# as dots (about 1 unit) or dashes (about 3 units).
result=$(awk '
    BEGIN {
        split("a .- b -... c -.-. d -.. e . f ..-. g --. h .... i .. j .--- k -.- l .-.. m -- " \
              "n -. o --- p .--. q --.- r .-. s ... t - u ..- v ...- w .-- x -..- y -.-- z --..", t, " ")
        for (i = 1; i < 52; i += 2) letter[t[i + 1]] = t[i]
        pending = -1
    }
    function decode(c) { return (c in letter) ? letter[c] : "[" c "]" }
    # One mark of the recording, with the silence before it (-1 for the first).
    function mark(length_ms, gap) {
        if (gap > 255) { text = text decode(code) " "; code = "" }
        else if (gap > 113) { text = text decode(code); code = "" }
        code = code (length_ms > 113 ? "-" : ".")
    }
    /^mark/ {
        length_ms = $0; sub(/.*length /, "", length_ms); sub(/ ms.*/, "", length_ms); length_ms += 0
        gap = -1
        if ($0 ~ /gap/) { gap = $0; sub(/.*gap /, "", gap); sub(/ ms.*/, "", gap); gap += 0 }
        # A dropout of a few ms in the sound server splits a mark: join it again.
        if (pending >= 0 && gap >= 0 && gap < 20) { pending += gap + length_ms; next }
        if (pending >= 0) mark(pending, pending_gap)
        pending = length_ms; pending_gap = gap
    }
    END { if (pending >= 0) mark(pending, pending_gap); print text decode(code) }
' "$work_dir/analysis.txt")
echo "heard: $result"
if ! [[ "$result" =~ ^[a-z]{5}\ [a-z]{5}$ ]]; then
    echo "FAIL: expected ten letters in two groups of five"
    exit 1
fi
echo "PASS"
