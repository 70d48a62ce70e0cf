#!/usr/bin/env bash
# End to end: `cmake --install` into a temporary prefix puts the programs, the desktop entry,
# the icons, the manual and the man pages in place; the desktop entry validates, and the
# installed program starts on an X display and quits on SIGTERM.
#
#   tests/e2e/install_test.sh BUILD_FOLDER
#
# Needs a display (scripts/with-display.sh sets KELVARO_DISPLAY=1) and desktop-file-validate;
# without them the test reports itself skipped (exit status 77).
set -uo pipefail

if [ "${KELVARO_DISPLAY:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    echo "skipped: needs the display test environment (run under scripts/with-display.sh)"
    exit 77
fi
if ! command -v desktop-file-validate >/dev/null; then
    echo "skipped: desktop-file-validate is missing (scripts/install-deps.sh installs it)"
    exit 77
fi
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-install.XXXXXX") || exit 1
config_dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-install-config.XXXXXX") || exit 1
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    rm -rf "$prefix" "$config_dir"
}
trap cleanup EXIT

if ! cmake --install "$build" --prefix "$prefix" >/dev/null; then
    echo "FAIL: cmake --install failed"
    exit 1
fi
for file in bin/kelvaro bin/kelvaro-cli share/applications/kelvaro.desktop \
    share/icons/hicolor/scalable/apps/kelvaro.svg share/icons/hicolor/16x16/apps/kelvaro.png \
    share/icons/hicolor/256x256/apps/kelvaro.png share/doc/kelvaro/help/en/index.html \
    share/man/man1/kelvaro.1 share/man/man1/kelvaro-cli.1; do
    if [ ! -s "$prefix/$file" ]; then
        echo "FAIL: $file was not installed"
        exit 1
    fi
done
if ! desktop-file-validate "$prefix/share/applications/kelvaro.desktop"; then
    echo "FAIL: the desktop entry does not validate"
    exit 1
fi
if ! "$prefix/bin/kelvaro-cli" record --text "paris" -o "$config_dir/p.wav" || [ ! -s "$config_dir/p.wav" ]; then
    echo "FAIL: the installed kelvaro-cli does not record"
    exit 1
fi

KELVARO_CONFIG_DIR="$config_dir" KELVARO_AUDIO=null QT_QPA_PLATFORM=xcb "$prefix/bin/kelvaro" &
app_pid=$!
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q "KELVARO 4.0" && break
    sleep 0.1
done
if ! xwininfo -root -tree | grep -q "KELVARO 4.0"; then
    echo "FAIL: the installed program's window did not appear"
    exit 1
fi
kill -TERM "$app_pid"
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: SIGTERM did not end the installed program"
    exit 1
fi
wait "$app_pid"
app_pid=""
echo "PASS: installed into a prefix, desktop entry valid, the program starts and quits"
