#!/usr/bin/env bash
# TABs in vel.exe under Wine: a macro whose lines hold TABs shows blanks up
# to the next multiple of eight columns (no box glyph), a click on the text
# after a TAB puts the edit cursor on the character drawn there, typing goes
# in there, and the saved file keeps its TABs byte for byte.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
source "$E2E_DIR/edit_lib.sh"
edit_begin tabs_shown
command -v convert >/dev/null || fail "ImageMagick is not installed (scripts/setup installs it)"

tab=$'\t'
{
  echo "/* TABs are drawn as blanks to the next multiple of eight columns */"
  echo "x${tab}= 1${tab}${tab}/* one TAB, then two */"
  echo "say${tab}'x is'${tab}x"
  for i in 4 5 6 7 8 9; do echo "/* line $i */"; done
  echo "exit"
} >"$work/tabs.rexx"
macro_w="$(winepath -w "$work/tabs.rexx")"

# How many colours the cells FROM..TO (inclusive) of source row ROW show in
# the picture: one is nothing but background. A glyph may reach a pixel into
# the cell beside it, so blank runs are looked at inside their edges.
cell_colours() {
  local shot="$1" row="$2" from="$3" to="$4" x y
  x=$(($(char_x "$from") - CELL_W / 2))
  y=$(($(row_y "$row") - CELL_H / 2))
  # Only the middle of the row: row_y is the row's middle to a pixel or two,
  # and the rows next to it must not count.
  convert "$shot" -crop "$(((to - from + 1) * CELL_W))x$((CELL_H - 8))+${x}+$((y + 4))" +repage \
    -format '%k' info:
}

start_editing tabs
xdotool mousemove --sync "$(char_x 30)" "$(row_y 8)"
sleep 0.5
shot="$E2E_SHOTS/tabs-shown.png"
screenshot tabs-shown.png
require_colours "$shot" 8

# Line 2, "x" TAB "= 1": x in cell 0, the TAB's blanks in cells 1..7, "=" in 8.
# Drawn as one glyph, the TAB would put "= 1" into cells 2..4.
[ "$(cell_colours "$shot" 1 2 6)" -eq 1 ] && pass "the TAB after x shows as blank cells" \
  || check_failed "cells 2..6 of line 2 are not blank: the TAB is one glyph wide"
[ "$(cell_colours "$shot" 1 8 8)" -gt 1 ] && pass "the = after it is drawn in cell 8" \
  || check_failed "nothing drawn in cell 8 of line 2"
# Line 3, "say" TAB "'x is'" TAB "x": the second TAB takes cells 14 and 15,
# the last x is drawn in cell 16.
[ "$(cell_colours "$shot" 2 4 6)" -eq 1 ] && [ "$(cell_colours "$shot" 2 16 16)" -gt 1 ] \
  && pass "line 3's TABs end at columns 8 and 16" \
  || check_failed "line 3's TABs are not blanks to columns 8 and 16"

# A click on the "=" drawn in cell 8 puts the edit cursor there: typing goes
# in before it.
xdotool mousemove --sync "$(char_x 8)" "$(row_y 1)" click 1
sleep 0.5
xdotool type --delay 80 "Z"
sleep 0.8
typed="$E2E_SHOTS/tabs-typed.png"
screenshot tabs-typed.png
[ "$(cell_colours "$typed" 1 2 6)" -eq 1 ] && [ "$(cell_colours "$typed" 1 8 8)" -gt 1 ] \
  && [ "$(cell_colours "$typed" 1 9 9)" -gt 1 ] \
  && pass "the Z is drawn where the click was, the TAB still blank" \
  || check_failed "after typing, line 2 does not show x, blanks, Z= (colours of cells 2-6, 8, 9:" \
    "$(cell_colours "$typed" 1 2 6) $(cell_colours "$typed" 1 8 8) $(cell_colours "$typed" 1 9 9))"

xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
xdotool type --delay 60 "save"
keys Return
sleep 1.5
expected="x${tab}Z= 1${tab}${tab}/* one TAB, then two */"
[ "$(sed -n 2p "$work/tabs.rexx")" = "$expected" ] && pass "the saved line keeps its TABs" \
  || check_failed "the saved line 2: $(sed -n 2p "$work/tabs.rexx" | od -c | head -3)"
[ "$(sed -n 3p "$work/tabs.rexx")" = "say${tab}'x is'${tab}x" ] \
  && pass "the line not edited is written byte for byte" \
  || check_failed "the saved line 3 changed"
e2e_end
