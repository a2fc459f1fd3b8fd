#!/usr/bin/env bash
# The menu bar and the toolbar of vel.exe under Wine offer the same commands
# in every state: while the macro runs, Debug > Next is grey and does
# nothing and Debug > Break sends break; once an editor drives vel, Run and
# Rerun are grey on the toolbar and in the menu, so they can no longer hand
# vel back to the editor by accident (after an error they would end it).
# The stand-in plays a scenario; what reached it is read from its
# transcript.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
work="$E2E_OUT/menu_states"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
transcript="$work/transcript.log"
printf "say 'hi'\nsay 'there'\n" >"$work/m.rexx"
cat >"$work/steps.scn" <<'STEPS'
timeout 60000
# vel asks what the interpreter offers as soon as it is connected; the
# stand-in's scenario does not answer, so vel takes it to offer nothing.
expect cmd features
send |set-source|say 'hi'\nsay 'there'\n
send |stop-at|1 main
send |running|
# Debug > Next is tried first: only Break may arrive.
expect cmd break
send |stop-at|2 main
send |quire|
send |error|
expect cmd kill
STEPS

export OSTRA="\"$(winepath -w "$SIM_EXE")\" --scenario $(winepath -w "$work/steps.scn") --transcript $(winepath -w "$transcript")"
keys() { xdotool key --delay 120 "$@"; }
button_enabled() { probe toolbar VEL | awk -v id="$1" '$1 == id { print $2 }'; }
press_button() {
  local x y
  read -r _ _ x y < <(probe toolbar VEL | awk -v id="$1" '$1 == id')
  xdotool mousemove --sync "$x" "$y" click 1
}
# Opens the Debug menu with Alt+D and types an entry's mnemonic.
debug_menu() {
  keys alt+d
  eventually menu_open || true
  keys "$1"
  sleep 0.8
}
vel_alive() { kill -0 "$vel_pid" 2>/dev/null && probe title VEL >/dev/null 2>&1; }

win_background "$work/vel.out" "$work/vel.err" "$VEL_EXE" -font "Liberation Mono%*%8%16" \
  "$(winepath -w "$work/m.rexx")"
vel_pid=$E2E_LAST_PID
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null || fail "no first stop"
read -r left top right bottom < <(probe client VEL) || fail "no client rectangle"
xdotool mousemove --sync "$(((left + right) / 2))" "$((bottom - 20))"
await_running || true

# ---- The macro runs ----
[ "$(button_enabled 30014)" = 1 ] || check_failed "Break is not enabled while the macro runs"
[ "$(button_enabled 30004)" = 0 ] || check_failed "the toolbar's Next is enabled while the macro runs"
debug_menu n
keys Escape Escape
eventually menu_closed || true
debug_menu b
await "cmd break" && pass "Debug > Break sent break while the macro ran" \
  || check_failed "Debug > Break sent nothing"
if grep -qx "cmd next" "$transcript"; then
  check_failed "Debug > Next sent next while the macro ran: the menu greys nothing"
else
  pass "Debug > Next was grey while the macro ran and sent nothing"
fi
grep -q '^fail ' "$transcript" && check_failed "the stand-in got what it did not expect: $(grep '^fail ' "$transcript")"

# ---- An editor drives vel, after an error ----
# Stopped, with Run grey: the editor drives.
driven_stop() { toolbar_enabled 30004 && ! toolbar_enabled 30000; }
eventually driven_stop || true
[ "$(button_enabled 30000)" = 0 ] && [ "$(button_enabled 30001)" = 0 ] \
  && pass "in editor-driven mode the toolbar's Run and Rerun are grey" \
  || check_failed "in editor-driven mode Run/Rerun are enabled: $(button_enabled 30000)/$(button_enabled 30001)"
[ "$(button_enabled 30004)" = 1 ] || check_failed "Next is not enabled at the editor-driven stop"
press_button 30001
sleep 1
vel_alive && pass "a click on the grey Rerun did nothing" \
  || fail "a click on Rerun ended vel: it was offered although an editor drives vel"
debug_menu r
vel_alive && pass "Debug > Run was grey and did nothing" \
  || fail "Debug > Run ended vel: the menu offered it although an editor drives vel"
keys Escape Escape
eventually menu_closed || true
keys alt+d
eventually menu_open || true
screenshot menu-states-driven.png
keys Escape Escape
eventually menu_closed || true

keys alt+e
probe box VEL 15000 OK >/dev/null || check_failed "Alt+E showed no box"
probe wait-gone VEL 20000 >/dev/null || check_failed "the window stayed after the quit"
await "cmd kill" || check_failed "quitting sent no kill"
e2e_end
