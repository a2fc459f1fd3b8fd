#!/usr/bin/env bash
# The test prefix offers vel's usual text faces, "Courier New" and "Lucida
# Console", through Liberation Mono: both are listed and measure like it, while
# an unknown face is not listed (so "listed" is not simply always yes).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

metrics() { sed -n 's/.* height=\([0-9]*\) width=\([0-9]*\)$/\1x\2/p' <<<"$1"; }

reference="$(probe font "Liberation Mono" 16)" || fail "velprobe font failed"
[[ "$reference" == listed=yes* ]] || fail "Liberation Mono is not installed: $reference"
want="$(metrics "$reference")"
for face in "Courier New" "Lucida Console"; do
  got="$(probe font "$face" 16)" || fail "velprobe font failed"
  if [[ "$got" != listed=yes* ]]; then
    check_failed "$face is not available in the prefix: $got"
  elif [ "$(metrics "$got")" != "$want" ]; then
    check_failed "$face measures $(metrics "$got"), Liberation Mono $want"
  else
    pass "$face stands for Liberation Mono ($want at 16 px)"
  fi
done
unknown="$(probe font "No Such Face vel" 16)" || fail "velprobe font failed"
[[ "$unknown" == listed=no* ]] || check_failed "an unknown face is listed: $unknown"
e2e_end
