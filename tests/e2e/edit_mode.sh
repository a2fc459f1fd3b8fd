#!/usr/bin/env bash
# Editing the macro in vel.exe under Wine, with the real mouse and keys: the
# context menu switches edit mode on, a click places the edit cursor, typed
# keys change the line, Control+Z takes them back and Control+Y brings them
# again, and the save command writes the file with the old text kept as
# FILE%. The macro is a copy in the test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_mode

original="$(cat "$work/demo.rexx")"

start_editing mode
screenshot edit-mode-on.png
xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 1
sleep 0.5
xdotool type --delay 80 "XY"
probe wait-title VEL '* vel @' 10000 >/dev/null || true
screenshot edit-mode-typed.png
probe title VEL | grep -q '^\* vel @' && pass "the title shows the unsaved mark" \
  || check_failed "no '* ' in the title: $(probe title VEL)"

keys ctrl+z
sleep 0.5
probe title VEL | grep -q '^vel @' && pass "Control+Z took the typing back: no unsaved mark" \
  || check_failed "the title after Control+Z: $(probe title VEL)"
keys ctrl+y
sleep 0.5

# The save command, typed over the command pane.
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "save"
keys Return
saved() { grep -q "^say XY'Hello from the Ostra demo.'" "$work/demo.rexx"; }
eventually saved || true
screenshot edit-mode-saved.png
grep -q "^say XY'Hello from the Ostra demo.'" "$work/demo.rexx" \
  && pass "the file holds the typed text" \
  || check_failed "the saved file's line 4: $(sed -n 4p "$work/demo.rexx")"
[ "$(cat "$work/demo.rexx%")" = "$original" ] && pass "demo.rexx% holds the old text" \
  || check_failed "the backup is not the old text"
probe title VEL | grep -q '^vel @' && pass "saved: the unsaved mark is gone" \
  || check_failed "the title after saving: $(probe title VEL)"
e2e_end
