# shellcheck shell=bash
# Shared by the end-to-end tests (sourced): finds vel.exe and velprobe.exe,
# prepares the Wine prefix and a display, runs Windows programs with time
# limits and cleans up what a test started.
#
# A test script calls e2e_begin first. It exits 77 (CTest's skip code) only
# when vel.exe has not been built; every other problem is a failure.
#
# Settings from the environment (CTest sets them):
#   VEL_WIN64_DIR   folder of the x86_64 Windows build (vel.exe, velprobe.exe)
#   VEL_E2E_OUT     folder for screenshots and logs

set -euo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env
source "$E2E_DIR/../../scripts/wine-env"

E2E_SKIP=77
VEL_WIN64_DIR="${VEL_WIN64_DIR:-$VEL_BUILD_ROOT/win64}"
VEL_EXE="$VEL_WIN64_DIR/vel.exe"
PROBE_EXE="$VEL_WIN64_DIR/velprobe.exe"
E2E_OUT="${VEL_E2E_OUT:-$VEL_BUILD_ROOT/e2e}"
E2E_SHOTS="$E2E_OUT/screenshots"
E2E_PIDS=()
E2E_FAILURES=0

fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}

# For tests with several cases: report, count, go on.
check_failed() {
  printf 'FAIL: %s\n' "$*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

pass() { printf 'ok: %s\n' "$*"; }

e2e_end() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    printf '%d case(s) failed\n' "$E2E_FAILURES" >&2
    exit 1
  fi
}

# vel listens on the address its host name resolves to, so a test run where
# that is not a loopback address would open ports on a real network.
require_loopback() {
  local host addr
  host="$(hostname)"
  addr="$(getent ahostsv4 "$host" | awk 'NR == 1 { print $1 }')"
  case "$addr" in
    127.*) ;;
    *)
      fail "host name '$host' resolves to '${addr:-nothing}', not a loopback address." \
        "vel would accept connections there; the end-to-end tests stop here." \
        "Map the name to 127.0.0.1 in /etc/hosts to run them."
      ;;
  esac
}

# Runs a Windows program under Wine with a time limit.
win() {
  local limit="$1"
  shift
  timeout -k 5 "$limit" wine "$@" 8>&- 9>&-
}

probe() { win 120 "$PROBE_EXE" "$@"; }

# Starts a Windows program in the background; its host pid is left in
# E2E_LAST_PID and ended by the cleanup.
win_background() {
  local out="$1" err="$2"
  shift 2
  # "command": the shell forks and execs Wine itself, so $! is the process
  # that runs the program (through a function it would be a subshell).
  command wine "$@" >"$out" 2>"$err" 8>&- 9>&- &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

e2e_cleanup() {
  local status=$?
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill -KILL "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  # The Wine desktop belongs to the display of the first program that ran;
  # ending the prefix's server here (the run lock is held) lets the next test
  # start fresh on its own display.
  vel_wine_server_stop
  vel_display_stop
  exit "$status"
}

e2e_begin() {
  if [ ! -f "$VEL_EXE" ]; then
    echo "SKIP: no vel.exe in $VEL_WIN64_DIR (build the win64 preset first)"
    exit "$E2E_SKIP"
  fi
  [ -f "$PROBE_EXE" ] || fail "vel.exe is built but velprobe.exe is missing: $PROBE_EXE"
  require_loopback
  # Nothing here reads the terminal; a closed input confuses Wine.
  exec </dev/null
  mkdir -p "$E2E_OUT" "$E2E_SHOTS"
  # One test at a time uses the prefix, also across separate ctest runs from
  # the same tree. The lock is released when the script ends.
  vel_wine_lock 600 || fail "no turn at the Wine prefix within 10 minutes"
  vel_display
  trap e2e_cleanup EXIT
  vel_wine_prefix
  vel_wine_server_stop
  vel_wine_desktop "${VEL_WINE_DESKTOP:-on}"
  vel_wine_server_start
}

# Takes a picture of the whole screen.
screenshot() {
  local file="$E2E_SHOTS/$1"
  import -display "$DISPLAY" -window root "$file"
  echo "screenshot: $file"
}

# The start of a test that drives ostra-regina: $REGINA_EXE (a skip when it
# is not built), xdotool, and an empty folder $work for NAME with the path of
# the interpreter's $transcript in it.
e2e_regina_begin() {
  REGINA_EXE="${OSTRA_REGINA_EXE:-$VEL_BUILD_ROOT/native/interp/regina/ostra-regina}"
  if [ ! -x "$REGINA_EXE" ]; then
    echo "SKIP: ostra-regina is not built (native preset): $REGINA_EXE"
    exit "$E2E_SKIP"
  fi
  command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
  work="$E2E_OUT/$1"
  rm -rf "$work"
  mkdir -p "$work"
  transcript="$work/transcript.log"
}

# Runs CHECK (a command and its arguments) until it succeeds, for up to 10
# seconds: for what the window shows a moment after an event. Fails when it
# never does.
eventually() {
  local tries=0
  until "$@"; do
    tries=$((tries + 1))
    [ "$tries" -lt 40 ] || return 1
    sleep 0.25
  done
}

# Whether the toolbar button ID of vel's window is enabled now. The buttons
# follow the macro's state: Next (30004) is offered at a stop, Break (30014)
# while the macro runs, both set in the refresh that draws the new state.
toolbar_enabled() {
  probe toolbar VEL | awk -v id="$1" '$1 == id && $2 == 1 { on = 1 } END { exit !on }'
}
# Waits (up to 10 s) until vel shows the macro stopped, or running.
await_stopped() { eventually toolbar_enabled 30004; }
await_running() { eventually toolbar_enabled 30014; }
# Whether a menu is open: menus are windows of their own class, shown while
# open.
menu_open() { probe floats "#32768" 2>/dev/null | grep -q .; }
menu_closed() { ! menu_open; }

# Takes the picture NAME until CHECK succeeds on it (for up to 10 seconds),
# with $file naming the picture while CHECK runs and afterwards: the checks
# that follow read the last picture taken, whether CHECK came true or not.
screenshot_when() {
  local name="$1"
  shift
  file="$E2E_SHOTS/$name"
  eventually shoot_and "$@" || true
  echo "screenshot: $file"
}
shoot_and() {
  import -display "$DISPLAY" -window root "$file" && "$@"
}

# Whether vel's edit box (a pop-up of class Edit, for a pin or a variable)
# is up in the picture $file: it starts with its text selected, drawn in
# Wine's highlight colour, and it has the keyboard from then on.
edit_box_drawn() {
  local l t r b
  read -r l t r b _ < <(probe floats Edit) || return 1
  convert "$file" -crop "$((r - l))x$((b - t))+$l+$t" +repage txt:- |
    awk '/#3096FA/ { found = 1 } END { exit !found }'
}

# Fails when a picture holds fewer than N colours (a blank or black screen).
require_colours() {
  local file="$1" least="$2" n
  n="$(convert "$file" -format '%k' info:)"
  [ "$n" -ge "$least" ] || fail "screenshot $file has only $n colours: nothing was drawn"
}

# Shows a byte-exact comparison of two files.
same_bytes() {
  local expected="$1" actual="$2"
  if cmp -s "$expected" "$actual"; then
    return 0
  fi
  echo "  expected:" >&2
  od -c "$expected" | sed 's/^/    /' >&2
  echo "  actual:" >&2
  od -c "$actual" | sed 's/^/    /' >&2
  return 1
}

# The part of vel's client area below its toolbar, where the panes are, in
# screen coordinates: left top right bottom.
panes_area() {
  local left top right bottom bar_top bar_bottom
  read -r left top right bottom < <(probe client VEL) || return 1
  read -r bar_top bar_bottom < <(probe toolbar VEL | awk '$1 == "bar" { print $3, $5 }') || true
  # The panes overlap the toolbar's two-pixel bottom edge.
  [ -n "${bar_top:-}" ] && top=$((top + bar_bottom - bar_top - 2))
  echo "$left $top $right $bottom"
}

# Waits (up to 20 s) until the interpreter's transcript, the file $transcript
# names, holds LINE as a whole line N times (default once); shows the
# transcript when it does not come.
await() {
  local line="$1" times="${2:-1}" waited=0
  while [ "$(grep -cxF -- "$line" "$transcript" 2>/dev/null || true)" -lt "$times" ]; do
    sleep 0.2
    waited=$((waited + 1))
    if [ "$waited" -ge 100 ]; then
      echo "  transcript so far:" >&2
      sed 's/^/    /' "$transcript" >&2 || true
      return 1
    fi
  done
}
