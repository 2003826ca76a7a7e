# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian 12 packages the project needs, for scripts/install-packages.sh.
packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6gui6 libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-crosextra-carlito
    # Tahoma with Cyrillic letters (Wine's, metric-compatible), which the windows'
    # captions are sized for; Qt's own dialog texts in Russian
    fonts-wine qt6-translations-l10n
    # the icon's PNG sizes; the Debian packages and what check-install.sh checks
    librsvg2-bin dpkg-dev file desktop-file-utils appstream man-db lintian
    # the formatting check
    clang-format-14
)

missing_packages() {
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            echo "$package"
    done
}
