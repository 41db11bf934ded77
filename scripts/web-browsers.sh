#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what the web build's browser tests (tests/web) and bench/web need:
# Debian's Chromium, Firefox ESR and WebKitGTK with its WebDriver (Safari's
# engine), and puppeteer-core and selenium-webdriver from the lock file into
# tests/web/node_modules. They drive the browsers installed here and
# download none of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
extra_packages=(chromium firefox-esr webkit2gtk-driver nodejs)
# Debian's nodejs comes without npm; a Node that brings its own npm conflicts
# with Debian's npm package.
command -v npm >/dev/null || extra_packages+=(npm)
. scripts/common.sh
# Node 18 (Debian 12's) and later: puppeteer-core is pinned to 24.x, as 25
# asks for Node 22.
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
