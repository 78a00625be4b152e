#!/usr/bin/env bash
# Installs what is missing, builds the window and the simulator, starts the switcher simulator
# on a pseudo-terminal and then the controller window. A first start opens in COM control
# mode with the simulator's port (ttySIM0) chosen: click Connect.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh gui-controller matrix-sim

# The window lists the terminal the simulator publishes in the user's runtime folder.
runtime_dir="${XDG_RUNTIME_DIR:-${TMPDIR:-/tmp}/runtime-$(id -un)}"
mkdir -p -m 0700 "$runtime_dir" "$runtime_dir/matrix-sim"
link="$runtime_dir/matrix-sim/ttySIM0"

# Settings for a first start only; the operator's own file is never touched. The program
# keeps it beside itself, and it writes every other key on its first save.
settings=build/app/Settings.ini
if [ ! -e "$settings" ]; then
  printf '[Control mode]\nMode=0\n[COM port]\nName=%s\n' "$link" >"$settings"
  echo "First start: $settings chooses COM control mode and the simulator's port."
fi

# It also plays the switcher's Ethernet module on a loopback address of its own: in TCP control
# mode, "Search ..." finds it by the address 127.0.0.2 (a broadcast does not reach loopback).
build/sim/matrix-sim --link "$link" --wire-time --quiet \
  --tcp 127.0.0.2 --port 8000 --udp-address 127.0.0.2 --module-ip 127.0.0.2 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "$link" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "The switcher simulator did not start." >&2; exit 1; }
  sleep 0.1
done
echo "Switcher simulator running on serial port $link and as TCP control device 127.0.0.2"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the window on a virtual X display (xvfb-run)."
  xvfb-run -a build/app/gui-controller
else
  build/app/gui-controller
fi
