#!/usr/bin/env bash
# The Windows viewer as a user meets it: installed into a folder with a
# Cyrillic name, started under Wine on a virtual display, a demo city loaded
# from the city list with Enter; the screen must then show the map (the
# colours of its regions), not a blank or a failed window.  Then the same once
# more with the display at 150% (Wine's DPI 144): the map must be drawn at the
# screen's pixels, not the 100% picture enlarged (SCREENSHOT-150.png).
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

# Waits until COMMAND succeeds, at most SECONDS.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq "$seconds"); do "$@" >/dev/null 2>&1 && return 0; sleep 1; done
  return 1
}
city_list() { xdotool search --onlyvisible --name 'Главное меню' | head -1; }
window_shown() { [ -n "$(city_list)" ]; }

# Starts the viewer, loads the city the list shows and takes SHOT; then the
# map must cover at least LEAST pixels of the residential-zone colour, which
# only a drawn map shows.  WHERE names the run in the messages.
shoot_map() {  # SHOT LEAST WHERE
  local shot=$1 least=$2 where=$3 map_pixels
  wine "$APP/tellurin.exe" &
  VIEWER=$!
  wait_for 60 window_shown || { echo "viewer-check: no window of the viewer${where} after 60 s" >&2; exit 1; }
  sleep 3
  # The list of cities has the keyboard; Enter loads the city shown.
  xdotool windowfocus --sync "$(city_list)" || true
  xdotool key Return
  sleep 8
  import -window root "$shot"
  map_pixels=$(convert "$shot" -fill black +opaque 'rgb(255,177,140)' -fill white -opaque 'rgb(255,177,140)' \
    -format '%[fx:int(mean*w*h)]' info:)
  echo "viewer-check: $map_pixels pixels of the map's residential zones${where} in $shot"
  [ "$map_pixels" -gt "$least" ] || { echo "viewer-check: the map is not drawn${where} (see $shot)" >&2; exit 1; }
}

shoot_map "$SHOT" 2000 ""

# At 150%: Wine's system DPI (the registry value winecfg sets) at 144, read
# by the viewer at its start; the value the prefix had is put back after.
DPI_KEY='HKCU\Control Panel\Desktop'
kill "$VIEWER" 2>/dev/null || true
wait "$VIEWER" 2>/dev/null || true
VIEWER=
old_dpi=$( (wine reg query "$DPI_KEY" /v LogPixels 2>/dev/null || true) | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
restore_dpi() {
  if [ -n "$old_dpi" ]; then
    wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$((old_dpi))" /f >/dev/null 2>&1 || true
  else
    wine reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1 || true
  fi
}
trap 'restore_dpi; cleanup' EXIT
wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
SHOT150=${SHOT%.png}-150.png
shoot_map "$SHOT150" 4500 " at 150%"
# Sharp or enlarged: a 100% picture enlarged to 150% repeats one column of
# every three device columns (and one row of every three) at the same place
# all over the map; a map drawn at the screen's pixels has no such phase.
convert "$SHOT150" ppm:"$WORK/shot150.ppm"
python3 "$(dirname "$0")/repeated-lines.py" "$WORK/shot150.ppm" 255,177,140 || {
  echo "viewer-check: the map at 150% is the 100% picture enlarged (see $SHOT150)" >&2
  exit 1
}
