#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows programs (scripts/windows/build.sh) and runs every test of
# the project as a Windows program under Wine: the headless and the window tests
# (on Qt's offscreen platform, so no display is needed), the outputs recorded
# from the Linux build, the benchmarks' short runs, then a silent install and
# uninstall of the installer. Wine keeps its files in build-windows/wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/windows/build.sh

# Wine sets up its prefix once, before the tests start side by side, and keeps
# one server for the whole run rather than starting one per test.
export WINEPREFIX=$PWD/build-windows/wine
wineserver --kill 2>/dev/null || true
mkdir -p "$WINEPREFIX"
wineserver --persistent
trap 'wineserver --kill 2>/dev/null || true' EXIT
build-windows/wine-run wineboot --init >/dev/null 2>&1
ctest --preset windows --parallel "$(nproc)"
# The installer's check waits for Wine's processes to end by waiting for the
# server, which must then be one that stops when they do.
wineserver --kill
bash scripts/windows/check-installer.sh build-windows
