#!/usr/bin/env bash
# Installs the dependencies, builds Orvane and opens its window against the
# simulated gimbal, the simulator's port already selected: press
# "Start Debug". Without a display it says so and watches the simulator
# from the terminal instead. The simulator stops when the demo ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target orvane orvane-sim orvane-cli

demo_dir=build/demo
mkdir -p "$demo_dir"
sim_out=$(mktemp)
build/sim/orvane-sim --name demo >"$sim_out" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -f "$sim_out"' EXIT
for _ in $(seq 50); do
  [ -s "$sim_out" ] && break
  sleep 0.1
done
port=$(head -n 1 "$sim_out")
echo "Simulated gimbal on $port"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are not set): the window cannot open."
  echo "Watching the simulated gimbal from the terminal instead (Ctrl-C ends)."
  build/tools/orvane-cli monitor --port "$port" "$@"
  exit
fi

# The window keeps its settings in its working directory; select the
# simulator's item of the port box (listed as the window lists it).
index=$(build/tools/orvane-cli ports | awk -F'\t' '$1 == "demo" { print NR - 1; exit }')
settings="$demo_dir/Setting.ini"
[ -f "$settings" ] || printf '[Setting]\nLAN=EN\n' >"$settings"
if grep -q '^COMNUM=' "$settings"; then
  sed -i "s/^COMNUM=.*/COMNUM=${index:-0}/" "$settings"
else
  sed -i "/^\[Setting\]/a COMNUM=${index:-0}" "$settings"
fi
echo "Opening the window: press \"Start Debug\" (language: LAN in $settings)."
program=$(realpath build/src/orvane)
(cd "$demo_dir" && "$program")
# A language change starts the window anew: keep the simulator for it.
while pgrep -f "^$program" >/dev/null; do
  sleep 1
done
