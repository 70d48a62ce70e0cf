#!/usr/bin/env bash
# End to end: `kelvaro-cli play` sounds a text of over 300 characters without a hole, on an idle machine
# and while two busy loops keep both cores busy. The sound server's output is recorded and every
# character must decode exactly, every tone must be as long as the element it renders and no gap
# may break an element.
#
#   tests/e2e/audio_continuity_test.sh PATH/TO/kelvaro-cli PATH/TO/kelvaro-e2e-decode
#
# Needs the audio test environment (scripts/with-audio-env.sh, which sets KELVARO_E2E=1);
# without it the test reports itself skipped (exit status 77). A failed recording is kept as
# ${TMPDIR:-/tmp}/kelvaro-audio-continuity-failed-LABEL.wav.
set -uo pipefail

if [ "${KELVARO_E2E:-}" != 1 ]; then
    echo "skipped: needs the audio test environment (run under scripts/with-audio-env.sh)"
    exit 77
fi
if [ $# -ne 2 ]; then
    echo "usage: $0 PATH/TO/kelvaro-cli PATH/TO/kelvaro-e2e-decode" >&2
    exit 2
fi
cli=$1
decoder=$2
wpm=40

# Over 300 characters (about 75 s at 40 wpm): every letter, call signs with figures.
text="cq cq de f5abc f5abc k f5abc de dl1xyz name is jo qth is paris hw cpy the quick brown fox \
jumps over the lazy dog pack my box with five dozen liquor jugs sphinx of black quartz judge my \
vow 73 es gl sk a minute of morse at forty wpm must sound clean from the first dot to the last \
dash with no break in any tone"
if [ ${#text} -lt 300 ]; then
    echo "FAIL: the test text has only ${#text} characters"
    exit 1
fi

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-e2e.XXXXXX") || exit 1
recorder_pid=""
loader_pids=()
stop_loaders() {
    for pid in "${loader_pids[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    loader_pids=()
}
cleanup() {
    stop_loaders
    if [ -n "$recorder_pid" ]; then
        kill "$recorder_pid" 2>/dev/null
        wait "$recorder_pid" 2>/dev/null
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT

# The recorder is the test's ear, not the program under test: it gets a raised priority where
# that is allowed, so that busy cores cannot make it lose sound and report a hole that was never
# played.
recorder_priority=()
if nice -n -10 true 2>/dev/null; then
    recorder_priority=(nice -n -10)
fi

# Plays the text once and decodes the recording; label names the run in messages.
play_and_decode() {
    local label=$1
    local recording="$work_dir/$label.wav"
    "${recorder_priority[@]}" parec -d kelvaro_sink.monitor --file-format=wav --rate=22050 --channels=1 --format=s16le \
        "$recording" &
    recorder_pid=$!
    sleep 0.5
    if ! kill -0 "$recorder_pid" 2>/dev/null; then
        echo "FAIL ($label): parec did not start recording kelvaro_sink.monitor"
        return 1
    fi
    local started=$SECONDS
    if ! env -u KELVARO_AUDIO "$cli" play --text "$text" --wpm "$wpm"; then
        echo "FAIL ($label): kelvaro-cli play failed"
        return 1
    fi
    echo "$label: played in $((SECONDS - started)) s"
    sleep 0.5
    # SIGINT lets parec write the final sizes into the WAV header.
    kill -INT "$recorder_pid"
    wait "$recorder_pid"
    recorder_pid=""
    if ! "$decoder" "$recording" --wpm "$wpm" --text "$text" | grep -v "^decoded:"; then
        local kept="${TMPDIR:-/tmp}/kelvaro-audio-continuity-failed-$label.wav"
        cp "$recording" "$kept" && echo "recording kept as $kept"
        echo "FAIL ($label): the sound did not come back as played"
        return 1
    fi
    echo "$label: all ${#text} characters decoded, no hole"
}

play_and_decode idle || exit 1

# Two busy loops, one per core, a little below normal priority, as a desktop's background jobs
# (builds, indexers) usually run; the program under test stays at normal priority.
for _ in 1 2; do
    nice -n 5 sh -c 'while :; do :; done' &
    loader_pids+=($!)
done
play_and_decode loaded || exit 1
stop_loaders
echo "PASS"
