#!/usr/bin/env bash
# A city cut out of a region: the time and peak memory of
# `tellurin-cli import-osm --bbox` against `osmium extract -b` of the same box
# (osmium-tool, measured beside it, never needed by the import), run one after
# the other on the same file in one run.  Regions are made by
# tellurin-osm-synth (--blocks N: a city of N x N blocks of 150 x 120 m,
# about 0.58 GB of PBF for 1000, 1.14 GB for 1400, 2.3 GB for 2000), under
# WORK_DIR, deleted at the end unless --keep.
#
#   bench/import-cut.sh BUILD_DIR [--blocks N]... [--region N:B]... [--work WORK_DIR] [--keep]
#
# --region N:B cuts the region's city by its name instead (`--city`, its
# administrative boundary found in the file) out of `tellurin-osm-synth
# --region N --blocks B` (about 1 GB for 2000:250, 1.9 GB for 3800:250), against
# `osmium extract -p` of that boundary (taken out of the region beforehand
# with `osmium getid -r`, not counted); the lines then say region-N:B, and a
# third line gives the import of osmium's cut as a file of its own.
#
# Prints one line per run:
#   cut<TAB>BLOCKS<TAB>MB<TAB>PROGRAM<TAB>SECONDS<TAB>CPU_SECONDS<TAB>PEAK_MIB
# and, per region, ratio<TAB>BLOCKS<TAB>TIME<TAB>CPU<TAB>MEMORY (ours / osmium's).
# On a machine shared with other work the CPU seconds say more than the wall
# clock's.
# The box is a city of 15 x 12 km in the middle of the region.
set -euo pipefail

build=${1:?usage: bench/import-cut.sh BUILD_DIR [--blocks N]... [--region N:B]... [--work WORK_DIR] [--keep]}
shift
blocks=()
regions=()
work=/tmp/tellurin-import-cut
keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --blocks) blocks+=("$2"); shift 2 ;;
    --region) regions+=("$2"); shift 2 ;;
    --work) work=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[ ${#blocks[@]} -gt 0 ] || [ ${#regions[@]} -gt 0 ] || blocks=(1400 2000)
command -v osmium >/dev/null || { echo "osmium-tool is needed to compare with (apt-get install osmium-tool)" >&2; exit 2; }
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

# The middle 15 x 12 km of a region of N x N blocks (the generator's origin
# is 37.3 E, 55.5 N; a block is 150 x 120 m).
middle_box() {
  python3 - "$1" <<'PY'
import math, sys
n = int(sys.argv[1])
lat0, lon0 = 55.5, 37.3
mx = 111320 * math.cos(math.radians(lat0))
cx, cy = lon0 + n * 150 / 2 / mx, lat0 + n * 120 / 2 / 111320
dx, dy = 7500 / mx, 6000 / 111320
print(f"{cx - dx:.6f},{cy - dy:.6f},{cx + dx:.6f},{cy + dy:.6f}")
PY
}

# Runs the command, prints SECONDS<TAB>CPU_SECONDS<TAB>PEAK_MIB.
measure() {
  local log=$work/time.log
  /usr/bin/time -f '%e %U %S %M' -o "$log" "$@" >"$work/run.out" 2>"$work/run.err" || {
    echo "failed: $*" >&2; cat "$work/run.err" >&2; exit 1; }
  awk '{ printf "%s\t%.2f\t%.0f\n", $1, $2 + $3, $4 / 1024 }' "$log"
}

# Prints the lines of one comparison: `cut` for each program, then `ratio`.
report() {
  local label=$1 mb=$2 ours=$3 theirs=$4
  printf 'cut\t%s\t%s\ttellurin-cli\t%s\n' "$label" "$mb" "$ours"
  printf 'cut\t%s\t%s\tosmium\t%s\n' "$label" "$mb" "$theirs"
  paste <(echo "$ours") <(echo "$theirs") | awk -v n="$label" '{ printf "ratio\t%s\t%.2f\t%.2f\t%.2f\n", n, $1 / $4, $2 / $5, $3 / $6 }'
}

for n in "${blocks[@]}"; do
  region=$work/region-$n.osm.pbf
  [ -f "$region" ] || "$build/tellurin-osm-synth" --blocks "$n" "$region"
  mb=$(( $(stat -c %s "$region") / 1000000 ))
  box=$(middle_box "$n")
  rm -rf "$work/out" "$work/cut.osm.pbf"
  ours=$(measure "$build/tellurin-cli" import-osm "$region" --bbox "$box" --out "$work/out" --name City)
  theirs=$(measure osmium extract -b "$box" "$region" -o "$work/cut.osm.pbf" --overwrite)
  report "$n" "$mb" "$ours" "$theirs"
  rm -rf "$work/out" "$work/cut.osm.pbf"
  [ "$keep" = 1 ] || rm -f "$region"
done

for sizes in "${regions[@]+"${regions[@]}"}"; do
  settlements=${sizes%%:*} cityBlocks=${sizes##*:}
  region=$work/settlements-$settlements-$cityBlocks.osm.pbf
  [ -f "$region" ] || "$build/tellurin-osm-synth" --region "$settlements" --blocks "$cityBlocks" "$region"
  mb=$(( $(stat -c %s "$region") / 1000000 ))
  rm -rf "$work/out" "$work/cut.osm.pbf" "$work/boundary.osm"
  ours=$(measure "$build/tellurin-cli" import-osm "$region" --city Новоозёрск --out "$work/out" --name City)
  relation=$(awk -F'\t' '$1 == "area" { split($2, w, " "); print w[3] }' "$work/run.out")
  [ -n "$relation" ] || { echo "the city was not cut by a boundary:" >&2; cat "$work/run.out" >&2; exit 1; }
  osmium getid -r "$region" "r$relation" -o "$work/boundary.osm" --overwrite
  theirs=$(measure osmium extract -p "$work/boundary.osm" "$region" -o "$work/cut.osm.pbf" --overwrite)
  report "region-$sizes" "$mb" "$ours" "$theirs"
  # The same city imported from a file of its own (osmium's cut): the memory
  # a city takes whatever it is cut out of.
  rm -rf "$work/out"
  alone=$(measure "$build/tellurin-cli" import-osm "$work/cut.osm.pbf" --out "$work/out" --name City)
  printf 'cut\t%s\t%s\ttellurin-cli, the cut file\t%s\n' "region-$sizes" "$(( $(stat -c %s "$work/cut.osm.pbf") / 1000000 ))" "$alone"
  rm -rf "$work/out" "$work/cut.osm.pbf" "$work/boundary.osm"
  [ "$keep" = 1 ] || rm -f "$region"
done
[ "$keep" = 1 ] || rm -rf "$work"
