#!/usr/bin/env bash
# vel.exe under a flood of logpoint lines from ostra-regina: a logpoint on
# a loop of three million passes sends as many lines as the interpreter
# allows (1,000 a second) for seconds on end, and vel still takes typed
# commands meanwhile: a "break" typed during the flood stops the macro, and
# the count of lines not shown comes with the stop (the screenshots show
# it). What reached the interpreter is read from its transcript.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_regina_begin regina_logpoint_flood

cat >"$work/flood.rexx" <<'REXX'
n = 0
do i = 1 to 3000000
  n = n + 1
end
say n
REXX

keys() { xdotool key --delay 80 "$@"; }
typed() { xdotool type --delay 60 "$1"; }
command_line() { xdotool mousemove --sync "$(((left + right) / 2))" "$((top + (bottom - top) * 90 / 100))"; }

cd "$work"
export OSTRA="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$work/flood.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null ||
  fail "no first stop: $(tail -5 "$work/vel.err" 2>/dev/null)"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
sleep 1

command_line
typed 'tracev at 3 "pass {i}: n is {n}"'
keys Return
await 'cmd tracev at 3 "pass {i}: n is {n}"' && pass "the logpoint reached ostra-regina" ||
  check_failed "no logpoint"
typed "cont"
keys Return
await "cmd cont" && pass "cont sent" || check_failed "no cont"
sleep 3
screenshot flood-1-running.png
# Typed in the middle of the flood: vel must still read keys and send.
typed "break"
keys Return
await "cmd break" && pass "a command typed during the flood reached the interpreter" ||
  check_failed "vel did not send break during the flood"
if probe wait-title VEL ": stopped in main" 20000 >/dev/null; then
  pass "the macro stopped in the middle of the flood"
else
  check_failed "no stop after break"
fi
sleep 1
screenshot flood-2-stopped.png
typed "kill"
keys Return
sleep 2
e2e_end
