#!/usr/bin/env bash
# Runs a command on a virtual display of its own, so that GUI test programs can run side by
# side without sharing focus, pointer or screen; with --window-manager a real window manager
# (openbox, which follows the desktop conventions) arranges the windows there.
#   own-display.sh [--window-manager] COMMAND...
set -euo pipefail
withwm=""
if [ "${1:-}" = --window-manager ]; then
  withwm=yes
  shift
fi
workdir=$(mktemp -d)
xvfb=""
wm=""
cleanup_session() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  wm=""
  xvfb=""
}
cleanup() {
  cleanup_session
  rm -rf "$workdir"
}
trap cleanup EXIT

# The server picks a free display and writes its number once it accepts clients; the window
# manager then takes it. Another server starting at the same moment can take the display
# from under us, so a failed start is tried again on a fresh server.
startsession() {
  : >"$workdir/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$workdir/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || return 1
    sleep 0.1
  done
  [ -s "$workdir/display" ] || return 1
  export DISPLAY=":$(head -n 1 "$workdir/display")"
  [ -n "$withwm" ] || return 0

  # Its own settings folder, so a user's configuration cannot change what the test sees.
  HOME="$workdir" XDG_CONFIG_HOME="$workdir" openbox --sm-disable >"$workdir/wm.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$wm" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
started=""
for _ in 1 2 3; do
  if startsession; then started=yes; break; fi
  cleanup_session
done
if [ -z "$started" ]; then
  cat "$workdir/xvfb.log" "$workdir/wm.log" >&2 2>/dev/null
  echo "no virtual display${withwm:+ with a window manager}" >&2
  exit 1
fi

# Not exec: the trap must take the server down after the command.
if [ -n "$withwm" ]; then
  KORVEN_TEST_WINDOW_MANAGER=openbox "$@"
else
  "$@"
fi
