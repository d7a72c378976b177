#!/usr/bin/env bash
# Runs the real window against the simulated gimbal on a virtual display and
# drives it from outside as a user would (scripts/drive-window.py check):
# connect, read live values, check every control can be found and read,
# close the window and check the program's exit status and Setting.ini.
#
#   scripts/drive-window.sh [EN|CN]        (default EN; build/ must be built)
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/lib/window-session.sh"

main() {
  local language=${1:-EN}
  case $language in EN | CN) ;; *) die "usage: $0 [EN|CN]" ;; esac
  session_require_tools
  session_begin
  session_start_display
  session_start_accessibility
  session_start_simulator
  session_start_window "$language"
  drive_window check --language "${language,,}" --settings "$(session_settings_file)" ||
    die "the walk-through failed; orvane's output: $(session_window_output)"
  session_wait_window_exit
  note "window walk-through passed ($language)"
}

session_enter_private_bus "$0" "$@"
main "$@"
