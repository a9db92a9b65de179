#!/usr/bin/env bash
# Installs what Tellurin needs (Debian 12), builds it, and then either starts the
# viewer on the bundled demo cities (run: only the viewer, tellurin-cli and the
# demo cities are built) or runs every test and checks the Debian package (test).
# windows: the Windows build, cross-compiled and tested under Wine
# (tools/windows/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake make g++ ccache pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libjpeg62-turbo-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth
          clang-14 libclang-rt-14-dev
          libosmium2-dev libprotozero-dev libproj-dev zlib1g-dev libbz2-dev libexpat1-dev libdeflate-dev
          desktop-file-utils appstream dpkg-dev file man-db librsvg2-bin poppler-utils
          mingw-w64-common)  # its copyright file: the package check compares the notices with it

source tools/packages.sh

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)" "$@"
}

# The sanitizer build: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# the tests and the fuzz targets (no benchmarks: speed means nothing there).
# -O1 with line tables is what the sanitizers need for exact reports, builds
# faster than -O2 -g, and keeps assertions on.
build_asan() {
  CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Sanitize \
    -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" \
    -DTELLURIN_SANITIZE=ON -DTELLURIN_FUZZ=ON -DTELLURIN_BUILD_BENCHMARKS=OFF
  cmake --build build-asan -j"$(nproc)"
}

# The whole suite again in the sanitizer build, then every fuzz target for a
# short while.
run_sanitized_tests() {
  build_asan
  (source tools/sanitizer-env.sh && cd build-asan && ctest --output-on-failure -j"$(nproc)")
  tools/fuzz.sh "$FUZZ_SECONDS"
}

# Seconds each fuzz target runs in the test command.
FUZZ_SECONDS=${TELLURIN_FUZZ_SECONDS:-20}

case "${1:-}" in
  run)
    install_packages "${PACKAGES[@]}"
    build --target tellurin tellurin-cli demo_cities
    exec ./build/tellurin
    ;;
  test)
    install_packages "${PACKAGES[@]}"
    build
    (cd build && ctest --output-on-failure -j"$(nproc)")
    tools/package-check.sh build
    run_sanitized_tests
    ;;
  sanitize)
    # Only the sanitizer build, its suite and the short fuzz runs.
    install_packages "${PACKAGES[@]}"
    run_sanitized_tests
    ;;
  windows)
    # The Windows build, its tests under Wine, the archive and the installer.
    exec tools/windows/build.sh
    ;;
  *)
    echo "usage: tools/dev.sh run|test|sanitize|windows" >&2
    exit 2
    ;;
esac
