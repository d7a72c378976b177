#!/usr/bin/python3
"""Samples one process's CPU time (utime + stime of all its threads) and
resident memory once a second, then prints per-window CPU figures and the
memory trend against the window's targets."""

import argparse
import os
import statistics
import sys
import time

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
CPU_TARGET_PERCENT = 5.0
RSS_TARGET_MB = 80.0
# Below this the resident size counts as flat (allocator noise, page cache).
FLAT_SLOPE_MB_PER_MIN = 0.5


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # Fields 14 and 15 of the file; the split starts at field 3.
    return int(fields[11]) + int(fields[12])


def rss_mb(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError(f"process {pid} reports no VmRSS")


def sample(pid, seconds):
    """Per-second CPU % of one core, and RSS in MB at each second."""
    cpu, rss = [], []
    start = time.monotonic()
    last_ticks, last_time = cpu_ticks(pid), start
    rss.append(rss_mb(pid))
    for second in range(1, seconds + 1):
        time.sleep(max(0.0, start + second - time.monotonic()))
        ticks, now = cpu_ticks(pid), time.monotonic()
        cpu.append(100.0 * (ticks - last_ticks) / TICKS_PER_SECOND / (now - last_time))
        rss.append(rss_mb(pid))
        last_ticks, last_time = ticks, now
    return cpu, rss


def slope_per_minute(values):
    """Least-squares slope of one-a-second samples, per minute."""
    xs = range(len(values))
    mean_x, mean_y = statistics.fmean(xs), statistics.fmean(values)
    spread = sum((x - mean_x) ** 2 for x in xs)
    return 60.0 * sum((x - mean_x) * (y - mean_y) for x, y in zip(xs, values)) / spread if spread else 0.0


def verdict(ok):
    return "ok" if ok else "OVER TARGET"


def report(cpu, rss, window, cpu_target):
    print(f"{'seconds':>9} {'median CPU %':>13} {'max CPU %':>10}")
    medians = []
    for first in range(0, len(cpu), window):
        chunk = cpu[first:first + window]
        medians.append(statistics.median(chunk))
        print(f"{first:>4}-{first + len(chunk):<4} {medians[-1]:>13.1f} {max(chunk):>10.1f}")
    overall = statistics.median(cpu)
    slope = slope_per_minute(rss)
    print(f"CPU median over the run {overall:.1f} % of one core, mean {statistics.fmean(cpu):.1f} %, "
          f"max {max(cpu):.1f} % (target <= {cpu_target:g} %): {verdict(overall <= cpu_target)}")
    print(f"RSS start {rss[0]:.1f} MB, middle {rss[len(rss) // 2]:.1f} MB, end {rss[-1]:.1f} MB, "
          f"max {max(rss):.1f} MB (target <= {RSS_TARGET_MB:g} MB): {verdict(max(rss) <= RSS_TARGET_MB)}")
    print(f"RSS slope {slope:+.2f} MB/min (flat within +-{FLAT_SLOPE_MB_PER_MIN:g}): "
          f"{verdict(abs(slope) <= FLAT_SLOPE_MB_PER_MIN)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--window", type=int, default=5, help="seconds per row of the CPU table")
    parser.add_argument("--cpu-target", type=float, default=CPU_TARGET_PERCENT,
                        help="median CPU %% of one core the run must stay within")
    args = parser.parse_args()
    if args.seconds < 2:
        parser.error("--seconds must be at least 2")
    try:
        cpu, rss = sample(args.pid, args.seconds)
    except FileNotFoundError:
        print(f"window_sampler: process {args.pid} ended during the run", file=sys.stderr)
        return 1
    report(cpu, rss, args.window, args.cpu_target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
