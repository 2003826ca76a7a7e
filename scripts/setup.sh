#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs on Debian 12 (as root; a normal user gets told
# what to install), then configures and builds a preset as a normal build would:
#   bash scripts/setup.sh [PRESET] [TARGET ...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
bash scripts/build.sh "$@"
