#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds what the Windows programs and their tests link against, once: Qt's
# qtbase (Core, Gui, Widgets, Test; static, release), GoogleTest and Google
# Benchmark, cross-compiled with MinGW-w64. They go into a cache folder outside
# the clone, stamped with a key over everything that goes into them (this
# script, the toolchain file, the patches, the compiler and the Debian sources'
# versions), so a changed recipe builds afresh and an unchanged one is reused.
# The first build takes about 30 minutes on two cores.
#   bash scripts/windows/build-deps.sh      prints the folder on its last line
# TLCALC_WINDOWS_CACHE moves the cache (default /var/cache/tlcalc-windows).
# The folder must stay where it was built: Qt's CMake files record its path.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cache=${TLCALC_WINDOWS_CACHE:-/var/cache/tlcalc-windows}
toolchain=$root/cmake/mingw-w64-x86_64.cmake

host_version() { dpkg-query -W -f='${Version}' "$1"; }
qt_version=$(host_version qt6-base-dev-tools)
gtest_version=$(host_version googletest)
benchmark_version=$(host_version libbenchmark-dev)

key=$({
    cat "$here/build-deps.sh" "$toolchain" "$here"/qt-patches/*.patch
    x86_64-w64-mingw32-g++-posix --version | head -1
    echo "qt6-base $qt_version googletest $gtest_version benchmark $benchmark_version"
} | sha256sum | cut -c1-16)
prefix=$cache/deps
built() { [[ -f $prefix/key && $(<"$prefix/key") == "$key" ]]; }

if built; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# One build at a time per cache; a second waits and then finds it complete.
exec 9>"$cache/lock"
flock 9
if built; then
    echo "$prefix"
    exit 0
fi

echo "Building Qt, GoogleTest and Google Benchmark for Windows into $prefix" >&2
# A build that stopped half-way (a full disk, a killed job) goes on where it
# stopped: the sources stay unpacked and Ninja redoes only what is missing.
work=$cache/build
rm -rf "$prefix"
if [[ ! -f $work/sources-ready || $(<"$work/sources-ready") != "$key" ]]; then
    rm -rf "$work"
    mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/apt/parts" "$work/src"

    # Debian's own source packages, with the machine's apt sources left as they are.
    cat >"$work/apt/sources.list" <<'SOURCES'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
SOURCES
    apt_private=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
        -o "Dir::Etc::SourceParts=$work/apt/parts"
        -o "Dir::State::Lists=$work/apt/lists"
        -o "Dir::Cache::Archives=$work/apt/archives"
        -o "APT::Sandbox::User=root")
    apt-get "${apt_private[@]}" -qq update
    (cd "$work/src" && apt-get "${apt_private[@]}" -qq source \
        "qt6-base=$qt_version" "benchmark=${benchmark_version}" >/dev/null)

    for patch in "$here"/qt-patches/*.patch; do
        patch -d "$work"/src/qt6-base-*/ -p1 --forward --quiet <"$patch"
    done
    echo "$key" >"$work/sources-ready"
fi
qt_src=$(echo "$work"/src/qt6-base-*/)

jobs=$(nproc)
cmake -S "$qt_src" -B "$work/qt" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix/qt" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_sql_sqlite=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON \
    -DFEATURE_system_jpeg=OFF -DFEATURE_jpeg=ON \
    -DFEATURE_system_png=OFF -DFEATURE_png=ON >"$work/qt-configure.log"
cmake --build "$work/qt" --parallel "$jobs"
cmake --install "$work/qt" >/dev/null

# The test libraries, from the sources Debian installs or ships.
cmake -S /usr/src/googletest -B "$work/gtest" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix/gtest" -DBUILD_GMOCK=ON >/dev/null
cmake --build "$work/gtest" --parallel "$jobs" >/dev/null
cmake --install "$work/gtest" >/dev/null

benchmark_src=$(echo "$work"/src/benchmark-*/)
cmake -S "$benchmark_src" -B "$work/benchmark" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix/benchmark" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_INSTALL=ON \
    -DGIT_VERSION="${benchmark_version%%-*}" >/dev/null
cmake --build "$work/benchmark" --parallel "$jobs" >/dev/null
cmake --install "$work/benchmark" >/dev/null

rm -rf "$work"
echo "$key" >"$prefix/key"
echo "$prefix"
