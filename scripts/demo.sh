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

dist="$build/dist"
gamesim="$build/tools/gamesim/gamesim"
run="$repo/demo-run"

die() {
  echo "demo: $*" >&2
  exit 1
}

[ -x "$gamesim" ] || die "the simulator is missing: $gamesim (build first: make build)"
for f in corvane-mod corvane-mod-headless; do
  [ -x "$dist/$f" ] || die "the ready-to-run folder is incomplete: $dist/$f is missing (build first: make build)"
done
[ -d "$dist/Data" ] || die "the ready-to-run folder has no Data/: $dist/Data"

# A fresh demo copy every time; the build's own folder stays untouched.
rm -rf "$run"
mkdir -p "$run"
cp -R "$dist/." "$run/"
mkdir -p "$run/Logs"

password="demo"
hostname="Corvane Demo Server"
max_clients=18
log_path="/logs/games_mp.log"

sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_simulator EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

"$gamesim" --lively --rcon-port 0 --http-port 0 --control-port 0 \
  --password "$password" --hostname "$hostname" --max-clients "$max_clients" \
  --log-path "$log_path" --exclude "mp_nuked" \
  --journal "$run/gamesim-journal.jsonl" --log-file "$run/gamesim-server-log.txt" \
  </dev/null >"$run/gamesim-ports.txt" 2>"$run/gamesim-errors.txt" &
sim_pid=$!

ports=""
for _ in $(seq 1 100); do
  ports="$(head -n 1 "$run/gamesim-ports.txt" 2>/dev/null || true)"
  [ -n "$ports" ] && break
  kill -0 "$sim_pid" 2>/dev/null || die "the simulator did not start: $(cat "$run/gamesim-errors.txt")"
  sleep 0.1
done
[ -n "$ports" ] || die "the simulator did not report its ports"

port_of() { printf '%s\n' "$ports" | sed -n "s/.*\"$1\":\([0-9][0-9]*\).*/\1/p"; }
rcon_port="$(port_of rcon)"
http_port="$(port_of http)"
control_port="$(port_of control)"
[ -n "$rcon_port" ] && [ -n "$http_port" ] || die "cannot read the ports from: $ports"

# Data/Config.txt: eight lines, CR LF after each.
printf '%s\r\n' \
  "Demo" \
  "$rcon_port" \
  "127.0.0.1" \
  "$password" \
  "http://127.0.0.1:$http_port$log_path" \
  " $max_clients" \
  "$hostname" \
  "\"mp_nuked\"" >"$run/Data/Config.txt"

echo "Simulated game server: RCON udp/127.0.0.1:$rcon_port, log http://127.0.0.1:$http_port$log_path"
echo "Simulator control: printf 'chat 1 !rules\\n' | nc 127.0.0.1 $control_port   (see tools/gamesim/README.md)"
echo "Demo folder: $run"

cd "$run"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  ./corvane-mod
else
  echo "No display: running corvane-mod-headless; press Ctrl-C to stop."
  ./corvane-mod-headless
fi
