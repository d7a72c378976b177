#!/usr/bin/env bash
# Runs the real window under a window manager (openbox on a virtual display)
# and checks that every dialog and message box it opens lies above the main
# window, which stays on top, as the window manager publishes the stacking
# order (scripts/check-dialog-stacking.py). A picture of each dialog goes to
# FOLDER (default: a scratch folder, removed afterwards).
#
#   scripts/check-dialog-stacking.sh [FOLDER]      (build/ must be built)
set -euo pipefail
# shellcheck source=scripts/lib/window-session.sh
source "$(dirname "$0")/lib/window-session.sh"

# A parameter file that differs from the simulated gimbal's set, read before
# the window holds the port.
write_compare_file() {
  local file=$1
  "$ORVANE_BUILD/tools/orvane-cli" download --port "$SIM_PORT_NAME" "$file" >/dev/null
  sed -i 's/^m_roll_pid_kp=.*/m_roll_pid_kp=77/' "$file"
}

main() {
  local pictures=${1:-}
  session_require_tools
  session_begin
  [ -n "$pictures" ] || pictures=$session_scratch/pictures
  mkdir -p "$pictures"
  session_start_display
  session_start_window_manager
  session_start_accessibility
  session_start_simulator
  local compare_file=$session_scratch/work/compare.rkdp
  write_compare_file "$compare_file"
  session_start_window EN
  "$SYSTEM_PYTHON" "$ORVANE_ROOT/scripts/check-dialog-stacking.py" --pid "$WINDOW_PID" \
    --port-name "$SIM_PORT_NAME" --compare-file "$compare_file" --pictures "$pictures" ||
    die "a dialog is not above the window; orvane's output: $(session_window_output)"
  note "every dialog lies above the window"
  session_wait_window_exit
}

session_enter_private_bus "$0" "$@"
main "$@"
