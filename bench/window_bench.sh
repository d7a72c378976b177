#!/usr/bin/env bash
# CPU and memory of the real window connected to the simulated gimbal at the
# default rates (send period 10 ms, simulator period 10 ms) on a virtual
# display. Prints the median and max CPU % of one core per 5 s and the
# resident size trend (targets: <= 5 %, <= 80 MB, flat).
#
#   bench/window_bench.sh [--seconds N]    (default 60; build/ must be built)
#
# The window is connected through the accessibility bus, so the figures
# include the toolkit's accessibility bridge, which a user without assistive
# tools does not run: they are an upper bound.
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/../scripts/lib/window-session.sh"

usage() {
  die "usage: $0 [--seconds N]"
}

main() {
  local seconds=60
  while [ $# -gt 0 ]; do
    case $1 in
      --seconds) [ $# -ge 2 ] || usage; seconds=$2; shift 2 ;;
      --seconds=*) seconds=${1#*=}; shift ;;
      *) usage ;;
    esac
  done
  [[ $seconds =~ ^[0-9]+$ ]] || usage
  session_require_tools
  session_begin
  session_start_display
  session_start_accessibility
  session_start_simulator
  session_start_window EN
  drive_window connect >/dev/null || die "could not connect the window"
  note "connected; sampling process $WINDOW_PID for $seconds s"
  "$SYSTEM_PYTHON" "$(dirname "$0")/window_sampler.py" --pid "$WINDOW_PID" --seconds "$seconds"
  session_close_window
}

session_enter_private_bus "$0" "$@"
main "$@"
