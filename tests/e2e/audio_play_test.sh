#!/usr/bin/env bash
# End to end: `kelvaro-cli play` sounds "E E" at 12 wpm on the default output with the right timing.
# A recording of the sound server's output must hold two 800 Hz dots, the second one word space
# after the first, as a listener would hear them.
#
#   tests/e2e/audio_play_test.sh PATH/TO/kelvaro-cli PATH/TO/kelvaro-e2e-analyze
#
# Needs the audio test environment (scripts/with-audio-env.sh, which sets KELVARO_E2E=1);
# without it the test reports itself skipped (exit status 77). A failed recording is kept as
# ${TMPDIR:-/tmp}/kelvaro-audio-play-failed.wav.
set -uo pipefail

if [ "${KELVARO_E2E:-}" != 1 ]; then
    echo "skipped: needs the audio test environment (run under scripts/with-audio-env.sh)"
    exit 77
fi
if [ $# -ne 2 ]; then
    echo "usage: $0 PATH/TO/kelvaro-cli PATH/TO/kelvaro-e2e-analyze" >&2
    exit 2
fi
cli=$1
analyzer=$2

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-e2e.XXXXXX") || exit 1
recording="$work_dir/play.wav"
recorder_pid=""
cleanup() {
    if [ -n "$recorder_pid" ]; then
        kill "$recorder_pid" 2>/dev/null
        wait "$recorder_pid" 2>/dev/null
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT

parec -d kelvaro_sink.monitor --file-format=wav --rate=22050 --channels=1 --format=s16le \
    "$recording" &
recorder_pid=$!
sleep 0.5
if ! kill -0 "$recorder_pid" 2>/dev/null; then
    echo "FAIL: parec did not start recording kelvaro_sink.monitor"
    exit 1
fi

if ! env -u KELVARO_AUDIO "$cli" play --text "E E" --wpm 12; then
    echo "FAIL: kelvaro-cli play failed"
    exit 1
fi
sleep 0.5

# SIGINT lets parec write the final sizes into the WAV header.
kill -INT "$recorder_pid"
wait "$recorder_pid"
recorder_pid=""

# At 12 wpm a dot is 2083 frames (94.5 ms); from the end of the first E to the start of the
# second come 3 units after the character (its element gap and the character gap) and 3 more
# for the blank: 6 x 2083 = 12498 frames, 566.8 ms.
# Mark edges may move by up to a ramp (50 frames, 2.3 ms); the gap by the device's jitter.
if ! "$analyzer" "$recording" --expect-marks 2 --mark-ms 94.5 --gap-ms 566.8 --freq 800 \
    --mark-tolerance-ms 4 --gap-tolerance-ms 15 --freq-tolerance 10; then
    kept="${TMPDIR:-/tmp}/kelvaro-audio-play-failed.wav"
    cp "$recording" "$kept" && echo "recording kept as $kept"
    exit 1
fi
echo "PASS"
