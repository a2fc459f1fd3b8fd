#!/usr/bin/env bash
# `vel -test` shows its main window (class "VEL") without an interpreter and
# then waits without using the processor.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

work="$E2E_OUT/test_mode_idle"
mkdir -p "$work"
SECONDS_IDLE=3
LIMIT_PERCENT=2
hz="$(getconf CLK_TCK)"

# Percentage of one core a host process used over the given seconds.
cpu_percent() {
  local pid="$1" seconds="$2" t0 t1 n0 n1
  t0="$(vel_cpu_ticks "$pid")" || return 1
  n0="$(date +%s%N)"
  sleep "$seconds"
  t1="$(vel_cpu_ticks "$pid")" || return 1
  n1="$(date +%s%N)"
  awk -v d="$((t1 - t0))" -v hz="$hz" -v ns="$((n1 - n0))" 'BEGIN { printf "%.2f", 100 * d / hz / (ns / 1e9) }'
}

win_background "$work/out" "$work/err" "$VEL_EXE" -test
vel_pid=$E2E_LAST_PID
title="$(probe wait-window VEL 60000)" || fail "no window of class VEL appeared"
kill -0 "$vel_pid" 2>/dev/null || fail "vel -test ended after showing its window"
pass "window of class VEL, title '$title'"

# Wine names the host process after the program; anything else here would
# be a shell between us and vel, whose idle time would prove nothing.
comm="$(cat "/proc/$vel_pid/comm")"
[ "$comm" = vel.exe ] || fail "host pid $vel_pid runs '$comm', not vel.exe"

sleep 1
percent="$(cpu_percent "$vel_pid" "$SECONDS_IDLE")" || fail "vel -test ended while idle"
echo "idle CPU of vel -test: $percent% of one core over $SECONDS_IDLE s (host pid $vel_pid)"
kill -0 "$vel_pid" 2>/dev/null || fail "vel -test did not keep running"

screenshot test-window.png
require_colours "$E2E_SHOTS/test-window.png" 4

awk -v p="$percent" -v l="$LIMIT_PERCENT" 'BEGIN { exit !(p <= l) }' \
  || fail "vel -test uses $percent% of a core while idle (limit $LIMIT_PERCENT%)"

# The same measurement must see a busy process, or a zero proves nothing. A
# process spinning on the message queue shares its time with the Wine server,
# and other jobs may share the cores (a load of six on two cores leaves it
# about a third of one), so it is measured over longer than vel was and any
# figure well clear of the idle limit will do.
BUSY_PERCENT=$((5 * LIMIT_PERCENT))
win_background "$work/spin.out" "$work/spin.err" "$PROBE_EXE" spin VELPROBE_SPIN 9000
spin_pid=$E2E_LAST_PID
probe wait-window VELPROBE_SPIN 30000 >/dev/null || fail "the busy control process showed no window"
[ "$(cat "/proc/$spin_pid/comm")" = velprobe.exe ] || fail "host pid $spin_pid is not velprobe.exe"
busy="$(cpu_percent "$spin_pid" 3)" || fail "the busy control process ended too early"
echo "control: a busy process measures $busy%"
awk -v b="$busy" -v l="$BUSY_PERCENT" 'BEGIN { exit !(b >= l) }' \
  || fail "CPU measurement does not see a busy process ($busy%, wanted $BUSY_PERCENT% or more)"
probe wait-gone VELPROBE_SPIN 30000 || true
pass "idle at $percent% (limit $LIMIT_PERCENT%)"

kill -TERM "$vel_pid" 2>/dev/null || true
probe wait-gone VEL 10000 >/dev/null || fail "the VEL window stayed after the process was ended"
