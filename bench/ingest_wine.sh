#!/usr/bin/env bash
# Ingest with the io pane drawn: vel.exe under Wine, in Xvfb, takes MiB of
# macro output (80-byte lines) from the Windows stand-in and draws it. Timed
# from the moment the stand-in starts sending the output to the moment vel
# has taken it all and shows the end (start-up is not counted); five runs,
# median with min and max, and vel's peak memory.
#
#   bench/ingest_wine.sh [MEGABYTES] [RUNS]     (build the win64 preset first)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=../scripts/wine-env
source "$ROOT/scripts/wine-env"
WIN64="${VEL_WIN64_DIR:-$VEL_BUILD_ROOT/win64}"
VEL_EXE="$WIN64/vel.exe"
SIM_EXE="$WIN64/tools/ostra-sim/ostra-sim.exe"
PROBE_EXE="$WIN64/velprobe.exe"
megabytes="${1:-100}"
runs="${2:-5}"
[ -f "$VEL_EXE" ] && [ -f "$SIM_EXE" ] || { echo "ingest_wine: build the win64 preset first" >&2; exit 1; }

work="$(mktemp -d)"
line="$(printf '%079d' 0 | tr 0 o)"
lines=$((megabytes * 1024 * 1024 / 80))
echo "say 'flood'" >"$work/m.rexx"

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

# The mark file's time is when the stand-in began to send the output.
mark="$work/first-byte"
printf 'send |running|\ntouch %s\nflood %d %s\\n\nsend |end|\nexpect eof\n' \
  "$(winepath -w "$mark" | sed 's/\\/\\\\/g')" "$lines" "$line" >"$work/flood.scn"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --scenario $(winepath -w "$work/flood.scn")"

times=()
peak_kib=0
for run in $(seq "$runs"); do
  rm -f "$mark"
  command wine "$VEL_EXE" "$(winepath -w "$work/m.rexx")" >/dev/null 2>&1 8>&- 9>&- &
  vel_pid=$!
  wine "$PROBE_EXE" wait-title VEL "waiting user input" 600000 >/dev/null
  end=$(date +%s%N)
  [ -f "$mark" ] || { echo "ingest_wine: the stand-in never began the output" >&2; exit 1; }
  start="$(stat -c %.9Y "$mark" | tr -d .)"
  rss_kib="$(awk '/VmHWM/ { print $2 }' "/proc/$vel_pid/status")"
  [ "$rss_kib" -gt "$peak_kib" ] && peak_kib=$rss_kib
  kill -KILL "$vel_pid" 2>/dev/null || true
  wait "$vel_pid" 2>/dev/null || true
  vel_pid=""
  ms=$(((end - start) / 1000000))
  times+=("$ms")
  echo "run $run: $megabytes MiB in $ms ms"
done

sorted="$(printf '%s\n' "${times[@]}" | sort -n)"
rate() { awk -v mb="$megabytes" -v ms="$1" 'BEGIN { printf "%.1f", mb / (ms / 1000) }'; }
median_ms="$(echo "$sorted" | awk -v n="$runs" 'NR == int((n + 1) / 2)')"
fastest_ms="$(echo "$sorted" | head -1)"
slowest_ms="$(echo "$sorted" | tail -1)"
echo "vel.exe under Wine, first output byte to the end, $runs runs of $megabytes MiB:" \
  "median $(rate "$median_ms") MiB/s (min $(rate "$slowest_ms"), max $(rate "$fastest_ms")), peak memory $((peak_kib / 1024)) MiB"
