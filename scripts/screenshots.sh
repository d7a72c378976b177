#!/usr/bin/env bash
# Takes PNG screenshots of the real window connected to the simulated gimbal,
# with live values, in English and in Chinese, cropped to the window, and
# copies them to docs/screenshots/ for the README.
#
#   scripts/screenshots.sh [FOLDER]        (default build/screenshots; build/ must be built)
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/lib/window-session.sh"

# Connects the running window and prints "X Y WIDTH HEIGHT" of it on screen.
connect_window() {
  local language=$1 output
  output=$(drive_window connect --language "$language") ||
    die "could not connect the window ($language): $output"
  echo "$output" | grep -v '^WINDOW ' >&2
  echo "$output" | awk '/^WINDOW / { print $2, $3, $4, $5 }'
}

# grab_window X Y WIDTH HEIGHT FILE: the window's part of the screen.
grab_window() {
  local x=$1 y=$2 width=$3 height=$4 file=$5
  import -window root -crop "${width}x${height}+${x}+${y}" +repage png:- |
    convert - -strip -define png:compression-level=9 "$file"
  note "$file: ${width}x${height}, $(stat -c %s "$file") bytes"
}

screenshot() {
  local language=$1 file=$2 geometry
  session_start_window "$language"
  geometry=$(connect_window "${language,,}")
  # shellcheck disable=SC2086 # four numbers
  grab_window $geometry "$file"
  session_close_window
}

main() {
  local folder=${1:-$ORVANE_BUILD/screenshots}
  mkdir -p "$folder" "$ORVANE_ROOT/docs/screenshots"
  folder=$(cd "$folder" && pwd)
  command -v import >/dev/null || die "ImageMagick's import is missing (run scripts/install-deps.sh)"
  fc-list | grep -i 'WenQuanYi' >/dev/null || die "the Chinese font is missing (fonts-wqy-microhei)"
  session_require_tools
  session_begin
  session_start_display
  session_start_accessibility
  session_start_simulator
  local language
  for language in en cn; do
    screenshot "${language^^}" "$folder/window-$language.png"
    cp "$folder/window-$language.png" "$ORVANE_ROOT/docs/screenshots/window-$language.png"
  done
  note "screenshots in $folder and docs/screenshots/"
}

session_enter_private_bus "$0" "$@"
main "$@"
