#!/usr/bin/env bash
# A city's load (tellurin-cli stats, its LoadCity time) against `cat` of every
# file of the city, in turns, the medians of RUNS pairs (default 7):
#
#   bench/load-vs-cat.sh BUILD_DIR CITY_DIR... [--runs N]
#
# prints per city: load<TAB>CITY<TAB>LOAD_MS<TAB>CAT_MS<TAB>LOAD/CAT, then each
# step's share of the last run's load (share<TAB>CITY<TAB>STEP<TAB>SHARE).
# The demo cities come with the build (BUILD_DIR/Base); bigger ones from
# `tellurin-demo-city --scale N --out DIR` (DIR/Мегаполис).
set -euo pipefail
build=${1:?usage: bench/load-vs-cat.sh BUILD_DIR CITY_DIR... [--runs N]}
shift
runs=7
cities=()
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    *) cities+=("$1"); shift ;;
  esac
done
export QT_QPA_PLATFORM=offscreen
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for city in "${cities[@]}"; do
  loads=() cats=()
  for _ in $(seq "$runs"); do
    stats=$("$build/tellurin-cli" stats "$city")
    loads+=("$(awk -F'\t' '$1 == "time" && $2 == "LoadCity" { print $3 }' <<<"$stats")")
    start=$(date +%s%N)
    find "$city" -type f -print0 | xargs -0 cat >/dev/null
    cats+=("$(( ($(date +%s%N) - start) / 1000 ))")
  done
  load=$(printf '%s\n' "${loads[@]}" | median)
  cat_ms=$(printf '%s\n' "${cats[@]}" | median | awk '{ printf "%.1f", $1 / 1000 }')
  printf 'load\t%s\t%s\t%s\t%s\n' "$city" "$load" "$cat_ms" "$(awk -v l="$load" -v c="$cat_ms" 'BEGIN { printf "%.2f", l / c }')"
  awk -F'\t' -v c="$city" '$1 == "time" { t[++n] = $2; ms[n] = $3; if ($2 == "LoadCity") whole = $3 }
    END { for (i = 1; i <= n; ++i) if (t[i] != "LoadCity") printf "share\t%s\t%s\t%.3f\n", c, t[i], ms[i] / whole }' <<<"$stats"
done
