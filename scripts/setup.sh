#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (run as root), then configures and
# builds into build/: the targets named as arguments, or everything. Packages
# already present are not fetched again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6gui6 libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-crosextra-carlito
    # Tahoma with Cyrillic letters (Wine's, metric-compatible), which the windows'
    # captions are sized for; Qt's own dialog texts in Russian
    fonts-wine qt6-translations-l10n
    # the icon's PNG sizes; the Debian package and what check-install.sh checks
    librsvg2-bin dpkg-dev file desktop-file-utils appstream man-db
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The drawings window decodes JPEG pictures through Qt's image plugin.
plugin=$(find /usr/lib -path '*qt6/plugins/imageformats/libqjpeg.so' -print -quit)
if [[ -z "$plugin" ]]; then
    echo "Qt's JPEG image plugin is missing; reinstalling libqt6gui6" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall libqt6gui6
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
if (($#)); then
    cmake --build build --parallel "$(nproc)" --target "$@"
else
    cmake --build build --parallel "$(nproc)"
fi
