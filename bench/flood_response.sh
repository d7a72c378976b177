#!/usr/bin/env bash
# How fast orvane-cli answers Ctrl-C, a time-out and a hang-up while the
# simulated controller floods the line as fast as a pseudo-terminal allows
# (target: within 100 ms each). Prints one row per case, median of N runs.
#
#   bench/flood_response.sh [--runs N]    (default 5; build/ must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=5
[ "${1:-}" = --runs ] && runs=$2

sim=build/sim/orvane-sim
cli=build/tools/orvane-cli
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch
trap 'pkill -P $$ 2>/dev/null || true; rm -rf "$scratch"' EXIT

now_ms() { date +%s%3N; }

# Starts a flooding simulator; prints its pid and port path.
start_flood() {
  local name=$1; shift
  "$sim" --name "$name" --unpaced "$@" >"$scratch/$name.out" &
  local pid=$!
  for _ in $(seq 50); do [ -s "$scratch/$name.out" ] && break; sleep 0.1; done
  echo "$pid $(head -n 1 "$scratch/$name.out")"
}

# A monitor reading a flood for two seconds, then `signal` sent to the
# monitor ("cli") or to the simulator ("sim"): milliseconds until the
# monitor has ended.
monitor_end_ms() {
  local name=$1 target=$2 signal=$3
  read -r sim_pid port < <(start_flood "$name")
  "$cli" monitor --port "$port" --lines >/dev/null 2>&1 &
  local cli_pid=$!
  sleep 2
  local start; start=$(now_ms)
  if [ "$target" = cli ]; then kill "-$signal" "$cli_pid"; else kill "-$signal" "$sim_pid"; fi
  wait "$cli_pid" || true
  echo $(($(now_ms) - start))
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
}

# Ctrl-C to the monitor.
ctrl_c_ms() { monitor_end_ms "cc$1" cli INT; }

# The simulator ends: the line hangs up.
hang_up_ms() { monitor_end_ms "hu$1" sim KILL; }

# Milliseconds past the time-out before a monitor ends when the flood
# carries no live status page.
timeout_ms() {
  read -r sim_pid port < <(start_flood "to$1" --ignore-page 33)
  local start; start=$(now_ms)
  "$cli" monitor --port "$port" --timeout 1 >/dev/null 2>&1 || true
  echo $(($(now_ms) - start - 1000))
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
}


median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-10s %10s %10s\n' case "median ms" "max ms"
for case in ctrl_c timeout hang_up; do
  values=$(for run in $(seq "$runs"); do "${case}_ms" "$run"; done)
  printf '%-10s %10s %10s\n' "$case" "$(echo "$values" | median)" "$(echo "$values" | sort -n | tail -n 1)"
done
