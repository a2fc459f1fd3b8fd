#!/usr/bin/env bash
# The mouse in edit mode under Wine, in two mouse modes. In the default
# (windows) mode a double click selects a word and a middle click puts the
# edit cursor where it lands and pastes the selection there; in motif mode
# a right click only moves the edit cursor, and typing goes there. The save
# command writes what the mouse did.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_mouse

command_line() {
  xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
  xdotool type --delay 60 "$1"
  keys Return
  sleep 0.8
}

start_editing mouse

# Line 5 is "say 'What is your name?'": a double click on "What" selects it,
# a middle click before the quote of line 4 pastes it there.
xdotool mousemove --sync "$(char_x 6)" "$(row_y 4)" click --repeat 2 --delay 80 1
sleep 0.6
xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 2
changed() { probe title VEL | grep -q '^\* vel @'; }
eventually changed && pass "the middle click changed the text: the title shows '* '" \
  || check_failed "no '* ' in the title after the middle click: $(probe title VEL)"
screenshot edit-mouse-pasted.png

# Motif mode: a right click moves the edit cursor (line 6, "parse pull name",
# before "name"), and typed text goes there.
command_line "mousemode motif"
xdotool mousemove --sync "$(char_x 11)" "$(row_y 5)" click 3
sleep 0.5
xdotool type --delay 80 "Q"
sleep 0.6
screenshot edit-mouse-motif.png
probe floats "#32768" 2>/dev/null | grep -q . && check_failed "a right click in motif mode opened a menu"

command_line "save"
pasted() { [ "$(sed -n 4p "$work/demo.rexx")" = "say What'Hello from the Ostra demo.'" ]; }
eventually pasted || true
line4="$(sed -n 4p "$work/demo.rexx")"
[ "$line4" = "say What'Hello from the Ostra demo.'" ] \
  && pass "the word was pasted where the middle click landed: $line4" \
  || check_failed "line 4 after the middle click: $line4"
line6="$(sed -n 6p "$work/demo.rexx")"
[ "$line6" = "parse pull Qname" ] && pass "typing went where the right click put the cursor: $line6" \
  || check_failed "line 6 after the right click and typing: $line6"
[ "$(sed -n 5p "$work/demo.rexx")" = "say 'What is your name?'" ] \
  && pass "the line the word came from is unchanged" \
  || check_failed "line 5 changed: $(sed -n 5p "$work/demo.rexx")"
e2e_end
