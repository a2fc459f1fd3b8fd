#!/usr/bin/env bash
# Hover tips and pins with the real mouse: resting on a variable asks the
# interpreter for it with the stop routine as context and the tip shows the
# answer ("is not assigned." before the assignment, the value after); the
# tip stays while the pointer moves onto it and goes when the pointer leaves;
# its pin icon makes a pin, which is dragged into place, follows its line as
# the source pane scrolls and hides when the line is scrolled away; every
# stop asks for the pins again one after another in table order; a pin is
# edited in place, which assigns the value in the macro; the pins come back
# from the status file when vel is started again.
# What reached the interpreter is read from its transcript; what the tip
# and pins show is their window text (velprobe floats).
#
#   tips_pins.sh          with the stand-in interpreter (ostra-sim.exe)
#   tips_pins.sh regina   with ostra-regina, the native Linux interpreter
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

interpreter="${1:-sim}"
work="$E2E_OUT/tips_pins_$interpreter"
rm -rf "$work"
mkdir -p "$work"
transcript="$work/transcript.log"
case "$interpreter" in
  sim)
    SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
    [ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
    interpreter_command="\"$(winepath -w "$SIM_EXE")\" --transcript $(winepath -w "$transcript")"
    ;;
  regina)
    REGINA_EXE="${OSTRA_REGINA_EXE:-$VEL_BUILD_ROOT/native/interp/regina/ostra-regina}"
    if [ ! -x "$REGINA_EXE" ]; then
      echo "SKIP: ostra-regina is not built (native preset): $REGINA_EXE"
      exit "$E2E_SKIP"
    fi
    # A Linux program: its own options take Linux paths.
    interpreter_command="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
    ;;
  *) fail "unknown interpreter '$interpreter' (sim or regina)" ;;
esac
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
shot() { screenshot "$interpreter-$1"; }

# Line 2 (index 1) holds the variable; enough lines follow to scroll.
{
  echo "x = 21"
  echo "longvariablename = 'hello'"
  echo "say longvariablename"
  echo "x = x * 2"
  echo "say x"
  for _ in $(seq 80); do echo "nop"; done
  echo "exit 0"
} >"$work/tipdemo.rexx"

question() { # the symbol question for a variable, asked in frame main
  printf 'cmd tipeval @main if symbol("%s")=="VAR" then say '\''='\''||(%s); else say '\''?'\''' "$1" "$1"
}

keys() { xdotool key --delay 60 "$@"; }
typed() { xdotool type --delay 40 "$1"; }

# The visible windows of a class: "left top right bottom text" per line.
floats() { probe floats "$1"; }

# Whether a visible window of CLASS shows TEXT; its line is left in
# $float_line.
float_shows() {
  float_line="$(floats "$1" | awk -v t="$2" '{ s = $0; sub(/^[-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ /, "", s); if (s == t) { print; exit } }')"
  [ -n "$float_line" ]
}

# Waits until the first visible window of CLASS shows TEXT; prints its line.
await_float() {
  if eventually float_shows "$1" "$2"; then
    echo "$float_line"
    return 0
  fi
  echo "  visible $1 windows:" >&2
  floats "$1" | sed 's/^/    /' >&2
  return 1
}

none_visible() { [ -z "$(floats "$1")" ]; }

# Whether the visible pins are in front of the main window (the window list
# runs from the front to the back).
pins_in_front() {
  [ "$(probe windows - | awk '$2 == 1 && $1 == "VEL_PIN" { pin = 1 }
    $2 == 1 && $1 == "VEL" { print (pin ? "front" : "behind"); exit }')" = front ]
}

start_vel() {
  win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" tipdemo.rexx
  vel_pid=$E2E_LAST_PID
  probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
  read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
  await_stopped || fail "vel did not show the first stop"
}

# Finds where line 2's text is on the screen: the rows of the line numbers
# (slot 13, 133,74,0) give the row bands, the rule is the first black pixel
# of a row, and the text begins at the first black pixel right of it.
measure_rows() {
  shot "$1"
  local file="$E2E_SHOTS/$interpreter-$1" height=$(((bottom - top) / 2))
  mapfile -t bands < <(convert "$file" -crop "80x${height}+${left}+${top}" +repage txt:- |
    awk -F'[,:]' '/#854A00/ { rows[$2] = 1 }
      END { start = -1; for (y = 0; y <= 2000; y++) {
              if ((y in rows) && start < 0) start = y
              if (!(y in rows) && start >= 0) { print start, y - 1; start = -1 } } }')
  [ "${#bands[@]}" -ge 3 ] || fail "found ${#bands[@]} rows of line numbers"
  local b0 b1
  read -r b0 _ <<<"${bands[0]}"
  read -r b1 e1 <<<"${bands[1]}"
  row_height=$((b1 - b0))
  row2_y=$((top + (b1 + e1) / 2))
  local rule
  rule="$(convert "$file" -crop "$((right - left))x1+${left}+${row2_y}" +repage txt:- |
    awk -F'[,:]' '/#000000/ && x == "" { x = $1 } END { print x }')"
  [ -n "$rule" ] || fail "no rule right of the line numbers"
  text_x="$(convert "$file" -crop "$((right - left - rule - 3))x$((e1 - b1 + 1))+$((left + rule + 3))+$((top + b1))" +repage txt:- |
    awk -F'[,:]' '/#000000/ { if (x == "" || $1 + 0 < x + 0) x = $1 } END { print x }')"
  [ -n "$text_x" ] || fail "no text on line 2"
  text_x=$((left + rule + 3 + text_x))
  pass "line 2 is drawn from x=$text_x around y=$row2_y, rows $row_height pixels apart"
}

cd "$work"
export OSTRA="$interpreter_command"
start_vel
measure_rows tips-start.png
symbol_x=$((text_x + 30))
blank_x=$((right - 60))

# 1. Resting on the variable before its assignment.
xdotool mousemove --sync "$symbol_x" "$row2_y"
await "$(question longvariablename)" && pass "resting on the variable sent the tipeval with @main" \
  || check_failed "no tipeval question for the variable"
tip="$(await_float VEL_TIP "longvariablename is not assigned.")" \
  && pass "the tip says: longvariablename is not assigned." \
  || check_failed "the tip did not say the variable is not assigned"
read -r tl tt _ _ _ <<<"$tip"
if [ "$tl" -eq $((symbol_x + 12)) ] && [ "$tt" -eq $((row2_y + 18)) ]; then
  pass "the tip is at the pointer plus (12, 18)"
else
  check_failed "the tip is at $tl,$tt; the pointer at $symbol_x,$row2_y"
fi
shot tips-unassigned.png

# Leaving the symbol for an empty part of the pane hides the tip.
xdotool mousemove --sync "$blank_x" "$row2_y"
eventually none_visible VEL_TIP && pass "moving away hid the tip" || check_failed "the tip stayed"

# 2. Two steps later the variable has its value.
keys F10
await "cmd next" || check_failed "F10 sent nothing"
keys F10
await "cmd next" 2 || check_failed "the second F10 sent nothing"
await_stopped || check_failed "vel did not show the stop after two steps"
xdotool mousemove --sync "$symbol_x" "$row2_y"
tip="$(await_float VEL_TIP "longvariablename = hello")" \
  && pass "the tip shows the value: longvariablename = hello" \
  || check_failed "the tip did not show the value"
read -r tl tt tr tb _ <<<"$tip"
shot tips-value.png
# Onto the tip itself: it stays (a second is longer than a tip takes to go).
xdotool mousemove --sync $((tl + 30)) $(((tt + tb) / 2))
sleep 1
[ -n "$(floats VEL_TIP)" ] && pass "the tip stays while the pointer is on it" \
  || check_failed "the tip went when the pointer moved onto it"

# 3. The pin icon makes a pin; it is dragged into place.
xdotool mousemove --sync $((tl + 8)) $(((tt + tb) / 2)) click 1
pin="$(await_float VEL_PIN "longvariablename {main} = hello")" \
  && pass "the pin icon made a pin, refreshed in its frame: longvariablename {main} = hello" \
  || check_failed "no pin with the refreshed value"
none_visible VEL_TIP && pass "the tip went when it became a pin" || check_failed "the tip stayed"
read -r pl pt pr pb _ <<<"$pin"
xdotool mousemove --sync $((pl + 40)) $((pt + 6)) mousedown 1
sleep 0.3 # nothing shows that the pin has taken the press; the motions must come after it
# Dragged as a hand drags, in small steps. Under load Wine can map one motion
# event through where the pin has just moved to rather than where X still had
# it, and the pin then runs one step ahead of the pointer until the next
# motion; the pin is held to the pointer within one step.
step=10
for x in $(seq $((pl + 40 + step)) $step $((pl + 240))); do
  xdotool mousemove --sync "$x" $((pt + 6))
  sleep 0.03
done
pin_at_end() {
  read -r ml mt _ _ _ < <(floats VEL_PIN) || return 1
  [ "$ml" -ge $((pl + 200)) ] && [ "$ml" -le $((pl + 200 + step)) ] && [ "$mt" -eq "$pt" ]
}
pin_placed() { pin_at_end && grep -q "^main tipdemo.rexx pin3 1 " .vel_status 2>/dev/null; }
# The button comes up where the last motion has taken the pin.
eventually pin_at_end || true
xdotool mouseup 1
eventually pin_placed || true
if [ "${ml:-0}" -ge $((pl + 200)) ] && [ "${ml:-0}" -le $((pl + 200 + step)) ] \
  && [ "${mt:-0}" -eq "$pt" ]; then
  pass "the pin was dragged with the pointer: $pl,$pt to $ml,$mt"
else
  check_failed "the dragged pin is at ${ml:-none},${mt:-none}; it was at $pl,$pt"
fi
grep -q "^main tipdemo.rexx pin3 1 " .vel_status && pass "the status file holds the pin: $(cat .vel_status)" \
  || check_failed "the status file has no pin line: $(cat .vel_status 2>/dev/null)"
shot pins-placed.png

# 4. The pin follows its line as the pane scrolls, and hides when it is gone.
xdotool mousemove --sync "$blank_x" $((row2_y + 4 * row_height))
pin_top() { read -r _ st _ _ _ < <(floats VEL_PIN) && [ "$st" -eq "$1" ]; }
xdotool click 5
eventually pin_top $((pt - row_height)) || true
[ "${st:-0}" -eq $((pt - row_height)) ] && pass "one line scrolled: the pin moved up one row" \
  || check_failed "after one line of scrolling the pin is at y=${st:-none}, was $pt"
shot pins-scrolled.png
xdotool click 5
xdotool click 5
eventually none_visible VEL_PIN && pass "its line scrolled away: the pin is hidden" \
  || check_failed "the pin stayed shown with its line scrolled away"
xdotool click 4 click 4 click 4
st=""
eventually pin_top "$pt" || true
[ "${st:-0}" -eq "$pt" ] && pass "scrolled back: the pin is beside its line again" \
  || check_failed "scrolled back, the pin is at y=${st:-none}, wanted $pt"

# 5. A second pin by command; the next stop asks for both, in order.
xdotool mousemove --sync "$blank_x" $((bottom - 20))
typed "pin3 1 300 0 1 0 0 main tipdemo.rexx x*2"
keys Return
# The pin's window is made hidden until the next stop asks for its value.
pin_windows() { [ "$(probe windows - | awk '$1 == "VEL_PIN"' | wc -l)" -eq "$1" ]; }
eventually pin_windows 2 || true
keys F10
await "cmd next" 3 || check_failed "the third F10 sent nothing"
await "cmd tipeval @main say (x*2)" || check_failed "the second pin was not asked for"
after="$(awk '/^cmd next$/ { n++ } n == 3' "$transcript" | grep '^cmd ' | tail -n +2)"
expected="$(question longvariablename)
cmd tipeval @main say (x*2)"
[ "$after" = "$expected" ] && pass "the stop asked for the pins one after another, in order" \
  || check_failed "after the stop the interpreter got: $after"
read -r xl xt _ xb _ < <(await_float VEL_PIN "(x*2) = 42") \
  && pass "the expression pin shows (x*2) = 42" \
  || check_failed "the expression pin did not show its value"
# A click on it places it where it is, which saves it with the first.
xdotool mousemove --sync $((xl + 40)) $(((xt + xb) / 2)) click 1
both_saved() { [ "$(grep -c ' pin3 ' .vel_status)" -eq 2 ]; }
eventually both_saved && pass "the status file holds both pins" \
  || check_failed "the status file holds: $(cat .vel_status)"
shot pins-two.png

# 6. Editing the first pin assigns the new value in the macro.
xdotool mousemove --sync "$blank_x" "$row2_y"
read -r pl pt pr pb _ < <(await_float VEL_PIN "longvariablename {main} = hello") \
  || fail "the first pin is gone"
xdotool mousemove --sync $((pl + 40)) $(((pt + pb) / 2)) click 3
eventually menu_open || check_failed "a right click on the pin opened no menu"
shot pins-menu.png
keys Down Down Down Down Return
screenshot_when "$interpreter-pins-edit-box.png" edit_box_drawn
typed "world"
keys Return
await 'cmd tipeval @main longvariablename = "world";' \
  && pass "the edit sent the assignment" || check_failed "no assignment from the edit box"
await_float VEL_PIN "longvariablename {main} = world" >/dev/null \
  && pass "the pin shows the new value" || check_failed "the pin did not show the new value"
pins_in_front && pass "the pins are in front of the main window after the edit" \
  || check_failed "the main window covers the pins after the edit"
shot pins-edited.png

# 7. Quitting and starting again: the pins come back at the first stop.
keys alt+e
probe box VEL 15000 OK >/dev/null || fail "Alt+E showed no box"
probe wait-gone VEL 20000 >/dev/null || fail "the window stayed after the quit"
probe wait-gone VEL_PIN 5000 >/dev/null && pass "no pin window outlived the main window" \
  || check_failed "pin windows were left behind"
vel_ended() { ! kill -0 "$vel_pid" 2>/dev/null; }
eventually vel_ended || true
: >"$transcript"
start_vel
await_float VEL_PIN "longvariablename {main} is not assigned." >/dev/null \
  && pass "after the restart the first pin is back and asked for" \
  || check_failed "the first pin did not come back"
[ "$(floats VEL_PIN | wc -l)" -eq 2 ] && pass "both pins came back" \
  || check_failed "$(floats VEL_PIN | wc -l) pins came back"
pins_in_front && pass "the pins are in front of the main window" \
  || check_failed "the main window covers the restored pins"
shot pins-restarted.png
keys alt+e
probe box VEL 15000 OK >/dev/null || true
probe wait-gone VEL 20000 >/dev/null || true
e2e_end
