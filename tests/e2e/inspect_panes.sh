#!/usr/bin/env bash
# vel.exe on ostra-regina with the variables and call stack panes turned on
# by the initialisation file: stopped inside a PROCEDURE routine the panes
# ask for the stack and the routine's variables; a click on the caller's
# row of the stack pane selects it (the title names main again) and its
# variables are asked for; a click on a stem opens it, a double click on a
# value edits it, and the sash on the column's edge makes the column narrower.
# What reached the interpreter is read from its
# transcript; the screenshots are kept for people to look at.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_regina_begin inspect_panes

cat >"$work/calls.rexx" <<'REXX'
n = 4
sq.1 = 1
sq.2 = 4
call twice n
exit 0
twice: procedure
  parse arg k
  k = k * 2
  return k
REXX
printf 'vars on\n' >"$work/.velinit"

# What the panes show is read from pictures of the screen ($file): the
# column's panes are the window's children right of its sash (VEL_SASH_WE),
# the stack pane above the variables pane.
column_pane() { # 1: the stack pane, 2: the variables pane; "left top right bottom"
  probe children VEL | awk -v n="$1" '
    $1 == "VEL_SASH_WE" && $2 == 1 { sash = $3 }
    $1 == "VEL" && $2 == 1 { x[++k] = $3; line[k] = $3 " " $4 " " $5 " " $6 }
    END { for (i = 1; i <= k; i++) if (x[i] > sash) print line[i] }' |
    sort -k2,2n | sed -n "${1}p"
}
# The height of a text row: how far apart the tops of the source pane's
# first two line numbers (slot 13, #854A00) are.
row_height() {
  local l t
  read -r l t _ _ < <(panes_area) || return 1
  convert "$file" -crop "40x100+$((l + 1))+$((t + 1))" +repage txt:- |
    awk -F'[,:]' '/#854A00/ { ink[$2] = 1 }
      END { for (y = 1; y < 100 && n < 2; y++) if ((y in ink) && !((y - 1) in ink)) top[++n] = y
            if (n == 2) print top[2] - top[1] }'
}
# Row R of a pane (inside its border, left of its scroll bar) as text.
row_picture() { # left top right bottom R
  convert "$file" -crop "$(($3 - $1 - 22))x${cell}+$(($1 + 1))+$(($2 + 1 + $5 * cell))" +repage txt:-
}
# Which pixels of row R differ from the row's background: the row's text
# alike whether it is drawn inverted (the keyboard's row) or not.
row_ink() { # left top right bottom R
  row_picture "$@" | awk 'NR > 1 { colour[$1] = $3; n[$3]++ }
    END { for (c in n) if (n[c] > most) { most = n[c]; back = c }
          for (p in colour) if (colour[p] != back) print p }' | sort
}
# How many of a pane's rows show anything.
# The background is made white and the rest black, and each pixel row
# squeezed into one pixel: a row of the picture with ink is not white.
rows_shown() { # left top right bottom
  convert "$file" -crop "$(($3 - $1 - 22))x$(($4 - $2 - 2))+$(($1 + 1))+$(($2 + 1))" +repage \
    -fill black +opaque '#FFFFBE' -fill white -opaque '#FFFFBE' -scale "1x$(($4 - $2 - 2))!" txt:- |
    awk -F'[,:]' -v h="$cell" 'NR > 1 && !/#FFFFFF/ { row[int($2 / h)] = 1 }
      END { for (r in row) n++; print n + 0 }'
}
# Reads the geometry the checks below need; false while it is not there.
column_read() {
  cell="$(row_height)" && [ -n "$cell" ] &&
    read -r sl st sr sb < <(column_pane 1) && read -r vl vt vr vb < <(column_pane 2)
}

cd "$work"
export OSTRA="\"$(winepath -w "$REGINA_EXE")\" --transcript $transcript"
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$work/calls.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null ||
  fail "no first stop: $(tail -5 "$work/vel.err" 2>/dev/null)"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
await_stopped || check_failed "the toolbar does not offer Next at the first stop"
screenshot inspect-1-start.png

# Typed over the command pane: a breakpoint in the routine, then cont.
xdotool mousemove --sync "$(((left + right) / 3))" "$((bottom - 30))"
xdotool type --delay 60 "stop at 9"
xdotool key Return
await "cmd stop at 9" || check_failed "the breakpoint did not reach the interpreter"
# The variables pane's first row as it is before the routine is reached
# (a picture of the work folder, not kept).
file="$work/before-cont.png"
import -display "$DISPLAY" -window root "$file"
first_row_before=""
if column_read; then first_row_before="$(row_ink $vl $vt $vr $vb 0)"; fi
# How often the variables pane asked for frame $1's variables so far, and
# whether it asked once more since it had asked $2 times. The generation it
# names depends on which lists it already holds (whether the first stop's
# answer came before the breakpoint was typed): any number is right.
asked_for() { grep -cE "^cmd varchanges $1 [0-9]+\$" "$transcript" || true; }
asked_again() { [ "$(asked_for "$1")" -gt "$2" ]; }
asks=$(asked_for 0)
xdotool type --delay 60 "cont"
xdotool key Return
probe wait-title VEL ": stopped in twice ---- file: " 20000 >/dev/null ||
  fail "no stop in the routine"
grep -q '^cmd stoplists on$' "$transcript" &&
  pass "the panes asked for their lists with each stop" ||
  check_failed "the panes did not ask for stoplists"
# The stack shows the routine above main, and the routine's variables
# stand in the variables pane's first row.
routine_drawn() {
  column_read && [ "$(rows_shown $sl $st $sr $sb)" -ge 2 ] && [ "$(rows_shown $vl $vt $vr $vb)" -ge 1 ] &&
    [ "$(row_ink $vl $vt $vr $vb 0)" != "$first_row_before" ]
}
screenshot_when inspect-2-in-routine.png routine_drawn
# Both lists came with the stop: the pane asked for nothing.
[ "$(asked_for 0)" -eq "$asks" ] && pass "the routine's variables came with the stop" ||
  check_failed "the variables pane asked for the routine's frame"

# The stack pane's second row (the caller): the column's second text row,
# at the top of the panes' area (rows of the text font, about 18 pixels).
read -r pleft ptop pright pbottom < <(panes_area) || fail "no panes area"
asks=$(asked_for 1)
xdotool mousemove --sync "$((pright - 100))" "$((ptop + 27))" click 1
probe wait-title VEL ": stopped in main ---- file: " 20000 >/dev/null ||
  check_failed "a click on the caller's frame did not select it"
grep -q '^cmd up$' "$transcript" || check_failed "the click did not send up"
# The pane is empty from the frame's change until main's three rows come,
# with the stop-up.
caller_drawn() { column_read && [ "$(rows_shown $vl $vt $vr $vb)" -ge 3 ]; }
screenshot_when inspect-3-caller.png caller_drawn
[ "$(asked_for 1)" -eq "$asks" ] && pass "the caller's variables came with the stop-up" ||
  check_failed "the variables pane asked for the caller's frame"
n_row_before="$(row_ink "${vl:-0}" "${vt:-0}" "${vr:-0}" "${vb:-0}" 1 2>/dev/null)" || true

# The column's windows: its sash (class VEL_SASH_WE) and, right of it, the
# stack and the variables panes, top to bottom.
read -r sash_left sash_top sash_right sash_bottom < <(probe children VEL |
  awk '$1 == "VEL_SASH_WE" && $2 == 1 { print $3, $4, $5, $6 }') || fail "no sash on the column"
read -r vleft vtop vright vbottom < <(column_pane 2) || fail "no variables pane"
row() { echo "$((vtop + 1 + $1 * 16 + 8))"; } # rows of about 16 pixels

# main's variables: SIGL, N, then the stem SQ. on the third row.
xdotool mousemove --sync "$((vleft + 30))" "$(row 2)" click 1
eventually grep -q '^cmd vars 1 SQ\. 0 ' "$transcript" &&
  pass "a click on the stem asked for its tails" ||
  check_failed "a click on the stem did not ask for its tails"

# N = 4 on the second row, edited in place to 5.
xdotool mousemove --sync "$((vleft + 30))" "$(row 1)" click --repeat 2 --delay 120 1
file="$work/edit-box.png" # a picture of the work folder, not kept
eventually shoot_and edit_box_drawn || true
xdotool key ctrl+a
xdotool type --delay 60 "5"
asks=$(asked_for 1)
xdotool key Return
eventually grep -q "^cmd interpret N = " "$transcript" ||
  check_failed "the edited value was not assigned"
# The pane asks for what changed since its copy of the frame: by the
# generation the caller's list came with, never 0.
if eventually asked_again 1 "$asks" &&
  grep -E '^cmd varchanges 1 [0-9]+$' "$transcript" | tail -n 1 | grep -qv ' 0$'; then
  pass "a double click edited the value"
else
  check_failed "the variables were not asked for again after the edit"
fi
await "cmd vars 1 SQ. 0 256" 2 || check_failed "the open stem was not asked for again"
# N's row shows the new value, and the tails, which read "SQ...." alike
# from the question until the answer, their own names and values.
edit_drawn() {
  column_read && [ "$(rows_shown $vl $vt $vr $vb)" -ge 5 ] &&
    [ "$(row_ink $vl $vt $vr $vb 1)" != "$n_row_before" ] &&
    [ "$(row_picture $vl $vt $vr $vb 3)" != "$(row_picture $vl $vt $vr $vb 4)" ]
}
screenshot_when inspect-4-stem-and-edit.png edit_drawn

# The sash dragged 80 pixels right: the column narrows, the source pane widens.
sash_x=$(((sash_left + sash_right) / 2))
sash_y=$(((sash_top + sash_bottom) / 2))
# As in display_panes: each motion is waited for until the sash, which
# follows the pointer (on a grid of text columns) while it is dragged,
# shows it; the pointer's arrival and the press show nothing.
sash_moved_by() {
  local now
  now=$(probe children VEL | awk '$1 == "VEL_SASH_WE" && $2 == 1 { print $3 }')
  [ -n "$now" ] && [ "$now" -ge "$((sash_left + $1))" ]
}
xdotool mousemove "$sash_x" "$sash_y"
sleep 0.3 # the pointer's arrival: nothing to wait for
xdotool mousedown 1
sleep 0.3 # the press: nothing to wait for
xdotool mousemove "$((sash_x + 40))" "$sash_y"
eventually sash_moved_by 30 || true
xdotool mousemove "$((sash_x + 80))" "$sash_y"
eventually sash_moved_by 70 || true
xdotool mouseup 1
moved() {
  local now
  now=$(probe children VEL | awk '$1 == "VEL_SASH_WE" && $2 == 1 { print $3 }')
  [ -n "$now" ] && [ "$now" -ge "$((sash_left + 60))" ]
}
eventually moved && pass "the column's sash made it narrower" ||
  check_failed "the column did not narrow: $(probe children VEL | tr '\n' ';')"
# The sash moves while it is dragged, the panes when it is let go: then the
# variables pane shows its five rows at its new place, and the source pane
# has painted the strip it took from the column, where its short lines
# leave nothing but its background (inside its frame, left of its scroll
# bar).
narrower_drawn() {
  column_read && [ "$vl" -ge $((sash_left + 60)) ] && [ "$(rows_shown $vl $vt $vr $vb)" -ge 5 ] &&
    [ "$(convert "$file" -crop "$((vl - sash_left - 32))x$((vb - st - 12))+$((sash_left + 8))+$((st + 6))" +repage \
      -format %c histogram:info:- | awk '{ n++ } /#FFFFBE/ { back = 1 } END { print n == 1 && back }')" = 1 ]
}
screenshot_when inspect-5-narrower.png narrower_drawn
e2e_end
