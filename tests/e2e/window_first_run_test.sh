#!/usr/bin/env bash
# End to end: the real program starts on an X display without a settings file, is asked to
# quit by SIGTERM (as a logout does), and leaves exactly the settings file of a first run.
#
#   tests/e2e/window_first_run_test.sh PATH/TO/kelvaro
#
# Needs a display (scripts/with-display.sh sets KELVARO_DISPLAY=1); without one the test
# reports itself skipped (exit status 77).
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    echo "skipped: needs the display test environment (run under scripts/with-display.sh)"
    exit 77
fi
program=$1

config_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-first-run.XXXXXX") || exit 1
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    chmod -R u+w "$config_dir" 2>/dev/null
    rm -rf "$config_dir"
}
trap cleanup EXIT

KELVARO_CONFIG_DIR="$config_dir" KELVARO_AUDIO=null QT_QPA_PLATFORM=xcb "$program" &
app_pid=$!

# The window is up when the X server knows its title.
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q "KELVARO 4.0" && break
    sleep 0.1
done
if ! xwininfo -root -tree | grep -q "KELVARO 4.0 - THE  MORSE  CODE  TEACHER  &  TRAINER"; then
    echo "FAIL: the main window did not appear"
    exit 1
fi
if [ -e "$config_dir/kelvaro.dat" ]; then
    echo "FAIL: settings were written before quitting"
    exit 1
fi

kill -TERM "$app_pid"
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: SIGTERM did not end the program"
    exit 1
fi
wait "$app_pid"
status=$?
app_pid=""
if [ "$status" -ne 0 ]; then
    echo "FAIL: the program ended with status $status"
    exit 1
fi

expected="$config_dir/expected"
{
    for line in SPEED=12 SPACE=1 SPACEW=1 LANGUAGE=E LEVEL=-9 RANDOM_COUNT=250 WORDS=5 MIXED=OFF \
        VVVVV=OFF RANDOM=6 COM=0 MONITOR_CASE=LOWER MONITOR_CHANNEL=LEFT LEFT_THRESHOLD=64 \
        RIGHT_THRESHOLD=64 NOISE_LEVEL=10 QSB_LEVEL=10 NOISE_BW=8 NOTE=800 DELAY=3 PAGE=1 \
        QUIZ_COUNT=100 "MSG=73 de Q9ZZZ" PTT=3 CW=0 TXDELAY=100 LPT=0 ADLPT= LPTX=OFF ADLPTX= \
        PIN=0 LOGIC=P MDPINT= INSTMF=0 INSTMR=0 INSTFN=0 INSTFS=0 ISOUND=-1 OSOUND=-1 LCASE=0 \
        LISTW= LASTCHOICE=1 HINTS=1 WINPOS=1,1 SHEET=0 DRIFT=10,1300,300 ABORTDELAY=0 \
        RESUMEDELAY=0 QUIZERROR=0; do
        printf '%s\r\n' "$line"
    done
    printf '\002\377\377\r\n'
    for lesson in endx0 tawp1 endx0tawp1 mgzq2 iuvh3 mgzq2iuvh3 endx0tawp1mgzq2iuvh3 okyc4 \
        rlf56 okyc4rlf56 sbj78 '+=?/9' 'sbj78+=?/9' 'okyc4rlf56sbj78+=?/9' endx0tawp1mgzq2iuvh3 \
        abcdefghijklmnopqrstuvwxyz 0123456789 abcdefghijklmnopqrstuvwxyz0123456789 "+=?/'-,." \
        "abcdefghijklmnopqrstuvwxyz0123456789+=?/'-,."; do
        printf '%s\r\n' "$lesson"
    done
} >"$expected"

if ! cmp "$expected" "$config_dir/kelvaro.dat"; then
    echo "FAIL: the settings file differs from a first run's:"
    diff <(cat -A "$expected") <(cat -A "$config_dir/kelvaro.dat") | head -20
    exit 1
fi
if [ -w "$config_dir/kelvaro.dat" ] && [ "$(id -u)" -ne 0 ]; then
    echo "FAIL: the settings file is left writable between runs"
    exit 1
fi
if [ "$(stat -c %a "$config_dir/kelvaro.dat")" != 444 ]; then
    echo "FAIL: the settings file is not read-only between runs"
    exit 1
fi
echo "PASS"
