#!/usr/bin/env bash
# The Windows viewer as a user meets it: installed into a folder with a
# Cyrillic name, started under Wine on a virtual display, a demo city loaded
# from the city list with Enter; the screen must then show the map (the
# colours of its regions), not a blank or a failed window.
#   tools/windows/viewer-check.sh WINDOWS_BUILD [SCREENSHOT.png]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN=$(realpath "$1")
SHOT=${2:-$WIN/viewer-under-wine.png}
WORK=$(mktemp -d)
DISPLAY_NUMBER=${TELLURIN_CHECK_DISPLAY:-87}
cleanup() {
  [ -n "${VIEWER:-}" ] && kill "$VIEWER" 2>/dev/null || true
  [ -n "${XVFB:-}" ] && kill "$XVFB" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

APP="$WORK/Программы/Tellurin"
cmake --install "$WIN" --prefix "$APP" >/dev/null
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp &
XVFB=$!
export DISPLAY=":$DISPLAY_NUMBER" LANG=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sleep 2
wine "$APP/tellurin.exe" &
VIEWER=$!

# Waits until COMMAND succeeds, at most SECONDS.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq "$seconds"); do "$@" >/dev/null 2>&1 && return 0; sleep 1; done
  return 1
}
city_list() { xdotool search --onlyvisible --name 'Главное меню' | head -1; }
window_shown() { [ -n "$(city_list)" ]; }
wait_for 60 window_shown || { echo "viewer-check: no window of the viewer after 60 s" >&2; exit 1; }
sleep 3
# The list of cities has the keyboard; Enter loads the city shown.
xdotool windowfocus --sync "$(city_list)" || true
xdotool key Return
sleep 8
import -window root "$SHOT"

# Pixels of the residential-zone colour, which only a drawn map shows.
map_pixels=$(convert "$SHOT" -fill black +opaque 'rgb(255,177,140)' -fill white -opaque 'rgb(255,177,140)' \
  -format '%[fx:int(mean*w*h)]' info:)
echo "viewer-check: $map_pixels pixels of the map's residential zones in $SHOT"
[ "$map_pixels" -gt 2000 ] || { echo "viewer-check: the map is not drawn (see $SHOT)" >&2; exit 1; }
