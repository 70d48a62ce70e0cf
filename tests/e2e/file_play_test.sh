#!/usr/bin/env bash
# End to end: the real program, on an X display and the real sound path, loads a text file named
# on its command line and plays it with Play File (Alt+I). The sound server's output must decode
# to the file's text with the masked stretch (between the delimiters [ and ] of the settings
# file) left out: over 300 characters at 40 wpm, line breaks heard as word spaces.
#
#   tests/e2e/file_play_test.sh PATH/TO/kelvaro PATH/TO/kelvaro-e2e-decode
#
# Needs both test environments (scripts/with-display.sh and scripts/with-audio-env.sh); without
# them the test reports itself skipped (exit status 77). A failed recording is kept as
# ${TMPDIR:-/tmp}/kelvaro-file-play-failed.wav.
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ "${KELVARO_E2E:-}" != 1 ]; then
    echo "skipped: needs the display and audio test environments"
    exit 77
fi
if [ $# -ne 2 ]; then
    echo "usage: $0 PATH/TO/kelvaro PATH/TO/kelvaro-e2e-decode" >&2
    exit 2
fi
program=$1
decoder=$2
wpm=40

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-file.XXXXXX") || exit 1
app_pid=""
recorder_pid=""
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null && wait "$recorder_pid" 2>/dev/null
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    rm -rf "$work_dir"
}
trap cleanup EXIT

# The file as people write it: Windows line ends, a UTF-8 byte-order mark, an accented word in
# the masked stretch, and a masked stretch that spans a line end.
heard="cq cq de f5abc f5abc k
f5abc de dl1xyz name is jo qth is paris hw cpy
the quick brown fox jumps over the lazy dog 1234567890
pack my box with five dozen liquor jugs sphinx of black quartz judge my vow
73 es gl sk a file played at forty wpm must sound clean from the first dot to the last dash
of its last line"
masked_file=$(printf '%s' "$heard" | sed -e 's/^pack my box/pack [not this caf\xc3\xa9\nnor this] my box/')
printf '\xef\xbb\xbf%s\r\n' "${masked_file//$'\n'/$'\r\n'}" >"$work_dir/lesson.txt"
if [ ${#heard} -lt 300 ]; then
    echo "FAIL: the test text has only ${#heard} characters"
    exit 1
fi
if ! grep -q 'not this' "$work_dir/lesson.txt"; then
    echo "FAIL: the masked stretch is missing from the test file"
    exit 1
fi

# Delimiters [ and ], 40 wpm.
printf 'SPEED=%s\r\n\002[]\r\n' "$wpm" >"$work_dir/kelvaro.dat"

KELVARO_CONFIG_DIR="$work_dir" QT_QPA_PLATFORM=xcb "$program" "$work_dir/lesson.txt" &
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
    "$work_dir/file.wav" &
recorder_pid=$!
sleep 0.5
if ! kill -0 "$recorder_pid" 2>/dev/null; then
    echo "FAIL: parec did not start recording kelvaro_sink.monitor"
    exit 1
fi

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool mousemove --window "$window" 10 60 click 1
xdotool keydown Alt_L key i keyup Alt_L
# About 330 characters at 40 wpm take some 80 s.
sleep 95
kill -INT "$recorder_pid"
wait "$recorder_pid"
recorder_pid=""
kill -TERM "$app_pid"
wait "$app_pid"
app_pid=""

if ! "$decoder" "$work_dir/file.wav" --wpm "$wpm" --text "$heard"; then
    cp "$work_dir/file.wav" "${TMPDIR:-/tmp}/kelvaro-file-play-failed.wav" &&
        echo "recording kept as ${TMPDIR:-/tmp}/kelvaro-file-play-failed.wav"
    echo "FAIL: the file did not come back as played, less its masked stretch"
    exit 1
fi
echo "PASS: ${#heard} characters of the file heard, the masked stretch left out"
