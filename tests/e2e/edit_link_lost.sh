#!/usr/bin/env bash
# The interpreter dies (kill -9) while vel.exe under Wine holds unsaved
# edits: after the box that says the link is lost, vel asks as quitting
# does, and each answer does what its button says. Cancel Exit keeps vel
# open with the link closed and the edit still there, Save File writes the
# file (the old text kept as demo.rexx%) and ends vel, Discard Edits ends vel
# and leaves the file. Without edits vel ends after the box, as it always
# did. The macro is a copy in the test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_link_lost
cp "$work/demo.rexx" "$work/original.rexx"

title_now() { probe title VEL 2>/dev/null || true; }
has_unsaved_mark() { title_now | grep -q '^\* vel @'; }

# Types TEXT at character 4 of line 5 of the demo (row 4 of the pane).
type_on_line5() {
  xdotool mousemove --sync "$(char_x 4)" "$(row_y 4)" click 1
  sleep 0.5
  xdotool type --delay 80 "$1"
  sleep 0.8
}

kill_interpreter() {
  local pid
  pid="$(sim_pid)" || fail "$1: the interpreter's process was not found"
  kill -KILL "$pid"
}

vel_gone() {
  local _
  probe wait-gone VEL 20000 >/dev/null || return 1
  for _ in $(seq 50); do
    kill -0 "$vel_pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

lost_box="vel: Unable to read from the Ostra process."
question="The file
$macro_w
has been modified.
Do you want to save it?"

# Answers the lost-link box, then the question with BUTTON; fails the case
# when either box is missing or says something else.
answer_boxes() {
  local label="$1" button="$2" text
  text="$(probe box VEL 15000 OK)" || { check_failed "$label: no box after the kill"; return 1; }
  [ "$text" = "$lost_box" ] || check_failed "$label: the first box said '$text'"
  sleep 0.5
  [ -n "${3:-}" ] && screenshot "$3"
  text="$(probe box VEL 15000 "$button")" || {
    check_failed "$label: vel asked nothing about the unsaved edit"
    return 1
  }
  [ "$text" = "$question" ] && pass "$label: vel asked about the unsaved file, in its words" \
    || check_failed "$label: the question said '$text'"
}

# ---- Cancel Exit: vel stays, the link closed, the edit unsaved ----
start_editing cancel
type_on_line5 "XY"
has_unsaved_mark || fail "typing left no unsaved mark: $(title_now)"
kill_interpreter cancel
answer_boxes "cancel" "Cancel Exit" edit-link-lost-question.png
sleep 1
if title_now | grep -q '^\* vel @ .*: waiting user input$'; then
  pass "Cancel Exit: vel stays open, the link closed, the edit still unsaved"
else
  check_failed "after Cancel Exit the title is: '$(title_now)'"
fi
screenshot edit-link-lost-kept.png
same_bytes "$work/original.rexx" "$work/demo.rexx" || check_failed "Cancel Exit changed the file"
[ -e "$work/demo.rexx%" ] && check_failed "Cancel Exit made a backup"
# Kept open, the edit can still be saved.
keys Pause
saved_by_pause() { grep -q "^say XY'What is your name?'" "$work/demo.rexx"; }
eventually saved_by_pause \
  && pass "after Cancel Exit, Pause saved the edit" \
  || check_failed "Pause after Cancel Exit did not save: $(sed -n 5p "$work/demo.rexx")"
same_bytes "$work/original.rexx" "$work/demo.rexx%" || check_failed "the backup is not the old text"
probe close VEL >/dev/null
probe box VEL 15000 OK >/dev/null || check_failed "closing asked nothing"
vel_gone || check_failed "vel still runs after closing"

# ---- Save File: the edit is written, the old text kept, vel ends ----
cp "$work/original.rexx" "$work/demo.rexx"
rm -f "$work/demo.rexx%"
start_editing save
type_on_line5 "XY"
has_unsaved_mark || fail "typing left no unsaved mark: $(title_now)"
kill_interpreter save
answer_boxes "save" "Save File"
vel_gone && pass "Save File: vel ended" || check_failed "vel still runs after Save File"
sed -e "5s/^say /say XY/" "$work/original.rexx" >"$work/expected.rexx"
same_bytes "$work/expected.rexx" "$work/demo.rexx" && pass "Save File wrote the edit" \
  || check_failed "the file after Save File does not hold the edit"
same_bytes "$work/original.rexx" "$work/demo.rexx%" && pass "demo.rexx% holds the old text" \
  || check_failed "no backup of the old text after Save File"

# ---- Discard Edits: vel ends, the file as it was ----
cp "$work/original.rexx" "$work/demo.rexx"
rm -f "$work/demo.rexx%"
start_editing discard
type_on_line5 "XY"
kill_interpreter discard
answer_boxes "discard" "Discard Edits"
vel_gone && pass "Discard Edits: vel ended" || check_failed "vel still runs after Discard Edits"
same_bytes "$work/original.rexx" "$work/demo.rexx" && pass "Discard Edits left the file" \
  || check_failed "Discard Edits changed the file"
[ -e "$work/demo.rexx%" ] && check_failed "Discard Edits made a backup"

# ---- No edits: the box, then vel ends without a question ----
start_editing clean
kill_interpreter clean
text="$(probe box VEL 15000 OK)" || fail "clean: no box after the kill"
[ "$text" = "$lost_box" ] || check_failed "clean: the box said '$text'"
vel_gone && pass "without edits vel ended after the box, asking nothing" \
  || { check_failed "without edits vel did not end: $(probe box VEL 2000 - 2>&1)"; }
e2e_end
