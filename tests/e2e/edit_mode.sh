#!/usr/bin/env bash
# Editing the macro in vel.exe under Wine, with the real mouse and keys: the
# context menu switches edit mode on, a click places the edit cursor, typed
# keys change the line, Control+Z takes them back and Control+Y brings them
# again, and the save command writes the file with the old text kept as
# FILE%. The macro is a copy in the test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
work="$E2E_OUT/edit_mode"
rm -rf "$work"
mkdir -p "$work"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
cp "$examples/demo.rexx" "$examples/greet.rexx" "$work/"
original="$(cat "$work/demo.rexx")"

CELL_W=8
CELL_H=16
row_y() { echo $((source_y0 + $1 * CELL_H + CELL_H / 2)); }
char_x() { echo $((left + 1 + 6 * CELL_W + $1 * CELL_W + CELL_W / 2)); }
keys() { xdotool key --delay 80 "$@"; }

cd "$work"
export OSTRA="\"$(winepath -w "$SIM_EXE")\""
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" -font "Liberation Mono%*%8%16" \
  "$(winepath -w "$work/demo.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
read -r bar_top bar_bottom < <(probe toolbar VEL | awk '$1 == "bar" { print $3, $5 }')
source_y0=$((top + bar_bottom - bar_top - 2 + 1))
sleep 1

# Line 4 of the demo is "say 'Hello from the Ostra demo.'".
xdotool mousemove --sync "$(char_x 3)" "$(row_y 3)" click 3
sleep 0.8
keys Down Return
sleep 0.8
screenshot edit-mode-on.png
xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 1
sleep 0.5
xdotool type --delay 80 "XY"
sleep 0.8
screenshot edit-mode-typed.png
probe title VEL | grep -q '^\* vel @' && pass "the title shows the unsaved mark" \
  || check_failed "no '* ' in the title: $(probe title VEL)"

keys ctrl+z
sleep 0.5
probe title VEL | grep -q '^vel @' && pass "Control+Z took the typing back: no unsaved mark" \
  || check_failed "the title after Control+Z: $(probe title VEL)"
keys ctrl+y
sleep 0.5

# The save command, typed over the command pane.
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "save"
keys Return
sleep 1.5
screenshot edit-mode-saved.png
grep -q "^say XY'Hello from the Ostra demo.'" "$work/demo.rexx" \
  && pass "the file holds the typed text" \
  || check_failed "the saved file's line 4: $(sed -n 4p "$work/demo.rexx")"
[ "$(cat "$work/demo.rexx%")" = "$original" ] && pass "demo.rexx% holds the old text" \
  || check_failed "the backup is not the old text"
probe title VEL | grep -q '^vel @' && pass "saved: the unsaved mark is gone" \
  || check_failed "the title after saving: $(probe title VEL)"
e2e_end
