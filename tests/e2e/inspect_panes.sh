#!/usr/bin/env bash
# vel.exe on ostra-regina with the variables and call stack panes turned on
# by the initialisation file: stopped inside a PROCEDURE routine the panes
# ask for the stack and the routine's variables; a click on the caller's
# row of the stack pane selects it (the title names main again) and its
# variables are asked for. What reached the interpreter is read from its
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
sleep 1
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
await "cmd vars 0" || check_failed "the variables pane did not ask for the routine's frame"
grep -q '^cmd frames$' "$transcript" && pass "the stack pane asked for the stack" ||
  check_failed "no frames question"
sleep 1
screenshot inspect-2-in-routine.png

# The stack pane's second row (the caller): the column's second text row,
# at the top of the panes' area (rows of the text font, about 18 pixels).
read -r pleft ptop pright pbottom < <(panes_area) || fail "no panes area"
xdotool mousemove --sync "$((pright - 100))" "$((ptop + 27))" click 1
probe wait-title VEL ": stopped in main ---- file: " 20000 >/dev/null ||
  check_failed "a click on the caller's frame did not select it"
await "cmd vars 1" || check_failed "the caller's variables were not asked for"
sleep 1
screenshot inspect-3-caller.png
e2e_end
