#!/usr/bin/env bash
# vel.exe debugging a macro on ostra-regina, the native Linux interpreter
# that Wine's CreateProcess starts: F10 steps, a typed "stop at" sets a
# breakpoint, F5 runs to the macro's input, a line typed over the io pane
# reaches PARSE PULL, the run stops at the breakpoint, F11 steps into a
# routine in a second file, and F5 runs to the end. What reached the
# interpreter is read from its transcript; what the macro read, from the
# file it writes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_regina_begin regina_debug

# Lines as "stop at" counts them (1-based).
cat >"$work/asks.rexx" <<'REXX'
/* asks.rexx: reads a name, keeps it, and has a routine file measure it */
say 'What is your name?'
parse pull name
call lineout 'seen.txt', 'read:' name
call lineout 'seen.txt'
size = measure(name)
say name 'measures' size
exit 0
REXX
cat >"$work/measure.rexx" <<'REXX'
/* measure.rexx: a routine file, found beside the macro */
parse arg who
return length(who) * 2
REXX

point_at() {
  xdotool mousemove --sync "$(((left + right) / 2))" "$((top + (bottom - top) * $1 / 100))"
}
keys() { xdotool key --delay 60 "$@"; }
typed() { xdotool type --delay 60 "$1"; }

cd "$work"
# The interpreter is a Linux program: its own options take Linux paths.
export OSTRA="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$work/asks.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null ||
  fail "no first stop: $(cat "$work/vel.err" 2>/dev/null | tail -5)"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
await_stopped || true
screenshot regina-1-start.png

COMMAND=90
IO=66
SOURCE=20

point_at "$SOURCE"
keys F10
await "cmd next" && pass "F10 sent next to ostra-regina" || check_failed "F10 sent nothing"

point_at "$COMMAND"
typed "stop at 6"
keys Return
await "cmd stop at 6" && pass "a typed stop at reached ostra-regina" || check_failed "no stop at 6"
sleep 1

point_at "$SOURCE"
keys F5
await "cmd cont" && pass "F5 sent cont" || check_failed "F5 sent nothing"
await_running || true
screenshot regina-2-waiting-for-input.png

point_at "$IO"
typed "Ada"
keys Return
waited=0
until grep -qxF "read: Ada" "$work/seen.txt" 2>/dev/null; do
  sleep 0.2
  waited=$((waited + 1))
  [ "$waited" -lt 100 ] || break
done
grep -qxF "read: Ada" "$work/seen.txt" 2>/dev/null && pass "the typed line reached PARSE PULL" ||
  check_failed "the macro did not read the typed line: $(cat "$work/seen.txt" 2>/dev/null)"
await_stopped || true
screenshot regina-3-at-breakpoint.png

point_at "$SOURCE"
keys F11
if probe wait-title VEL ": stopped in measure" 20000 >/dev/null; then
  pass "F11 stepped into the routine file"
else
  check_failed "no stop in measure.rexx"
fi
sleep 1
screenshot regina-4-in-routine-file.png

keys F5
await "cmd cont" || true
waited=0
until grep -c '^cmd cont$' "$transcript" | grep -qx 2 || [ "$waited" -ge 50 ]; do
  sleep 0.2
  waited=$((waited + 1))
done
# The macro ended: the link is closed.
probe wait-title VEL ": waiting user input" 10000 >/dev/null || true
screenshot regina-5-ended.png
grep -q '^cmd step$' "$transcript" && pass "F11 sent step" || check_failed "F11 sent nothing"
e2e_end
