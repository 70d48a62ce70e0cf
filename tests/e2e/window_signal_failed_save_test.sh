#!/usr/bin/env bash
# End to end: the real program, whose settings save fails as on a full disk (an LD_PRELOAD
# library makes every write into the temporary settings file fail), is asked to quit by SIGTERM.
# It must end within a second without waiting on a message box, say why on standard error,
# keep the old settings file as it was, leave no temporary file, and tell the next start.
#
#   tests/e2e/window_signal_failed_save_test.sh PATH/TO/kelvaro PATH/TO/failing-write-library
#
# Needs a display (scripts/with-display.sh sets KELVARO_DISPLAY=1); without one the test
# reports itself skipped (exit status 77).
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    echo "skipped: needs the display test environment (run under scripts/with-display.sh)"
    exit 77
fi
program=$1
failing_write=$2

config_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-failed-save.XXXXXX") || exit 1
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    rm -rf "$config_dir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits until a window of process $1 whose name matches the pattern $2 exists (other tests may
# show windows on the same display); its id on standard output.
wait_for_window() {
    for _ in $(seq 100); do
        if id=$(xdotool search --onlyvisible --all --pid "$1" --name "$2" 2>/dev/null | head -1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The settings a user had: read-only between runs, as the program leaves them.
settings="$config_dir/kelvaro.dat"
printf 'SPEED=20\r\nLEVEL=-3\r\n\002\377\377\r\nendx0\r\n' >"$settings"
chmod 444 "$settings"
old_sum=$(sha256sum <"$settings")

# ASan's runtime must come first in a sanitized build; the library only wraps write().
KELVARO_CONFIG_DIR="$config_dir" KELVARO_AUDIO=null QT_QPA_PLATFORM=xcb \
    LD_PRELOAD="$failing_write" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" \
    "$program" 2>"$config_dir/stderr" &
app_pid=$!
wait_for_window "$app_pid" "^KELVARO 4.0" >/dev/null || fail "the main window did not appear"

started=$(date +%s%N)
kill -TERM "$app_pid"
for _ in $(seq 250); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.02
done
ended=$(date +%s%N)
if kill -0 "$app_pid" 2>/dev/null; then
    fail "the program still runs 5 s after SIGTERM (waiting on a box?)"
fi
wait "$app_pid"
status=$?
app_pid=""
elapsed_ms=$(((ended - started) / 1000000))
echo "ended ${elapsed_ms} ms after SIGTERM, status $status"
[ "$elapsed_ms" -lt 1000 ] || fail "the program took ${elapsed_ms} ms to end after SIGTERM"
[ "$status" -eq 0 ] || fail "the program ended with status $status"

[ "$(sha256sum <"$settings")" = "$old_sum" ] || fail "the old settings file changed"
[ "$(stat -c %a "$settings")" = 444 ] || fail "the old settings file lost its read-only mark"
expected="kelvaro: the settings were not saved: cannot write $settings: No space left on device"
grep -qxF "$expected" "$config_dir/stderr" || {
    cat "$config_dir/stderr"
    fail "standard error does not say why the settings were not saved"
}
leftovers=$(find "$config_dir" -name '.kelvaro.dat.*')
[ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"

# The next start says so in one line, before the window shows; then it saves as usual.
KELVARO_CONFIG_DIR="$config_dir" KELVARO_AUDIO=null QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
app_pid=$!
box=$(wait_for_window "$app_pid" '^Kelvaro$') || fail "the next start did not report the failed save"
xdotool key --window "$box" Return 2>/dev/null || xdotool windowactivate --sync "$box" key Return
wait_for_window "$app_pid" "^KELVARO 4.0" >/dev/null || fail "the main window did not appear after the report"
kill -TERM "$app_pid"
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
wait "$app_pid" || fail "the next run did not end cleanly"
app_pid=""
grep -q $'^SPEED=20\r$' "$settings" || fail "the next run did not keep the old settings"
grep -q $'^WINPOS=' "$settings" || fail "the next run did not save a whole settings file"
[ ! -e "$config_dir/kelvaro.dat.lock" ] || fail "the lock file stayed after a clean quit"
echo "PASS"
