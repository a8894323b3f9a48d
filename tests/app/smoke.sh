#!/usr/bin/env bash
# Starts the real zandrel.exe under Wine, waits for its window, saves a screenshot and closes it; with nothing
# changed the window must close without asking anything.
#   smoke.sh ZANDREL_EXE KEEPER_EXE ARTIFACT_DIR
set -u
exe=$1 keeper=$2 out=$3
mkdir -p "$out"
wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!

win=""
for _ in $(seq 1 150); do
  win=$(xdotool search --onlyvisible --classname zandrel.exe 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.2
done
if [ -z "$win" ]; then
  echo "the main window did not appear"
  kill "$pid" 2>/dev/null
  exit 1
fi
sleep 2  # let the first paint and the pictures arrive
import -window root "$out/zandrel-screen.png" && echo "screenshot: $out/zandrel-screen.png"
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window $WIDTH x $HEIGHT at $X,$Y"

timeout 20 wine "$keeper" close ZandrelMainWindow "$(basename "$exe")"
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "closed without a prompt"
    exit 0
  fi
  sleep 0.2
done
echo "the program did not exit after WM_CLOSE (a prompt is showing?)"
import -window root "$out/zandrel-close-failed.png"
kill "$pid" 2>/dev/null
exit 1
