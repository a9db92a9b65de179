#!/usr/bin/env bash
# Records what tellurin-cli shows of a set of cities, and compares two such
# records: text byte for byte, pictures pixel by pixel.  Made for changes that
# must not change behaviour (a restructuring, a speed-up): record before,
# record after, compare.
#
#   tools/snapshot.sh record BUILD_DIR OUT_DIR [--data ROOT] [--city NAME]...
#   tools/snapshot.sh compare BEFORE_DIR AFTER_DIR
#
# record runs BUILD_DIR/tellurin-cli on every city of the data root ROOT
# (default $TELLURIN_SNAPSHOT_DATA, else /tmp/tellurin-snapshot/Base; when ROOT
# holds no city, BUILD_DIR/tellurin-demo-city --scale 100 writes the two demo
# cities and the hundredfold one into it).  Per city, in OUT_DIR/<city>/:
#   dump, check           the tables after a load, the data check
#   search-*, firms-*     the list search and the firm search for a few keys
#   layers-S              the whole map picture at scale S (0.5, 1, 2, 4), every
#                         layer on, centred on the middle of the map extents
#   select-S              the same with a street, building, object, firm and
#                         route selected
#   found-S               the same with the firms found for "а" drawn
#   window-S              the window at scale S with hover hints on a grid of
#                         pixels and a click
#   object-K, firm-K      object / found firm K selected and centred, then the
#                         hover hint and a click on it (window pictures)
# Each case leaves NAME.out (stdout), NAME.err (stderr), NAME.png when it draws,
# and its exit code in exit-codes.txt; OUT_DIR/data.sha256 lists the input
# files, so that a comparison of records made from different data says so.
# Both records must read the same ROOT: the tables hold the files' full paths.
#
# compare exits 0 when every file of BEFORE_DIR is in AFTER_DIR and equal (and
# no file is extra), 1 otherwise, listing each difference.
set -u

usage() {
  sed -n '7,8p' "$0" | sed 's/^# *//' >&2
  exit 2
}

die() {
  echo "snapshot: $*" >&2
  exit 2
}

# ---------------------------------------------------------------- record ---

CLI=
OUT=
CITY_OUT=

# run NAME ARGS...: one tellurin-cli call, its output kept under NAME.
run() {
  local name=$1
  shift
  "$CLI" "$@" >"$CITY_OUT/$name.out" 2>"$CITY_OUT/$name.err"
  echo "$name $?" >>"$CITY_OUT/exit-codes.txt"
}

# The row in the middle of a table of the dump (-1 when the table is empty).
middle_row() {
  awk -F'\t' -v t="$1" '$1 == "table" && $2 == t { n = $3 } END { print (n > 0 ? int(n / 2) : -1) }' \
    "$CITY_OUT/dump.out"
}

row_count() {
  awk -F'\t' -v t="$1" '$1 == "table" && $2 == t { n = $3 } END { print n + 0 }' "$CITY_OUT/dump.out"
}

# --select KIND:ROW for every kind whose table has rows.
selections() {
  local kind table row
  for pair in street:ListOfStreets building:ListOfBuildings object:ListOfObjects firm:ListOfFirms \
              route:ListOfPath2; do
    kind=${pair%%:*}
    table=${pair#*:}
    row=$(middle_row "$table")
    [ "$row" -ge 0 ] && printf -- '--select\n%s:%s\n' "$kind" "$row"
  done
}

# --hover X,Y on a 5 x 4 grid of the 1024 x 768 window, then a click.
hover_grid() {
  local x y
  for y in 96 288 480 672; do
    for x in 102 307 512 717 922; do printf -- '--hover\n%s,%s\n' "$x" "$y"; done
  done
  printf -- '--click\n512,384\n'
}

# The first, middle and last row of a table.
sample_rows() {
  local n
  n=$(row_count "$1")
  [ "$n" -gt 0 ] || return 0
  printf '%s\n' 0 $((n / 2)) $((n - 1)) | sort -un
}

record_city() {
  local dir=$1
  local name
  name=$(basename "$dir")
  CITY_OUT="$OUT/$name"
  mkdir -p "$CITY_OUT"
  : >"$CITY_OUT/exit-codes.txt"
  echo "snapshot: $name" >&2

  run dump dump "$dir"
  run check check "$dir"
  local i=0 key
  for key in "" "а" "ул" "1" "Ка" " "; do
    run "search-$i" search "$dir" "$key"
    run "firms-$i" firms "$dir" "$key"
    i=$((i + 1))
  done
  for parts in "--name on --address off --keywords off" "--name off --address on --keywords off" \
               "--name off --address off --keywords on"; do
    # shellcheck disable=SC2086
    run "firms-$i" firms "$dir" "а" $parts
    i=$((i + 1))
  done

  local minx miny maxx maxy
  read -r _ minx miny maxx maxy < <(grep -m1 '^extents' "$CITY_OUT/dump.out")
  local centre="$(((minx + maxx) / 2)),$(((miny + maxy) / 2))"
  local layers=(--center "$centre" --texts on --objects on --routes on)
  local select hovers
  mapfile -t select < <(selections)
  mapfile -t hovers < <(hover_grid)
  local scale
  for scale in 0.5 1 2 4; do
    run "layers-$scale" render "$dir" -o "$CITY_OUT/layers-$scale.png" --picture --scale "$scale" "${layers[@]}"
    run "select-$scale" render "$dir" -o "$CITY_OUT/select-$scale.png" --picture --scale "$scale" "${layers[@]}" \
      "${select[@]}"
    run "found-$scale" render "$dir" -o "$CITY_OUT/found-$scale.png" --picture --scale "$scale" "${layers[@]}" \
      --found-firms "а"
    run "window-$scale" render "$dir" -o "$CITY_OUT/window-$scale.png" --scale "$scale" "${layers[@]}" \
      --found-firms "а" "${hovers[@]}"
  done

  # A record selected and centred lies under window pixel (512, 384).
  local row
  for row in $(sample_rows ListOfObjects); do
    run "object-$row" render "$dir" -o "$CITY_OUT/object-$row.png" "${layers[@]}" \
      --select "object:$row" --centre --hover 512,384 --click 512,384
  done
  for row in $(sample_rows ListOfFirms); do
    run "firm-$row" render "$dir" -o "$CITY_OUT/firm-$row.png" "${layers[@]}" --found-firms "а" \
      --select "firm:$row" --centre --hover 512,384 --click 512,384
  done
}

is_city() { [ -f "$1/Info/about.inf" ] || [ -f "$1/Info/About.inf" ]; }

record() {
  [ $# -ge 2 ] || usage
  local build=$1
  OUT=$2
  shift 2
  local data=${TELLURIN_SNAPSHOT_DATA:-/tmp/tellurin-snapshot/Base}
  local cities=()
  while [ $# -gt 0 ]; do
    case $1 in
      --data) [ $# -ge 2 ] || usage; data=$2; shift 2 ;;
      --city) [ $# -ge 2 ] || usage; cities+=("$2"); shift 2 ;;
      *) usage ;;
    esac
  done
  CLI=$(realpath "$build/tellurin-cli") || die "no tellurin-cli in $build"
  [ -x "$CLI" ] || die "no tellurin-cli in $build"
  data=$(realpath -m "$data")
  if [ ! -d "$data" ] || [ -z "$(ls -A "$data" 2>/dev/null)" ]; then
    echo "snapshot: writing the demo cities into $data" >&2
    "$build/tellurin-demo-city" --scale 100 --out "$data" >/dev/null || die "the demo cities were not written"
  fi
  if [ ${#cities[@]} -eq 0 ]; then
    local dir
    for dir in "$data"/*/; do
      is_city "$dir" && cities+=("$(basename "$dir")")
    done
  fi
  [ ${#cities[@]} -gt 0 ] || die "no city in $data"
  mkdir -p "$OUT"
  (cd "$data" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) >"$OUT/data.sha256"
  export QT_QPA_PLATFORM=offscreen
  local city
  for city in "${cities[@]}"; do
    [ -d "$data/$city" ] || die "no city $city in $data"
    record_city "$data/$city"
  done
  echo "snapshot: recorded ${#cities[@]} cities into $OUT" >&2
}

# --------------------------------------------------------------- compare ---

# Pixels that differ between two pictures of the same size; "size" when the
# sizes differ.
pixel_difference() {
  local a b
  a=$(identify -format '%wx%h' "$1" 2>/dev/null)
  b=$(identify -format '%wx%h' "$2" 2>/dev/null)
  if [ -z "$a" ] || [ "$a" != "$b" ]; then
    echo "size $a / $b"
    return
  fi
  compare -metric AE "$1" "$2" null: 2>&1 >/dev/null
}

compare_records() {
  [ $# -eq 2 ] || usage
  local before=$1 after=$2
  [ -d "$before" ] || die "no record $before"
  [ -d "$after" ] || die "no record $after"
  local texts=0 pictures=0 differ=0 file
  while IFS= read -r -d '' file; do
    file=${file#./}
    if [ ! -f "$after/$file" ]; then
      echo "missing: $file"
      differ=$((differ + 1))
      continue
    fi
    if [[ $file == *.png ]]; then
      pictures=$((pictures + 1))
      cmp -s "$before/$file" "$after/$file" && continue
      local pixels
      pixels=$(pixel_difference "$before/$file" "$after/$file")
      [ "$pixels" = 0 ] && continue
      echo "picture differs: $file ($pixels pixels)"
    else
      texts=$((texts + 1))
      cmp -s "$before/$file" "$after/$file" && continue
      echo "text differs: $file"
      diff "$before/$file" "$after/$file" | head -6 | sed 's/^/    /'
    fi
    differ=$((differ + 1))
  done < <(cd "$before" && find . -type f -print0 | LC_ALL=C sort -z)
  while IFS= read -r -d '' file; do
    file=${file#./}
    [ -f "$before/$file" ] && continue
    echo "extra: $file"
    differ=$((differ + 1))
  done < <(cd "$after" && find . -type f -print0 | LC_ALL=C sort -z)
  echo "compared $texts text files byte for byte and $pictures pictures pixel by pixel: $differ differ"
  [ "$differ" -eq 0 ]
}

case ${1:-} in
  record) shift; record "$@" ;;
  compare) shift; compare_records "$@" ;;
  *) usage ;;
esac
