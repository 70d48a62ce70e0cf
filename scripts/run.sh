#!/usr/bin/env bash
# Starts Kelvaro from the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/release/kelvaro "$@"
