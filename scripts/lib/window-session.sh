# shellcheck shell=bash
# Shared by the scripts that run the real window: a virtual X server, the
# accessibility bus, the simulated controller and the orvane program, each in
# scratch folders that are removed again, with every process stopped on exit
# or Ctrl-C. Source it from a bash script that uses `set -euo pipefail`.
#
# Typical use:
#   session_enter_private_bus "$0" "$@"   # re-runs the script on its own bus
#   session_begin
#   session_start_display
#   session_start_window_manager         # optional: openbox
#   session_start_accessibility
#   session_start_simulator
#   session_start_window EN              # sets WINDOW_PID
#   ...drive it, then: session_close_window

ORVANE_ROOT=${ORVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ORVANE_BUILD=${ORVANE_BUILD:-$ORVANE_ROOT/build}
DRIVER=$ORVANE_ROOT/scripts/drive-window.py
# Debian's interpreter: the GObject bindings for AT-SPI are packaged for it.
SYSTEM_PYTHON=/usr/bin/python3
AT_SPI_LIBEXEC=/usr/libexec
# Named like a device, short enough for the port box; it sorts after the
# usual ttyS0, so the driver has to choose it in the box.
SIM_PORT_NAME=${SIM_PORT_NAME:-ttySIM0}

session_pids=()
session_scratch=""

die() {
  echo "error: $*" >&2
  exit 1
}

note() {
  echo "== $*" >&2
}

# Prints the missing tools, one a line; prints nothing when all are there.
session_missing_tools() {
  local tool
  for tool in Xvfb dbus-run-session xdotool; do
    command -v "$tool" >/dev/null || echo "$tool"
  done
  for tool in at-spi-bus-launcher at-spi2-registryd; do
    [ -x "$AT_SPI_LIBEXEC/$tool" ] || echo "$tool"
  done
  "$SYSTEM_PYTHON" - <<'EOF' 2>/dev/null || echo "python3-gi, gir1.2-atspi-2.0, python3-xlib"
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: F401
import Xlib  # noqa: F401
EOF
}

session_require_tools() {
  local missing
  missing=$(session_missing_tools)
  [ -z "$missing" ] || die "missing tools (run scripts/install-deps.sh): $(echo "$missing" | tr '\n' ' ')"
  local program
  for program in "$ORVANE_BUILD/src/orvane" "$ORVANE_BUILD/sim/orvane-sim"; do
    [ -x "$program" ] || die "$program is not built (cmake --build build --target orvane orvane-sim)"
  done
}

# The accessibility bus is found through the session bus; a private one keeps
# the run away from the desktop's and ends with it.
session_enter_private_bus() {
  local script=$1
  shift
  if [ -z "${ORVANE_PRIVATE_BUS:-}" ]; then
    ORVANE_PRIVATE_BUS=1 exec dbus-run-session -- bash "$script" "$@"
  fi
}

session_begin() {
  session_scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvane-window.XXXXXX")
  mkdir -m 700 "$session_scratch/runtime"
  mkdir "$session_scratch/work"
  export XDG_RUNTIME_DIR=$session_scratch/runtime
  trap session_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

session_cleanup() {
  local index
  for ((index = ${#session_pids[@]} - 1; index >= 0; index--)); do
    kill "${session_pids[index]}" 2>/dev/null || true
  done
  for ((index = ${#session_pids[@]} - 1; index >= 0; index--)); do
    wait "${session_pids[index]}" 2>/dev/null || true
  done
  [ -z "$session_scratch" ] || rm -rf "$session_scratch"
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_until() {
  local tenths=$1
  shift
  local tick
  for ((tick = 0; tick < tenths; tick++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# A free display number is chosen by the server itself (-displayfd).
session_start_display() {
  local display_file=$session_scratch/display
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" 2>"$session_scratch/xvfb.log" &
  session_pids+=($!)
  wait_until 100 test -s "$display_file" || die "Xvfb did not start: $(cat "$session_scratch/xvfb.log")"
  DISPLAY=:$(head -n 1 "$display_file")
  export DISPLAY
  note "virtual display $DISPLAY"
}

window_manager_up() {
  "$SYSTEM_PYTHON" - <<'PY' 2>/dev/null
from Xlib import display
server = display.Display()
root = server.screen().root
assert root.get_full_property(server.intern_atom("_NET_SUPPORTING_WM_CHECK"), 0) is not None
PY
}

# A window manager (openbox) on the display, for title bars, frames and a
# stacking order as on a desktop; returns once it manages the display.
session_start_window_manager() {
  command -v openbox >/dev/null || die "openbox is missing (run scripts/install-deps.sh)"
  openbox --sm-disable >"$session_scratch/openbox.log" 2>&1 &
  session_pids+=($!)
  wait_until 100 window_manager_up || die "openbox did not start: $(cat "$session_scratch/openbox.log")"
  note "openbox manages $DISPLAY"
}

session_bus_has_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

accessibility_registry_up() {
  "$SYSTEM_PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi; Atspi.get_desktop(0).get_child_count()' 2>/dev/null
}

session_start_accessibility() {
  "$AT_SPI_LIBEXEC/at-spi-bus-launcher" --launch-immediately 2>"$session_scratch/at-spi.log" &
  session_pids+=($!)
  # The registry needs the accessibility bus the launcher publishes. Asking
  # the bus itself would have D-Bus activate a second launcher.
  wait_until 50 session_bus_has_name org.a11y.Bus ||
    die "at-spi-bus-launcher did not start: $(cat "$session_scratch/at-spi.log")"
  "$AT_SPI_LIBEXEC/at-spi2-registryd" 2>>"$session_scratch/at-spi.log" &
  session_pids+=($!)
  wait_until 50 accessibility_registry_up || die "at-spi2-registryd did not answer"
}

# Starts the simulated controller; its first line is the published port.
# shellcheck disable=SC2120 # the options are optional
session_start_simulator() {
  local output=$session_scratch/sim.out
  "$ORVANE_BUILD/sim/orvane-sim" --name "$SIM_PORT_NAME" --state "$session_scratch/sim.rkdp" "$@" >"$output" &
  session_pids+=($!)
  wait_until 50 test -s "$output" || die "orvane-sim did not publish its port"
  note "simulated gimbal on $(head -n 1 "$output")"
}

# Starts orvane in the scratch working folder with a Setting.ini in language
# $1 (EN or CN); sets WINDOW_PID. Further arguments go between `env` and the
# program: environment settings, then optionally a wrapper such as valgrind.
session_start_window() {
  local language=$1
  shift
  local work=$session_scratch/work
  printf '[Setting]\r\nLAN=%s\r\nCOMNUM=0\r\n' "$language" >"$work/Setting.ini"
  (cd "$work" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" \
    "$ORVANE_BUILD/src/orvane" >"$session_scratch/orvane.log" 2>&1) &
  WINDOW_PID=$!
  session_pids+=("$WINDOW_PID")
  note "orvane running as process $WINDOW_PID ($language)"
}

# The last lines the program printed, for failure messages.
session_window_output() {
  tail -n 5 "$session_scratch/orvane.log"
}

session_settings_file() {
  echo "$session_scratch/work/Setting.ini"
}

# Runs the driver against the running window: drive_window COMMAND [ARGS].
drive_window() {
  local command=$1
  shift
  "$SYSTEM_PYTHON" "$DRIVER" "$command" --pid "$WINDOW_PID" --port-name "$SIM_PORT_NAME" "$@"
}

# Waits for the window's program to end and checks it ended with status 0.
session_wait_window_exit() {
  local status=0
  wait "$WINDOW_PID" || status=$?
  [ "$status" -eq 0 ] || die "orvane exited with status $status: $(session_window_output)"
  note "orvane exited with status 0"
}

# Closes the window as a user would and checks the program ended with status 0.
# shellcheck disable=SC2120 # the options are optional
session_close_window() {
  drive_window close "$@" || die "the window did not close"
  session_wait_window_exit
}
