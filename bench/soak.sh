#!/usr/bin/env bash
# Soak run of orvane-cli against the simulator:
#  - for the whole run, one `monitor` on an unpaced simulator (a flood),
#    its resident size sampled every 30 s;
#  - meanwhile, cycles through every fault mode of the simulator: each cycle
#    uploads the reference parameter set with --flash, downloads it again
#    and compares it with the reference (no set lost or altered), runs a
#    command, and ends with a hang-up under a running monitor. Every step's
#    exit status and message are checked against what it must report.
#
#   bench/soak.sh [--minutes N]    (default 30; build/ must be built)
#
# Prints one line per step and a report; status 1 when a step reported
# something else than it should, or the flood monitor's memory grew.
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
  echo "soak: $*" >&2
  exit 2
}

minutes=30
while [ $# -gt 0 ]; do
  case $1 in
    --minutes) [ $# -ge 2 ] || die "--minutes needs a value"; minutes=$2; shift 2 ;;
    --minutes=*) minutes=${1#*=}; shift ;;
    *) die "usage: $0 [--minutes N]" ;;
  esac
done
[[ $minutes =~ ^[0-9]+$ && $minutes -ge 1 ]] || die "--minutes must be a whole number >= 1"
cli=${ORVANE_CLI:-build/tools/orvane-cli}
sim=${ORVANE_SIM:-build/sim/orvane-sim}
{ [ -x "$cli" ] && [ -x "$sim" ]; } || die "build orvane-cli and orvane-sim first (or set ORVANE_CLI, ORVANE_SIM)"

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# Fault modes, one per cycle in turn: name, simulator options, and the exit
# status plus message part the transfers must end with.
faults=(
  "clean||0|"
  "crc-errors|--crc-error-rate 0.3|0|"
  "dropped-bytes|--drop-rate 0.0005|0|"
  "garbage|--garbage-rate 0.002|0|"
  "flood|--unpaced|0|"
  "silent|--silent-after 0|2|no bytes at all"
)

steps=0
failures=0
log() { printf '%s %s\n' "$(date +%T)" "$*"; }

# Starts a simulator named $1 with the options $2; sets sim_port, sim_pid.
start_sim() {
  local name=$1 options=$2
  # shellcheck disable=SC2086
  "$sim" --name "$name" --seed "$RANDOM" --state "$scratch/flash.rkdp" --cal-seconds 0.2 $options \
    >"$scratch/$name.port" &
  sim_pid=$!
  pids+=("$sim_pid")
  sim_port=""
  for _ in $(seq 50); do
    sim_port=$(head -n1 "$scratch/$name.port" 2>/dev/null || true)
    [ -n "$sim_port" ] && return 0
    sleep 0.1
  done
  die "simulator $name published no port"
}

stop_sim() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# verdict NAME EXPECTED_STATUS EXPECTED_MESSAGE_PART STATUS ERROR_FILE
verdict() {
  local name=$1 want=$2 part=$3 got=$4 err=$5
  steps=$((steps + 1))
  if [ "$got" -eq "$want" ] && { [ -z "$part" ] || grep -qF "$part" "$err"; }; then
    log "ok    $name (status $got)"
  else
    failures=$((failures + 1))
    log "FAIL  $name: status $got, wanted $want${part:+ and \"$part\"}: $(tr '\n' ' ' <"$err")"
  fi
}

# check NAME EXPECTED_STATUS EXPECTED_MESSAGE_PART -- command...
check() {
  local name=$1 want=$2 part=$3
  shift 4
  local got=0
  "$@" >"$scratch/out" 2>"$scratch/err" || got=$?
  verdict "$name" "$want" "$part" "$got" "$scratch/err"
}

# The reference set: the simulator's factory set, as a clean download gives it.
start_sim soak-ref ""
check "reference download" 0 "" -- "$cli" download --port "$sim_port" "$scratch/reference.rkdp"
stop_sim "$sim_pid"
[ -s "$scratch/reference.rkdp" ] || die "no reference set"

start_sim soak-background-flood "--unpaced"
"$cli" monitor --port "$sim_port" --lines >/dev/null 2>"$scratch/flood.err" &
flood_monitor=$!
pids+=("$flood_monitor")
rss_samples=()
next_sample=$SECONDS

sample_flood_monitor() {
  if [ "$SECONDS" -ge "$next_sample" ]; then
    rss_samples+=("$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$flood_monitor/status" 2>/dev/null || echo gone)")
    next_sample=$((SECONDS + 30))
  fi
}

end=$((SECONDS + minutes * 60))
cycle=0
while [ "$SECONDS" -lt "$end" ]; do
  IFS='|' read -r fault options status part <<<"${faults[cycle % ${#faults[@]}]}"
  cycle=$((cycle + 1))
  log "cycle $cycle: $fault"
  start_sim "soak-$fault" "$options"
  check "$fault: upload --flash" "$status" "$part" -- \
    "$cli" upload --port "$sim_port" --flash --timeout 5 "$scratch/reference.rkdp"
  rm -f "$scratch/back.rkdp"
  check "$fault: download" "$status" "$part" -- \
    "$cli" download --port "$sim_port" --timeout 5 "$scratch/back.rkdp"
  if [ "$status" -eq 0 ]; then
    check "$fault: set unchanged" 0 "" -- "$cli" diff "$scratch/reference.rkdp" "$scratch/back.rkdp"
  fi
  check "$fault: command run" "$status" "$part" -- "$cli" command --port "$sim_port" --timeout 5 run
  sample_flood_monitor
  # A hang-up under a running monitor: the port's loss must be reported.
  "$cli" monitor --port "$sim_port" --lines --timeout 5 >/dev/null 2>"$scratch/hangup.err" &
  monitor=$!
  sleep 1
  stop_sim "$sim_pid"
  hangup_status=0
  wait "$monitor" || hangup_status=$?
  verdict "$fault: hang-up under monitor" 3 "was lost" "$hangup_status" "$scratch/hangup.err"
  sample_flood_monitor
done

flood_alive=yes
kill -0 "$flood_monitor" 2>/dev/null || flood_alive=no
next_sample=0
sample_flood_monitor
kill -INT "$flood_monitor" 2>/dev/null || true
flood_status=0
wait "$flood_monitor" || flood_status=$?

first=${rss_samples[0]}
last=${rss_samples[-1]}
max=$(printf '%s\n' "${rss_samples[@]}" | grep -v gone | sort -n | tail -n1)
echo
echo "soak report, $minutes min, $cycle cycles"
printf "%-36s %s\n" "steps checked" "$steps"
printf "%-36s %s\n" "steps that reported wrongly" "$failures"
printf "%-36s %s\n" "flood monitor alive to the end" "$flood_alive (status $flood_status after Ctrl-C)"
printf "%-36s %s\n" "flood monitor RSS KiB first/last/max" "$first / $last / $max"
printf "%-36s %s\n" "flood monitor RSS samples (30 s)" "${rss_samples[*]}"
# Flat: the last sample within 1 MiB of the first.
if [ "$failures" -ne 0 ] || [ "$flood_alive" != yes ] || [ "$flood_status" -ne 0 ] ||
  [ "$last" = gone ] || [ $((last - first)) -gt 1024 ]; then
  exit 1
fi
