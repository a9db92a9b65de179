#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it the way a
# user meets it: the control fields, the files, the desktop entry, the AppStream
# metadata, the manual pages and the icons; then the programs as unpacked with
# dpkg -x into a fresh folder; and, as root, installed with apt-get, run as an
# ordinary user over the read-only system cities, and removed again.
#   tools/package-check.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(realpath "${1:-build}")

CITY=Светлогорск
APPSTREAM_ID=example.tellurin.Tellurin
ICON_SIZES=(16 22 24 32 48 64 128 256)

fail() {
  echo "package-check: $*" >&2
  exit 1
}
step() { echo "package-check: $*"; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# --- the package -------------------------------------------------------------
rm -f "$BUILD"/tellurin_*.deb
(cd "$BUILD" && cpack -G DEB >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
DEB=$(echo "$BUILD"/tellurin_*.deb)
[ -f "$DEB" ] || fail "cpack wrote no tellurin_*.deb"
step "built $(basename "$DEB")"

field() { dpkg-deb --field "$DEB" "$1"; }
[ "$(field Package)" = tellurin ] || fail "Package is \"$(field Package)\""
[ -n "$(field Section)" ] || fail "no Section"
[[ "$(field Maintainer)" == "Tellurin developers <"*">" ]] || fail "Maintainer is \"$(field Maintainer)\""
[ -n "$(field Description)" ] || fail "no Description"
DEPENDS=$(field Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libjpeg62-turbo libstdc++6 libc6; do
  [[ "$DEPENDS" == *"$lib "* ]] || fail "Depends lacks $lib (dpkg-shlibdeps): $DEPENDS"
done
step "Depends: $DEPENDS"

# --- unpacked into a fresh folder -----------------------------------------------
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
USR=$ROOT/usr
expected=(
  bin/tellurin bin/tellurin-cli
  share/applications/tellurin.desktop
  "share/metainfo/$APPSTREAM_ID.metainfo.xml"
  share/icons/hicolor/scalable/apps/tellurin.svg
  share/man/man1/tellurin.1.gz share/man/man1/tellurin-cli.1.gz
  "share/tellurin/Base/$CITY/Info/about.inf" share/tellurin/Base/Озёрск/Info/about.inf
  share/doc/tellurin/copyright share/doc/tellurin/THIRD-PARTY-NOTICES.txt share/mime/packages/tellurin.xml
)
for size in "${ICON_SIZES[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/tellurin.png"); done
for f in "${expected[@]}"; do [ -f "$USR/$f" ] || fail "the package lacks /usr/$f"; done
# One version everywhere: the package, both programs, the AppStream release and
# the manual pages say the about window's.
VERSION=$(field Version)
VERSION=${VERSION%-*}  # the upstream version, without the package revision
[ "$("$USR/bin/tellurin-cli" --version)" = "tellurin-cli $VERSION" ] || fail "tellurin-cli --version is not $VERSION"
[ "$("$USR/bin/tellurin" --version)" = "tellurin $VERSION" ] || fail "tellurin --version is not $VERSION"
grep -q "<release version=\"$VERSION\"" "$USR/share/metainfo/$APPSTREAM_ID.metainfo.xml" ||
  fail "the AppStream metadata names no release $VERSION"
for page in tellurin tellurin-cli; do
  zcat "$USR/share/man/man1/$page.1.gz" | grep -q "\"Tellurin $VERSION\"" || fail "$page(1) is not of version $VERSION"
done
step "version $VERSION everywhere"
for size in "${ICON_SIZES[@]}"; do
  file -b "$USR/share/icons/hicolor/${size}x${size}/apps/tellurin.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x${size} icon is $(file -b "$USR/share/icons/hicolor/${size}x${size}/apps/tellurin.png")"
done
for exe in tellurin tellurin-cli; do
  file -b "$USR/bin/$exe" | grep -q "ELF 64-bit.*, stripped" || fail "/usr/bin/$exe is not a stripped executable"
done
[ -z "$(find "$ROOT" -name '.*' ! -path "$ROOT")" ] || fail "hidden files in the package: $(find "$ROOT" -name '.*')"
step "files: $(find "$ROOT" -type f | wc -l), the programs stripped, the icons at ${ICON_SIZES[*]} pixels"

desktop-file-validate "$USR/share/applications/tellurin.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$USR/share/metainfo/$APPSTREAM_ID.metainfo.xml" >"$WORK/as.log" ||
  { cat "$WORK/as.log" >&2; fail "appstreamcli validate"; }
appstreamcli validate-tree --no-net "$ROOT" >"$WORK/as-tree.log" ||
  { cat "$WORK/as-tree.log" >&2; fail "appstreamcli validate-tree"; }
for page in tellurin tellurin-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$USR/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
  # groff takes a block left open without a word: the page's text then runs on in it.
  open_block=$(zcat "$USR/share/man/man1/$page.1.gz" | awk '
    /^\.(nf|EX)([ ]|$)/ { if (nf++) { print "a block opened again at line " NR; exit } }
    /^\.(fi|EE)([ ]|$)/ { if (!nf--) { print "a block closed that was not open at line " NR; exit } }
    /^\.RS([ ]|$)/ { rs++ }
    /^\.RE([ ]|$)/ { if (!rs--) { print "an indent closed that was not open at line " NR; exit } }
    /^\.(SH|SS|TP)([ ]|$)/ { if (nf || rs) { print "a block or indent still open at line " NR; exit } }
    END { if (nf || rs) print "a block or indent still open at the end" }')
  [ -z "$open_block" ] || fail "man $page: $open_block"
done
tools/icons.sh --check || fail "the committed icon pictures are not those of the SVG"
step "desktop entry, AppStream metadata, manual pages and icons valid"

# The OpenStreetMap types the desktop entry opens are defined: the package's
# MIME definitions, built into a database beside the system's own, give each
# its file names.
mkdir -p "$WORK/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$USR/share/mime/packages/tellurin.xml" "$WORK/mime/packages/"
update-mime-database "$WORK/mime" 2>/dev/null
for pattern in .osm .osm.pbf .osm.bz2 .osm.gz; do
  grep -q ":\*$pattern\$" "$WORK/mime/globs2" || fail "no MIME type has the file names *$pattern"
done
mimetypes=$(sed -n 's/^MimeType=//p' "$USR/share/applications/tellurin.desktop" | tr ';' '\n' | grep -v '^x-scheme-handler/\|^$')
for type in $mimetypes; do
  grep -q "^$type\$" "$WORK/mime/types" || grep -q "^$type " "$WORK/mime/aliases" ||
    fail "the desktop entry's type $type is defined nowhere"
done
step "MIME types: $(echo $mimetypes)"

# Our licence and the third parties' notices: the copyright file in Debian's
# machine-readable format, every licence it names given, and the notices of
# what the packages carry, written from the copyright files of this system.
COPYRIGHT=$USR/share/doc/tellurin/copyright
head -1 "$COPYRIGHT" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
awk '/^Files: \*$/ { f = 1 } f && /^Copyright: .*Tellurin developers$/ { c = 1 } f && c && /^License: Expat$/ { ok = 1; exit }
     /^$/ { f = c = 0 } END { exit !ok }' "$COPYRIGHT" || fail "the copyright file does not give our files as Expat, Tellurin developers"
for licence in $(sed -n 's/^License: //p' "$COPYRIGHT" | sed 's/ and /\n/g' | sort -u); do
  grep -qx "License: $licence" "$COPYRIGHT" || fail "the copyright file names $licence but does not give it"
done
NOTICES=$USR/share/doc/tellurin/THIRD-PARTY-NOTICES.txt
for part in "Qt 6 (qtbase 6.4.2)" libjpeg-turbo PROJ zlib bzip2 Expat SQLite libosmium protozero libdeflate "DejaVu fonts" \
            "OpenStreetMap data" "GNU Lesser General Public License, version 3"; do
  grep -qx "$part" "$NOTICES" || fail "the notices lack $part"
done
grep -q "Open Database License" "$NOTICES" || fail "the notices lack the ODbL attribution"
tools/third_party_notices.py --check || fail "the notices are not those of this system's copyright files"
step "licence and notices: $(grep -c '^License: ' "$COPYRIGHT") licences in the copyright file, $(wc -l <"$NOTICES") lines of notices"

# The unpacked tool reads the unpacked demo city as the build's own tool reads
# the city it generated (the tables name their files: the folders are made alike).
dump() {  # tellurin-cli city-folder output [command prefix...]
  local cli=$1 dir=$2 out=$3
  shift 3
  (cd / && "$@" "$cli" dump "$dir") >"$out" 2>&1 || fail "$cli dump $dir failed: $(head -5 "$out")"
  sed -i "s|$dir|CITY|g" "$out"
}
dump "$BUILD/tellurin-cli" "$BUILD/demo-cities/$CITY" "$WORK/dump.build"
dump "$USR/bin/tellurin-cli" "$USR/share/tellurin/Base/$CITY" "$WORK/dump.unpacked"
cmp -s "$WORK/dump.build" "$WORK/dump.unpacked" || fail "the unpacked demo city dumps differently"
grep -q "^table	ListOfStreets	[1-9]" "$WORK/dump.unpacked" || fail "the unpacked demo city has no streets"
step "dpkg -x: tellurin-cli dump of the unpacked $CITY as in the build ($(wc -l <"$WORK/dump.unpacked") lines)"

# --- installed with apt-get (as root) -------------------------------------------
if [ "$(id -u)" -ne 0 ]; then
  step "not root: apt-get install and remove left out"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
if dpkg-query -W -f='${Status}' tellurin 2>/dev/null | grep -q "install ok installed"; then
  apt-get remove -y tellurin >/dev/null
fi
apt-get install -y --no-install-recommends "$DEB" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log" >&2; fail "apt-get install"; }
dpkg-query -W -f='${Status}' tellurin | grep -q "install ok installed" || fail "tellurin is not installed"
mapfile -t INSTALLED < <(dpkg-query -L tellurin)
NOBODY=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime")
mkdir -p "$WORK/home" "$WORK/runtime"
chmod 0777 "$WORK/home"
chmod 0700 "$WORK/runtime"
chown 65534:65534 "$WORK/runtime"
chmod 0755 "$WORK"

dump tellurin-cli "/usr/share/tellurin/Base/$CITY" "$WORK/dump.installed" "${NOBODY[@]}"
cmp -s "$WORK/dump.build" "$WORK/dump.installed" || fail "the installed demo city dumps differently"

# A user may not write to the system's cities: adding a keyword there is
# refused with the viewer's message and changes nothing.
set +e
(cd / && "${NOBODY[@]}" tellurin-cli add-keyword "/usr/share/tellurin/Base/$CITY" аптека) >"$WORK/kw.out" 2>"$WORK/kw.err"
status=$?
set -e
[ $status -eq 1 ] || fail "add-keyword in the system's city exited $status"
grep -q "^message	Не удалось сохранить список ключевых слов в файл \"/usr/share/tellurin/Base/$CITY/Kw.map\": нет прав на запись в папку города" \
  "$WORK/kw.err" || fail "add-keyword in the system's city said: $(cat "$WORK/kw.err")"
changed=$(dpkg --verify tellurin)
[ -z "$changed" ] || fail "installed files changed: $changed"

# The installed viewer starts and keeps running (there is no screen: offscreen).
set +e
(cd / && "${NOBODY[@]}" QT_QPA_PLATFORM=offscreen timeout 3 tellurin) >"$WORK/viewer.log" 2>&1
status=$?
set -e
[ $status -eq 124 ] || fail "the installed viewer ended with $status: $(head -5 "$WORK/viewer.log")"
step "apt-get install: dump as an ordinary user, the keyword refused in the read-only city, the viewer starts"

apt-get remove -y tellurin >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log" >&2; fail "apt-get remove"; }
# The package has no configuration files: nothing of it stays known to dpkg
# (the second letter of the state is n, not-installed; or dpkg forgot it).
state=$(dpkg-query -W -f='${db:Status-Abbrev}' tellurin 2>/dev/null || true)
[ -z "$state" ] || [ "${state:1:1}" = n ] || fail "after apt-get remove tellurin is in the state \"$state\""
left=()
for f in "${INSTALLED[@]}"; do
  case "$f" in
    /usr/share/tellurin* | /usr/bin/tellurin* | */tellurin.* | */tellurin-cli.* | */$APPSTREAM_ID.*) [ -e "$f" ] && left+=("$f") ;;
  esac
done
[ ${#left[@]} -eq 0 ] || fail "apt-get remove left ${left[*]}"
step "apt-get remove: nothing of the package left"
