#!/usr/bin/env bash
# Runs a command with a private X server (Xvfb) on a free display, for tests and screenshots on
# a machine without a screen.
#
#   scripts/with-display.sh COMMAND [ARGS...]
#
# The command sees DISPLAY of the private server. Xvfb picks a free display itself, so a running
# desktop or another test run is never disturbed. The server is stopped however the script ends;
# the exit status is the command's.
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
if ! command -v Xvfb >/dev/null; then
    echo "with-display: Xvfb is missing (scripts/install-deps.sh installs it)" >&2
    exit 2
fi

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-display.XXXXXX") || exit 2
xvfb_pid=""
command_pid=""
cleanup() {
    if [ -n "$command_pid" ]; then
        kill "$command_pid" 2>/dev/null
        wait "$command_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

die_with_script=()
if setpriv --pdeathsig TERM true 2>/dev/null; then
    die_with_script=(setpriv --pdeathsig TERM)
fi

# -displayfd: Xvfb writes the number of the display it found free.
"${die_with_script[@]}" Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp \
    3>"$work_dir/display" 2>"$work_dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work_dir/display" ] && break
    sleep 0.05
done
if [ ! -s "$work_dir/display" ]; then
    echo "with-display: Xvfb did not start:" >&2
    cat "$work_dir/xvfb.log" >&2
    exit 2
fi
export DISPLAY=":$(cat "$work_dir/display")"
export KELVARO_DISPLAY=1

"$@" &
command_pid=$!
wait "$command_pid"
status=$?
command_pid=""
exit $status
