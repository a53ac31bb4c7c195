# Sourced by ./start and the test scripts: a Wine prefix of our own with a
# virtual desktop, and a virtual X display when there is none.

VERBOLA_ROOT=${VERBOLA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$VERBOLA_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Creates the prefix once; later runs reuse it.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/.verbola-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
    # One desktop for every program: focus and SetForegroundWindow behave as on Windows.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # Wine started directly does not find its own fonts: the caption buttons need Marlett.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$WINE" reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
    "$WINE" reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.verbola-ready"
  fi
}

# Starts Xvfb on a free display when none is given; XVFB_PID is set when we started one.
XVFB_PID=
display_ready() {
  if [ -n "${DISPLAY:-}" ] && xset -q >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xset -q >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  echo "no virtual display could be started" >&2
  return 1
}

display_done() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
