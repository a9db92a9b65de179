#!/usr/bin/env bash
# Renders the application icon dist/icons/tellurin.svg into the PNG sizes of the
# icon theme (dist/icons/NxN.png), which are committed beside it.  Run it after
# changing the SVG; `tools/icons.sh --check` fails when a committed PNG differs
# from what the SVG renders to (CI runs that).  librsvg writes the same bytes
# for the same picture; should an update of librsvg or cairo change a pixel,
# render the pictures again and look at them.
set -euo pipefail
cd "$(dirname "$0")/.."

SIZES=(16 22 24 32 48 64 128 256)
SVG=dist/icons/tellurin.svg

render() {  # size output
  rsvg-convert --width "$1" --height "$1" --keep-aspect-ratio "$SVG" --output "$2"
}

if [ "${1:-}" = "--check" ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  status=0
  for s in "${SIZES[@]}"; do
    render "$s" "$tmp/$s.png"
    if ! cmp -s "$tmp/$s.png" "dist/icons/${s}x${s}.png"; then
      echo "dist/icons/${s}x${s}.png is not what $SVG renders to; run tools/icons.sh" >&2
      status=1
    fi
  done
  exit $status
fi

for s in "${SIZES[@]}"; do
  render "$s" "dist/icons/${s}x${s}.png"
done
echo "dist/icons: ${SIZES[*]/%/px} rendered from $SVG"
