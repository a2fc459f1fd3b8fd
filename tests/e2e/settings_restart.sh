#!/usr/bin/env bash
# The window's place and size, the pane fractions and the text font are kept
# in the registry at exit and come back at the next start: the values written
# after a second start without options equal those of the first, a stored
# fraction and font are used, and a stored position off the screen is pulled
# back onto it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

work="$E2E_OUT/settings_restart"
mkdir -p "$work"
root='HKCU\Software\HALVERD'

# Prints one stored value of the key as text (REG_BINARY is listed in hex).
stored() {
  wine reg query "$root\\VEL" /s 2>/dev/null | tr -d '\r' \
    | awk -v name="$1" '$1 == name && $2 == "REG_BINARY" { print $3 }' | xxd -r -p
}
# The settings key of this user and screen, as the registry lists it.
settings_key() {
  wine reg query "$root\\VEL" /s 2>/dev/null | tr -d '\r' | grep -i '^HKEY_CURRENT_USER.*x[0-9]*$' | head -1
}

# Starts vel -test with the arguments, waits for its window, prints the
# window's rectangle, closes it (vel asks, then saves its settings) and waits for the end.
run_vel() {
  local name="$1"
  shift
  win_background "$work/$name.out" "$work/$name.err" "$VEL_EXE" -test "$@"
  local pid=$E2E_LAST_PID
  probe wait-window VEL 60000 >/dev/null || fail "$name: no window of class VEL"
  probe rect VEL >"$work/$name.rect" || fail "$name: no rectangle"
  probe close VEL >/dev/null || fail "$name: could not close the window"
  # Closing asks first.
  probe box VEL 15000 OK >/dev/null || fail "$name: closing did not ask whether to quit"
  probe wait-gone VEL 30000 >/dev/null || fail "$name: the window stayed after closing"
  wait "$pid" 2>/dev/null || true
}

expect_value() {
  local name="$1" want="$2" got
  got="$(stored "$name")"
  if [ "$got" = "$want" ]; then
    pass "$name is '$got'"
  else
    check_failed "$name is '$got', expected '$want'"
  fi
}

wine reg delete "$root" /f >/dev/null 2>&1 || true

run_vel first -Wp 40 60 -Wh 30 -Ww 90 -font "Courier New%*%8%16"
key="$(settings_key)"
[ -n "$key" ] || fail "no settings key was written at exit"
pass "settings key $key"
expect_value Wp "40 60"
expect_value Wh 30
expect_value Ww 90
expect_value Wsz "50.000000 25.000000 25.000000"
font="$(stored Wt | xxd -p | tr -d '\n')"
[ "${#font}" -eq 120 ] || check_failed "Wt holds $((${#font} / 2)) bytes, not 60"
# LOGFONTA: height 16 and width 8 little-endian, face from byte 28.
[ "${font:0:16}" = 1000000008000000 ] || check_failed "Wt does not describe a 16 × 8 font: $font"
face="$(stored Wt | tail -c 32 | tr -d '\0')"
[ "$face" = "Courier New" ] || check_failed "Wt names the face '$face'"

# Second start without options: everything comes from the registry.
before="$(wine reg query "$root\\VEL" /s | tr -d '\r' | grep REG_BINARY)"
run_vel second
after="$(wine reg query "$root\\VEL" /s | tr -d '\r' | grep REG_BINARY)"
if [ "$before" = "$after" ]; then
  pass "a start without options writes back what the last exit stored"
else
  check_failed "values changed over a plain restart:"$'\n'"$before"$'\n'"---"$'\n'"$after"
fi
[ "$(cat "$work/first.rect")" = "$(cat "$work/second.rect")" ] \
  || check_failed "window moved over a restart: $(cat "$work/first.rect") then $(cat "$work/second.rect")"

# Stored fractions are used, and a position off the screen is pulled back.
hex() { printf '%s' "$1" | xxd -p | tr -d '\n'; }
# Writes one binary value. A clean-clone run once stopped here without a
# word, so a failure is now retried and then reported with Wine's own text.
store() {
  local tries
  for tries in 1 2 3; do
    wine reg add "$key" /v "$1" /t REG_BINARY /d "$(hex "$2")" /f >/dev/null 2>"$work/reg.err" \
      && return 0
    sleep 1
  done
  cat "$work/reg.err" >&2
  fail "could not store $1 in the registry"
}
store Wsz "60 20 20"
store Wp "-50 5000"
run_vel third
expect_value Wsz "60.000000 20.000000 20.000000"
screen_h="${key##*x}"
read -r left top _ <"$work/third.rect"
if [ "$left" = 0 ] && [ "$top" = "$((screen_h - 10))" ]; then
  pass "position -50 5000 opened at $left $top"
else
  check_failed "position -50 5000 opened at $left $top, expected 0 $((screen_h - 10))"
fi

wine reg delete "$root" /f >/dev/null 2>&1 || true
e2e_end
