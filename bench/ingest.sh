#!/usr/bin/env bash
# Whole-process ingest: the stand-in interpreter sends the macro's output as
# fast as it can (80-byte lines) and vel-headless moves it into the io pane.
# Prints the throughput and vel's peak memory.
#
#   bench/ingest.sh [MEGABYTES]        (default 100; build the native preset first)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VEL_NATIVE_BUILD:-$ROOT/build/native}"
VEL="$BUILD/tools/vel-headless/vel-headless"
SIM="$BUILD/tools/ostra-sim/ostra-sim"
megabytes="${1:-100}"
[ -x "$VEL" ] && [ -x "$SIM" ] || { echo "ingest: build the native preset first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
line="$(printf '%079d' 0 | tr 0 o)"
lines=$((megabytes * 1024 * 1024 / 80))
printf 'send |running|\nflood %d %s\\n\nsend |end|\nexpect eof\n' "$lines" "$line" >"$work/flood.scn"
echo "say 'flood'" >"$work/m.rexx"

best=""
for run in 1 2 3; do
  start=$(date +%s%N)
  report="$(OSTRA="$SIM --scenario $work/flood.scn" "$VEL" "$work/m.rexx")"
  end=$(date +%s%N)
  bytes="$(sed -n 's/^io-bytes: //p' <<<"$report")"
  rss="$(sed -n 's/^max-rss-kib: //p' <<<"$report")"
  [ "$bytes" -eq $((lines * 80)) ] || { echo "ingest: got $bytes bytes, sent $((lines * 80))" >&2; exit 1; }
  rate="$(awk -v b="$bytes" -v ns="$((end - start))" 'BEGIN { printf "%.0f", b / 1048576 / (ns / 1e9) }')"
  echo "run $run: $((bytes / 1048576)) MiB in $(((end - start) / 1000000)) ms: $rate MiB/s, peak memory $((rss / 1024)) MiB"
done
