#!/usr/bin/env bash
# Installs the dependencies, builds Orvane and runs it against the simulated
# gimbal controller. The simulator publishes its pseudo-terminal so the port
# list shows it; it is stopped again when the demo ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target orvane-sim orvane-cli

sim_out=$(mktemp)
build/sim/orvane-sim >"$sim_out" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -f "$sim_out"' EXIT
for _ in $(seq 50); do
  [ -s "$sim_out" ] && break
  sleep 0.1
done
port=$(head -n 1 "$sim_out")
echo "Simulated gimbal on $port"

build/tools/orvane-cli monitor --port "$port" "$@"
