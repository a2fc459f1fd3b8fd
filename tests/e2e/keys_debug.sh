#!/usr/bin/env bash
# Debugging the demo from the keyboard, with real keys sent to vel.exe's
# window: F10 steps, a typed "stop at" sets a breakpoint whose mark appears,
# F5 runs to the macro's input, Ctrl+C breaks it, a line typed over the io
# pane reaches the macro's standard input, Up and Down recall the history, a
# key bound with "set" runs its command, F4 pastes the clipboard's first
# line, and Alt+E asks before quitting.
# What reached the interpreter is read from the stand-in's transcript.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
work="$E2E_OUT/keys_debug"
rm -rf "$work"
mkdir -p "$work"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
transcript="$work/transcript.log"
# The stop colour in pure red, so that arrow and marks can be found.
cat >"$work/.velinit" <<'INIT'
back_current 220 0 0
INIT

# Moves the pointer to a fraction of the client area's height.
point_at() {
  xdotool mousemove --sync "$(((left + right) / 2))" "$((top + (bottom - top) * $1 / 100))"
}

keys() { xdotool key --delay 60 "$@"; }
typed() { xdotool type --delay 60 "$1"; }

# Rows in the stop colour beside the source text, counted as separate bands.
red_bands() {
  local file="$E2E_SHOTS/$1"
  convert "$file" -crop "120x$(((bottom - top) / 2))+${left}+${top}" +repage txt:- |
    awk -F'[,:]' '/#DC0000/ { rows[$2] = 1 }
      END { n = 0; last = -10; for (y = 0; y < 2000; y++) if (y in rows) { if (y > last + 3) n++; last = y } print n }'
}

cd "$work"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --transcript $(winepath -w "$transcript")"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$examples/demo.rexx")"
vel_pid=$E2E_LAST_PID
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
await_stopped || true

# The command pane is the bottom quarter, the io pane the quarter above it.
COMMAND=90
IO=66
SOURCE=20

point_at "$SOURCE"
keys F10
await "cmd next" && pass "F10 over the source pane sent next" || check_failed "F10 sent nothing"

point_at "$COMMAND"
typed "stop at 7"
keys Return
await "cmd stop at 7" && pass "a typed line reached the interpreter" || check_failed "no stop at 7"
two_bands() { [ "$(red_bands keys-breakpoint.png)" -ge 2 ]; }
screenshot_when keys-breakpoint.png two_bands
bands="$(red_bands keys-breakpoint.png)"
[ "$bands" -ge 2 ] && pass "the breakpoint mark is drawn beside the arrow ($bands bands)" \
  || check_failed "the stop colour shows in $bands band(s): no mark after the confirmation"

keys F5
await "cmd cont" && pass "F5 sent cont" || check_failed "F5 sent nothing"
probe wait-title VEL ": stopped in main" 1000 >/dev/null || true
await_running || true
# The macro now waits at its PARSE PULL: Ctrl+C breaks it wherever the
# pointer is.
point_at "$IO"
keys ctrl+c
await "cmd break" && pass "Ctrl+C while running sent break" || check_failed "Ctrl+C sent nothing"
await_stopped || true
point_at "$SOURCE"
keys F5
await "cmd cont" 2 || check_failed "the second F5 sent nothing"
await_running || true

point_at "$IO"
typed "Ada"
keys Return
await 'stdin Ada\n' && pass "a line typed over the io pane reached the macro's input" \
  || check_failed "the io pane's line did not reach the macro"
# It runs on to the breakpoint on line 7.
await_stopped || true
screenshot keys-io-line.png

point_at "$COMMAND"
typed "print name"
keys Return
await "cmd print name" || check_failed "print name was not sent"
keys Up Return
await "cmd print name" 2 && pass "Up recalled the last line" || check_failed "Up recalled nothing"
keys Down Return
await "cmd next" 2 && pass "Down from the newest wrapped to the oldest entry (next)" \
  || check_failed "Down did not wrap to the first entry"

typed "set f6 where"
keys Return
sleep 0.5
keys F6
await "cmd where" && pass "set f6 where, then F6 ran where" || check_failed "F6 ran nothing"

# Another program's clipboard text: F4 pastes its first line only.
probe clipboard-set 'print total\r\nkill' || check_failed "could not fill the clipboard"
keys F4 Return
await "cmd print total" && pass "F4 pasted the clipboard's first line" \
  || check_failed "the pasted line did not arrive"
grep -qx "cmd kill" "$transcript" && check_failed "the paste ran past its first line"

typed "set"
keys Return
sleep 1
screenshot keys-set-listing.png
grep -qx "cmd set" "$transcript" && check_failed "set was sent to the interpreter"

keys alt+e
text="$(probe box VEL 15000 Cancel)" || fail "Alt+E showed no box"
[ "$text" = "Really Quit?" ] && pass "Alt+E asked: $text" || check_failed "Alt+E box said '$text'"
box_closed() { ! probe floats "#32770" 2>/dev/null | grep -q .; }
eventually box_closed || true
probe title VEL >/dev/null || fail "vel ended although the quit was cancelled"
keys alt+e
probe box VEL 15000 OK >/dev/null || fail "the second Alt+E showed no box"
probe wait-gone VEL 20000 >/dev/null || fail "the window stayed after the quit was confirmed"
await "cmd kill" && pass "quitting sent kill" || check_failed "quitting did not send kill"
for _ in $(seq 50); do kill -0 "$vel_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$vel_pid" 2>/dev/null && check_failed "vel.exe still runs after the quit"
e2e_end
