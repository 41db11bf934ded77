#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what the web build's browser tests (tests/web) and bench/web need:
# Debian's Chromium and Firefox ESR, and puppeteer-core from the lock file
# into tests/web/node_modules. puppeteer-core drives the browsers installed
# here; it downloads none of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
extra_packages=(chromium firefox-esr nodejs)
# Debian's nodejs comes without npm; a Node that brings its own npm conflicts
# with Debian's npm package.
command -v npm >/dev/null || extra_packages+=(npm)
. scripts/common.sh
# Node 18 (Debian 12's) and later: puppeteer-core is pinned to 24.x, as 25
# asks for Node 22.
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
