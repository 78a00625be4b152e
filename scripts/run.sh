#!/usr/bin/env bash
# Installs what is missing, builds, starts the switcher simulator on a pseudo-terminal and
# starts the controller window. In the window choose "COM control mode", pick the port named
# after the simulator's link (ttySIM0) and click Connect.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

# The window lists the terminal the simulator publishes in the user's runtime folder.
runtime_dir="${XDG_RUNTIME_DIR:-${TMPDIR:-/tmp}/runtime-$(id -un)}"
mkdir -p -m 0700 "$runtime_dir/matrix-sim"
link="$runtime_dir/matrix-sim/ttySIM0"

build/sim/matrix-sim --link "$link" --wire-time --quiet &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
sleep 1
echo "Switcher simulator running: serial port $link (listed as ttySIM0)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the window on a virtual X display (xvfb-run)."
  xvfb-run -a build/app/gui-controller
else
  build/app/gui-controller
fi
