#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it installs:
# the desktop entry (desktop-file-validate), the AppStream metadata
# (appstreamcli) and the package as a whole (lintian). Skipped, with the
# missing tools named, when a validator is not installed.
# Usage: scripts/validate-package.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

missing=()
for tool in cpack dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "package validation skipped, missing: ${missing[*]}"
  exit 0
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(echo "$out"/orvane_*.deb)
dpkg-deb -x "$deb" "$out/root"

desktop-file-validate "$out"/root/usr/share/applications/*.desktop
# --no-net: the screenshots and the homepage are checked where they are
# published, not on every test run.
appstreamcli validate --no-net --explain "$out"/root/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error,warning --display-info "$deb"
echo "package valid: $(basename "$deb")"
