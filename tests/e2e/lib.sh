# Sourced by the end-to-end tests: the real Verbola.exe from a copy of the
# built folder, under Wine on the virtual display, driven with xdotool and
# read back with the probe.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wine-env.sh"
VERBOLA_BUILD=${VERBOLA_BUILD:-$VERBOLA_ROOT/build}
PROBE="$VERBOLA_BUILD/windows/tests/e2e/probe.exe"
E2E_FAILURES=0
E2E_NAME=$(basename "$0" .sh)
E2E_FOLDER=
E2E_PID=
ARTEFACTS="$VERBOLA_BUILD/test-artefacts"
mkdir -p "$ARTEFACTS"

check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then
    echo "  ok: $what"
  else
    echo "  FAILED: $what"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The value of one key of the probe's state.
state() { probe state | sed -n "s/^$1=//p" | head -n 1; }

wait_for() {  # wait_for SECONDS COMMAND...: polls until the command succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

state_is() { [ "$(state "$1")" = "$2" ]; }

# Succeeds once the probe's command fails: a dialog or menu has gone.
gone() { ! probe "$@"; }

equals() { [ "$1" = "$2" ] || { echo "    expected '$2', got '$1'"; return 1; }; }

# Copies the program's folder and starts it there; waits until it is up.
start_program() {
  E2E_FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/verbola-e2e.XXXXXX")
  cp -r "$VERBOLA_BUILD/Verbola/." "$E2E_FOLDER/"
  (cd "$E2E_FOLDER" && exec "$WINE" Verbola.exe >/dev/null 2>&1) &
  E2E_PID=$!
  probe wait-ready 30
}

# File > Exit, then waits for the process to end; its exit code is returned.
exit_program() {
  probe command 105 >/dev/null
  local code=0
  wait "$E2E_PID" || code=$?
  E2E_PID=
  return $code
}

screenshot() { import -window root "$ARTEFACTS/$1.png"; }

click_at() { xdotool mousemove "$1" "$2" click 1; }

finish() {
  if [ -n "$E2E_PID" ]; then
    probe command 105 >/dev/null 2>&1
    sleep 1
    kill "$E2E_PID" 2>/dev/null
  fi
  [ -n "$E2E_FOLDER" ] && rm -rf "$E2E_FOLDER"
  [ "$E2E_FAILURES" -eq 0 ]
}
