# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian 12 packages the Windows build and its tests need beside the
# project's own (scripts/packages.sh), for scripts/install-packages.sh --windows.
windows_packages=(
    # the cross compilers, with the posix thread model that std::thread needs
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    # Qt's source comes as a Debian source package, patched before the build
    dpkg-dev patch
    # the tests and benchmarks run under Wine; fonts-wine supplies Tahoma;
    # pgrep sees when Wine's desktop is up
    wine wine64 fonts-wine procps
    # the portable zip and the installer; icotool packs the programs' icon
    zip nsis icoutils
)
