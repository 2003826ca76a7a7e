#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the two Debian packages, tlcalc-cli and tlcalc, repeatably: two runs on
# one commit give the same bytes. SOURCE_DATE_EPOCH, the time every file in the
# packages is given, is the last commit's time (one already in the environment,
# as a Debian builder sets it, is kept); the programs and the changelogs made
# from NEWS.md are brought up to date first, with the same time.
#
#   bash scripts/package.sh [BUILD [OUTPUT]]
#
# BUILD defaults to build/, configured with the release preset when it is new;
# OUTPUT to BUILD/packages. Prints the packages' paths.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
output=${2:-$build/packages}

if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2> /dev/null) || {
        echo "package.sh: not a git checkout; set SOURCE_DATE_EPOCH to the sources' time" >&2
        exit 1
    }
fi
export SOURCE_DATE_EPOCH

mkdir -p "$output"
output=$(realpath "$output")
log=$output/package.log
quietly() { # COMMAND...: its output goes to the log, and to the terminal if it fails
    "$@" > "$log" 2>&1 || {
        cat "$log" >&2
        return 1
    }
}

packaged=(tlcalc tlcalc-cli debian_changelog)
if [[ -f "$build/CMakeCache.txt" ]]; then
    quietly cmake --build "$build" --parallel "$(nproc)" --target "${packaged[@]}"
elif [[ "$build" == build ]]; then
    quietly bash scripts/build.sh release "${packaged[@]}"
else
    echo "package.sh: $build is not a configured build folder" >&2
    exit 1
fi

rm -f "$output"/*.deb
build=$(realpath "$build")
(cd "$build" && quietly cpack -G DEB -B "$output")
ls "$output"/*.deb
