#!/usr/bin/env bash
# Command pane messages under Wine: the Windows stand-in sends COUNT messages
# ("mes", "mes0" or "prompt", in turn) in one burst, then the end; vel.exe,
# in Xvfb, takes and draws them. Timed from the first message sent to the
# moment vel shows the end; five runs, median with min and max, in messages
# a second. VEL_BENCH_SHOT=FILE keeps a screenshot of the first run's end.
#
#   bench/mes_wine.sh [COUNT] [RUNS]     (build the win64 preset first)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_runs.sh"
count="${1:-20000}"
runs="${2:-5}"
wine_runs_begin mes_wine

{
  printf 'send |running|\n'
  wine_runs_touch_mark
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

wine_runs_play "$work/burst.scn" "$runs"
read -r median slowest fastest < <(wine_runs_summary_ms)
rate() { awk -v n="$count" -v ms="$1" 'BEGIN { printf "%.0f", n / (ms / 1000) }'; }
echo "vel.exe under Wine, $runs bursts of $count messages (mes, mes0, prompt):" \
  "median $(rate "$median")/s (min $(rate "$slowest")/s, max $(rate "$fastest")/s)"
