#!/usr/bin/env bash
# The Windows tellurin-cli, run under Wine, against the Linux one on the demo
# cities: the same dump, check, search, firms and here output (byte for byte
# after line endings), the same render pixels with the labels off, and the
# same city written by import-osm from a test extract.
#   tools/windows/same-output.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
cd "$(dirname "$0")/../.."
LINUX=$(realpath "$1")
WIN=$(realpath "$2")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export LANG=C.UTF-8

linux_cli() { "$LINUX/tellurin-cli" "$@"; }
windows_cli() { "$WIN/wine-run" "$WIN/tellurin-cli.exe" "$@"; }
failures=0

# Runs one command on both; the outputs must agree.
same() {
  local name=$1
  shift
  local l=0 w=0
  linux_cli "$@" >"$WORK/linux.out" 2>"$WORK/linux.err" || l=$?
  windows_cli "$@" >"$WORK/windows.raw" 2>"$WORK/windows.err" || w=$?
  # Paths of files name the folder as each system does: Z:\...\ under Wine,
  # its backslashes doubled where a cell is escaped.
  tr -d '\r' <"$WORK/windows.raw" | perl -pe \
    's{\Q$ENV{WINROOT_ESCAPED}\E([^\t\n]*)}{"ROOT" . ($1 =~ s#\\\\#/#gr)}ge;
     s{\Q$ENV{WINROOT}\E([^\t\n]*)}{"ROOT" . ($1 =~ s#\\#/#gr)}ge' \
    >"$WORK/windows.out"
  ROOT="$ROOT" perl -pi -e 's{\Q$ENV{ROOT}\E}{ROOT}g' "$WORK/linux.out"
  if ! cmp -s "$WORK/linux.out" "$WORK/windows.out" || [ "$l" != "$w" ]; then
    echo "same-output: $name differs (exit $l on Linux, $w on Windows):" >&2
    diff "$WORK/linux.out" "$WORK/windows.out" >"$WORK/diff" || true
    head -20 "$WORK/diff" >&2
    failures=$((failures + 1))
  else
    echo "same-output: $name: $(wc -l <"$WORK/linux.out") lines alike"
  fi
}

# The cities under a folder with a Cyrillic name, as users keep them.
ROOT="$WORK/Карты/Base"
WINROOT="Z:$(echo "$ROOT" | tr / '\\')"
WINROOT_ESCAPED=$(echo "$WINROOT" | sed 's/\\/\\\\/g')
export WINROOT WINROOT_ESCAPED
mkdir -p "$ROOT"
cp -r "$LINUX/Base/." "$ROOT/"
for city in "$ROOT"/*/; do
  city=${city%/}
  name=$(basename "$city")
  same "dump $name" dump "$city"
  same "check $name" check "$city"
  same "search $name" search "$city" "ул"
  same "firms $name" firms "$city" "а"
  centre=$(linux_cli render "$city" -o "$WORK/probe.png" | awk -F'\t' '$1 == "view" {printf "%d,%d", $3, $4}')
  same "here $name" here "$city" "$centre"
  linux_cli render "$city" -o "$WORK/linux.png" --texts off >/dev/null
  windows_cli render "$city" -o "$WORK/windows.png" --texts off >/dev/null
  differing=$(compare -metric AE "$WORK/linux.png" "$WORK/windows.png" null: 2>&1 || true)
  if [ "$differing" != "0" ]; then
    echo "same-output: render $name: $differing pixels differ" >&2
    failures=$((failures + 1))
  else
    echo "same-output: render $name: the same pixels"
  fi
done

# import-osm: the same city from the same extract.
EXTRACT=tests/data/osm/town.osm
linux_cli import-osm "$EXTRACT" --out "$WORK/linux-root" --name Город >/dev/null
windows_cli import-osm "$EXTRACT" --out "$WORK/windows-root" --name Город >/dev/null
if diff -r "$WORK/linux-root" "$WORK/windows-root" >"$WORK/import.diff"; then
  echo "same-output: import-osm $(basename "$EXTRACT"): the same city"
else
  echo "same-output: import-osm $(basename "$EXTRACT") writes another city:" >&2
  head -20 "$WORK/import.diff" >&2
  failures=$((failures + 1))
fi
[ $failures -eq 0 ] || { echo "same-output: $failures differences" >&2; exit 1; }
