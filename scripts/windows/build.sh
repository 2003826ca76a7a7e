#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows programs on Debian 12: installs what is missing (as root),
# builds Qt and the test libraries for Windows once into their cache
# (scripts/windows/build-deps.sh), then cross-builds the project into
# build-windows/: tlcalc.exe, tlcalc-cli.exe, the tests, the benchmarks, the
# portable zip and the installer.
#   bash scripts/windows/build.sh [TARGET ...]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages.sh --windows
deps=$(bash scripts/windows/build-deps.sh | tail -n 1)

cmake --preset windows \
    -DCMAKE_TOOLCHAIN_FILE="$deps/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DGTest_DIR="$deps/gtest/lib/cmake/GTest" \
    -Dbenchmark_DIR="$deps/benchmark/lib/cmake/benchmark"
if (($#)); then
    cmake --build --preset windows --parallel "$(nproc)" --target "$@"
else
    cmake --build --preset windows --parallel "$(nproc)"
    cmake --build --preset windows --target windows_packages
fi
