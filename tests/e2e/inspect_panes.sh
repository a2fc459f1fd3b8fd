#!/usr/bin/env bash
# vel.exe on ostra-regina with the variables and call stack panes turned on
# by the initialisation file: stopped inside a PROCEDURE routine the panes
# ask for the stack and the routine's variables; a click on the caller's
# row of the stack pane selects it (the title names main again) and its
# variables are asked for; a click on a stem opens it, a double click on a
# value edits it, and the sash on the column's edge makes the column narrower.
# What reached the interpreter is read from its
# transcript; the screenshots are kept for people to look at.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_regina_begin inspect_panes

cat >"$work/calls.rexx" <<'REXX'
n = 4
sq.1 = 1
sq.2 = 4
call twice n
exit 0
twice: procedure
  parse arg k
  k = k * 2
  return k
REXX
printf 'vars on\n' >"$work/.velinit"

cd "$work"
export OSTRA="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$work/calls.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null ||
  fail "no first stop: $(tail -5 "$work/vel.err" 2>/dev/null)"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
await_stopped || check_failed "the toolbar does not offer Next at the first stop"
screenshot inspect-1-start.png

# Typed over the command pane: a breakpoint in the routine, then cont.
xdotool mousemove --sync "$(((left + right) / 3))" "$((bottom - 30))"
xdotool type --delay 60 "stop at 9"
xdotool key Return
await "cmd stop at 9" || check_failed "the breakpoint did not reach the interpreter"
xdotool type --delay 60 "cont"
xdotool key Return
probe wait-title VEL ": stopped in twice ---- file: " 20000 >/dev/null ||
  fail "no stop in the routine"
await "cmd varchanges 0 0" || check_failed "the variables pane did not ask for the routine's frame"
grep -q '^cmd frames$' "$transcript" && pass "the stack pane asked for the stack" ||
  check_failed "no frames question"
sleep 1 # the answers drawn: nothing says so outside the window
screenshot inspect-2-in-routine.png

# The stack pane's second row (the caller): the column's second text row,
# at the top of the panes' area (rows of the text font, about 18 pixels).
read -r pleft ptop pright pbottom < <(panes_area) || fail "no panes area"
xdotool mousemove --sync "$((pright - 100))" "$((ptop + 27))" click 1
probe wait-title VEL ": stopped in main ---- file: " 20000 >/dev/null ||
  check_failed "a click on the caller's frame did not select it"
await "cmd varchanges 1 0" || check_failed "the caller's variables were not asked for"
sleep 1 # the answer drawn: nothing says so outside the window
screenshot inspect-3-caller.png

# The column's windows: its sash (class VEL_SASH_WE) and, right of it, the
# stack and the variables panes, top to bottom.
read -r sash_left sash_top sash_right sash_bottom < <(probe children VEL |
  awk '$1 == "VEL_SASH_WE" && $2 == 1 { print $3, $4, $5, $6 }') || fail "no sash on the column"
read -r vleft vtop vright vbottom < <(probe children VEL |
  awk -v x="$sash_left" '$1 == "VEL" && $2 == 1 && $3 > x { print $4, $3, $4, $5, $6 }' |
  sort -n | sed -n 2p | cut -d' ' -f2-) || fail "no variables pane"
row() { echo "$((vtop + 1 + $1 * 16 + 8))"; } # rows of about 16 pixels

# main's variables: SIGL, N, then the stem SQ. on the third row.
xdotool mousemove --sync "$((vleft + 30))" "$(row 2)" click 1
eventually grep -q '^cmd vars 1 SQ\. 0 ' "$transcript" &&
  pass "a click on the stem asked for its tails" ||
  check_failed "a click on the stem did not ask for its tails"

# N = 4 on the second row, edited in place to 5.
xdotool mousemove --sync "$((vleft + 30))" "$(row 1)" click --repeat 2 --delay 120 1
sleep 1 # the edit box has no title to wait for
xdotool key ctrl+a
xdotool type --delay 60 "5"
xdotool key Return
eventually grep -q "^cmd interpret N = " "$transcript" ||
  check_failed "the edited value was not assigned"
# The pane asks for what changed since its copy of the frame: by the
# generation the caller's list came with (the routine's was 1, the caller's 2).
await "cmd varchanges 1 2" && pass "a double click edited the value" ||
  check_failed "the variables were not asked for again after the edit"
await "cmd vars 1 SQ. 0 256" 2 || check_failed "the open stem was not asked for again"
sleep 0.5 # its answer drawn: nothing says so outside the window
screenshot inspect-4-stem-and-edit.png

# The sash dragged 80 pixels right: the column narrows, the source pane widens.
sash_x=$(((sash_left + sash_right) / 2))
sash_y=$(((sash_top + sash_bottom) / 2))
# Each step is given time to reach the window, as in display_panes.
xdotool mousemove "$sash_x" "$sash_y"
sleep 0.3
xdotool mousedown 1
sleep 0.3
xdotool mousemove "$((sash_x + 40))" "$sash_y"
sleep 0.3
xdotool mousemove "$((sash_x + 80))" "$sash_y"
sleep 0.3
xdotool mouseup 1
moved() {
  local now
  now=$(probe children VEL | awk '$1 == "VEL_SASH_WE" && $2 == 1 { print $3 }')
  [ -n "$now" ] && [ "$now" -ge "$((sash_left + 60))" ]
}
eventually moved && pass "the column's sash made it narrower" ||
  check_failed "the column did not narrow: $(probe children VEL | tr '\n' ';')"
sleep 1 # the panes repainted: nothing outside the window says when
screenshot inspect-5-narrower.png
e2e_end
