#!/usr/bin/env bash
# vel.exe launches the stand-in interpreter (named by OSTRA) for a macro and
# completes the launch handshake; the title follows the stops and the end.
# Then the stand-in starts vel.exe itself and the attach handshake completes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

SIM_EXE="$VEL_WIN64_DIR/tools/ostra-sim/ostra-sim.exe"
[ -f "$SIM_EXE" ] || fail "vel.exe is built but the stand-in is missing: $SIM_EXE"
work="$E2E_OUT/link_launch"
rm -rf "$work"
mkdir -p "$work"
host="$(hostname)"
examples="$(cd "$E2E_DIR/../../examples" && pwd)"
sim_win="$(winepath -w "$SIM_EXE" 2>/dev/null)"
demo_win="$(winepath -w "$examples/demo.rexx" 2>/dev/null)"

# 1. Walk mode: the first stop of the demo names its routine and file.
export OSTRA="\"$sim_win\""
win_background "$work/walk.out" "$work/walk.err" "$VEL_EXE" "$demo_win"
walk_pid=$E2E_LAST_PID
want="vel @ $host: stopped in main ---- file: $demo_win"
title="$(probe wait-title VEL "$want" 60000)" || fail "launch: no stop title (wanted '$want')"
[ "$title" = "$want" ] || fail "launch: title '$title', wanted '$want'"
pass "launch handshake, first stop: '$title'"
screenshot launch-first-stop.png
kill -KILL "$walk_pid" 2>/dev/null || true
probe wait-gone VEL 20000 >/dev/null || fail "the window stayed after vel was ended"

# 2. A scenario that stops once and ends: the title falls back to waiting.
cat >"$work/stop-end.scn" <<'SCN'
send |set-source|say 'one'\nsay 'two'\n
send |file-map|0 0 1 0 demo.rexx
send |stop-at|1 main
sleep 1500
send |end|
expect eof
SCN
export OSTRA="\"$sim_win\" --scenario $(winepath -w "$work/stop-end.scn")"
win_background "$work/end.out" "$work/end.err" "$VEL_EXE" "$demo_win"
probe wait-title VEL ": stopped in main ---- file: " 60000 >/dev/null \
  || fail "scenario: the stop never reached the title"
want="vel @ $host: waiting user input"
title="$(probe wait-title VEL "waiting user input" 30000)" || fail "scenario: no end title"
[ "$title" = "$want" ] || fail "scenario: title '$title', wanted '$want'"
pass "after the end: '$title'"
kill -KILL "$E2E_LAST_PID" 2>/dev/null || true
probe wait-gone VEL 20000 >/dev/null || true
unset OSTRA

# 3. Attach mode: the stand-in starts vel.exe with VelSock_out and
# VelSock_stdout set; vel has no macro argument of its own to launch.
cat >"$work/attach.scn" <<'SCN'
send |set-source|say 'attached'\n
send |file-name|attached.rexx
send |stop-at|0 main
sleep 1500
send |end|
expect eof
SCN
win_background "$work/attach.out" "$work/attach.err" "$SIM_EXE" --attach "$(winepath -w "$VEL_EXE")" \
  --scenario "$(winepath -w "$work/attach.scn")" --transcript "$(winepath -w "$work/attach.log")" \
  "$demo_win"
want="vel @ $host: stopped in main ---- file: attached.rexx"
title="$(probe wait-title VEL "$want" 60000)" || fail "attach: no stop title"
pass "attach handshake, stop: '$title'"
probe wait-title VEL "waiting user input" 30000 >/dev/null || fail "attach: no end title"
grep -q '^stdin-frame #' "$work/attach.log" || fail "attach: the stand-in never got vel's '#' on stdin"
pass "attach transcript: $(grep -c '^cmd ' "$work/attach.log") command frame(s), stdin '#'"
