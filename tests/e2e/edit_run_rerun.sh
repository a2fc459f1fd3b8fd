#!/usr/bin/env bash
# Running the macro again in vel.exe under Wine while edits are unsaved:
# Shift+F5, the toolbar's Rerun and the typed run and rerun commands each ask
# first whether to save the edited file, and do what the answer says. Cancel
# runs nothing (the same interpreter, the edit still there), Save File writes
# the file and the new interpreter runs it, Discard Edits runs the file as
# it is on disk. The macro is a copy in the test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_run_rerun
cp "$work/demo.rexx" "$work/original.rexx"

title_now() { probe title VEL 2>/dev/null || true; }
has_unsaved_mark() { title_now | grep -q '^\* vel @'; }

# Types TEXT at character 4 of line 4 of the demo (row 3 of the pane).
type_on_line4() {
  xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 1
  sleep 0.5
  xdotool type --delay 80 "$1"
  sleep 0.8
}

over_command_pane() { xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"; }
typed_command() {
  over_command_pane
  xdotool type --delay 60 "$1"
  keys Return
}
press_toolbar_button() {
  local x y
  read -r _ _ x y < <(probe toolbar VEL | awk -v id="$1" '$1 == id') || return 1
  xdotool mousemove --sync "$x" "$y" click 1
}

question="The file
$macro_w
has been modified.
Do you want to save it?"

# Expects the question and answers it with BUTTON.
answer() {
  local label="$1" button="$2" text
  if text="$(probe box VEL 15000 "$button")"; then
    [ "$text" = "$question" ] && pass "$label asked about the unsaved file, in its words" \
      || check_failed "$label: the question said '$text'"
  else
    check_failed "$label asked nothing: the edit would be lost"
    return 1
  fi
}

# After a Cancel: the same interpreter goes on, the edit unsaved.
expect_nothing_ran() {
  local label="$1" before="$2"
  sleep 1.5
  has_unsaved_mark || check_failed "$label: the edit is gone, the title is '$(title_now)'"
  [ "$(sim_pid || true)" = "$before" ] && pass "$label + Cancel Exit ran nothing" \
    || check_failed "$label + Cancel Exit started another interpreter"
}

# After Save File or Discard Edits: another interpreter, stopped, with the
# text from disk (so nothing unsaved).
expect_new_run() {
  local label="$1" before="$2" now _
  probe wait-title VEL ": stopped in main ---- file: " 30000 >/dev/null || true
  for _ in $(seq 50); do
    now="$(sim_pid || true)"
    [ -n "$now" ] && [ "$now" != "$before" ] && ! has_unsaved_mark && break
    sleep 0.2
  done
  if [ -n "$now" ] && [ "$now" != "$before" ] && ! has_unsaved_mark; then
    pass "$label: a new interpreter runs the file from disk"
  else
    check_failed "$label: interpreter $before -> ${now:-none}, title '$(title_now)'"
  fi
}

start_editing run
type_on_line4 "XY"
has_unsaved_mark || fail "typing left no unsaved mark: $(title_now)"
first="$(sim_pid)" || fail "the interpreter's process was not found"

# Shift+F5 (run), then Cancel Exit.
over_command_pane
keys shift+F5
sleep 0.5
screenshot edit-run-question.png
answer "Shift+F5" "Cancel Exit"
expect_nothing_ran "Shift+F5" "$first"
same_bytes "$work/original.rexx" "$work/demo.rexx" || check_failed "Cancel Exit changed the file"

# The toolbar's Rerun, then Save File.
press_toolbar_button 30001 || fail "the toolbar has no Rerun button"
answer "the toolbar's Rerun" "Save File"
expect_new_run "Rerun + Save File" "$first"
sed -e "4s/^say /say XY/" "$work/original.rexx" >"$work/saved.rexx"
same_bytes "$work/saved.rexx" "$work/demo.rexx" && pass "Save File wrote the edit before the run" \
  || check_failed "the file after Rerun + Save File does not hold the edit"
same_bytes "$work/original.rexx" "$work/demo.rexx%" || check_failed "no backup of the old text"
screenshot edit-rerun-saved.png

# The typed run command, then Discard Edits.
second="$(sim_pid)" || fail "the second interpreter's process was not found"
type_on_line4 "Z"
has_unsaved_mark || fail "typing left no unsaved mark: $(title_now)"
typed_command "run"
answer "the run command" "Discard Edits"
expect_new_run "run + Discard Edits" "$second"
same_bytes "$work/saved.rexx" "$work/demo.rexx" && pass "Discard Edits left the file as saved" \
  || check_failed "Discard Edits changed the file"

# The typed rerun command, then Cancel Exit.
third="$(sim_pid)" || fail "the third interpreter's process was not found"
type_on_line4 "W"
typed_command "rerun"
answer "the rerun command" "Cancel Exit"
expect_nothing_ran "rerun" "$third"
screenshot edit-rerun-cancelled.png

keys alt+e
probe box VEL 15000 "Discard Edits" >/dev/null || check_failed "Alt+E asked nothing"
probe wait-gone VEL 20000 >/dev/null || check_failed "vel stayed after Discard Edits"
same_bytes "$work/saved.rexx" "$work/demo.rexx" || check_failed "quitting changed the file"
e2e_end
