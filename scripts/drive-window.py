#!/usr/bin/python3
"""Drives the running orvane window from outside, as a user with assistive
tools would: through AT-SPI for reading and pressing controls, through the X
server for closing the window.

Commands (the process id is the running orvane's):
  check   --pid P --port-name NAME --settings FILE   the whole walk-through
  connect --pid P --port-name NAME                   connect, wait for live values
  close   --pid P [--settings FILE]                  close like a user, wait for exit

Runs under the wrapper scripts (drive-window.sh, screenshots.sh), which set up
the display and the accessibility bus. Exits non-zero with a message on the
first failure.
"""

import argparse
import configparser
import os
import subprocess
import sys
import time
import warnings
from collections import Counter
from dataclasses import dataclass

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import X, display, protocol  # noqa: E402

# What the driver needs to recognise, in the window's two languages.
TEXTS = {
    "en": {
        "start": "Start Debug",
        "downloaded": "Parameter Download Successful",
        "status": "Status line",
        "port": "Port",
        "roll": "ANGL roll",
    },
    "cn": {
        "start": "开始调试",
        "downloaded": "参数下载成功",
        "status": "状态栏",
        "port": "串口",
        "roll": "ANGL 滚转",
    },
}

SETTINGS_KEYS = ["COMNUM", "SENDPRD", "COMBAUND", "AUTOSTOP", "PRODUCTTYPE", "GIMBALTYPE", "CAMERATYPE", "RANGERTYPE"]

# Roles a user reads or operates; the rest (the combo boxes' hidden lists,
# table parts) belong to a control already counted.
CONTROL_ROLES = {
    "push button": "button",
    "radio button": "button",
    "check box": "button",
    "label": "static",
    "text": "edit",
    "combo box": "combo",
    "table": "table",
    "frame": "view",
    "panel": "group",
}


class DriveError(Exception):
    pass


def say(message):
    print(message, flush=True)


def wait_for(what, probe, timeout, interval=0.1):
    """Returns probe()'s first true value, or raises after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DriveError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


@dataclass
class Extents:
    x: int
    y: int
    width: int
    height: int

    def inside(self, other):
        return (other.x <= self.x and other.y <= self.y and self.x + self.width <= other.x + other.width
                and self.y + self.height <= other.y + other.height)

    def overlaps(self, other):
        return (self.x < other.x + other.width and other.x < self.x + self.width and self.y < other.y + other.height
                and other.y < self.y + self.height)


@dataclass
class Control:
    node: Atspi.Accessible
    role: str
    name: str
    description: str
    extents: Extents

    @property
    def kind(self):
        return CONTROL_ROLES[self.role]

    def label(self):
        return f"{self.role} name={self.name!r} description={self.description!r} at {self.extents}"


def extents_of(node):
    box = node.get_extents(Atspi.CoordType.SCREEN)
    return Extents(box.x, box.y, box.width, box.height)


def find_window(pid, timeout=15):
    """The application's dialog, once it is on the accessibility bus."""

    def probe():
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(index)
            if app is None or app.get_process_id() != pid:
                continue
            for child in range(app.get_child_count()):
                window = app.get_child_at_index(child)
                if window.get_role_name() == "dialog":
                    return window
        return None

    return wait_for(f"process {pid} to show its window on the accessibility bus", probe, timeout)


def list_controls(window):
    """Every control below the window, depth first, in creation order."""
    controls = []

    def walk(node):
        for index in range(node.get_child_count()):
            child = node.get_child_at_index(index)
            role = child.get_role_name()
            if role in CONTROL_ROLES:
                controls.append(Control(child, role, child.get_name() or "", child.get_description() or "",
                                        extents_of(child)))
            # A combo box's list and a table's cells are parts of one control.
            if role not in ("combo box", "table"):
                walk(child)

    walk(window)
    return controls


def find_control(window, role, name=None, description=None):
    for control in list_controls(window):
        if control.role != role:
            continue
        if name is not None and control.name != name:
            continue
        if description is not None and control.description != description:
            continue
        return control
    wanted = name if name is not None else description
    raise DriveError(f"no {role} {wanted!r} in the window")


def read_label(label):
    """A value field's text; the toolkit exposes a label's text as its name."""
    return label.node.get_name() or ""


def action_names(node):
    # get_action_name is the one the bindings of Debian 12 offer for the
    # untranslated name; newer ones deprecate it without a replacement there.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        return [node.get_action_name(index) for index in range(node.get_n_actions())]


def perform(control, action_name):
    for index, name in enumerate(action_names(control.node)):
        if name == action_name:
            control.node.do_action(index)
            return
    raise DriveError(f"{control.label()} offers no {action_name!r} action (disabled?)")


# --- the inventory --------------------------------------------------------------------------------


def identity(control):
    """What a user or a screen reader tells the control by."""
    return control.name or control.description


def report_inventory(window):
    """Lists the controls by kind and place; fails when an operable control
    cannot be told apart or a control is cut by the window's edge."""
    window_box = extents_of(window)
    controls = list_controls(window)
    say(f"window at {window_box}; {len(controls)} controls")

    places = {}
    for control in controls:
        if control.extents.width == 0 or control.extents.height == 0:
            places[id(control)] = "zero-size"
        elif control.extents.inside(window_box):
            places[id(control)] = "visible"
        elif control.extents.overlaps(window_box):
            places[id(control)] = "cut"
        else:
            places[id(control)] = "hidden"
    counts = Counter((control.kind, places[id(control)]) for control in controls)
    say(f"  {'kind':<8} {'visible':>8} {'hidden':>8} {'cut':>5} {'zero-size':>10}")
    for kind in sorted({control.kind for control in controls}):
        row = [counts[(kind, place)] for place in ("visible", "hidden", "cut", "zero-size")]
        say(f"  {kind:<8} {row[0]:>8} {row[1]:>8} {row[2]:>5} {row[3]:>10}")

    problems = []
    operable = [c for c in controls if c.kind in ("button", "edit", "combo")]
    for control in operable:
        if not identity(control):
            problems.append(f"no name or description: {control.label()}")
    seen = Counter((c.role, c.name, c.description) for c in operable)
    for (role, name, description), times in seen.items():
        if times > 1:
            problems.append(f"{times} {role}s share name={name!r} description={description!r}")
    for control in controls:
        if places[id(control)] == "cut":
            problems.append(f"cut by the window's edge: {control.label()}")

    unnamed = [c for c in controls if c.kind in ("static", "view", "group") and not identity(c)]
    empty_values = [c for c in controls if c.role == "label" and c.description and not c.name]
    empty_combos = [c for c in controls if c.role == "combo box" and not c.name]
    say(f"  unnamed frames and labels (decoration): {len(unnamed)}")
    for control in unnamed:
        say(f"    {places[id(control)]:<9} {control.label()}")
    for title, group in (("value fields without text", empty_values), ("combo boxes without a current item",
                                                                        empty_combos)):
        say(f"  {title}: {len(group)}")
        for control in group:
            say(f"    {places[id(control)]:<9} {control.description!r}")
    if problems:
        raise DriveError("controls a user cannot reach or tell apart:\n  " + "\n  ".join(problems))
    return window_box


# --- connecting -----------------------------------------------------------------------------------


def choose_port(window, texts, port_name, pid):
    """Selects the simulator's port in the port box unless it already shows,
    as a user would: open the box, move to the port, press Return."""
    box = find_control(window, "combo box", description=texts["port"])
    items = box.node.get_child_at_index(0)
    names = [items.get_child_at_index(index).get_name() for index in range(items.get_child_count())]
    if port_name not in names:
        raise DriveError(f"the port box does not list {port_name!r} (it lists {names})")
    if box.name == port_name:
        return
    steps = names.index(port_name) - names.index(box.name) if box.name in names else names.index(port_name) + 1
    focus_x_window(pid)
    perform(box, "ShowMenu")
    time.sleep(0.3)
    keys = ["Down" if steps > 0 else "Up"] * abs(steps) + ["Return"]
    subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
    wait_for(f"the port box to show {port_name!r}",
             lambda: find_control(window, "combo box", description=texts["port"]).name == port_name, 5)
    say(f"chose port {port_name!r}")


def connect(window, texts, port_name, pid, timeout):
    choose_port(window, texts, port_name, pid)
    perform(find_control(window, "push button", name=texts["start"]), "Press")
    say(f"pressed {texts['start']!r}")
    status_line = find_control(window, "label", description=texts["status"])
    last_status = [""]

    def downloaded():
        last_status[0] = read_label(status_line)
        return last_status[0] == texts["downloaded"]

    try:
        wait_for(f"the status line to read {texts['downloaded']!r}", downloaded, timeout)
    except DriveError as error:
        raise DriveError(f"{error}; it reads {last_status[0]!r}") from None
    say(f"status line: {last_status[0]!r}")
    check_telemetry_moves(window, texts["roll"])


def check_telemetry_moves(window, description, seconds=1.0):
    field = find_control(window, "label", description=description)
    first = read_label(field)
    try:
        float(first)
    except ValueError:
        raise DriveError(f"{description} reads {first!r}, not a number") from None
    readings = {first}
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        time.sleep(0.1)
        readings.add(read_label(field))
    if len(readings) < 2:
        raise DriveError(f"{description} stayed at {first!r} for {seconds:.0f} s")
    say(f"{description}: {len(readings)} different values in {seconds:.0f} s, e.g. {first!r}")


# --- closing --------------------------------------------------------------------------------------


def x_window_of(pid):
    """The process's mapped top-level window that takes WM_DELETE_WINDOW."""
    server = display.Display()
    pid_atom = server.intern_atom("_NET_WM_PID")
    delete_atom = server.intern_atom("WM_DELETE_WINDOW")
    for window in server.screen().root.query_tree().children:
        owner = window.get_full_property(pid_atom, X.AnyPropertyType)
        if owner is None or owner.value[0] != pid:
            continue
        if window.get_attributes().map_state != X.IsViewable:
            continue
        if delete_atom in (window.get_wm_protocols() or []):
            return server, window
    raise DriveError(f"no mapped top-level X window of process {pid} takes WM_DELETE_WINDOW")


def focus_x_window(pid):
    """Without a window manager nobody gives the window the keyboard."""
    server, window = x_window_of(pid)
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    server.sync()


def send_delete_window(pid):
    server, window = x_window_of(pid)
    message = protocol.event.ClientMessage(
        window=window, client_type=server.intern_atom("WM_PROTOCOLS"),
        data=(32, [server.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    server.flush()
    say(f"sent WM_DELETE_WINDOW to X window 0x{window.id:x}")


def process_ended(pid):
    """True once the process is gone or waits for its parent (a zombie)."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def close(pid, timeout):
    send_delete_window(pid)
    wait_for(f"process {pid} to end after its window was closed", lambda: process_ended(pid), timeout)
    say(f"process {pid} ended")


def check_settings(path):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    if not parser.read(path, encoding="utf-8"):
        raise DriveError(f"{path} cannot be read")
    if "Setting" not in parser:
        raise DriveError(f"{path} has no [Setting] section")
    missing = [key for key in SETTINGS_KEYS if key not in parser["Setting"]]
    if missing:
        raise DriveError(f"{path} lacks {' '.join(missing)}")
    say(f"{os.path.basename(path)} holds " + " ".join(f"{key}={parser['Setting'][key]}" for key in SETTINGS_KEYS))


# --- commands -------------------------------------------------------------------------------------


def command_connect(args):
    window = find_window(args.pid)
    connect(window, TEXTS[args.language], args.port_name, args.pid, args.timeout)
    box = extents_of(window)
    # For the callers that grab the window: its place on the screen.
    print(f"WINDOW {box.x} {box.y} {box.width} {box.height}", flush=True)


def command_close(args):
    close(args.pid, args.timeout)
    if args.settings:
        check_settings(args.settings)


def command_check(args):
    window = find_window(args.pid)
    say(f"found the window of process {args.pid}")
    connect(window, TEXTS[args.language], args.port_name, args.pid, args.timeout)
    report_inventory(window)
    command_close(args)


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    for name, handler in (("check", command_check), ("connect", command_connect), ("close", command_close)):
        command = commands.add_parser(name)
        command.set_defaults(handler=handler)
        command.add_argument("--pid", type=int, required=True, help="the running orvane's process id")
        command.add_argument("--port-name", default="", help="the simulator's port as the port box lists it")
        command.add_argument("--language", choices=sorted(TEXTS), default="en")
        command.add_argument("--settings", help="Setting.ini to check after closing")
        command.add_argument("--timeout", type=float, default=15, help="seconds to wait for each step")
    return parser.parse_args()


def main():
    args = parse_arguments()
    try:
        args.handler(args)
    except DriveError as error:
        print(f"drive-window: FAILED: {error}", file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        return 130
    return 0


if __name__ == "__main__":
    sys.exit(main())
