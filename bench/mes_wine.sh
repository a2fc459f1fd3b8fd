#!/usr/bin/env bash
# Command pane messages under Wine: the Windows stand-in sends COUNT messages
# ("mes", "mes0" or "prompt", in turn) in one burst, then the end; vel.exe,
# in Xvfb, takes and draws them. Timed from the first message sent to the
# moment vel shows the end; five runs, median with min and max, in messages
# a second.
#
#   bench/mes_wine.sh [COUNT] [RUNS]     (build the win64 preset first)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=../scripts/wine-env
source "$ROOT/scripts/wine-env"
WIN64="${VEL_WIN64_DIR:-$VEL_BUILD_ROOT/win64}"
VEL_EXE="$WIN64/vel.exe"
SIM_EXE="$WIN64/tools/ostra-sim/ostra-sim.exe"
PROBE_EXE="$WIN64/velprobe.exe"
count="${1:-20000}"
runs="${2:-5}"
[ -f "$VEL_EXE" ] && [ -f "$SIM_EXE" ] || { echo "mes_wine: build the win64 preset first" >&2; exit 1; }

work="$(mktemp -d)"
echo "say 'messages'" >"$work/m.rexx"

vel_wine_lock 600
vel_display
vel_wine_prefix
vel_wine_server_stop
vel_wine_desktop on
vel_wine_server_start
cleanup() {
  [ -n "${vel_pid:-}" ] && kill -KILL "$vel_pid" 2>/dev/null || true
  vel_wine_server_stop
  vel_display_stop
  rm -rf "$work"
}
trap cleanup EXIT

mark="$work/first-message"
{
  printf 'send |running|\ntouch %s\n' "$(winepath -w "$mark" | sed 's/\\/\\\\/g')"
  awk -v n="$count" 'BEGIN {
    for (i = 0; i < n; i++) {
      k = i % 3
      if (k == 0) printf "send |mes|message %d from the macro\n", i
      else if (k == 1) printf "send |mes0|appended line %d\n", i
      else print "send |prompt|"
    }
  }'
  printf 'send |end|\nexpect eof\n'
} >"$work/burst.scn"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --scenario $(winepath -w "$work/burst.scn")"

times=()
for run in $(seq "$runs"); do
  rm -f "$mark"
  command wine "$VEL_EXE" "$(winepath -w "$work/m.rexx")" >/dev/null 2>&1 8>&- 9>&- &
  vel_pid=$!
  wine "$PROBE_EXE" wait-title VEL "waiting user input" 600000 >/dev/null
  end=$(date +%s%N)
  [ -f "$mark" ] || { echo "mes_wine: the stand-in never began the burst" >&2; exit 1; }
  start="$(stat -c %.9Y "$mark" | tr -d .)"
  [ -n "${VEL_BENCH_SHOT:-}" ] && [ "$run" -eq 1 ] && import -window root "$VEL_BENCH_SHOT"
  kill -KILL "$vel_pid" 2>/dev/null || true
  wait "$vel_pid" 2>/dev/null || true
  vel_pid=""
  ms=$(((end - start) / 1000000))
  times+=("$ms")
  echo "run $run: $count messages in $ms ms"
done

sorted="$(printf '%s\n' "${times[@]}" | sort -n)"
rate() { awk -v n="$count" -v ms="$1" 'BEGIN { printf "%.0f", n / (ms / 1000) }'; }
median_ms="$(echo "$sorted" | awk -v n="$runs" 'NR == int((n + 1) / 2)')"
echo "vel.exe under Wine, $runs bursts of $count messages (mes, mes0, prompt):" \
  "median $(rate "$median_ms")/s (min $(rate "$(echo "$sorted" | tail -1)")/s, max $(rate "$(echo "$sorted" | head -1)")/s)"
