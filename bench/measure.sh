#!/bin/bash
# Runs the real game and a bare Qt window under a private Xvfb and prints
# their CPU use, peak memory, start-up time and timer rhythm as a table.
# Usage: bench/measure.sh [build-dir]   (default: build)
# Settings: SECONDS_PER_RUN (20), STARTS (5), DISPLAY_NUMBER (first free from 77).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exec python3 "$here/measure.py" "${1:-$here/../build}"
