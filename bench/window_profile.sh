#!/usr/bin/env bash
# Where the connected window spends its time: runs it under callgrind,
# collecting only while connected to the simulated gimbal, then prints the
# functions with the most inclusive and the most own instructions.
#
#   bench/window_profile.sh [--seconds N] [OUTPUT]    (default 20 s, build/window.callgrind)
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/../scripts/lib/window-session.sh"

usage() {
  die "usage: $0 [--seconds N] [OUTPUT]"
}

main() {
  local seconds=20 output=$ORVANE_BUILD/window.callgrind
  while [ $# -gt 0 ]; do
    case $1 in
      --seconds) [ $# -ge 2 ] || usage; seconds=$2; shift 2 ;;
      -*) usage ;;
      *) output=$1; shift ;;
    esac
  done
  command -v valgrind >/dev/null || die "valgrind is missing (apt-get install valgrind)"
  session_require_tools
  session_begin
  session_start_display
  session_start_accessibility
  session_start_simulator
  session_start_window EN valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$output"
  # Everything is some fifty times slower under callgrind.
  drive_window connect --timeout 120 >/dev/null || die "could not connect the window"
  callgrind_control --instr=on "$WINDOW_PID" >/dev/null
  note "collecting for $seconds s"
  sleep "$seconds"
  callgrind_control --instr=off "$WINDOW_PID" >/dev/null
  session_close_window --timeout 120
  callgrind_annotate --inclusive=yes "$output" | head -n 45
  callgrind_annotate "$output" | sed -n '/^Ir/,$p' | head -n 30
}

session_enter_private_bus "$0" "$@"
main "$@"
