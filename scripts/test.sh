#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test through CTest, in the CI configuration
# (warnings as errors, library assertions) in build-ci/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh ci
ctest --preset ci --parallel "$(nproc)"
