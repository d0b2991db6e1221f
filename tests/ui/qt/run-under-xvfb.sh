#!/usr/bin/env bash
# Runs a test program against a private Xvfb: the server picks a free display number itself
# and is stopped by its own process id afterwards. Exits 77 (skipped) when Xvfb is absent.
set -euo pipefail

command -v Xvfb >/dev/null || { echo "Xvfb is not installed: skipped"; exit 77; }

displays=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displays" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$displays"' EXIT
# A script killed outright (a test's time-out) runs no trap: this watcher then stops the server.
(while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$server" 2>/dev/null) >/dev/null 2>&1 &

for _ in $(seq 100); do
  [ -s "$displays" ] && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }
  sleep 0.05
done
[ -s "$displays" ] || { echo "Xvfb gave no display number"; exit 1; }

DISPLAY=":$(head -n 1 "$displays")" QT_QPA_PLATFORM=xcb "$@"
