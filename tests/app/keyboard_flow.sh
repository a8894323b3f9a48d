#!/usr/bin/env bash
# A whole job from the keyboard alone, with the real zandrel-demo.exe under Wine and no window manager: type a
# keyword, pick depth 2, Enter runs the query, Enter closes "查询完成", Ctrl+S saves through the dialog, Enter
# closes the confirmation, Alt+F4 (the depth list has the keyboard) closes the window without a question.
# The pointer stays parked off the window the whole time.
#   keyboard_flow.sh ZANDREL_DEMO_EXE PORT ARTIFACT_DIR
set -u
exe=$1 port=$2 out=$3
mkdir -p "$out"
csv="$out/keyboard-flow.csv"
rm -f "$csv"
class=$(basename "$exe")

fail() {
  echo "FAILED: $*"
  import -window root "$out/keyboard-flow-failed.png" 2>/dev/null && echo "screen: $out/keyboard-flow-failed.png"
  kill "$pid" 2>/dev/null
  exit 1
}

# Visible top-level windows of the program: the main window, and a dialog while one is open.
windows() { xdotool search --onlyvisible --classname "$class" 2>/dev/null; }
count_is() { [ "$(windows | wc -l)" -eq "$1" ]; }
wait_for() {  # wait_for SECONDS COMMAND...: polls until the command succeeds
  local end=$(($(date +%s) + $1))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$end" ] || return 1
    sleep 0.1
  done
}
title_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
press() { xdotool key --delay 80 "$@"; sleep 0.3; }

wine "$exe" "$port" </dev/null >/dev/null 2>&1 &
pid=$!
wait_for 30 count_is 1 || fail "the main window did not appear"
xdotool mousemove 1270 1010
sleep 1

xdotool type --delay 60 "shoes"
press Tab Down Return
wait_for 30 title_shown "信息：" || fail "no query-done box after Enter in the keyword box"
import -window root "$out/keyboard-flow-done.png"
press Return
wait_for 10 count_is 1 || fail "Enter did not close the query-done box"

press ctrl+s
wait_for 10 count_is 2 || fail "Ctrl+S opened no save dialog"
xdotool type --delay 30 "Z:${csv//\//\\}"
press Return
wait_for 10 title_shown "信息" || fail "no saved confirmation"
press Return
wait_for 10 count_is 1 || fail "Enter did not close the saved confirmation"
[ -s "$csv" ] || fail "nothing was saved to $csv"
rows=$(wc -l <"$csv")
[ "$rows" -gt 10 ] || fail "the saved file has only $rows lines"
# The first data line: sequence 1, a keyword that begins with the seed.
sed -n 2p "$csv" | grep -q '^1,shoes ' || fail "unexpected first row: $(sed -n 2p "$csv")"

press alt+F4
wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "Alt+F4 did not close the saved window"
echo "query, box, save and close done from the keyboard; $rows lines saved"
