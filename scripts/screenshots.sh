#!/usr/bin/env bash
# Pictures of the operator window for the README: the simulated game server
# in lively mode, Corvane Mod against it on the offscreen platform for a while
# (bots join, chat and fight), then a PNG of every top tab and sub-tab, the
# admin action dialog, the log viewer and the server settings wizard in
# docs/screenshots/.
#
#   scripts/screenshots.sh <build-dir> [seconds to let the game run, default 30]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$repo/$build" ;; esac
wait_seconds="${2:-30}"
run="$build/screenshots-run"
out="$repo/docs/screenshots"
tool="$build/tools/screenshots/corvane-screenshots"

# shellcheck source=lib/simulator.sh
. "$repo/scripts/lib/simulator.sh"

[ -x "$tool" ] || die "the screenshot tool is missing: $tool (build first: make build)"
prepare_run_folder "$build" "$run"
trap stop_simulator EXIT
# A server up for a while (the status bar shows its uptime) that starts a new
# match once Corvane Mod reads its log (the match's game type shows).
printf '%s\n' "12 rotate" >"$run/screenshots-scenario.txt"
start_simulator "$run" --uptime 4980 --scenario "$run/screenshots-scenario.txt"
write_config "$run"

mkdir -p "$out"
rm -f "$out"/*.png
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
  "$tool" --app-dir "$run" --out "$out" --wait "$wait_seconds" 2>"$run/screenshots-errors.txt"
echo "Pictures in $out"
