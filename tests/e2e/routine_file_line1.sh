#!/usr/bin/env bash
# A routine file's first line under Wine: its banner stands on a row of its
# own, F11 stops with the arrow on the file's line 1, a click on that line's
# number asks for a breakpoint there, and an edit of it in edit mode is
# saved with the file's own bytes (no "return" line, no label).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin routine_line1

printf 'x = 1\ncall twice 3\nsay result\nexit\n' >"$work/main.rexx"
printf 'parse arg n\nreturn n * 2\n' >"$work/twice.rexx"
transcript="$work/transcript.log"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --transcript $(winepath -w "$transcript")"

win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" -font "Liberation Mono%*%8%16" \
  "$(winepath -w "$work/main.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
read -r bar_top bar_bottom < <(probe toolbar VEL | awk '$1 == "bar" { print $3, $5 }')
source_y0=$((top + bar_bottom - bar_top - 2 + 1))
await_stopped || check_failed "the toolbar does not offer Next at the first stop"

xdotool mousemove --sync "$(char_x 3)" "$(row_y 1)"
keys F11
sleep 0.8
keys F11
probe wait-title VEL ": stopped in twice" 20000 >/dev/null && pass "F11 stopped in the routine file" \
  || check_failed "no stop in twice.rexx: $(probe title VEL)"
sleep 1
screenshot routine-line1-stopped.png

# Rows: main's four lines, the banner, then twice.rexx from its line 1.
number_x=$((left + 1 + CELL_W + CELL_W / 2))
xdotool mousemove --sync "$number_x" "$(row_y 5)" click 1
await "cmd stopv at 6" && pass "a click on the file's line 1 asked for a breakpoint there" \
  || check_failed "the click on line 1 sent: $(tail -3 "$transcript")"
sleep 1
screenshot routine-line1-marked.png

xdotool mousemove --sync "$(char_x 3)" "$(row_y 6)" click 3
eventually menu_open || check_failed "a right click on the line opened no menu"
keys Down Return
sleep 0.8
xdotool mousemove --sync "$(char_x 12)" "$(row_y 5)" click 1
sleep 0.5
keys End
sleep 0.3
xdotool type --delay 80 " /*e*/"
sleep 0.5
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "save"
keys Return
saved() { [ "$(cat "$work/twice.rexx")" = "$(printf 'parse arg n /*e*/\nreturn n * 2')" ]; }
eventually saved || true
screenshot routine-line1-saved.png
[ "$(cat "$work/twice.rexx")" = "$(printf 'parse arg n /*e*/\nreturn n * 2')" ] \
  && pass "line 1 was saved as edited, with nothing added" \
  || check_failed "twice.rexx holds: $(od -c "$work/twice.rexx" | head -5)"
[ "$(cat "$work/twice.rexx%")" = "$(printf 'parse arg n\nreturn n * 2')" ] \
  && pass "twice.rexx% holds the old text" || check_failed "the backup is not the old text"
e2e_end
