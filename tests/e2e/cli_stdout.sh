#!/usr/bin/env bash
# Command-line errors that vel reports on standard output before any window
# exists: exact bytes and exit status 1, for each case.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

COUNT='vel: invalid parameter count.\n'
INVALID='vel: invalid parameter.\n'
USAGE='vel usage: vel rexx-macro\n'

# name | expected output | arguments
CASES=(
  "two-value option with one value|$COUNT|-Wp 10"
  "one-value option with none|$COUNT|-Wh"
  "unknown option|$INVALID|-x m.rexx"
  "lone dash|$INVALID|- m.rexx"
  "options are case-sensitive|$INVALID|-TEST"
  "no macro|$USAGE|"
  "no macro after complete options|$USAGE|-Wp 10 20"
)

work="$E2E_OUT/cli_stdout"
mkdir -p "$work"
for entry in "${CASES[@]}"; do
  IFS='|' read -r name expected args <<<"$entry"
  printf '%b' "$expected" >"$work/expected"
  # Attach mode would start without a macro; keep it out of the way. The
  # arguments are split at spaces on purpose.
  set +e
  # shellcheck disable=SC2086
  env -u VelSock_out -u VelSock_stdout timeout -k 5 60 wine "$VEL_EXE" $args >"$work/out" 2>"$work/err" 8>&- 9>&-
  status=$?
  set -e
  if [ "$status" -ne 1 ]; then
    check_failed "$name (vel $args): exit status $status, expected 1"
  elif ! same_bytes "$work/expected" "$work/out"; then
    check_failed "$name (vel $args): standard output differs"
  else
    pass "$name (vel $args): exit 1, output $(printf '%q' "$(cat "$work/out")")"
  fi
done
e2e_end
