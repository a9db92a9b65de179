#!/usr/bin/env bash
# The installer as a user runs it, under Wine: a silent install into a folder
# with a Cyrillic name puts the programs, the demo cities and the Start-menu
# entries in place, the installed tellurin-cli.exe reads a demo city and
# imports a city into the user's data folder, and the uninstaller removes
# everything it installed and nothing of the user's.  The install takes the
# options (/PATH=1 /ASSOC=1, the desktop shortcut by default): the entry of
# «Установка и удаление программ», the shortcut, the PATH entry and the file
# types are checked, the version information of the programs and the
# installer, and after the uninstall the user's PATH and file types are as
# they were, byte for byte, and no key of the publisher is left.
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
VERSION=$(basename "$INSTALLER")
VERSION=${VERSION#Tellurin-}
VERSION=${VERSION%-win64.exe}
PUBLISHER="Tellurin developers"
ENTRY="HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellurin $VERSION"
CLASSES='HKCU\Software\Classes'
DESKTOP_LINK="$DRIVE_C/users/Public/Desktop/Tellurin.lnk"
fail() { echo "installer-check: $*" >&2; exit 1; }

# Waits until COMMAND succeeds, at most SECONDS (Wine keeps its server and
# services running, so it cannot be waited on to end).
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq "$seconds"); do "$@" && return 0; sleep 1; done
  return 1
}

# A registry key as reg export writes it (UTF-8), without its header; status 1
# when there is no such key.
key_text() {
  local file status=0
  file=$(mktemp --suffix=.reg)
  if wine reg export "$1" "$(winepath -w "$file")" /y >/dev/null 2>&1; then
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | tail -n +2
  else
    status=1
  fi
  rm -f "$file"
  return $status
}

# The value NAME (@: the default) of KEY as text: a string, an expandable
# string unexpanded, a DWORD in decimal; status 1 when it is not there.
reg_value() {
  local pattern="\"$2\"="
  [ "$2" = @ ] && pattern="@="
  local entry
  entry=$(key_text "$1" | awk -v p="$pattern" '
    index($0, p) == 1 { on = 1; $0 = substr($0, length(p) + 1) }
    on { sub(/^ +/, ""); more = sub(/\\$/, ""); printf "%s", $0; if (!more) exit }') || return 1
  case "$entry" in
    '') return 1 ;;
    '"'*) entry=${entry#\"}; printf '%s\n' "${entry%\"}" | sed 's/\\\\/\\/g; s/\\"/"/g' ;;
    hex\(2\):*) printf '%s' "${entry#hex(2):}" | tr -d ',' | xxd -r -p | iconv -f UTF-16LE -t UTF-8 | tr -d '\0'; echo ;;
    dword:*) echo $((16#${entry#dword:})) ;;
    *) echo "$entry" ;;
  esac
}

expect_value() {  # KEY NAME EXPECTED
  local found
  found=$(reg_value "$1" "$2") || fail "$1 has no value $2"
  [ "$found" = "$3" ] || fail "$1 $2 is \"$found\", not \"$3\""
}

# What the options may change of the user's: the environment and the classes
# of the four extensions and of our file type.
user_state() {
  local key
  for key in 'HKCU\Environment' "$CLASSES\\.osm" "$CLASSES\\.pbf" "$CLASSES\\.bz2" "$CLASSES\\.gz" \
             "$CLASSES\\Tellurin.OsmFile"; do
    echo "== $key"
    key_text "$key" || echo "(none)"
  done
}

# The user's own PATH, with a Cyrillic folder and a variable, and a program of
# the user's own for .gz, which the installer must leave as they are; what was
# there before the check is put back at the end.
SAVED=$(mktemp -d)
wine reg export 'HKCU\Environment' "$(winepath -w "$SAVED/environment.reg")" /y >/dev/null 2>&1
had_path=$(reg_value 'HKCU\Environment' PATH >/dev/null && echo 1 || echo 0)
had_gz=$(key_text "$CLASSES\\.gz" >/dev/null && echo 1 || echo 0)
USER_PATH='C:\Инструменты;%USERPROFILE%\bin'
wine reg add 'HKCU\Environment' /v PATH /t REG_EXPAND_SZ /d "$USER_PATH" /f >/dev/null
[ "$had_gz" = 1 ] || wine reg add "$CLASSES\\.gz" /ve /d 'Архиватор.gz' /f >/dev/null
USER_GZ=$(reg_value "$CLASSES\\.gz" @ || true)
BEFORE=$(user_state)
put_back_user_state() {
  if [ "$had_path" = 1 ]; then
    wine reg import "$(winepath -w "$SAVED/environment.reg")" >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Environment' /v PATH /f >/dev/null 2>&1 || true
  fi
  [ "$had_gz" = 1 ] || wine reg delete "$CLASSES\\.gz" /f >/dev/null 2>&1 || true
  rm -rf "$SAVED"
}
trap put_back_user_state EXIT

rm -rf "$TARGET"
wine "$INSTALLER" /S /PATH=1 /ASSOC=1 "/D=$TARGET_WIN"  # returns when the installer has ended
for f in tellurin.exe tellurin-cli.exe Uninstall.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_ru.qm \
         fonts/DejaVuSans.ttf "Base/Светлогорск/Info/about.inf" "Base/Озёрск/Info/about.inf" \
         LICENSE.txt THIRD-PARTY-NOTICES.txt; do
  [ -f "$TARGET/$f" ] || fail "the installed folder lacks $f"
done
[ -f "$MENU/Tellurin.lnk" ] || fail "no Start-menu entry for the viewer"
[ -f "$MENU/Удалить Tellurin.lnk" ] || fail "no Start-menu entry for the uninstaller"
[ -f "$DESKTOP_LINK" ] || fail "no desktop shortcut"
grep -q '^MIT License' "$TARGET/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"
grep -q '^OpenStreetMap data' "$TARGET/THIRD-PARTY-NOTICES.txt" || fail "the notices lack the OpenStreetMap attribution"

# The entry of «Установка и удаление программ».
expect_value "$ENTRY" DisplayVersion "$VERSION"
expect_value "$ENTRY" Publisher "$PUBLISHER"
expect_value "$ENTRY" DisplayIcon "$TARGET_WIN\\tellurin.exe"
expect_value "$ENTRY" InstallLocation "$TARGET_WIN"
size=$(reg_value "$ENTRY" EstimatedSize) || fail "the entry has no EstimatedSize"
folder_size=$(du -sk --apparent-size "$TARGET" | cut -f1)
[ $((size * 100 / folder_size)) -ge 95 ] && [ $((size * 100 / folder_size)) -le 105 ] ||
  fail "EstimatedSize $size KiB, the folder holds $folder_size KiB"
for name in HelpLink URLInfoAbout; do reg_value "$ENTRY" $name | grep -q '^https://' || fail "the entry has no $name"; done
# Version information, as Explorer shows it.
for exe in "$INSTALLER" "$TARGET/tellurin.exe" "$TARGET/tellurin-cli.exe"; do
  info=$(strings -el -n 3 "$exe")
  grep -qx "$PUBLISHER" <<<"$info" && grep -qx "$VERSION" <<<"$info" ||
    fail "$(basename "$exe") has no version information naming $PUBLISHER $VERSION"
done

# The options: the folder appended to the user's PATH, .osm and .pbf opened by
# the viewer, .bz2 and .gz offered it under «Открыть с помощью».
expect_value 'HKCU\Environment' PATH "$USER_PATH;$TARGET_WIN"
expect_value "$CLASSES\\Tellurin.OsmFile\\shell\\open\\command" @ "\"$TARGET_WIN\\tellurin.exe\" \"%1\""
for ext in .osm .pbf; do expect_value "$CLASSES\\$ext" @ Tellurin.OsmFile; done
expect_value "$CLASSES\\.gz" @ "$USER_GZ"
for ext in .osm .pbf .bz2 .gz; do
  reg_value "$CLASSES\\$ext\\OpenWithProgids" Tellurin.OsmFile >/dev/null || fail "$ext does not offer Tellurin"
done

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
[ ! -e "$DESKTOP_LINK" ] || fail "the uninstaller left the desktop shortcut"
# The keys go after the folder.
no_key() { ! key_text "$1" >/dev/null; }
wait_for 30 no_key "$ENTRY" || fail "the uninstaller left the entry $ENTRY"
wait_for 30 no_key "HKLM\\Software\\$PUBLISHER" || fail "the uninstaller left HKLM\\Software\\$PUBLISHER"
AFTER=$(user_state)
[ "$BEFORE" = "$AFTER" ] || fail "the user's PATH or file types changed: $(diff <(echo "$BEFORE") <(echo "$AFTER"))"
echo "installer-check: installed with the options, used and removed; the entry, shortcut, PATH and file types" \
     "were as asked, the user's PATH and file types are back byte for byte; the user's city kept"
