# Shared by the demo and the screenshots: a copy of the ready-to-run folder
# whose Data/Config.txt points at a simulated game server in lively mode on
# free loopback ports. Source it, then call:
#
#   prepare_run_folder <build-dir> <run-dir>
#   start_simulator <run-dir> [more simulator options]
#                                     (sets sim_pid, rcon_port, http_port, control_port)
#   write_config <run-dir>
#
# stop_simulator stops it again; the caller traps it on EXIT.

sim_password="demo"
sim_hostname="Corvane Demo Server"
sim_max_clients=18
sim_log_path="/logs/games_mp.log"
sim_pid=""

die() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

prepare_run_folder() {
  local build="$1" run="$2"
  local dist="$build/dist"
  gamesim="$build/tools/gamesim/gamesim"
  [ -x "$gamesim" ] || die "the simulator is missing: $gamesim (build first: make build)"
  for f in corvane-mod corvane-mod-headless; do
    [ -x "$dist/$f" ] || die "the ready-to-run folder is incomplete: $dist/$f is missing (build first: make build)"
  done
  [ -d "$dist/Data" ] || die "the ready-to-run folder has no Data/: $dist/Data"
  # A fresh copy every time; the build's own folder stays untouched.
  rm -rf "$run"
  mkdir -p "$run"
  cp -R "$dist/." "$run/"
  mkdir -p "$run/Logs"
}

stop_simulator() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}

start_simulator() {
  local run="$1" ports=""
  shift
  "$gamesim" --lively --rcon-port 0 --http-port 0 --control-port 0 \
    --password "$sim_password" --hostname "$sim_hostname" --max-clients "$sim_max_clients" \
    --log-path "$sim_log_path" --exclude "mp_nuked" \
    --journal "$run/gamesim-journal.jsonl" --log-file "$run/gamesim-server-log.txt" "$@" \
    </dev/null >"$run/gamesim-ports.txt" 2>"$run/gamesim-errors.txt" &
  sim_pid=$!
  for _ in $(seq 1 100); do
    ports="$(head -n 1 "$run/gamesim-ports.txt" 2>/dev/null || true)"
    [ -n "$ports" ] && break
    kill -0 "$sim_pid" 2>/dev/null || die "the simulator did not start: $(cat "$run/gamesim-errors.txt")"
    sleep 0.1
  done
  [ -n "$ports" ] || die "the simulator did not report its ports"
  rcon_port="$(printf '%s\n' "$ports" | sed -n 's/.*"rcon":\([0-9][0-9]*\).*/\1/p')"
  http_port="$(printf '%s\n' "$ports" | sed -n 's/.*"http":\([0-9][0-9]*\).*/\1/p')"
  control_port="$(printf '%s\n' "$ports" | sed -n 's/.*"control":\([0-9][0-9]*\).*/\1/p')"
  [ -n "$rcon_port" ] && [ -n "$http_port" ] || die "cannot read the ports from: $ports"
}

# Data/Config.txt: eight lines, CR LF after each.
write_config() {
  local run="$1"
  printf '%s\r\n' \
    "Demo" \
    "$rcon_port" \
    "127.0.0.1" \
    "$sim_password" \
    "http://127.0.0.1:$http_port$sim_log_path" \
    " $sim_max_clients" \
    "$sim_hostname" \
    "\"mp_nuked\"" >"$run/Data/Config.txt"
}
