#!/usr/bin/env bash
# Cross-builds Orvane for Windows (x64) from Debian 12 into build-windows/:
# orvane.exe and orvane-cli.exe (static: they import Windows' own DLLs only),
# the core's test programs, the installer orvane-<version>-setup.exe and the
# portable orvane-<version>-windows.zip.
#
# Qt 6.4.2 for mingw-w64 comes from ../shared/windows/qt6-mingw-6.4.2-static.tar.xz
# beside the clone (or the file ORVANE_QT_MINGW_TARBALL names) when it is
# there, else scripts/build-qt-mingw.sh builds it
# from Debian's sources (about 40 minutes, once). It and GoogleTest for
# Windows are kept in ORVANE_CACHE (default ~/.cache/orvane) and reused.
# Usage: scripts/build-windows.sh [BUILD_DIR]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-windows}
cache=${ORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvane}
qt_tarball=${ORVANE_QT_MINGW_TARBALL:-$root/../shared/windows/qt6-mingw-6.4.2-static.tar.xz}
qt=$cache/qt6-mingw
gtest=$cache/googletest-mingw
toolchain=$root/cmake/toolchain-mingw64.cmake
start=$SECONDS

source scripts/lib/packages.sh
install_packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools nsis wine wine64 zip \
  cmake ninja-build ccache googletest qt6-base-dev qt6-base-dev-tools librsvg2-bin imagemagick xz-utils

mkdir -p "$cache"
if [ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  echo "Qt for Windows: $qt (cached)"
elif [ -f "$qt_tarball" ]; then
  echo "Qt for Windows: unpacking $qt_tarball"
  rm -rf "$qt.partial"
  mkdir -p "$qt.partial"
  tar -xJf "$qt_tarball" -C "$qt.partial" --strip-components=1
  mv "$qt.partial" "$qt"
else
  echo "Qt for Windows: no $qt_tarball, building it from Debian's sources (about 40 minutes)"
  scripts/build-qt-mingw.sh "$qt.partial"
  mv "$qt.partial" "$qt"
fi

if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "GoogleTest for Windows: building from /usr/src/googletest"
  gtest_build=$(mktemp -d)
  cmake -S /usr/src/googletest -B "$gtest_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest.partial" -DBUILD_SHARED_LIBS=OFF >/dev/null
  cmake --build "$gtest_build" -j "$(nproc)" >/dev/null
  rm -rf "$gtest.partial"
  cmake --install "$gtest_build" >/dev/null
  rm -rf "$gtest_build"
  mv "$gtest.partial" "$gtest"
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")} CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DGTest_DIR="$gtest/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" -j "${ORVANE_JOBS:-$(nproc)}"

# Static means no compiler runtime and no Qt among the imports.
status=0
for program in orvane orvane-cli; do
  exe=$build/src/$program.exe
  [ -f "$exe" ] || exe=$build/tools/$program.exe
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -f | tr '\n' ' ')
  echo "$program.exe imports: $dlls"
  if grep -qiE 'libstdc|libgcc|winpthread|Qt6|mingw' <<<"$dlls"; then
    echo "error: $program.exe is not static" >&2
    status=1
  fi
done
version=$(sed -n 's/^project(Orvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ls -l "$build/src/orvane.exe" "$build/tools/orvane-cli.exe" \
  "$build/orvane-$version-setup.exe" "$build/orvane-$version-windows.zip" | awk '{print $5, $9}'
echo "build-windows: done in $((SECONDS - start)) s"
exit $status
