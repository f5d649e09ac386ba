#!/usr/bin/env bash
# The demo: a simulated game server in lively mode on free loopback ports, and
# a demo copy of the ready-to-run folder whose Data/Config.txt points at it.
# Runs the window when a display is available, otherwise the headless program
# (its activity log on this terminal) until Ctrl-C. The simulator is stopped
# whenever this script ends.
#
#   scripts/demo.sh <build-dir>
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$repo/$build" ;; esac
run="$repo/demo-run"

# shellcheck source=lib/simulator.sh
. "$repo/scripts/lib/simulator.sh"

prepare_run_folder "$build" "$run"
trap stop_simulator EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_simulator "$run"
write_config "$run"

echo "Simulated game server: RCON udp/127.0.0.1:$rcon_port, log http://127.0.0.1:$http_port$sim_log_path"
echo "Simulator control: printf 'chat 1 !rules\\n' | nc 127.0.0.1 $control_port   (see tools/gamesim/README.md)"
echo "Demo folder: $run"

cd "$run"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  ./corvane-mod
else
  echo "No display: running corvane-mod-headless; press Ctrl-C to stop."
  ./corvane-mod-headless
fi
