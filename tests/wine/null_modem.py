#!/usr/bin/env python3
"""Two pseudo-terminals joined like a null-modem cable and published to Wine
as two COM ports, for the Windows serial tests.

Every byte written to one port is read from the other. The helper keeps the
slave sides open itself, so a port that Wine closes and opens again finds
the cable still there. When the --vanish file appears, the first port's far
end goes away for good (as when an adapter is unplugged): its master is
closed and the helper ends. The helper also ends on SIGTERM.
"""
import argparse
import os
import pty
import select
import signal
import sys
import tty

POLL_SECONDS = 0.02


def open_port(dosdevices, name):
    master, slave = pty.openpty()
    tty.setraw(slave)
    os.set_blocking(master, False)
    link = os.path.join(dosdevices, name)
    if os.path.lexists(link):
        os.unlink(link)
    os.symlink(os.ttyname(slave), link)
    return master, slave, link


def write_all(fd, data):
    while data:
        try:
            data = data[os.write(fd, data):]
        except BlockingIOError:
            select.select([], [fd], [])


def relay(ends, vanish_file):
    masters = [end[0] for end in ends]
    while not (vanish_file and os.path.exists(vanish_file)):
        readable, _, _ = select.select(masters, [], [], POLL_SECONDS)
        for fd in readable:
            try:
                data = os.read(fd, 65536)
            except (BlockingIOError, OSError):
                continue
            write_all(masters[1] if fd == masters[0] else masters[0], data)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--prefix", required=True, help="the Wine prefix")
    parser.add_argument("--ports", nargs=2, default=["com5", "com6"])
    parser.add_argument("--ready", required=True, help="file written once the ports exist")
    parser.add_argument("--vanish", help="file whose appearance unplugs the first port")
    options = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    dosdevices = os.path.join(options.prefix, "dosdevices")
    ends = [open_port(dosdevices, name) for name in options.ports]
    with open(options.ready, "w") as ready:
        ready.write(" ".join(os.ttyname(end[1]) for end in ends) + "\n")
    try:
        relay(ends, options.vanish)
    finally:
        for master, slave, link in ends:
            os.close(slave)
            os.close(master)
            os.unlink(link)


if __name__ == "__main__":
    main()
