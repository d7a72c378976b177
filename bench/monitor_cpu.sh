#!/usr/bin/env bash
# CPU and memory of `orvane-cli monitor` against the simulated gimbal at the
# default rates (send period 10 ms, simulator period 10 ms). Each program
# given is run in turn, --repeats times, against its own simulator; the
# table shows per program the median CPU % of one core over the run, the
# median peak resident size and the growth of the resident size from the
# first sample (after 5 s) to the last (target: CPU < 1.5 %, growth 0).
#
#   bench/monitor_cpu.sh [--seconds N] [--repeats N] [LABEL=CLI ...]
#
# Without programs it measures build/tools/orvane-cli. To compare two
# builds in one run: bench/monitor_cpu.sh before=/tmp/old-cli after=build/tools/orvane-cli
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
  echo "monitor_cpu: $*" >&2
  exit 2
}

seconds=60
repeats=1
programs=()
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) [ $# -ge 2 ] || die "--seconds needs a value"; seconds=$2; shift 2 ;;
    --repeats) [ $# -ge 2 ] || die "--repeats needs a value"; repeats=$2; shift 2 ;;
    *=*) programs+=("$1"); shift ;;
    *) die "usage: $0 [--seconds N] [--repeats N] [LABEL=CLI ...]" ;;
  esac
done
[[ $seconds =~ ^[0-9]+$ && $seconds -ge 10 ]] || die "--seconds must be a whole number >= 10"
[[ $repeats =~ ^[0-9]+$ && $repeats -ge 1 ]] || die "--repeats must be a whole number >= 1"
[ ${#programs[@]} -gt 0 ] || programs=("current=build/tools/orvane-cli")
sim=${ORVANE_SIM:-build/sim/orvane-sim}
[ -x "$sim" ] || die "no simulator at $sim (build orvane-sim or set ORVANE_SIM)"

ticks_per_second=$(getconf CLK_TCK)
scratch=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# utime + stime of a process, in clock ticks (fields 14 and 15 of stat,
# counted after the command name, which may hold spaces).
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  local fields
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

resident_kib() {
  awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One run: prints "cpu_percent peak_kib growth_kib".
measure() {
  local cli=$1 name="monitor-cpu-$$"
  "$sim" --name "$name" --seed 1 >"$scratch/sim.out" &
  sim_pid=$!
  local port=""
  for _ in $(seq 50); do
    port=$(head -n1 "$scratch/sim.out" 2>/dev/null || true)
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || die "the simulator published no port"
  "$cli" monitor --port "$port" --lines >/dev/null 2>"$scratch/cli.err" &
  local cli_pid=$!
  sleep 5
  local first_rss start_ticks
  first_rss=$(resident_kib "$cli_pid" VmRSS)
  start_ticks=$(cpu_ticks "$cli_pid")
  sleep "$((seconds - 5))"
  local end_ticks last_rss peak
  end_ticks=$(cpu_ticks "$cli_pid")
  last_rss=$(resident_kib "$cli_pid" VmRSS)
  peak=$(resident_kib "$cli_pid" VmHWM)
  kill -INT "$cli_pid"
  wait "$cli_pid" || die "$cli ended with status $?: $(cat "$scratch/cli.err")"
  kill "$sim_pid"
  wait "$sim_pid" || true
  sim_pid=""
  awk -v t=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" -v s=$((seconds - 5)) \
    -v peak="$peak" -v growth=$((last_rss - first_rss)) \
    'BEGIN { printf "%.3f %d %d\n", 100 * t / hz / s, peak, growth }'
}

for ((run = 0; run < repeats; ++run)); do
  for entry in "${programs[@]}"; do
    measure "${entry#*=}" >>"$scratch/${entry%%=*}.runs"
  done
done

printf "orvane-cli monitor, %d s per run (CPU counted after 5 s), %d run(s) each\n" "$seconds" "$repeats"
printf "%-12s %14s %14s %16s\n" "program" "median CPU %" "peak RSS KiB" "RSS growth KiB"
for entry in "${programs[@]}"; do
  runs="$scratch/${entry%%=*}.runs"
  printf "%-12s %14s %14s %16s\n" "${entry%%=*}" \
    "$(cut -d' ' -f1 "$runs" | median)" "$(cut -d' ' -f2 "$runs" | median)" "$(cut -d' ' -f3 "$runs" | median)"
done
