#!/usr/bin/env bash
# CPU and memory of the real window connected to the simulated gimbal at the
# default rates (send period 10 ms, simulator period 10 ms) on a virtual
# display. Prints the median and max CPU % of one core per 5 s and the
# resident size trend (targets: <= 5 %, <= 80 MB, flat).
#
#   bench/window_bench.sh [--seconds N] [--plots]   (default 60; build/ must be built)
#
# --plots opens the plot window through its shortcut (Ctrl+L, sent with
# xdotool) with twelve curves (attitude, filtered gyro, accelerations, gyro
# rates) over 30 s before sampling (targets: <= 8 %, memory flat).
#
# The window is connected through the accessibility bus, so the figures
# include the toolkit's accessibility bridge, which a user without assistive
# tools does not run: they are an upper bound.
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/../scripts/lib/window-session.sh"

usage() {
  die "usage: $0 [--seconds N] [--plots]"
}

# Twelve curves in the plot window's own section, then its shortcut.
open_plot_window() {
  local curves=angle_roll_deg,angle_pitch_deg,angle_yaw_deg,fgyr_roll_dps,fgyr_pitch_dps,fgyr_yaw_dps
  curves+=,acce_roll_g,acce_pitch_g,acce_yaw_g,gyro_roll_dps,gyro_pitch_dps,gyro_yaw_dps
  printf '[Plots]\r\nWindow=30\r\nCurves=%s\r\n' "$curves" >>"$(session_settings_file)"
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$WINDOW_PID" | head -n 1)
  xdotool windowfocus --sync "$window" key ctrl+l
  wait_until 50 sh -c "xdotool search --name 'Live Plots' >/dev/null" || die "the plot window did not open"
  note "plot window open with twelve curves"
}

main() {
  local seconds=60 plots=0
  while [ $# -gt 0 ]; do
    case $1 in
      --plots) plots=1; shift ;;
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
  [ "$plots" = 0 ] || open_plot_window
  note "connected; sampling process $WINDOW_PID for $seconds s"
  local cpu_target=5
  [ "$plots" = 0 ] || cpu_target=8
  "$SYSTEM_PYTHON" "$(dirname "$0")/window_sampler.py" --pid "$WINDOW_PID" --seconds "$seconds" \
    --cpu-target "$cpu_target"
  session_close_window
}

session_enter_private_bus "$0" "$@"
main "$@"
