#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one of the presets of CMakePresets.json (release by
# default) as a normal user: the targets named after the preset, or everything.
#   bash scripts/build.sh [PRESET] [TARGET ...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
(($#)) && shift

# A folder configured before with another generator keeps it: the preset's
# generator would be refused there, so configure it as it is.
dir=$(case "$preset" in release) echo build ;; *) echo "build-$preset" ;; esac)
if [[ -f "$dir/CMakeCache.txt" ]] &&
    ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    echo "$dir/ was made with another generator; keeping it" >&2
    cmake -S . -B "$dir"
else
    cmake --preset "$preset"
fi
if (($#)); then
    cmake --build "$dir" --parallel "$(nproc)" --target "$@"
else
    cmake --build "$dir" --parallel "$(nproc)"
fi
