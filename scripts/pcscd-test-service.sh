#!/usr/bin/env bash
# Starts pcscd for the tests that go through the real PC/SC stack, and stops it
# again. Only one pcscd can run on a machine: "start" uses a running one as it
# is and starts its own only when none runs; "stop" ends only the pcscd that
# "start" started, by the PID it recorded.
#   pcscd-test-service.sh start|stop STATE_DIR
set -euo pipefail

action=${1:?start or stop}
state=${2:?state folder}
pidfile=$state/pcscd.pid
socket=/run/pcscd/pcscd.comm

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

pcscd_runs() {
  local comm
  for comm in /proc/[0-9]*/comm; do
    [ "$(cat "$comm" 2>/dev/null)" = pcscd ] && return 0
  done
  return 1
}

case $action in
start)
  mkdir -p "$state"
  rm -f "$pidfile"
  if pcscd_runs; then
    echo "pcscd already runs; the tests use it"
    exit 0
  fi
  if [ ! -x /usr/sbin/pcscd ]; then
    echo "pcscd is not installed; run scripts/setup.sh" >&2
    exit 1
  fi
  # A socket left behind by a pcscd that no longer runs would look ready.
  as_root rm -f "$socket"
  # Started as a plain command so that $! is the PID of pcscd itself.
  if [ "$(id -u)" -eq 0 ]; then
    /usr/sbin/pcscd --foreground >"$state/pcscd.log" 2>&1 </dev/null &
  else
    sudo -n /usr/sbin/pcscd --foreground >"$state/pcscd.log" 2>&1 </dev/null &
  fi
  pid=$!
  echo "$pid" >"$pidfile"
  for _ in $(seq 1 100); do
    if [ -S "$socket" ]; then
      echo "pcscd started (PID $pid)"
      exit 0
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "pcscd did not start:" >&2
      cat "$state/pcscd.log" >&2
      rm -f "$pidfile"
      exit 1
    fi
    sleep 0.1
  done
  echo "pcscd did not open $socket in 10 s" >&2
  exit 1
  ;;
stop)
  [ -f "$pidfile" ] || exit 0 # not ours to stop
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  if kill -0 "$pid" 2>/dev/null; then
    as_root kill -TERM "$pid" || true
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  # Under sudo the recorded PID is sudo's, which hands the signal to pcscd.
  echo "pcscd stopped"
  ;;
*)
  echo "usage: $0 start|stop STATE_DIR" >&2
  exit 2
  ;;
esac
