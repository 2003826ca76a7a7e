#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, testing and packaging need on Debian 12. The one step
# that needs root; everything else (scripts/build.sh) runs as a normal user.
# Packages already present are not fetched again. --windows adds what the
# Windows build needs (scripts/windows/packages.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
if [[ ${1:-} == --windows ]]; then
    source scripts/windows/packages.sh
    packages+=("${windows_packages[@]}")
fi

missing=($(missing_packages))
if ((${#missing[@]})); then
    if ((EUID != 0)); then
        echo "These packages are missing: ${missing[*]}" >&2
        echo "Install them once as root: sudo bash scripts/install-packages.sh" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The drawings window decodes JPEG pictures through Qt's image plugin.
if [[ -z "$(find /usr/lib -path '*qt6/plugins/imageformats/libqjpeg.so' -print -quit)" ]]; then
    if ((EUID != 0)); then
        echo "Qt's JPEG image plugin is missing: sudo apt-get install --reinstall libqt6gui6" >&2
        exit 1
    fi
    echo "Qt's JPEG image plugin is missing; reinstalling libqt6gui6" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall libqt6gui6
fi
