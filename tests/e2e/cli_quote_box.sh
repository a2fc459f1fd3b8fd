#!/usr/bin/env bash
# Unbalanced quotes on the command line: a message box titled "VEL" with the
# text `Invalid " count on invocation.`, exit status 1 once it is dismissed,
# and nothing on standard output.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

work="$E2E_OUT/cli_quote_box"
mkdir -p "$work"
expected='Invalid " count on invocation.'

# The Wine loader would escape a lone quote, so velprobe builds the exact
# command line with CreateProcess.
n=0
for tail in '"ab' 'ab"' 'x "a b'; do
  n=$((n + 1))
  win_background "$work/out$n" "$work/err$n" "$PROBE_EXE" exec "$VEL_EXE" "$tail"
  runner=$E2E_LAST_PID
  if ! text="$(probe box VEL 30000 -)"; then
    check_failed "vel $tail: no message box titled VEL"
    continue
  fi
  [ "$n" -eq 1 ] && screenshot quote-box.png
  if [ "$text" != "$expected" ]; then
    check_failed "vel $tail: box text '$text', expected '$expected'"
  fi
  probe box VEL 5000 >/dev/null || check_failed "vel $tail: could not press OK"
  set +e
  wait "$runner"
  status=$?
  set -e
  if [ "$status" -ne 1 ]; then
    check_failed "vel $tail: exit status $status after OK, expected 1"
  elif [ -s "$work/out$n" ]; then
    check_failed "vel $tail: unexpected standard output: $(od -c "$work/out$n" | head -3)"
  elif [ "$text" = "$expected" ]; then
    pass "vel $tail: box \"$text\", exit 1 after OK"
  fi
done
e2e_end
