#!/usr/bin/env bash
# Ingest with the io pane drawn: vel.exe under Wine, in Xvfb, takes 100 MB
# of macro output (80-byte lines) from the Windows stand-in and draws it.
# Prints the throughput and vel's peak memory (from the Wine host process).
#
#   bench/ingest_wine.sh [MEGABYTES]     (build the win64 preset first)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=../scripts/wine-env
source "$ROOT/scripts/wine-env"
WIN64="${VEL_WIN64_DIR:-$VEL_BUILD_ROOT/win64}"
VEL_EXE="$WIN64/vel.exe"
SIM_EXE="$WIN64/tools/ostra-sim/ostra-sim.exe"
PROBE_EXE="$WIN64/velprobe.exe"
megabytes="${1:-100}"
[ -f "$VEL_EXE" ] && [ -f "$SIM_EXE" ] || { echo "ingest_wine: build the win64 preset first" >&2; exit 1; }

work="$(mktemp -d)"
line="$(printf '%079d' 0 | tr 0 o)"
lines=$((megabytes * 1024 * 1024 / 80))
printf 'send |running|\nflood %d %s\\n\nsend |end|\nexpect eof\n' "$lines" "$line" >"$work/flood.scn"
echo "say 'flood'" >"$work/m.rexx"

vel_wine_lock 600
vel_display
vel_wine_prefix
vel_wine_desktop on
cleanup() {
  [ -n "${vel_pid:-}" ] && kill -KILL "$vel_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  vel_display_stop
  rm -rf "$work"
}
trap cleanup EXIT

export OSTRA="\"$(winepath -w "$SIM_EXE")\" --scenario $(winepath -w "$work/flood.scn")"
start=$(date +%s%N)
command wine "$VEL_EXE" "$(winepath -w "$work/m.rexx")" >/dev/null 2>&1 8>&- 9>&- &
vel_pid=$!
wine "$PROBE_EXE" wait-title VEL "waiting user input" 600000 >/dev/null
end=$(date +%s%N)
rss_kib="$(awk '/VmHWM/ { print $2 }' "/proc/$vel_pid/status")"
ms=$(((end - start) / 1000000))
rate="$(awk -v mb="$megabytes" -v ms="$ms" 'BEGIN { printf "%.1f", mb / (ms / 1000) }')"
echo "vel.exe under Wine: $megabytes MiB drawn in $ms ms (start-up included): $rate MiB/s, peak memory $((rss_kib / 1024)) MiB"
