#!/usr/bin/env bash
# vel.exe on the demo macro with the stand-in interpreter: the window shows
# the source pane on its background with line numbers and the stop arrow,
# the io pane and the command pane with its banner and prompt. Checked by
# the colours of pixels at known places of the client area; the screenshots
# are kept for people to look at. Then the window is resized, the lower sash
# dragged, and push buttons from an initialisation file shown.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
work="$E2E_OUT/display_panes"
rm -rf "$work"
mkdir -p "$work"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
sim_win="$(winepath -w "$SIM_EXE" 2>/dev/null)"
demo_win="$(winepath -w "$examples/demo.rexx" 2>/dev/null)"

# The colour of a screen pixel as "r,g,b".
pixel() {
  convert "$file" -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

# How many pixels of a rectangle (screen coordinates) have the colour.
# Magenta marks the matches first: no pane uses it.
count_colour() {
  local x="$1" y="$2" w="$3" h="$4" rgb="$5"
  convert "$file" -crop "${w}x${h}+${x}+${y}" +repage -alpha off \
    -fill magenta -opaque "rgb($rgb)" -fill black +opaque magenta \
    -fill white -opaque magenta -format '%[fx:int(mean*w*h+0.5)]' info:
}

expect_colour() {
  local what="$1" x="$2" y="$3" want="$4" got
  got="$(pixel "$x" "$y")"
  if [ "$got" = "$want" ]; then
    pass "$what at $x,$y is $want"
  else
    check_failed "$what at $x,$y is $got, wanted $want"
  fi
}

# 1. The first stop of the demo.
export OSTRA="\"$sim_win\""
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$demo_win"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null \
  || fail "no first stop in the title"
await_stopped || check_failed "the toolbar does not offer Next at the first stop"
read -r left top right bottom < <(panes_area) || fail "no client rectangle"
pass "client area $left $top $right $bottom"
width=$((right - left))
height=$((bottom - top))
# The refresh that shows the stop draws every pane; the picture is taken
# again until the screen has the source and the command pane's text.
drawn() {
  [ "$(count_colour "$left" "$top" "$width" $((height / 2)) "0,0,0")" -gt 200 ] &&
    [ "$(count_colour "$left" $((bottom - height / 4)) "$width" $((height / 4)) "0,0,0")" -gt 100 ]
}
screenshot_when display-panes.png drawn
require_colours "$file" 8

# The source pane fills the top half below the toolbar: its background slot 0
# is 255,255,190; the right-hand part of its rows holds no text.
expect_colour "source pane background" $((left + width - 40)) $((top + 30)) "255,255,190"
# The io pane (slot 14) lies in the third quarter and is empty at its right.
expect_colour "io pane background" $((left + width - 40)) $((top + height * 5 / 8 + 8)) "232,157,134"
# The command pane (slot 11) at the bottom.
expect_colour "command pane background" $((left + width - 40)) $((bottom - 30)) "255,255,190"

# Line numbers are drawn in slot 13 (133,74,0) at the left of the source pane.
numbers="$(count_colour "$left" "$top" 48 200 "133,74,0")"
[ "$numbers" -gt 20 ] && pass "line numbers: $numbers pixels of slot 13" \
  || check_failed "line numbers: only $numbers pixels of slot 13 at the source pane's left"

# The text is black (slot 64) on the source background.
black="$(count_colour "$left" "$top" "$width" $((height / 2)) "0,0,0")"
[ "$black" -gt 200 ] && pass "source text: $black black pixels" \
  || check_failed "source text: only $black black pixels in the source pane"

# The rule right of the line numbers is the first black pixel of the source
# pane's rows (the numbers themselves are not black). Between it and the
# text of the stop line lies the marker area, where only the stop arrow is
# black.
rule_x="$(convert "$file" -crop "${width}x1+${left}+$((top + 12))" +repage txt:- |
  awk -F'[,:]' '/#000000/ && x == "" { x = $1 } END { print x }')"
[ -n "$rule_x" ] || fail "no rule right of the line numbers"
pass "rule at x = $rule_x in the client area"
arrow="$(count_colour $((left + rule_x + 2)) "$top" 20 $((height / 2)) "0,0,0")"
[ "$arrow" -gt 10 ] && pass "stop arrow: $arrow black pixels in the marker columns" \
  || check_failed "stop arrow: only $arrow black pixels in the marker columns"

# The command pane's banner and prompt: black text on its background.
cmd_black="$(count_colour "$left" $((bottom - height / 4)) "$width" $((height / 4)) "0,0,0")"
[ "$cmd_black" -gt 100 ] && pass "command pane text: $cmd_black black pixels" \
  || check_failed "command pane text: only $cmd_black black pixels"

# The drags below go step by step, each motion waited for until the window
# shows it. Nothing shows that Wine has taken the pointer's arrival on the
# edge or the press that starts a drag, so those two steps are given a
# moment each instead.

# 2. Dragging the window's bottom-right corner: the panes are laid out for
# the new size and painted whole. The window follows the pointer while the
# button is down.
read -r wl wt wr wb < <(probe rect VEL) || fail "no window rectangle"
right_at_least() {
  local r
  read -r _ _ r _ < <(probe rect VEL) && [ "$r" -ge "$1" ]
}
xdotool mousemove $((wr - 3)) $((wb - 3))
sleep 0.3 # the pointer's arrival: nothing to wait for
xdotool mousedown 1
sleep 0.3 # the press: nothing to wait for
xdotool mousemove $((wr + 100)) $((wb + 100))
eventually right_at_least $((wr + 100)) || true
xdotool mousemove $((wr + 200)) $((wb + 200))
eventually right_at_least $((wr + 200)) || true
xdotool mouseup 1
grown() {
  read -r left top right bottom < <(panes_area) && [ $((right - left)) -gt $((width + 150)) ]
}
eventually grown && pass "resized client area $left $top $right $bottom" \
  || check_failed "the window did not grow: client $left $top $right $bottom"
width=$((right - left))
height=$((bottom - top))
colour_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
# The grown panes are painted a moment after the new size.
screenshot_when display-resized.png colour_is $((right - 40)) $((top + 30)) "255,255,190"
expect_colour "resized: command pane" $((right - 40)) $((bottom - 30)) "255,255,190"
expect_colour "resized: io pane" $((right - 40)) $((top + height * 5 / 8 + 8)) "232,157,134"
expect_colour "resized: source pane" $((right - 40)) $((top + 30)) "255,255,190"

# 3. The lower sash, found just below the io pane's last row of colour,
# dragged 80 pixels up: the command pane takes them from the io pane.
x=$((right - 40))
io_last="$(convert "$file" -crop "1x${height}+${x}+${top}" +repage txt:- |
  awk -F'[,:]' '/#E89D86/ { y = $2 } END { print y }')"
[ -n "$io_last" ] || fail "no io pane in column $x"
sash_y=$((top + io_last + 3))
# While it is dragged only the sash moves (to the pointer's row); the panes
# follow when it is let go.
sash_at() {
  probe children VEL | awk -v y="$1" '$1 == "VEL_SASH" && $2 == 1 && $4 <= y && $6 > y { on = 1 }
    END { exit !on }'
}
xdotool mousemove "$x" "$sash_y"
sleep 0.3 # the pointer's arrival: nothing to wait for
xdotool mousedown 1
sleep 0.3 # the press: nothing to wait for
xdotool mousemove "$x" $((sash_y - 40))
eventually sash_at $((sash_y - 40)) || true
xdotool mousemove "$x" $((sash_y - 80))
eventually sash_at $((sash_y - 80)) || true
xdotool mouseup 1
screenshot_when display-sash.png colour_is "$x" $((sash_y - 40)) "255,255,190"
expect_colour "after the sash drag: command pane above the old border" "$x" $((sash_y - 40)) "255,255,190"
expect_colour "after the sash drag: io pane above that" "$x" $((sash_y - 100)) "232,157,134"

# 3b. The command pane's own frame at the bottom of the client area,
# dragged 60 pixels up: the io pane takes them, the command pane still ends
# at the bottom.
io_last="$(convert "$file" -crop "1x${height}+${x}+${top}" +repage txt:- |
  awk -F'[,:]' '/#E89D86/ { y = $2 } END { print y }')"
probe_y=$((top + io_last + 30))
expect_colour "before the frame drag: command pane" "$x" "$probe_y" "255,255,190"
# While a pane's frame is dragged Wine only draws its outline, inverting
# the screen: the outline's bottom edge at the pointer's row shows as a
# change against a picture from before the drag (pictures of the work
# folder, not kept).
before="$work/frame-drag-before.png"
import -display "$DISPLAY" -window root "$before"
outline_at() {
  local now="$work/frame-drag.png" geometry="5x12+$((x - 2))+$(($1 - 8))"
  import -display "$DISPLAY" -window root "$now" &&
    [ "$(convert "$before" -crop "$geometry" +repage txt:-)" != "$(convert "$now" -crop "$geometry" +repage txt:-)" ]
}
xdotool mousemove "$x" $((bottom - 2))
sleep 0.3 # the pointer's arrival: nothing to wait for
xdotool mousedown 1
sleep 0.3 # the press: nothing to wait for
xdotool mousemove "$x" $((bottom - 30))
eventually outline_at $((bottom - 30)) || true
xdotool mousemove "$x" $((bottom - 60))
eventually outline_at $((bottom - 60)) || true
xdotool mouseup 1
screenshot_when display-frame.png colour_is "$x" "$probe_y" "232,157,134"
expect_colour "after the frame drag: io pane" "$x" "$probe_y" "232,157,134"
expect_colour "after the frame drag: command pane at the bottom" "$x" $((bottom - 30)) "255,255,190"

kill -KILL "$E2E_LAST_PID" 2>/dev/null || true
probe wait-gone VEL 20000 >/dev/null || fail "the window stayed after vel was ended"

# 4. Four push buttons from an initialisation file in the current directory:
# along the middle of the panel (slot 13, 133,74,0) four buttons interrupt
# the panel's colour.
mkdir -p "$work/buttons"
printf 'button Run cont\nbutton Step step\nbutton Next next\nbutton Where where\n' \
  >"$work/buttons/.velinit"
(cd "$work/buttons" && win_background "$work/buttons.out" "$work/buttons.err" "$VEL_EXE" "$demo_win"
  echo "$E2E_LAST_PID" >"$work/buttons.pid")
E2E_PIDS+=("$(cat "$work/buttons.pid")")
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "buttons: no first stop"
await_stopped || check_failed "buttons: the toolbar does not offer Next at the first stop"
read -r left top right bottom < <(panes_area) || fail "no client rectangle"
# The panel is drawn with the window: taken again until it shows.
panel_shown() {
  convert "$file" -crop "1x$((bottom - top))+$((right - 20))+${top}" +repage txt:- |
    awk '/#854A00/ { found = 1 } END { exit !found }'
}
screenshot_when display-buttons.png panel_shown
band="$(convert "$file" -crop "1x$((bottom - top))+$((right - 20))+${top}" +repage txt:- |
  awk -F'[,:]' '/#854A00/ { if (first == "") first = $2; last = $2 } END { print first, last }')"
read -r band_top band_bottom <<<"$band"
[ -n "$band_top" ] || fail "buttons: no button panel found"
middle=$((top + (band_top + band_bottom) / 2))
# Inside the panel's border, whose grey would count as one more.
buttons="$(convert "$file" -crop "$((right - left - 8))x1+$((left + 4))+${middle}" +repage txt:- |
  awk '/#854A00/ { brown = 1; next } NR > 1 { if (brown) runs++; brown = 0 } END { print runs + 0 }')"
[ "$buttons" -eq 4 ] && pass "button panel shows 4 buttons" \
  || check_failed "button panel: $buttons buttons along y = $middle, wanted 4"

kill -KILL "$(cat "$work/buttons.pid")" 2>/dev/null || true
probe wait-gone VEL 20000 >/dev/null || fail "the window stayed after vel was ended"

# 5. A scripted interpreter: a second file with its banner, a line too long
# for one row, output in the io pane, a message in the command pane, and a
# stop after moving up the call stack: the stop line and its hollow arrow in
# slot 9 (79,162,0).
long="say '$(printf 'x%.0s' $(seq 1 150))'"
cat >"$work/scenario.scn" <<SCN
send |set-source|/* main */\n$long\ncall util\nexit\nutil:\n    say 'in util'\n    return\n
send |file-map|0 0 3 0 main.rexx
send |file-map|1 4 6 4 lib/util.ost
stdout hello from the macro\nsecond line\n
send |mes|a message from the interpreter
send |stop-up|2 util
sleep 20000
SCN
export OSTRA="\"$sim_win\" --scenario $(winepath -w "$work/scenario.scn")"
win_background "$work/scenario.out" "$work/scenario.err" "$VEL_EXE" "$demo_win"
probe wait-title VEL "stopped" 60000 >/dev/null || fail "scenario: no stop in the title"
read -r left top right bottom < <(panes_area) || fail "no client rectangle"
width=$((right - left))
height=$((bottom - top))
# The output and the stop come in separate messages: taken again until
# both are on the screen.
scenario_drawn() {
  green="$(count_colour "$left" "$top" "$width" $((height / 2)) "79,162,0")"
  io_text="$(count_colour "$left" $((top + height / 2 + 10)) "$width" $((height / 4 - 20)) "0,0,0")"
  [ "$green" -gt 30 ] && [ "$io_text" -gt 100 ]
}
screenshot_when display-scenario.png scenario_drawn
[ "$green" -gt 30 ] && pass "stopped up: $green pixels of slot 9 in the source pane" \
  || check_failed "stopped up: only $green pixels of slot 9 in the source pane"
[ "$io_text" -gt 100 ] && pass "io pane output: $io_text black pixels" \
  || check_failed "io pane output: only $io_text black pixels"

e2e_end
