#!/usr/bin/env bash
# The installer as a user runs it, under Wine: a silent install into a folder
# with a Cyrillic name puts the programs, the demo cities and the Start-menu
# entries in place, the installed tellurin-cli.exe reads a demo city and
# imports a city into the user's data folder, and the uninstaller removes
# everything it installed and nothing of the user's.
#   tools/windows/installer-check.sh INSTALLER.exe
set -euo pipefail
cd "$(dirname "$0")/../.."
INSTALLER=$(realpath "$1")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
DRIVE_C=$(winepath -u 'C:\' 2>/dev/null)
TARGET_WIN='C:\Программы\Tellurin-проверка'
TARGET=$(winepath -u "$TARGET_WIN")
MENU="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tellurin"
USER_CITY="Проверка-$$"
fail() { echo "installer-check: $*" >&2; exit 1; }

# Waits until COMMAND succeeds, at most SECONDS (Wine keeps its server and
# services running, so it cannot be waited on to end).
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq "$seconds"); do "$@" && return 0; sleep 1; done
  return 1
}

rm -rf "$TARGET"
wine "$INSTALLER" /S "/D=$TARGET_WIN"  # returns when the installer has ended
for f in tellurin.exe tellurin-cli.exe Uninstall.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_ru.qm \
         fonts/DejaVuSans.ttf "Base/Светлогорск/Info/about.inf" "Base/Озёрск/Info/about.inf"; do
  [ -f "$TARGET/$f" ] || fail "the installed folder lacks $f"
done
[ -f "$MENU/Tellurin.lnk" ] || fail "no Start-menu entry for the viewer"
[ -f "$MENU/Удалить Tellurin.lnk" ] || fail "no Start-menu entry for the uninstaller"

cli() { wine "$TARGET_WIN\\tellurin-cli.exe" "$@"; }
cli stats "$TARGET_WIN\\Base\\Светлогорск" | grep -q '^records	ListOfStreets	[1-9]' ||
  fail "the installed tellurin-cli.exe does not read a demo city"
imported=$(cli import-osm "$(winepath -w tests/data/osm/town.osm)" --name "$USER_CITY" | awk -F'\t' '$1 == "city" {print $2}')
[ -n "$imported" ] || fail "import-osm wrote no city"
USER_DIR=$(winepath -u "$imported")

wine "$TARGET_WIN\\Uninstall.exe" /S
# The uninstaller goes on from a copy of itself, and ends when the folder is gone.
wait_for 60 test ! -e "$TARGET" || fail "the uninstaller left $(find "$TARGET" | head -5)"
[ ! -e "$MENU" ] || fail "the uninstaller left the Start-menu folder"
[ -f "$USER_DIR/Info/about.inf" ] || fail "the uninstaller removed the user's city $USER_DIR"
rm -rf "$USER_DIR"
echo "installer-check: installed, used and removed; the user's city kept"
