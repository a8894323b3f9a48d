#!/usr/bin/env bash
# Starts or stops the simulated marketplace for the query window tests (a ctest fixture).
#   marketplace_fixture.sh start STATE_DIR PORT [marketplace options...]
#     starts tools/marketplace/marketplace.py on 127.0.0.1:PORT in its own session, logging every request
#     target to STATE_DIR/requests.log, writes its pid to STATE_DIR/marketplace.pid and waits until it
#     prints "listening on";
#   marketplace_fixture.sh stop STATE_DIR
#     ends the server started above (by its recorded pid only).
set -u
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
action=${1:-} state=${2:-}
if [ -z "$action" ] || [ -z "$state" ]; then
  echo "usage: $0 start STATE_DIR PORT [options...] | stop STATE_DIR" >&2
  exit 2
fi

stop_server() {
  local pidfile="$state/marketplace.pid"
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  case "$pid" in '' | *[!0-9]*) return 0 ;; esac
  # setsid made the server the leader of its own process group: end that group, then wait for it.
  kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL -- "-$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
  return 0
}

case "$action" in
  start)
    port=${3:-}
    if [ -z "$port" ]; then
      echo "no port given" >&2
      exit 2
    fi
    shift 3
    mkdir -p "$state"
    stop_server  # a server left behind by an interrupted run
    out="$state/marketplace.out"
    : >"$out"
    # All three standard streams go to files so that ctest does not wait for the server to close them.
    (cd "$root" && exec setsid python3 tools/marketplace/marketplace.py --port "$port" \
      --log "$state/requests.log" "$@" </dev/null >"$out" 2>&1) &
    echo $! >"$state/marketplace.pid"
    for _ in $(seq 1 100); do
      if grep -q "listening on" "$out"; then
        cat "$out"
        exit 0
      fi
      if ! kill -0 "$(cat "$state/marketplace.pid")" 2>/dev/null; then
        echo "the marketplace exited:" >&2
        cat "$out" >&2
        rm -f "$state/marketplace.pid"
        exit 1
      fi
      sleep 0.1
    done
    echo "the marketplace did not start within 10 s:" >&2
    cat "$out" >&2
    stop_server
    exit 1
    ;;
  stop)
    stop_server
    echo "marketplace stopped"
    ;;
  *)
    echo "unknown action $action" >&2
    exit 2
    ;;
esac
