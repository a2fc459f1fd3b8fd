#!/usr/bin/env bash
# vel.exe with ostra-regina and the breakpoints that think: a conditional
# breakpoint typed in the command line gets its own gutter mark and stops
# where its condition holds, "Run to Here" from the source line's context
# menu runs into a routine, and a caught SYNTAX that the macro traps itself
# stops at its clause before the handler runs. What reached the interpreter
# is read from its transcript; the screenshots show the marks and messages.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_regina_begin regina_conditions

# Rows of the source pane are 0-based lines: "stop at" counts from 1.
cat >"$work/conds.rexx" <<'REXX'
/* conds.rexx: a loop, a routine, and a trapped error */
total = 0
do i = 1 to 10
  total = total + i
end
call show total
signal on syntax
x = total + 'a'
exit 0
show:
  say 'total' arg(1)
  return
syntax:
  say 'trapped' condition('D')
  exit 1
REXX

CELL_W=8
CELL_H=16
row_y() { echo $((source_y0 + $1 * CELL_H + CELL_H / 2)); }
keys() { xdotool key --delay 80 "$@"; }
typed() { xdotool type --delay 60 "$1"; }
command_line() { xdotool mousemove --sync "$(((left + right) / 2))" "$((top + (bottom - top) * 90 / 100))"; }
in_source() { xdotool mousemove --sync "$(((left + right) / 2))" "$(row_y 1)"; }

cd "$work"
export OSTRA="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" -font "Liberation Mono%*%8%16" \
  "$(winepath -w "$work/conds.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null ||
  fail "no first stop: $(tail -5 "$work/vel.err" 2>/dev/null)"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
read -r bar_top bar_bottom < <(probe toolbar VEL | awk '$1 == "bar" { print $3, $5 }')
source_y0=$((top + bar_bottom - bar_top - 2 + 1))
await_stopped || check_failed "the toolbar does not offer Next at the first stop"

command_line
typed "stop at 4 if i = 7"
keys Return
await "cmd stop at 4 if i = 7" && pass "a typed conditional breakpoint reached ostra-regina" ||
  check_failed "no conditional breakpoint"
sleep 1
# Resting on the mark: the tip shows the condition (its text is checked by
# the unit tests; Wine does not tell another process a tip's text).
xdotool mousemove --sync "$((left + 1 + 5 * CELL_W))" "$(row_y 3)"
sleep 0.3
xdotool mousemove --sync "$((left + 2 + 5 * CELL_W))" "$(row_y 3)"
sleep 1.5
screenshot conditions-1-mark-and-tip.png

in_source
keys F5
await "cmd cont" && pass "F5 sent cont" || check_failed "F5 sent nothing"
probe wait-title VEL ": stopped in main" 20000 >/dev/null || check_failed "no stop at the breakpoint"
command_line
typed "print i"
keys Return
await "cmd print i" && pass "print asked at the conditional stop" || check_failed "no print"
typed "catch syntax"
keys Return
await "cmd catch SYNTAX" && pass "catch SYNTAX reached ostra-regina" || check_failed "no catch"
sleep 1
screenshot conditions-2-stopped-where-i-is-7.png

# Run to Here, the last entry of the context menu, on the routine's SAY.
xdotool mousemove --sync "$((left + 1 + 10 * CELL_W))" "$(row_y 10)" click 3
eventually menu_open || check_failed "a right click on the line opened no menu"
screenshot conditions-3-context-menu.png
keys Up Return
await "cmd stopv at 11" && pass "Run to Here asked for a stop on line 11" ||
  check_failed "Run to Here sent no breakpoint"
if probe wait-title VEL ": stopped in show" 20000 >/dev/null; then
  pass "Run to Here stopped in the routine"
else
  check_failed "no stop in show"
fi
command_line
sleep 1
screenshot conditions-4-run-to-here.png

in_source
keys F5
await "cmd cont" 3 || true
if probe wait-title VEL ": stopped in main" 20000 >/dev/null; then
  pass "the trapped SYNTAX stopped the macro"
else
  check_failed "no stop for the caught SYNTAX"
fi
sleep 1.5
screenshot conditions-5-caught-syntax.png
keys F5
sleep 2
e2e_end
