#!/usr/bin/env bash
# Builds what the Windows build of lgbatch links: Qt 6.4.2 (qtbase: Core, Gui, Widgets,
# PrintSupport, Test, Xml; the windows, direct2d, offscreen and minimal platform plugins) and
# libzip 1.7.3, cross-compiled for 64-bit Windows with Debian's MinGW-w64 from Debian 12's own
# source packages: the same Qt version as the Linux build. About 40 minutes on 2 cores.
#
#   tools/build-windows-toolchain.sh [WORKDIR]
#
# Writes WORKDIR/qt6.4.2-mingw64.tar.xz (default WORKDIR: build-windows-qt/toolchain-work) and
# copies it to build-windows-qt/, where ./dev windows looks for it. Needs root (or sudo) for
# apt-get: the source packages come from the same Debian archive as the binary ones.
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")" && pwd)
project=$(dirname "$here")
work=$(readlink -f "${1:-$project/build-windows-qt/toolchain-work}")
prefix=$work/qt6-mingw
archive_name=qt6.4.2-mingw64.tar.xz

as_root() { if [[ $EUID -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

mkdir -p "$work"
cd "$work"
export DEBIAN_FRONTEND=noninteractive
as_root apt-get install -y g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev \
    qt6-base-dev qt6-base-dev-tools cmake ninja-build xz-utils dpkg-dev
if ! apt-get source --download-only qt6-base >/dev/null 2>&1; then
    # Debian's source lists, beside the binary ones.
    as_root sh -c "sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/debian-src.sources"
    as_root apt-get update
    apt-get source --download-only qt6-base
fi
apt-get source --download-only libzip
rm -rf qtbase-everywhere-src-6.4.2 libzip-1.7.3 "$prefix"
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
tar xf libzip_1.7.3.orig.tar.xz

# Debian's source leaves out the tablet header (wintab.h): build the Windows platform plugins
# without tablet input rather than turn the feature off for all of Qt.
win=qtbase-everywhere-src-6.4.2/src/plugins/platforms
sed -i 's/QT_CONFIG(tabletevent)/0 \/* no wintab in this source *\//' \
    $win/windows/qwindowscontext.cpp $win/windows/qwindowspointerhandler.cpp $win/windows/qwindowspointerhandler.h
sed -i 's/\(qt_internal_extend_target(QWindows\(Direct2D\)\?IntegrationPlugin CONDITION QT_FEATURE_tabletevent\)$/\1 AND EXISTS "${QtBase_SOURCE_DIR}\/src\/3rdparty\/wintab"/' \
    $win/windows/CMakeLists.txt $win/direct2d/CMakeLists.txt

toolchain=$project/cmake/mingw-w64.cmake
# Without ICU (lgbatch brings its own GBK table), OpenGL, SQL, network, D-Bus and concurrent; Qt's
# bundled zlib, libpng, libjpeg, freetype and harfbuzz.
cmake -S qtbase-everywhere-src-6.4.2 -B build-qt -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_vulkan=OFF
cmake --build build-qt --parallel
cmake --install build-qt

cmake -S libzip-1.7.3 -B build-zip -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=ON -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
cmake --build build-zip --parallel
cmake --install build-zip

tar -C "$work" -cJf "$work/$archive_name" qt6-mingw
cp "$work/$archive_name" "$project/build-windows-qt/$archive_name"
echo "written: $work/$archive_name (./dev windows takes it from build-windows-qt/)"
