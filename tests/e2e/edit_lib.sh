# Sourced by the edit-mode e2e tests after lib.sh: a copy of the demo macro
# in the test's own folder, the stand-in as the interpreter, the geometry of
# an 8 × 16 font, and vel started on the copy with edit mode switched on
# through the context menu.
#
#   edit_begin NAME          the folder $work (the current directory), with
#                            demo.rexx and greet.rexx; $macro_w its Windows path
#   start_editing LABEL      vel on the macro, stopped, in edit mode; $vel_pid
#   row_y ROW, char_x CHAR   the screen point of a source-pane row / character
#   sim_pid                  the host pid of the stand-in running this test's macro
# shellcheck shell=bash

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
CELL_W=8
CELL_H=16

edit_begin() {
  [ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
  command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
  work="$E2E_OUT/$1"
  rm -rf "$work"
  mkdir -p "$work"
  local examples
  examples="$(cd "$E2E_DIR/../../examples" && pwd)"
  cp "$examples/demo.rexx" "$examples/greet.rexx" "$work/"
  cd "$work" || fail "no folder $work"
  export OSTRA="\"$(winepath -w "$SIM_EXE")\""
  macro_w="$(winepath -w "$work/demo.rexx")"
}

# The stand-in's command line names the macro, which lies in this test's
# own folder: no other test's interpreter matches.
sim_pid() {
  local pid name
  name="$(basename "$work")"
  for pid in $(pgrep -f 'ostra-sim\.exe' || true); do
    if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "$name"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

row_y() { echo $((source_y0 + $1 * CELL_H + CELL_H / 2)); }
char_x() { echo $((left + 1 + 6 * CELL_W + $1 * CELL_W + CELL_W / 2)); }
keys() { xdotool key --delay 80 "$@"; }

start_editing() {
  local tries=0
  until
    win_background "$work/vel-$1.out" "$work/vel-$1.err" "$VEL_EXE" \
      -font "Liberation Mono%*%8%16" "$macro_w"
    vel_pid=$E2E_LAST_PID
    probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null
  do
    # A start right after another vel ended can lose the race with its
    # last window under a loaded Wine server: once more, then give up.
    tries=$((tries + 1))
    [ "$tries" -lt 2 ] || fail "$1: no first stop"
    echo "  $1: no first stop, starting vel again" >&2
    kill "$vel_pid" 2>/dev/null || true
    sleep 2
  done
  read -r left top right bottom < <(probe client VEL) || fail "$1: no client rectangle"
  read -r bar_top bar_bottom < <(probe toolbar VEL | awk '$1 == "bar" { print $3, $5 }')
  source_y0=$((top + bar_bottom - bar_top - 2 + 1))
  sleep 1
  xdotool mousemove --sync "$(char_x 3)" "$(row_y 3)" click 3
  sleep 0.8
  keys Down Return
  sleep 0.8
}
