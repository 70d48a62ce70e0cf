#!/usr/bin/env bash
# Runs a command beside a private PulseAudio server whose only output is a null sink.
# For tests that play real sound on a machine without a sound card.
#
#   scripts/with-audio-env.sh COMMAND [ARGS...]
#
# The command sees KELVARO_E2E=1, PULSE_SERVER, PULSE_COOKIE and XDG_RUNTIME_DIR of the private
# server; the system's default ALSA output (which PortAudio opens) goes to the sink
# "kelvaro_sink", and "kelvaro_sink.monitor" is the default source, so `parec -d
# kelvaro_sink.monitor` records what the program plays. A PulseAudio server the user already runs
# is left alone: the private one has its own runtime folder, its own socket and no autospawn.
# Everything started here is stopped, and the temporary folder removed, however the script ends.
# The exit status is the command's.
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
for tool in pulseaudio pactl pacat; do
    if ! command -v "$tool" >/dev/null; then
        echo "with-audio-env: $tool is missing (scripts/install-deps.sh installs it)" >&2
        exit 2
    fi
done

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-audio.XXXXXX") || exit 2
daemon_pid=""
keepalive_pid=""
command_pid=""

# The server, the keep-alive stream and the command get SIGTERM should this script be killed
# outright (SIGKILL leaves no chance to clean up otherwise).
die_with_script=()
if setpriv --pdeathsig TERM true 2>/dev/null; then
    die_with_script=(setpriv --pdeathsig TERM)
fi
# The command runs in the background so that a signal to this script stops it at once; without
# this, a background command would ignore Ctrl-C.
default_signals=()
if env --default-signal=INT,QUIT true 2>/dev/null; then
    default_signals=(env --default-signal=INT,QUIT)
fi

cleanup() {
    if [ -n "$keepalive_pid" ]; then
        kill "$keepalive_pid" 2>/dev/null
        wait "$keepalive_pid" 2>/dev/null
    fi
    if [ -n "$daemon_pid" ]; then
        kill "$daemon_pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$daemon_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$daemon_pid" 2>/dev/null
        wait "$daemon_pid" 2>/dev/null
    fi
    rm -rf "$work_dir"
}
on_signal() {
    if [ -n "$command_pid" ]; then
        kill -s "$1" "$command_pid" 2>/dev/null
        wait "$command_pid" 2>/dev/null
    fi
    exit "$2"
}
trap cleanup EXIT
trap 'on_signal HUP 129' HUP
trap 'on_signal INT 130' INT
trap 'on_signal TERM 143' TERM

runtime_dir="$work_dir/runtime"
mkdir -m 700 "$runtime_dir" "$runtime_dir/pulse"
mkdir -m 700 -p "$work_dir/home/.config/pulse"
head -c 256 /dev/urandom >"$work_dir/home/.config/pulse/cookie"
socket="$runtime_dir/pulse/native"

cat >"$work_dir/kelvaro.pa" <<EOF
load-module module-native-protocol-unix socket=$socket auth-anonymous=1
load-module module-null-sink sink_name=kelvaro_sink rate=48000 channels=2 sink_properties=device.description=kelvaro_sink
set-default-sink kelvaro_sink
set-default-source kelvaro_sink.monitor
EOF

# Sends the ALSA "default" device to PulseAudio even when the user's own ~/.asoundrc points it
# at a sound card: ALSA reads this file after its own configuration.
cat >"$work_dir/asoundrc" <<'EOF'
pcm.!default { type pulse }
ctl.!default { type pulse }
EOF

# The daemon gets a home, runtime and state of its own, and no session bus, so that it neither
# reads the user's configuration nor competes with the user's server for its bus name. It asks
# for the raised priority a desktop's sound server has (through rtkit there); where that is not
# allowed it runs at normal priority. Programs under test stay at normal priority, so a test
# with busy cores still checks that they keep their own streams fed.
HOME="$work_dir/home" XDG_RUNTIME_DIR="$runtime_dir" XDG_CONFIG_HOME="$work_dir/home/.config" \
    PULSE_RUNTIME_PATH="$runtime_dir/pulse" PULSE_STATE_PATH="$work_dir/home/.config/pulse" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work_dir/no-session-bus" DISPLAY="" \
    "${die_with_script[@]}" pulseaudio -n -F "$work_dir/kelvaro.pa" --daemonize=no --use-pid-file=no \
    --system=no --exit-idle-time=-1 --realtime=yes --high-priority=yes \
    --log-target=file:"$work_dir/pulse.log" </dev/null >/dev/null 2>&1 &
daemon_pid=$!

export XDG_RUNTIME_DIR="$runtime_dir"
export PULSE_SERVER="unix:$socket"
export PULSE_COOKIE="$work_dir/home/.config/pulse/cookie"
if [ -f /usr/share/alsa/alsa.conf ]; then
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$work_dir/asoundrc"
fi

ready=no
for _ in $(seq 100); do
    if ! kill -0 "$daemon_pid" 2>/dev/null; then
        break
    fi
    if pactl info >/dev/null 2>&1; then
        ready=yes
        break
    fi
    sleep 0.1
done
if [ "$ready" != yes ]; then
    echo "with-audio-env: the private PulseAudio server did not start; its log:" >&2
    cat "$work_dir/pulse.log" >&2 2>/dev/null
    exit 2
fi

# A silent stream that never stops keeps the null sink running at a short latency; without it a
# stream that starts later waits a noticeable time (0.3 to 2 s) before its first sound. It is
# part of the test bench, so it gets a raised priority where allowed: should it run dry on a busy
# machine, the server rewinds the sink and the monitor's recording shows holes that were never
# played.
bench_priority=()
if nice -n -10 true 2>/dev/null; then
    bench_priority=(nice -n -10)
fi
"${die_with_script[@]}" "${bench_priority[@]}" pacat --playback --device=kelvaro_sink --latency-msec=40 --rate=48000 \
    --channels=2 --format=s16le /dev/zero </dev/null >/dev/null 2>&1 &
keepalive_pid=$!
for _ in $(seq 50); do
    if pactl list short sink-inputs 2>/dev/null | grep -q .; then
        break
    fi
    sleep 0.1
done
if ! kill -0 "$keepalive_pid" 2>/dev/null; then
    echo "with-audio-env: the keep-alive stream did not start" >&2
    exit 2
fi
# Until its first stream asked for a short latency, the sink ran ahead by its longest latency
# (2 s); a stream that starts within that time stays silent until it has passed. Suspending and
# resuming the sink restarts its clock at the keep-alive stream's latency.
pactl suspend-sink kelvaro_sink 1 && pactl suspend-sink kelvaro_sink 0 || exit 2

export KELVARO_E2E=1
"${die_with_script[@]}" "${default_signals[@]}" "$@" <&0 &
command_pid=$!
wait "$command_pid"
status=$?
command_pid=""
exit "$status"
