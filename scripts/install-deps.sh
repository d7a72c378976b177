#!/usr/bin/env bash
# Installs what building, testing and running Orvane needs on Debian 12.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # The fuzz targets: clang with its libFuzzer runtime.
  clang libclang-rt-14-dev
  qt6-base-dev libgl-dev
  # Icons, manual pages, the Debian package and its validators.
  librsvg2-bin help2man dpkg-dev fakeroot desktop-file-utils appstream lintian
  locales-all fonts-wqy-microhei fonts-dejavu-core
  # Driving the real window from outside, screenshots.
  xvfb xdotool dbus at-spi2-core python3-gi gir1.2-atspi-2.0 python3-xlib imagemagick
  # A window manager, for the check that dialogs open above the window.
  openbox
)
source "$(dirname "$0")/lib/packages.sh"
install_packages "${packages[@]}"
