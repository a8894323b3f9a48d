#!/usr/bin/env bash
# Installs what is missing, builds zandrel.exe and starts it (under Wine on Linux).
#   scripts/run.sh          the program as shipped (talks to the real marketplace)
#   scripts/run.sh --demo   zandrel-demo.exe against the simulated marketplace on 127.0.0.1:18080
# Without a DISPLAY a private Xvfb is started, and a screenshot is written to build/windows/artifacts/run.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

exe=build/windows/src/app/zandrel.exe
server_pid=""
if [ "${1:-}" = "--demo" ]; then
  exe=build/windows/src/app/zandrel-demo.exe
  python3 tools/marketplace/marketplace.py --port 18080 --banner assets/test_banner.jpg &
  server_pid=$!
fi

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
source scripts/wine-session.sh
cleanup() { [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true; wine_session_stop; }
trap cleanup EXIT
wine_session_start build/windows/tools/keeper/keeper.exe
if [ "$headless" = 1 ]; then
  echo "no DISPLAY: running on private Xvfb $DISPLAY; screenshot in build/windows/artifacts/run.png"
  wine "$exe" &
  app=$!
  sleep 5
  mkdir -p build/windows/artifacts
  import -window root build/windows/artifacts/run.png || true
  echo "the program is running on $DISPLAY; press Ctrl+C to stop it"
  wait "$app"
else
  wine "$exe"
fi
