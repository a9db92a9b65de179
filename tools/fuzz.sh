#!/usr/bin/env bash
# Runs every libFuzzer target of the sanitizer build (build-asan) for SECONDS
# each, starting from seeds made from the demo cities and the OpenStreetMap
# test extracts (and from inputs kept in tests/data/fuzz/<target>/, if any).  A finding stops that target; the script
# prints its report at the end and fails, and the input is left in
# build-asan/fuzz-artifacts/.
#
#   tools/fuzz.sh SECONDS [TARGET...]     e.g. tools/fuzz.sh 60 fuzz_streets
#
# TELLURIN_FUZZ_JOBS targets run side by side (one per processor by default).
#
# The corpus each target grows is kept in build-asan/fuzz-corpus/<target>/, so
# later runs go on from where earlier ones stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${TELLURIN_ASAN_BUILD:-$ROOT/build-asan}

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: tools/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
SECONDS_EACH=$1
shift

# shellcheck source=tools/sanitizer-env.sh
source "$ROOT/tools/sanitizer-env.sh"

# TELLURIN_FUZZ_NO_BUILD=1: run the targets as they are (a build is running).
[ -n "${TELLURIN_FUZZ_NO_BUILD:-}" ] || cmake --build "$BUILD" --target fuzz_targets tellurin-demo-city -j"$(nproc)" >/dev/null

if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  mapfile -t TARGETS < <(cd "$BUILD/fuzz" && find . -maxdepth 1 -name 'fuzz_*' -type f -executable -printf '%f\n' | sort)
fi

SEEDS=$BUILD/fuzz-seeds
DEMO=$BUILD/fuzz-demo/Base

# One seed file: a selector byte (0 plain, 1 scrambled) and then a file's bytes.
seed_with_selector() {  # selector file out
  { printf "\\x0$1"; cat "$2"; } >"$3"
}

# Seeds for a layer target from the demo cities' files of that layer.
layer_seeds() {  # target layer-file-name
  local dir=$SEEDS/$1 f
  for f in "$DEMO"/*/Data/"$2".txt; do [ -f "$f" ] && seed_with_selector 0 "$f" "$dir/$(basename "$(dirname "$(dirname "$f")")")-plain"; done
  for f in "$DEMO"/*/Data/"$2".crpt; do [ -f "$f" ] && seed_with_selector 1 "$f" "$dir/$(basename "$(dirname "$(dirname "$f")")")-scrambled"; done
  return 0
}

# A few files of a kind from the demo cities, copied as seeds.
copy_seeds() {  # target max-count glob...
  local dir=$SEEDS/$1 max=$2 n=0 f
  shift 2
  for f in "$@"; do
    [ -f "$f" ] || continue
    cp "$f" "$dir/$(echo "${f#"$DEMO"/}" | tr '/' '_')"
    n=$((n + 1))
    [ "$n" -ge "$max" ] && break
  done
  return 0
}

make_seeds() {
  rm -rf "$SEEDS" "$BUILD/fuzz-demo"
  if ! (cd "$BUILD" && ./tellurin-demo-city --out "$DEMO" >/dev/null); then
    echo "fuzz: the demo cities could not be written; the targets start without their seeds" >&2
  fi
  local t f n
  for t in "${ALL_TARGETS[@]}"; do mkdir -p "$SEEDS/$t"; done
  # Each layer's target (a row of kLayers in fuzz/LayerFuzz.cpp) names its own file.
  local file
  for t in $(sed -n 's/^ *{"\([a-z_]*\)", [A-Za-z]*Reading,.*/fuzz_\1/p' "$ROOT/fuzz/LayerFuzz.cpp"); do
    [ -x "$BUILD/fuzz/$t" ] || continue
    file=$(TELLURIN_FUZZ_SHOW_LAYER_FILE=1 "$BUILD/fuzz/$t") || continue
    layer_seeds "$t" "$(basename "$file" .txt)"
  done
  n=0
  for f in "$DEMO"/*/Firms/*.crpt; do [ -f "$f" ] && [ $n -lt 8 ] && seed_with_selector 1 "$f" "$SEEDS/fuzz_firm/s$n" && n=$((n + 1)); done
  n=0
  for f in "$DEMO"/*/Firms/*.txt; do [ -f "$f" ] && [ $n -lt 8 ] && seed_with_selector 0 "$f" "$SEEDS/fuzz_firm/p$n" && n=$((n + 1)); done
  # Point lists: the coordinate lines of the plain demo city.
  n=0
  for f in "$DEMO"/*/Data/*.txt; do
    [ -f "$f" ] || continue
    grep -aE '^-?[0-9]+( -?[0-9]+)+'$'\r''$' "$f" | head -n 6 | while IFS= read -r line; do
      line=${line%$'\r'}
      pairs=$(($(wc -w <<<"$line") / 2))
      [ "$pairs" -gt 200 ] && pairs=200
      { printf "\\x$(printf %02x $((pairs + 8)))"; printf '%s' "$line"; } \
        >"$SEEDS/fuzz_point_list/$(basename "$(dirname "$(dirname "$f")")")-$(basename "$f" .txt)-$((n++))"
    done || true  # head may stop grep early
  done
  printf '\x0a10 20 30 40' >"$SEEDS/fuzz_point_list/pairs"
  copy_seeds fuzz_about 4 "$DEMO"/*/Info/about.inf
  copy_seeds fuzz_keywords 4 "$DEMO"/*/Kw.map
  copy_seeds fuzz_roads 2 "$DEMO"/*/Data/Roads.gr
  copy_seeds fuzz_jpeg 6 "$DEMO"/*/Info/Picture.jpg "$DEMO"/*/Firms/*.jpg
  copy_seeds fuzz_ico 6 "$DEMO"/*/Icons/*.ico
  cp "$ROOT"/tests/data/osm/*.osm "$SEEDS/fuzz_osm_import/" 2>/dev/null || true
  printf 'Tellurin georeference 1\r\nproj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84\r\nunit 4\r\norigin 500 600\r\naxes east south\r\n' \
    >"$SEEDS/fuzz_georef/importer"
  touch "$SEEDS/.made"
}

mapfile -t ALL_TARGETS < <(cd "$BUILD/fuzz" && find . -maxdepth 1 -name 'fuzz_*' -type f -executable -printf '%f\n' | sort)
[ -f "$SEEDS/.made" ] || make_seeds

# Runs one target; its one-line summary (or the end of its log and the
# finding) goes to $BUILD/fuzz-logs/<target>.result, and the status is its
# exit code.
run_target() {  # target
  local t=$1 corpus=$BUILD/fuzz-corpus/$1 log=$BUILD/fuzz-logs/$1.log result=$BUILD/fuzz-logs/$1.result
  local dirs=("$corpus" "$SEEDS/$t")
  mkdir -p "$corpus" "$SEEDS/$t"  # a target without seeds of its own starts empty
  [ -d "$ROOT/tests/data/fuzz/$t" ] && dirs+=("$ROOT/tests/data/fuzz/$t")
  if nice -n 10 "$BUILD/fuzz/$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$BUILD/fuzz-artifacts/$t-" "${dirs[@]}" >"$log" 2>&1; then
    local runs added
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    added=$(sed -n 's/^stat::new_units_added: *//p' "$log")
    echo "$t: ${SECONDS_EACH}s, ${runs:-?} runs, ${added:-?} new inputs, corpus $(find "$corpus" -type f | wc -l)" >"$result"
  else
    { tail -n 80 "$log"
      echo "fuzz: $t found a problem (log $log; the input is in $BUILD/fuzz-artifacts/)"; } >"$result"
    return 1
  fi
}

# Several targets at once (TELLURIN_FUZZ_JOBS, one per processor by default):
# each still gets its full time, and the whole run takes a fraction as long.
JOBS=${TELLURIN_FUZZ_JOBS:-$(nproc)}
mkdir -p "$BUILD/fuzz-artifacts" "$BUILD/fuzz-logs"
status=0
running=0
for t in "${TARGETS[@]}"; do
  rm -f "$BUILD/fuzz-logs/$t.result"
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  run_target "$t" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for t in "${TARGETS[@]}"; do
  cat "$BUILD/fuzz-logs/$t.result"
done
[ $status -eq 0 ] || echo "fuzz: a target found a problem; its report is above" >&2
exit $status
