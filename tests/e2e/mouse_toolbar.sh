#!/usr/bin/env bash
# Debugging the demo with the mouse, with real pointer movement and clicks
# sent to vel.exe's window: the toolbar's buttons follow the macro's state
# and send their commands, a click on a line number sets a breakpoint whose
# mark appears and a second click removes it, a double click selects a word
# that "print .sel" then prints, the middle button pastes the selection into
# the command line, and the right button opens the context menu.
# What reached the interpreter is read from the stand-in's transcript.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
work="$E2E_OUT/mouse_toolbar"
rm -rf "$work"
mkdir -p "$work"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
transcript="$work/transcript.log"
cat >"$work/.velinit" <<'INIT'
back_current 220 0 0
INIT

# The toolbar as velprobe reads it: "ID ENABLED X Y" per button.
button() { probe toolbar VEL | awk -v id="$1" '$1 == id { print $2, $3, $4 }'; }
bar_rect() { probe toolbar VEL | awk '$1 == "bar" { print $2, $3, $4, $5 }'; }
enabled() { [ "$(button "$1" | cut -d' ' -f1)" = 1 ]; }
press_button() {
  local x y
  read -r _ x y < <(button "$1")
  xdotool mousemove --sync "$x" "$y" click 1
}

# The text font is asked for at 8 x 16 pixels, so rows and columns can be
# found: the source pane starts just below the toolbar (which it overlaps by
# two pixels) inside its one-pixel border, and its text after six columns of
# line numbers (two digits and four for the marks).
CELL_W=8
CELL_H=16
row_y() { echo $((source_y0 + $1 * CELL_H + CELL_H / 2)); }
char_x() { echo $((left + 1 + 6 * CELL_W + $1 * CELL_W + CELL_W / 2)); }

cd "$work"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --transcript $(winepath -w "$transcript")"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" -font "Liberation Mono%*%8%16" \
  "$(winepath -w "$examples/demo.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
await_stopped || true
screenshot mouse-toolbar.png
require_colours "$E2E_SHOTS/mouse-toolbar.png" 8

bar="$(probe toolbar VEL)" || fail "vel has no toolbar"
[ "$(grep -vc "^bar" <<<"$bar")" -eq 17 ] && pass "the toolbar has 17 buttons" \
  || check_failed "the toolbar has $(grep -vc "^bar" <<<"$bar") buttons"
enabled 30004 && pass "Next is enabled at a stop" || check_failed "Next is disabled at a stop"
enabled 30014 && check_failed "Break is enabled while the macro is stopped"

press_button 30004
await "cmd next" && pass "the Next button sent next" || check_failed "the Next button sent nothing"
await_stopped || check_failed "no stop after Next"

read -r _ bar_top _ bar_bottom < <(bar_rect)
source_y0=$((top + bar_bottom - bar_top - 2 + 1))
number_x=$((left + 1 + CELL_W + CELL_W / 2))

xdotool mousemove --sync "$number_x" "$(row_y 6)" click 1
await "cmd stopv at 7" && pass "a click on line number 7 asked for a breakpoint there" \
  || check_failed "the line-number click sent nothing"
sleep 1
screenshot mouse-breakpoint.png
xdotool mousemove --sync "$number_x" "$(row_y 6)" click 1
await "cmd delete 6" && pass "a second click removed it" || check_failed "no delete after the second click"

# Press on number 9, drag two rows down, release: line 11 is toggled.
xdotool mousemove --sync "$number_x" "$(row_y 8)" mousedown 1
sleep 0.2
xdotool mousemove --sync "$number_x" "$(row_y 9)"
sleep 0.1
xdotool mousemove --sync "$number_x" "$(row_y 10)"
sleep 0.2
xdotool mouseup 1
await "cmd stopv at 11" && pass "press on 9, drag to 11, release: line 11 toggled" \
  || check_failed "the drag over the line numbers toggled no line 11"
grep -qx "cmd stopv at 9" "$transcript" && check_failed "the line pressed first was toggled too"

# A double click on "name" of "parse pull name" (line 6), then print .sel.
word_x="$(char_x 13)"
xdotool mousemove --sync "$word_x" "$(row_y 5)" click --repeat 2 --delay 80 1
sleep 0.5
screenshot mouse-selection.png
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "print .sel"
xdotool key Return
await "cmd print name" && pass "a double click selected the word that print .sel printed" \
  || check_failed "print .sel did not print the double-clicked word"

# F3 copies the selection; another program reads it from the clipboard.
xdotool key F3
clipboard_is() { [ "$(probe clipboard-get - || true)" = "$1" ]; }
eventually clipboard_is name || true
copied="$(probe clipboard-get - || true)"
[ "$copied" = "name" ] && pass "F3 put the selection on the clipboard: $copied" \
  || check_failed "the clipboard holds '$copied' after F3"

# The middle button types the selection into the command line.
xdotool type --delay 60 "print "
xdotool click 2
sleep 0.5
screenshot mouse-middle-paste.png
xdotool key Return
await "cmd print name" 2 && pass "the middle button pasted the selection into the command line" \
  || check_failed "the middle button's paste did not arrive"

# The right button opens the context menu; Escape closes it.
xdotool mousemove --sync "$word_x" "$(row_y 3)" click 3
eventually menu_open || true
screenshot mouse-context-menu.png
xdotool key Escape
eventually menu_closed || true
probe title VEL >/dev/null || fail "vel ended after the context menu"

# Resting on a button shows its tip.
read -r _ x y < <(button 30008)
for dx in -3 -1 0; do
  xdotool mousemove --sync $((x + dx)) "$y"
  sleep 0.2
done
# Wine does not tell another process a tip's text: the text itself is
# checked by the unit tests and shows in the screenshot.
if tip="$(probe tooltip 8000)"; then
  case "$tip" in
    "" | Where) pass "resting on the Where button shows its tip${tip:+: $tip}" ;;
    *) check_failed "the Where button's tip says '$tip'" ;;
  esac
else
  check_failed "no tip over the Where button"
fi
screenshot mouse-tooltip.png

# The font dialog: the panes are made anew for the chosen font. The source
# pane's text in the new font: its black pixels (text and rule) differ in
# number from before.
count_black() {
  convert "$E2E_SHOTS/$1" -crop "$((right - left))x$(((bottom - top) / 3))+${left}+$((source_y0))" \
    +repage -alpha off -fill white +opaque "rgb(0,0,0)" -fill black -opaque "rgb(0,0,0)" \
    -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}
screenshot mouse-font-before.png
before="$(count_black mouse-font-before.png)"
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "font"
xdotool key Return
# Leave the dialog open, give it a larger size in its size field (the third
# in the tab order), confirm with Enter.
if probe box Font 20000 - >/dev/null; then
  sleep 0.5
  xdotool key --delay 150 Tab Tab
  xdotool type --delay 100 "20"
  xdotool key Return
  pass "the font dialog came"
else
  check_failed "no font dialog"
fi
# Dialogs are windows of class #32770: the picture counts once it is gone.
probe wait-gone "#32770" 10000 >/dev/null || check_failed "the font dialog stayed open"
redrawn() { [ "$(count_black mouse-font-after.png)" != "$before" ]; }
screenshot_when mouse-font-after.png redrawn
after="$(count_black mouse-font-after.png)"
[ "$before" != "$after" ] && pass "the source pane was drawn anew in the new font ($before, then $after black pixels)" \
  || check_failed "the source pane looks the same after the font change ($before black pixels)"
probe title VEL >/dev/null || fail "vel ended after the font dialog"

press_button 30002
await "cmd cont" && pass "the Cont button sent cont" || check_failed "the Cont button sent nothing"
sleep 1
e2e_end
