#!/usr/bin/env bash
# Edited files in vel.exe under Wine meeting the world outside: another
# program changes the macro on disk while vel holds unsaved edits, and vel,
# brought back to the front, asks whether to reload it; Alt+E with unsaved
# edits asks whether to save them, and each of the three answers does what
# its button says. The macro is a copy in the test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_reload_quit
cp "$work/demo.rexx" "$work/original.rexx"

# A probe may miss the title while a box closes on a busy machine: the mark
# is looked for again before it is taken for missing.
has_unsaved_mark() { probe title VEL | grep -q '^\* vel @'; }
still_unsaved() { eventually has_unsaved_mark; }

# Types TEXT at character 4 of line 4 of the demo (row 3 of the pane).
type_on_line4() {
  xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 1
  sleep 0.5
  xdotool type --delay 80 "$1"
  sleep 0.8
}

# Waits until the vel.exe process of this run has ended.
vel_gone() {
  local _
  probe wait-gone VEL 20000 >/dev/null || return 1
  for _ in $(seq 50); do
    kill -0 "$vel_pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

quit_question="The file
$macro_w
has been modified.
Do you want to save it?"

# ---- First run: reload, then Cancel Exit and Save File ----
start_editing reload
type_on_line4 "XY"
still_unsaved || fail "typing left no unsaved mark: $(probe title VEL)"

# Another program rewrites the macro: line 4 says something else and a new
# line follows it. The time stamp moves on however fast the test runs.
sed -e "4s/.*/say 'Changed outside vel.'/" -e "4a say 'A line from outside.'" \
  "$work/original.rexx" >"$work/demo.rexx"
touch -d "@$(($(date +%s) + 30))" "$work/demo.rexx"
cp "$work/demo.rexx" "$work/changed.rexx"

# The user goes to another program and, closing it, comes back to vel.
win_background "$work/notepad.out" "$work/notepad.err" notepad
probe wait-window Notepad 30000 >/dev/null || fail "notepad did not open"
sleep 1
probe close Notepad >/dev/null || fail "notepad could not be closed"
sleep 1
screenshot edit-reload-question.png
reload_question="The file
$macro_w
was modified OUTSIDE vel, and you have unsaved edits.

Reload the file?  (your current state is first saved to  <name>%)
Or keep your edits and ignore the external change?"
if text="$(probe box VEL 15000 "Reload File")"; then
  [ "$text" = "$reload_question" ] && pass "coming back to vel asked to reload, in its words" \
    || check_failed "the reload question said: '$text'"
else
  fail "coming back to vel asked nothing about the changed file"
fi
reloaded() { grep -q "^say XY'Hello from the Ostra demo.'" "$work/demo.rexx%" 2>/dev/null && ! has_unsaved_mark; }
eventually reloaded || true
screenshot edit-reloaded.png
grep -q "^say XY'Hello from the Ostra demo.'" "$work/demo.rexx%" \
  && pass "the edits before the reload were kept in demo.rexx%" \
  || check_failed "demo.rexx% does not hold the edited line: $(sed -n 4p "$work/demo.rexx%")"
cmp -s "$work/demo.rexx" "$work/changed.rexx" && pass "reloading left the file alone" \
  || check_failed "the reload changed the file on disk"
has_unsaved_mark && check_failed "the title keeps '* ' after the reload: $(probe title VEL)" \
  || pass "reloaded: no unsaved mark"

# What vel now shows is the new text: an edit of it, saved on the way out,
# gives the other program's file with that one edit.
type_on_line4 "Z"
still_unsaved || check_failed "typing after the reload left no unsaved mark"
keys alt+e
sleep 1
screenshot edit-quit-question.png
text="$(probe box VEL 15000 "Cancel Exit")" || fail "Alt+E with unsaved edits asked nothing"
[ "$text" = "$quit_question" ] && pass "Alt+E asked about the unsaved file, in its words" \
  || check_failed "the quit question said: '$text'"
sleep 1
still_unsaved && pass "Cancel Exit: vel stays, the edits still unsaved" \
  || check_failed "after Cancel Exit the title is: $(probe title VEL 2>&1)"
cmp -s "$work/demo.rexx" "$work/changed.rexx" || check_failed "Cancel Exit changed the file"

keys alt+e
probe box VEL 15000 "Save File" >/dev/null || fail "the second Alt+E asked nothing"
vel_gone && pass "Save File: vel ended" || check_failed "vel still runs after Save File"
sed -e "4s/^say /say Z/" "$work/changed.rexx" >"$work/expected.rexx"
same_bytes "$work/expected.rexx" "$work/demo.rexx" \
  && pass "Save File wrote the edit into the reloaded text" \
  || check_failed "the file after Save File is not the reloaded text with the edit"
same_bytes "$work/changed.rexx" "$work/demo.rexx%" \
  && pass "demo.rexx% holds the text before that save" \
  || check_failed "the backup after Save File is not the reloaded text"

# ---- Second run: a read-only file, then Discard Edits ----
cp "$work/original.rexx" "$work/demo.rexx"
rm -f "$work/demo.rexx%"
start_editing discard
type_on_line4 "XY"
still_unsaved || fail "typing left no unsaved mark: $(probe title VEL)"

# Another program made the file read-only: the save fails with a box, and
# neither the file nor a backup changes.
chmod a-w "$work/demo.rexx"
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "save"
keys Return
if text="$(probe box VEL 15000 OK)"; then
  case "$text" in
    "vel: Unable to save \"$macro_w\""*) pass "saving a read-only file said so: $text" ;;
    *) check_failed "the failed save's box said: '$text'" ;;
  esac
else
  check_failed "saving a read-only file showed no box"
fi
sleep 0.5
chmod u+w "$work/demo.rexx"
same_bytes "$work/original.rexx" "$work/demo.rexx" || check_failed "the failed save changed the file"
[ -e "$work/demo.rexx%" ] && check_failed "the failed save left a backup behind"
still_unsaved && pass "after the failed save the edits are still unsaved" \
  || check_failed "after the failed save the title is: $(probe title VEL)"

keys alt+e
probe box VEL 15000 "Discard Edits" >/dev/null || fail "Alt+E with unsaved edits asked nothing"
vel_gone && pass "Discard Edits: vel ended" || check_failed "vel still runs after Discard Edits"
same_bytes "$work/original.rexx" "$work/demo.rexx" && pass "Discard Edits left the file as it was" \
  || check_failed "Discard Edits changed the file"
[ -e "$work/demo.rexx%" ] && check_failed "Discard Edits made a backup" || true
e2e_end
