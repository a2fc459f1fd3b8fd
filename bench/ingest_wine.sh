#!/usr/bin/env bash
# Ingest with the io pane drawn: vel.exe under Wine, in Xvfb, takes MiB of
# macro output (80-byte lines) from the Windows stand-in and draws it. Timed
# from the moment the stand-in starts sending the output to the moment vel
# has taken it all and shows the end (start-up is not counted); five runs,
# median with min and max, and vel's peak memory. VEL_BENCH_SHOT=FILE keeps
# a screenshot of the first run's end.
#
#   bench/ingest_wine.sh [MEGABYTES] [RUNS]     (build the win64 preset first)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_runs.sh"
megabytes="${1:-100}"
runs="${2:-5}"
wine_runs_begin ingest_wine

line="$(printf '%079d' 0 | tr 0 o)"
lines=$((megabytes * 1024 * 1024 / 80))
{
  printf 'send |running|\n'
  wine_runs_touch_mark
  printf 'flood %d %s\\n\nsend |end|\nexpect eof\n' "$lines" "$line"
} >"$work/flood.scn"

wine_runs_play "$work/flood.scn" "$runs"
read -r median slowest fastest < <(wine_runs_summary_ms)
rate() { awk -v mb="$megabytes" -v ms="$1" 'BEGIN { printf "%.1f", mb / (ms / 1000) }'; }
echo "vel.exe under Wine, first output byte to the end, $runs runs of $megabytes MiB:" \
  "median $(rate "$median") MiB/s (min $(rate "$slowest"), max $(rate "$fastest")), peak memory $((peak_kib / 1024)) MiB"
