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
trap 'wineserver --kill 2>/dev/null || true' EXIT
# Wine boots (and sets up a new prefix) before a session's first program runs.
# Starting wineboot by hand as well would boot it twice: the second
# services.exe leaves RpcSs unstarted, and every program that opens a window
# then waits seconds for it. Windows get Wine's null display driver, so that
# the tests need no display and open nothing on one that happens to be there;
# explorer.exe reads it as it starts, in the next session.
build-windows/wine-run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver --wait
wineserver --persistent
# Wine closes its desktop, and the explorer.exe behind it, a few seconds after
# the last program with a window ends. Two tests that open windows side by side
# would then each start an explorer.exe, and the one that loses the race has no
# display driver: its windows fail. A window kept open all along (Notepad's,
# under the null driver) keeps the one desktop up.
build-windows/wine-run notepad >/dev/null 2>&1 &
for _ in $(seq 100); do
    pgrep -f 'notepad.exe' >/dev/null && pgrep -f 'explorer.exe /desktop' >/dev/null && break
    sleep 0.1
done
sleep 1 # Notepad's window, once explorer.exe has made the desktop
# Now and then (once or twice in a run of the whole suite here) Wine fails to
# start a program: it ends at once with status 1 and prints nothing, or
# CreateProcess fails inside a test. A test that fails is therefore run once
# more; a fault of our own fails both times.
ctest --preset windows --parallel "$(nproc)" --repeat until-pass:2
# The installer's check waits for Wine's processes to end by waiting for the
# server, which must then be one that stops when they do.
wineserver --kill
bash scripts/windows/check-installer.sh build-windows
