#!/usr/bin/env bash
# An initialisation file in the current directory recolours the source pane
# and the stop colour and sets a breakpoint with a start-up command: the
# command reaches the stand-in, its confirmation comes back, and the mark is
# drawn beside line 9 while the stop arrow stays on line 4.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
work="$E2E_OUT/startup_marks"
rm -rf "$work"
mkdir -p "$work"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
cat >"$work/.velinit" <<'INIT'
back_source 200 230 255
back_current 220 0 0
stop at 9
INIT

cd "$work"
export OSTRA="\"$(winepath -w "$SIM_EXE")\""
win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" "$(winepath -w "$examples/demo.rexx")"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
sleep 2
shot="startup-marks.png"
screenshot "$shot"
file="$E2E_SHOTS/$shot"
read -r left top right bottom < <(panes_area) || fail "no client rectangle"

got="$(convert "$file" -format "%[fx:int(255*p{$((right - 40)),$((top + 30))}.r)],%[fx:int(255*p{$((right - 40)),$((top + 30))}.g)],%[fx:int(255*p{$((right - 40)),$((top + 30))}.b)]" info:)"
[ "$got" = "200,230,255" ] || fail "source background is $got, wanted the file's 200,230,255"
pass "back_source recoloured the source pane"

# Rows of the left part of the source pane that hold the stop colour: the
# arrow's rows and the mark's rows form two separate bands.
bands="$(convert "$file" -crop "120x$(((bottom - top) / 2))+${left}+${top}" +repage txt:- |
  awk -F'[,:]' '/#DC0000/ { rows[$2] = 1 }
    END { n = 0; last = -10; for (y = 0; y < 2000; y++) if (y in rows) { if (y > last + 3) n++; last = y } print n }')"
[ "$bands" -ge 2 ] || fail "the stop colour shows in $bands band(s): no breakpoint mark beside the arrow"
pass "stop arrow and breakpoint mark: $bands bands in the stop colour"
