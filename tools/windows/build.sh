#!/usr/bin/env bash
# The 64-bit Windows build, made on Debian by cross-compiling with MinGW-w64 and
# tested under Wine (tools/dev.sh windows runs this):
#   1. the Debian packages it needs;
#   2. Qt (qtbase) for Windows: the archive TELLURIN_WIN64_QT names, or built
#      from Debian's source (tools/windows/qt.sh, about 45 minutes on 2 cores);
#   3. the other libraries from Debian's sources (tools/windows/deps.sh);
#      2 and 3 are cached in TELLURIN_WIN64_CACHE (~/.cache/tellurin/win64);
#   4. Tellurin in build-win64/, and its whole test suite under Wine;
#   5. the Windows programs against the Linux ones (tools/windows/same-output.sh)
#      when build/ holds a Linux build, and the viewer started under Wine on a
#      virtual display (tools/windows/viewer-check.sh);
#   6. build-win64/Tellurin-<version>-win64.zip and the installer
#      build-win64/Tellurin-<version>-win64.exe, which is then installed, used
#      and uninstalled under Wine (tools/windows/installer-check.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
CACHE=${TELLURIN_WIN64_CACHE:-$HOME/.cache/tellurin/win64}
BUILD=${TELLURIN_WIN64_BUILD:-$ROOT/build-win64}
QT_VERSION=6.4.2
mkdir -p "$CACHE"

timed() {  # NAME COMMAND...: runs it and says how long it took
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "windows: $name took $((SECONDS - start)) s" >&2
}

PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
          nsis zip unzip xvfb xauth x11-utils xdotool imagemagick cmake ninja-build make nasm dpkg-dev tcl sqlite3
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n fonts-dejavu-core googletest
          libosmium2-dev libprotozero-dev xz-utils)

source "$ROOT/tools/packages.sh"

# A deb-src entry beside each of Debian's own apt sources (same mirror, same
# suites), for apt-get source.
add_source_entries() {
  local added=0 f
  grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && return 0
  grep -qs '^deb-src' /etc/apt/sources.list && return 0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && grep -q 'debian.org' "$f" || continue
    sed 's/^Types: deb$/Types: deb-src/' "$f" | as_root tee "/etc/apt/sources.list.d/src-$(basename "$f")" >/dev/null
    added=1
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb .*debian.org' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee /etc/apt/sources.list.d/src-debian.list >/dev/null
    added=1
  fi
  if [ $added -eq 1 ]; then apt_update; fi
}

# Prints the unpacked Qt folder: from TELLURIN_WIN64_QT (checked to be Qt
# $QT_VERSION for MinGW), or built from Debian's source once.
qt_folder() {
  local archive=${TELLURIN_WIN64_QT:-}
  if [ -z "$archive" ]; then
    archive="$CACHE/qt-$QT_VERSION-mingw-w64-x86_64.tar.xz"
    [ -f "$archive" ] || "$ROOT/tools/windows/qt.sh" "$CACHE/qt-work" "$CACHE" >&2
  fi
  [ -f "$archive" ] || { echo "windows: no Qt archive $archive" >&2; exit 1; }
  local key; key=$(sha256sum "$archive" | cut -c1-16)
  local dir="$CACHE/qt-$key"
  if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    tar -C "$dir" -xJf "$archive"
    touch "$dir/.complete"
  fi
  local prefix; prefix=$(find "$dir" -maxdepth 1 -mindepth 1 -type d -name 'qt-*' | head -1)
  local version
  version=$(sed -n 's/^set(PACKAGE_VERSION "\([0-9.]*\)")/\1/p' "$prefix/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" 2>/dev/null)
  if [ "$version" != "$QT_VERSION" ] || [ ! -f "$prefix/bin/Qt6Core.dll" ]; then
    echo "windows: $archive is not Qt $QT_VERSION for Windows (found '${version:-nothing}')" >&2
    exit 1
  fi
  echo "$prefix"
}

configure_and_build() {
  cmake -G Ninja -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/windows/toolchain.cmake" \
    -DTELLURIN_WIN64_PREFIXES="$QT;$DEPS" -DCMAKE_PREFIX_PATH="$QT;$DEPS" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  cmake --build "$BUILD" -j"$(nproc)"
}

# Wine keeps one server for all the test processes, and a prefix of our own.
# Several programs starting at once must never meet a server that is starting,
# stopping or still writing a new prefix: the prefix is made (or brought up to
# the installed Wine) alone and written out first, then one server is started
# that stays until stop_wine ends it, and Wine's own services are started under
# it before any step runs a program.  (A server that quits 60 s after its last
# program, as before, could be on its way out as the next one connects.)
start_wine() {
  export WINEPREFIX=${WINEPREFIX:-$CACHE/wineprefix}
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -f "$WINEPREFIX/system.reg" ] || rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 </dev/null
  wineserver -w
  wineserver -p
  trap stop_wine EXIT
  # Wine's own services start with the first program and stay; started from
  # a build step they would hold its output open and the build would wait on
  # them, so they start here, their output going nowhere.
  wineboot >/dev/null 2>&1 </dev/null || true
}

# Ends every program of the prefix and the server, and waits until it is gone.
stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Twice as many tests as cores: a test under Wine spends much of its time
# starting and waiting on the Wine server (474 s at -j2, 268 s at -j4 on 2 cores).
# A test program that Wine failed to start is run once more (wine-run); each
# such retry is listed here.
run_tests() {
  local retries="$BUILD/wine-retries.log" status=0
  rm -f "$retries"
  (cd "$BUILD" && QT_QPA_PLATFORM=offscreen TELLURIN_WINE_RETRY_LOG="$retries" \
     ctest --output-on-failure -j"$(($(nproc) * 2))") || status=$?
  if [ -s "$retries" ]; then
    echo "windows: $(wc -l <"$retries") test program(s) that Wine did not start ran once more:" >&2
    cat "$retries" >&2
  fi
  return $status
}

make_packages() {
  rm -f "$BUILD"/Tellurin-*-win64.zip "$BUILD"/Tellurin-*-win64.exe
  (cd "$BUILD" && cpack -G ZIP && cpack -G NSIS)
  ls -l "$BUILD"/Tellurin-*-win64.zip "$BUILD"/Tellurin-*-win64.exe
  # The archive carries the licence and the third parties' notices beside the programs.
  local listing f
  listing=$(unzip -Z1 "$BUILD"/Tellurin-*-win64.zip)
  for f in tellurin.exe LICENSE.txt THIRD-PARTY-NOTICES.txt; do
    grep -qx "Tellurin-[0-9.]*-win64/$f" <<<"$listing" || { echo "windows: the archive lacks $f" >&2; return 1; }
  done
}

timed "installing packages" install_packages "${PACKAGES[@]}"
add_source_entries
QT=$(timed "Qt" qt_folder | tail -1)
DEPS=$(timed "dependencies" "$ROOT/tools/windows/deps.sh" "$CACHE" | tail -1)
echo "windows: Qt in $QT, the other libraries in $DEPS"
start_wine
timed "build" configure_and_build
timed "tests under Wine" run_tests
if [ -x "$ROOT/build/tellurin-cli" ]; then
  timed "comparison with the Linux build" "$ROOT/tools/windows/same-output.sh" "$ROOT/build" "$BUILD"
fi
timed "viewer under Wine" "$ROOT/tools/windows/viewer-check.sh" "$BUILD"
timed "packages" make_packages
timed "installer under Wine" "$ROOT/tools/windows/installer-check.sh" "$(ls "$BUILD"/Tellurin-*-win64.exe)"
