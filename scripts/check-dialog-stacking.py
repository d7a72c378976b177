#!/usr/bin/python3
"""Opens each dialog and message box of the running window, under a window
manager, and checks through the stacking order the window manager publishes
(_NET_CLIENT_LIST_STACKING, bottom to top) that it lies above the main window,
which stays on top. A dialog below it would take the focus while the user sees
a window that no longer answers. Each dialog is photographed (the whole
screen, PNG) before it is closed with Escape.

    check-dialog-stacking.py --pid PID --port-name NAME --compare-file FILE --pictures FOLDER
"""

import argparse
import importlib.util
import subprocess
import sys
import time
from pathlib import Path

from Xlib import X, Xatom, display, error

_spec = importlib.util.spec_from_file_location("drive_window", Path(__file__).with_name("drive-window.py"))
drive = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(drive)

TEXTS = drive.TEXTS["en"]


class Screen:
    def __init__(self):
        self.server = display.Display()
        self.root = self.server.screen().root
        self.stacking_atom = self.server.intern_atom("_NET_CLIENT_LIST_STACKING")
        self.pid_atom = self.server.intern_atom("_NET_WM_PID")

    def stacking(self):
        """The managed windows, bottom to top."""
        prop = self.root.get_full_property(self.stacking_atom, Xatom.WINDOW)
        return list(prop.value) if prop is not None else []

    def clients_of(self, pid):
        clients = []
        for window_id in self.stacking():
            window = self.server.create_resource_object("window", window_id)
            try:
                owner = window.get_full_property(self.pid_atom, X.AnyPropertyType)
            except error.BadWindow:
                continue  # closed meanwhile
            if owner is not None and owner.value[0] == pid:
                clients.append(window_id)
        return clients

    def title(self, window_id):
        window = self.server.create_resource_object("window", window_id)
        name = window.get_full_property(self.server.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
        return name.value.decode("utf-8", "replace") if name is not None else ""


def activate(window_id):
    subprocess.run(["xdotool", "windowactivate", "--sync", str(window_id)], check=True, timeout=10)


def press(window, name):
    drive.perform(drive.find_control(window, "push button", name=name), "Press")


def keys(main_id, *sequence):
    activate(main_id)
    subprocess.run(["xdotool", "key", "--delay", "50", *sequence], check=True)


def open_and_check(screen, pid, main_id, what, opener, pictures, close_keys=("Escape",)):
    before = set(screen.clients_of(pid))
    opener()
    new = drive.wait_for(f"{what} to appear", lambda: [w for w in screen.clients_of(pid) if w not in before], 10)
    dialog_id = new[-1]
    time.sleep(0.5)  # let the window manager settle its order
    order = screen.stacking()
    above = order.index(dialog_id) > order.index(main_id)
    picture = Path(pictures) / f"stacking-{what}.png"
    subprocess.run(["import", "-window", "root", str(picture)], check=True)
    drive.say(f"{what}: '{screen.title(dialog_id)}' (0x{dialog_id:x}) at {order.index(dialog_id)}, main window at "
              f"{order.index(main_id)} of {len(order)}: {'above' if above else 'BELOW'}; picture {picture}")
    activate(dialog_id)
    subprocess.run(["xdotool", "key", "--delay", "100", *close_keys], check=True)
    drive.wait_for(f"{what} to close", lambda: dialog_id not in screen.clients_of(pid), 10)
    return above


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--port-name", required=True)
    parser.add_argument("--compare-file", required=True, help="a parameter file that differs from the gimbal's")
    parser.add_argument("--pictures", required=True)
    args = parser.parse_args()

    screen = Screen()
    window = drive.find_window(args.pid)
    main_ids = drive.wait_for("the main window to be managed", lambda: screen.clients_of(args.pid), 15)
    main_id = main_ids[0]
    drive.say(f"main window '{screen.title(main_id)}' (0x{main_id:x})")

    def type_file_and_return():
        subprocess.run(["xdotool", "type", "--delay", "20", args.compare_file], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)

    results = {}
    results["open-param"] = open_and_check(screen, args.pid, main_id, "open-param",
                                           lambda: press(window, "Open Param"), args.pictures)
    results["save-param"] = open_and_check(screen, args.pid, main_id, "save-param",
                                           lambda: press(window, "Save Param"), args.pictures)
    results["open-firmware"] = open_and_check(screen, args.pid, main_id, "open-firmware",
                                              lambda: press(window, "Open"), args.pictures)
    results["replay"] = open_and_check(screen, args.pid, main_id, "replay-recording",
                                       lambda: keys(main_id, "ctrl+shift+o"), args.pictures)
    results["plots"] = open_and_check(screen, args.pid, main_id, "plot-window", lambda: keys(main_id, "ctrl+l"),
                                      args.pictures, close_keys=("alt+F4",))

    # The driver gives the window the keyboard itself where no window manager
    # does; here the window manager is asked.
    drive.focus_x_window = lambda pid: activate(main_id)
    drive.connect(window, TEXTS, args.port_name, args.pid, 20)
    results["question"] = open_and_check(screen, args.pid, main_id, "question",
                                         lambda: press(window, "Gyro Calibration"), args.pictures)
    results["compare-file"] = open_and_check(screen, args.pid, main_id, "compare-file-dialog",
                                             lambda: keys(main_id, "ctrl+shift+m"), args.pictures)

    # The comparison itself follows the file's choice and a download.
    def choose_file_for_comparison():
        keys(main_id, "ctrl+shift+m")
        time.sleep(1.0)
        type_file_and_return()

    results["comparison"] = open_and_check(screen, args.pid, main_id, "comparison", choose_file_for_comparison,
                                           args.pictures)

    # Closed as a user would, through the window manager.
    activate(main_id)
    subprocess.run(["xdotool", "key", "alt+F4"], check=True)
    drive.wait_for("the window to close", lambda: drive.process_ended(args.pid), 15)

    below = [name for name, above in results.items() if not above]
    if below:
        drive.say(f"FAILED: below the main window: {', '.join(below)}")
        return 1
    drive.say(f"all {len(results)} dialogs lie above the main window")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except drive.DriveError as error:
        print(f"error: {error}", file=sys.stderr)
        sys.exit(1)
