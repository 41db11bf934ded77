#!/bin/bash
# SPDX-License-Identifier: MIT
# Runs the real game and a bare Qt window under a private Xvfb and prints
# their CPU use, wake-ups, peak memory, start-up time and timer rhythm as a table.
# Usage: bench/measure.sh [build-dir] [--before PROGRAM]   (default build dir: build)
# Settings: SECONDS_PER_RUN (10), RUNS (5), STARTS (5), DISPLAY_NUMBER (first free from 77).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
exec python3 "$here/measure.py" "$build" "${@:2}"
