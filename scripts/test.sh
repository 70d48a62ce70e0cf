#!/usr/bin/env bash
# Builds the debug configuration and runs every test, the end-to-end tests on a private X server
# (Xvfb) and a private PulseAudio with a null sink; then runs the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== debug build"
cmake --preset debug >/dev/null
cmake --build --preset debug

echo "== tests (unit, window and end-to-end)"
scripts/with-display.sh scripts/with-audio-env.sh ctest --preset debug --output-junit ctest-junit.xml

echo "== sanitizer build (address, undefined)"
cmake --preset asan >/dev/null
cmake --build --preset asan

echo "== unit tests under the sanitizers"
ctest --preset asan
