# Sourced by the run and test scripts: a Wine prefix with Chinese font substitutes, an Xvfb display when
# there is none, and a warm wineserver so each test starts in a fraction of a second.
#   wine_session_start [--xvfb]   (--xvfb forces a private Xvfb even when DISPLAY is set)
#   wine_session_stop
ZANDREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${ZANDREL_WINEPREFIX:-$HOME/.cache/zandrel/wine}"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
_ZANDREL_XVFB_PID=""
_ZANDREL_KEEPER_PID=""

_wine_prefix_ready() {
  [ -f "$WINEPREFIX/.zandrel-prefix-v3" ]
}

wine_prefix_create() {
  if _wine_prefix_ready; then return 0; fi
  echo "creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
  python3 "$ZANDREL_ROOT/scripts/make-wine-reg.py" "$WINEPREFIX/zandrel.reg"
  timeout 120 wine regedit /S "$WINEPREFIX/zandrel.reg" </dev/null >/dev/null 2>&1
  timeout 60 wineserver -w || true
  touch "$WINEPREFIX/.zandrel-prefix-v3"
}

_start_xvfb() {
  local n
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      _ZANDREL_XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      echo "Xvfb did not start" >&2
      return 1
    fi
  done
  echo "no free X display" >&2
  return 1
}

# $1: path of keeper.exe (optional): a hidden window that keeps Wine's desktop process alive between tests.
wine_session_start() {
  local force_xvfb=0 keeper=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --xvfb) force_xvfb=1 ;;
      *) keeper="$1" ;;
    esac
    shift
  done
  if [ "$force_xvfb" = 1 ] || [ -z "${DISPLAY:-}" ]; then
    _start_xvfb
  fi
  wine_prefix_create
  timeout 10 wineserver -p </dev/null >/dev/null 2>&1 || true
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || true
  if [ -n "$keeper" ] && [ -f "$keeper" ]; then
    setsid wine "$keeper" </dev/null >/dev/null 2>&1 &
    _ZANDREL_KEEPER_PID=$!
  fi
}

wine_session_stop() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  if [ -n "$_ZANDREL_KEEPER_PID" ]; then kill "$_ZANDREL_KEEPER_PID" 2>/dev/null || true; fi
  if [ -n "$_ZANDREL_XVFB_PID" ]; then kill "$_ZANDREL_XVFB_PID" 2>/dev/null || true; fi
  _ZANDREL_KEEPER_PID=""
  _ZANDREL_XVFB_PID=""
}
