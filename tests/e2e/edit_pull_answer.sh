#!/usr/bin/env bash
# A macro waiting at PARSE PULL while vel.exe under Wine is in edit mode:
# the io pane shows that the macro waits for input; keys over the source
# pane still edit the source, and the first of them says once, in the
# command pane, where an answer is typed; the answer typed over the io pane
# reaches the macro and the waiting tag goes. The macro is a copy in the
# test's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin edit_pull_answer
cp "$work/demo.rexx" "$work/original.rexx"
transcript="$work/transcript.log"
export OSTRA="\"$(winepath -w "$SIM_EXE")\" --transcript $(winepath -w "$transcript")"

title_now() { probe title VEL 2>/dev/null || true; }

# Pixels of the waiting tag's background (colour slot 36, 40 90 160) in a
# screenshot.
tag_pixels() {
  convert "$E2E_SHOTS/$1" -fill black +opaque '#285AA0' -fill white -opaque '#285AA0' \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The bottom fifth of the client area: inside the command pane.
command_crop() {
  local height=$((bottom - top))
  convert "$E2E_SHOTS/$1" -crop "$((right - left))x$((height / 5))+${left}+$((bottom - height / 5))" \
    +repage "$E2E_SHOTS/$2"
}
same_picture() { [ "$(compare -metric AE "$E2E_SHOTS/$1" "$E2E_SHOTS/$2" null: 2>&1)" = 0 ]; }

start_editing pull
over_io() { xdotool mousemove --sync "$(((left + right) / 2))" "$((top + (bottom - top) * 66 / 100))"; }
over_command() { xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"; }

screenshot pull-before.png
[ "$(tag_pixels pull-before.png)" -eq 0 ] || check_failed "the waiting tag shows before any wait"

# F5 runs the demo to its PARSE PULL.
over_command
keys F5
await "cmd cont" || fail "F5 sent nothing"
waiting=""
for i in $(seq 20); do
  sleep 0.5
  screenshot "pull-waiting.png" >/dev/null
  [ "$(tag_pixels pull-waiting.png)" -gt 0 ] && { waiting=yes; break; }
done
[ -n "$waiting" ] && pass "the io pane shows that the macro waits for input" \
  || check_failed "while the macro waits at PARSE PULL the io pane shows nothing of it"

# Keys over the source pane, in edit mode: they edit the source.
xdotool mousemove --sync "$(char_x 4)" "$(row_y 3)" click 1
sleep 0.5
screenshot pull-key0.png >/dev/null
xdotool type --delay 80 "q"
sleep 1
screenshot pull-key1.png
xdotool type --delay 80 "r"
sleep 1
screenshot pull-key2.png >/dev/null
title_now | grep -q '^\* vel @' && pass "keys over the source pane in edit mode edited the source" \
  || check_failed "keys over the source pane did not edit it: '$(title_now)'"
grep -q '^stdin ' "$transcript" && check_failed "keys over the source pane reached the macro"
command_crop pull-key0.png cmd0.png
command_crop pull-key1.png cmd1.png
command_crop pull-key2.png cmd2.png
same_picture cmd0.png cmd1.png && check_failed "the first key said nothing in the command pane"
same_picture cmd1.png cmd2.png && pass "the first key, and only the first, spoke in the command pane" \
  || check_failed "the second key changed the command pane too"

# The answer, typed over the io pane, reaches the macro; the tag goes.
over_io
xdotool type --delay 60 "Ada"
keys Return
await 'stdin Ada\n' && pass "the answer typed over the io pane reached the macro" \
  || check_failed "the answer did not reach the macro"
gone=""
for i in $(seq 20); do
  sleep 0.5
  screenshot pull-answered.png >/dev/null
  [ "$(tag_pixels pull-answered.png)" -eq 0 ] && { gone=yes; break; }
done
[ -n "$gone" ] && pass "the waiting tag went with the answer" \
  || check_failed "the io pane still shows the wait after the answer"
screenshot pull-answered.png

keys alt+e
probe box VEL 15000 "Discard Edits" >/dev/null || check_failed "Alt+E asked nothing"
probe wait-gone VEL 20000 >/dev/null || check_failed "vel stayed after Discard Edits"
same_bytes "$work/original.rexx" "$work/demo.rexx" || check_failed "the file changed"
e2e_end
