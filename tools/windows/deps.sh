#!/usr/bin/env bash
# Builds the libraries the Windows build links, from Debian's own source
# packages, with Debian's MinGW-w64, into a cache folder keyed by their
# versions; a second run with the same versions only prints the folder.
#
#   tools/windows/deps.sh CACHE_ROOT     (prints the dependency folder)
#
# zlib, bzip2, expat, SQLite, libjpeg-turbo and PROJ are built as static
# libraries (nothing to ship but PROJ's proj.db); libosmium and protozero are
# headers, copied from their Debian packages.  Needs the deb-src entry that
# tools/windows/build.sh adds.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
CACHE_ROOT=$(mkdir -p "$1" && cd "$1" && pwd)
SOURCES=(zlib bzip2 expat sqlite3 libjpeg-turbo proj)

# The sources are fetched first (into CACHE_ROOT/sources, kept): the newest
# version the mirror serves, as the security archive may list sources it lacks.
SRCDIR="$CACHE_ROOT/sources"; mkdir -p "$SRCDIR"
fetch_source() {
  local pkg=$1 v
  for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -u -r -V); do
    if (cd "$SRCDIR" && apt-get source --download-only -qq "$pkg=$v" >/dev/null 2>&1); then
      echo "$SRCDIR/$(cd "$SRCDIR" && ls -1 "${pkg}_${v#*:}.dsc")"; return 0
    fi
  done
  echo "no source of $pkg could be fetched" >&2; return 1
}
declare -A DSC
for s in "${SOURCES[@]}"; do DSC[$s]=$(fetch_source "$s"); done

# The key: the source versions, the compiler, the headers' packages and this script.
key_text() {
  for s in "${SOURCES[@]}"; do basename "${DSC[$s]}"; done
  dpkg-query -W -f='${Version}\n' g++-mingw-w64-x86-64-posix libosmium2-dev libprotozero-dev
  cat "$0" "$HERE/toolchain.cmake"
}
KEY=$(key_text | sha256sum | cut -c1-16)
PREFIX="$CACHE_ROOT/deps-$KEY"
if [ -f "$PREFIX/.complete" ]; then echo "$PREFIX"; exit 0; fi

WORK=$(mktemp -d "$CACHE_ROOT/.work-XXXXXXXX")
trap 'rm -rf "$WORK"' EXIT
# Built in place (PROJ's CMake package names its SQLite by its full path); the
# libraries built so far stay for the next run when one fails, and only a
# finished folder is marked complete.
STAGE="$PREFIX"
mkdir -p "$STAGE/include" "$STAGE/lib"
JOBS=$(nproc)
CROSS=x86_64-w64-mingw32

# Unpacks a fetched source package (with Debian's patches) and prints its folder.
unpack() {
  dpkg-source --no-check -x "${DSC[$1]}" "$WORK/$1-src" >/dev/null 2>&1 || { echo "unpacking $1 failed" >&2; exit 1; }
  echo "$WORK/$1-src"
}

cmake_build() {  # SRC BUILD [cmake args...]
  local src=$1 build=$2; shift 2
  cmake -G Ninja -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$HERE/toolchain.cmake" \
    -DTELLURIN_WIN64_PREFIXES="$STAGE" -DCMAKE_INSTALL_PREFIX="$STAGE" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$STAGE" "$@"
  cmake --build "$build" -j"$JOBS"
  cmake --install "$build"
}

# zlib's own files, compiled directly (the Debian source leaves out win32/).
build_zlib() {
  local src f; src=$(unpack zlib)
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
           uncompr zutil; do
    $CROSS-gcc-posix -O2 -c "$src/$f.c" -o "$src/$f.o"
  done
  $CROSS-ar rcs "$STAGE/lib/libz.a" "$src"/*.o
  cp "$src/zlib.h" "$src/zconf.h" "$STAGE/include/"
}

build_bzip2() {
  local src; src=$(unpack bzip2)
  make -C "$src" CC=$CROSS-gcc AR=$CROSS-ar RANLIB=$CROSS-ranlib libbz2.a
  cp "$src/libbz2.a" "$STAGE/lib/"; cp "$src/bzlib.h" "$STAGE/include/"
}

build_expat() {
  local src; src=$(unpack expat)
  # Debian's security patches test "XML_DTD == 1", which its configure script
  # defines so; expat's CMake defines it empty.
  sed -i 's/XML_DTD == 1/defined(XML_DTD)/' "$src/expat/lib/xmlparse.c"
  cmake_build "$src/expat" "$WORK/expat-build" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
    -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF
}

# SQLite's source tree makes its one-file amalgamation with host tools; the
# library is then that one file, compiled for Windows.
build_sqlite() {
  local src; src=$(unpack sqlite3)
  mkdir -p "$WORK/sqlite-build"
  (cd "$WORK/sqlite-build" && "$src/configure" --disable-tcl && make sqlite3.c)
  $CROSS-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -c "$WORK/sqlite-build/sqlite3.c" \
    -o "$WORK/sqlite-build/sqlite3.o"
  $CROSS-ar rcs "$STAGE/lib/libsqlite3.a" "$WORK/sqlite-build/sqlite3.o"
  cp "$WORK/sqlite-build/sqlite3.h" "$STAGE/include/"
}

build_jpeg() {
  local src; src=$(unpack libjpeg-turbo)
  cmake_build "$src" "$WORK/jpeg-build" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_ASM_NASM_COMPILER=nasm
}

build_proj() {
  local src; src=$(unpack proj)
  cmake_build "$src" "$WORK/proj-build" -DBUILD_SHARED_LIBS=OFF -DBUILD_APPS=OFF -DBUILD_TESTING=OFF \
    -DENABLE_TIFF=OFF -DENABLE_CURL=OFF -DBUILD_PROJSYNC=OFF -DEXE_SQLITE3=/usr/bin/sqlite3 \
    -DSQLite3_INCLUDE_DIR="$STAGE/include" -DSQLite3_LIBRARY="$STAGE/lib/libsqlite3.a"
}

copy_headers() {
  cp -r /usr/include/osmium /usr/include/protozero "$STAGE/include/"
}

# Each step's output goes to a log; a failing step shows its end.
LOG="$CACHE_ROOT/deps-build.log"
: > "$LOG"
for step in build_zlib build_bzip2 build_expat build_sqlite build_jpeg build_proj copy_headers; do
  [ -f "$STAGE/.done-$step" ] && continue
  start=$SECONDS
  set +e
  (set -e; $step) >> "$LOG" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    tail -40 "$LOG" >&2; echo "$step failed (log: $LOG)" >&2; exit 1
  fi
  touch "$STAGE/.done-$step"
  echo "$step: $((SECONDS - start)) s" >&2
done
rm -f "$STAGE"/.done-*
touch "$PREFIX/.complete"
echo "$PREFIX"
