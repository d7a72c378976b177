#!/usr/bin/env bash
# Builds Qt 6.4.2 qtbase for Windows x64 (mingw-w64, static, release, static
# runtime) from Debian 12's own source package qt6-base, with its Debian
# patches and packaging/windows/qt-6.4.2-no-direct2d-fix.patch, and installs
# it into DEST. scripts/build-windows.sh runs it when the prebuilt copy is not
# beside the clone. About 30-40 minutes on two cores and 4.6 GB of space.
# The host's Qt (qt6-base-dev, the same version) provides moc, rcc and uic.
# Usage: scripts/build-qt-mingw.sh DEST
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dest=$(realpath -m "${1:?usage: $0 DEST}")
source scripts/lib/packages.sh
install_packages dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
  cmake ninja-build perl python3 qt6-base-dev qt6-base-dev-tools

work=$(mktemp -d "${TMPDIR:-/tmp}/qt-mingw.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The source package through apt's own client, with a private source list
# and index, so the machine's apt configuration stays as it is.
mkdir -p "$work/apt/lists/partial"
cat > "$work/apt/sources.list" <<SOURCES
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian-security bookworm-security main
SOURCES
apt_private=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=/nonexistent"
             -o "Dir::State::Lists=$work/apt/lists" -o "Debug::NoLocking=1")
apt-get "${apt_private[@]}" update -qq
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
(cd "$work" && apt-get "${apt_private[@]}" source "qt6-base=$host_version")
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
patch -d "$src" -p1 < "$root/packaging/windows/qt-6.4.2-no-direct2d-fix.patch"

mkdir -p "$work/build"
cd "$work/build"
# No tablet input: Debian's sources leave out the wintab headers.
"$src/configure" -prefix "$dest" -xplatform win32-g++ -release -static -static-runtime \
  -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-freetype -no-fontconfig \
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-doubleconversion \
  -no-feature-network -no-feature-sql -no-feature-testlib -no-feature-printsupport \
  -no-feature-vulkan -no-feature-direct2d -no-feature-tabletevent \
  -qt-host-path /usr -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake"
ninja -j "${ORVANE_JOBS:-$(nproc)}"
ninja install
