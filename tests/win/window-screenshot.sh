#!/usr/bin/env bash
# window-screenshot.sh WINE_RUN PREFIX PROGRAM PICTURE WIDTH HEIGHT [DRIVER]: starts the
# Windows program under Wine on a private Xvfb, waits for its main window, saves a picture of
# it and checks that the window has the expected outer size and is drawn (not one flat
# colour). With DRIVER, a Windows program run in the same prefix once the window is there,
# the picture is of the window the driver opens instead: it prints that window's place on
# the screen, "x y width height", as its last line; the window must also fit a 1366×768
# screen above a 40-pixel taskbar.
# The display and the prefix's processes are stopped by their own process id and prefix.
set -euo pipefail
wine_run=$1 prefix=$2 program=$3 picture=$4 width=$5 height=$6 driver=${7:-}

for tool in Xvfb xwininfo import identify; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

displays=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displays" 2>/dev/null &
server=$!
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  kill "$server" 2>/dev/null || true
  WINEPREFIX=$prefix timeout 20 wineserver -k 2>/dev/null || true
  wait "$server" $program_pid 2>/dev/null || true
  rm -f "$displays"
}
trap cleanup EXIT
# A script killed outright (a test's time-out) runs no trap: this watcher then stops the server.
(while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$server" 2>/dev/null) >/dev/null 2>&1 &

for _ in $(seq 100); do
  [ -s "$displays" ] && break
  sleep 0.05
done
[ -s "$displays" ] || { echo "Xvfb gave no display number"; exit 1; }
export DISPLAY=":$(head -n 1 "$displays")"

"$wine_run" "$prefix" "$program" &
program_pid=$!

# The first start boots the prefix (about 15 s); the window follows within a few seconds.
window=
for _ in $(seq 240); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/" Kalkora V1.6"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
sleep 1  # the first paint of every control

if [ -z "$driver" ]; then
  import -window "$window" "$picture"
else
  place=$("$wine_run" "$prefix" "$driver" | tr -d '\r' | tail -n 1) || { echo "the driver failed: $place"; exit 1; }
  read -r x y w h <<<"$place"
  echo "the driver's window at $x,$y, $w x $h"
  [ "$w" -le 1366 ] && [ "$h" -le 728 ] || { echo "it does not fit a 1366x768 screen"; exit 1; }
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$picture"
fi
size=$(identify -format '%w %h' "$picture")
colours=$(identify -format '%k' "$picture")
echo "window $window: $size, $colours colours, saved as $picture"
[ "$size" = "$width $height" ] || { echo "expected $width x $height"; exit 1; }
[ "$colours" -gt 50 ] || { echo "the window is not drawn"; exit 1; }
