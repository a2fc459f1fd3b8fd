# Sourced by the Wine benchmarks: a private Xvfb and Wine server started
# alone, then timed runs of vel.exe against the Windows stand-in playing a
# scenario. Each run is timed from the moment the scenario touches a mark
# file to the moment vel shows that the macro ended.
#
#   wine_runs_begin NAME            NAME for messages; sets $work (a temp dir
#                                   holding m.rexx) and $mark
#   wine_runs_play SCENARIO RUNS    plays SCENARIO (a Windows path) RUNS
#                                   times; fills times_ms and peak_kib
#   wine_runs_sorted                the times, fastest first
# shellcheck shell=bash
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=../scripts/wine-env
source "$ROOT/scripts/wine-env"
WIN64="${VEL_WIN64_DIR:-$VEL_BUILD_ROOT/win64}"
VEL_EXE="$WIN64/vel.exe"
SIM_EXE="$WIN64/tools/ostra-sim/ostra-sim.exe"
PROBE_EXE="$WIN64/velprobe.exe"

wine_runs_begin() {
  bench_name="$1"
  [ -f "$VEL_EXE" ] && [ -f "$SIM_EXE" ] || { echo "$bench_name: build the win64 preset first" >&2; exit 1; }
  work="$(mktemp -d)"
  mark="$work/mark"
  echo "say '$bench_name'" >"$work/m.rexx"
  vel_wine_lock 600
  vel_display
  vel_wine_prefix
  vel_wine_server_stop
  vel_wine_desktop on
  vel_wine_server_start
  trap wine_runs_cleanup EXIT
}

wine_runs_cleanup() {
  [ -n "${vel_pid:-}" ] && kill -KILL "$vel_pid" 2>/dev/null || true
  vel_wine_server_stop
  vel_display_stop
  rm -rf "$work"
}

# The scenario line that touches the mark file.
wine_runs_touch_mark() {
  printf 'touch %s\n' "$(winepath -w "$mark" | sed 's/\\/\\\\/g')"
}

wine_runs_play() {
  local scenario="$1" runs="$2" run end start rss_kib
  export OSTRA="\"$(winepath -w "$SIM_EXE")\" --scenario $(winepath -w "$scenario")"
  times_ms=()
  peak_kib=0
  for run in $(seq "$runs"); do
    rm -f "$mark"
    command wine "$VEL_EXE" "$(winepath -w "$work/m.rexx")" >/dev/null 2>&1 8>&- 9>&- &
    vel_pid=$!
    wine "$PROBE_EXE" wait-title VEL "waiting user input" 600000 >/dev/null
    end=$(date +%s%N)
    [ -f "$mark" ] || { echo "$bench_name: the stand-in never reached the mark" >&2; exit 1; }
    start="$(stat -c %.9Y "$mark" | tr -d .)"
    rss_kib="$(awk '/VmHWM/ { print $2 }' "/proc/$vel_pid/status")"
    [ "$rss_kib" -gt "$peak_kib" ] && peak_kib=$rss_kib
    [ -n "${VEL_BENCH_SHOT:-}" ] && [ "$run" -eq 1 ] && import -window root "$VEL_BENCH_SHOT"
    kill -KILL "$vel_pid" 2>/dev/null || true
    wait "$vel_pid" 2>/dev/null || true
    vel_pid=""
    times_ms+=($(((end - start) / 1000000)))
    echo "run $run: ${times_ms[-1]} ms"
  done
}

# Median, slowest and fastest of the runs, in milliseconds, on one line.
wine_runs_summary_ms() {
  local sorted
  sorted="$(printf '%s\n' "${times_ms[@]}" | sort -n)"
  echo "$(echo "$sorted" | awk -v n="${#times_ms[@]}" 'NR == int((n + 1) / 2)')" \
    "$(echo "$sorted" | tail -1)" "$(echo "$sorted" | head -1)"
}
