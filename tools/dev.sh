#!/usr/bin/env bash
# Installs what Tellurin needs (Debian 12), builds it, and then either starts the
# viewer on the bundled demo cities (run) or runs every test (test).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake make g++ ccache pkg-config qt6-base-dev libgl-dev libjpeg62-turbo-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_packages
    build
    cmake --build build --target demo_cities
    exec ./build/tellurin
    ;;
  test)
    install_packages
    build
    cd build && ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: tools/dev.sh run|test" >&2
    exit 2
    ;;
esac
