#!/usr/bin/env bash
# Directions against Debian's routino (routino-router and planetsplitter,
# needed here only, never by the viewer): a made-up city with one-way rows,
# footways, steps, pedestrian and private stretches (`tellurin-osm-synth
# --blocks N --mixed-roads`, 30 by default: 4.5 x 3.6 km) is imported and
# given to planetsplitter; for PAIRS pairs of addressed buildings (40 by
# default, picked at random with a fixed seed, at least 1 km apart) the
# shortest route on foot and by car is asked of `tellurin-cli route` and of
# routino-router --shortest with the foot and motorcar profiles, every
# highway it allows at the same preference (so that its shortest route is
# the shortest in metres).  routino's length is summed over its GPX track.
# Our car routes are checked against the extract's one-way ways: a step from
# a way's node to the one before it on a oneway=yes way (or after it on
# oneway=-1) is counted as driving against it.
#
#   bench/route-compare.sh BUILD_DIR [--blocks N] [--pairs PAIRS] [--work WORK_DIR] [--keep]
#
# Prints one line per pair and mode,
#   pair<TAB>MODE<TAB>FROM<TAB>TO<TAB>OURS_M<TAB>ROUTINO_M<TAB>EXCESS_%
# then per mode
#   summary<TAB>MODE<TAB>PAIRS<TAB>WORST_EXCESS_%<TAB>MEDIAN_EXCESS_%<TAB>AGAINST_ONE_WAY
# (excess: how much longer our route is than routino's; negative: shorter).
set -euo pipefail

build=$(cd "${1:?usage: bench/route-compare.sh BUILD_DIR [--blocks N] [--pairs PAIRS] [--work WORK_DIR] [--keep]}" && pwd)
shift
blocks=30
pairs=40
work=/tmp/tellurin-route-compare
keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --blocks) blocks=$2; shift 2 ;;
    --pairs) pairs=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
for tool in planetsplitter routino-router proj invproj python3; do
  command -v "$tool" >/dev/null || { echo "route-compare: $tool is needed (apt-get install routino proj-bin python3)" >&2; exit 2; }
done
rm -rf "$work"
mkdir -p "$work/routino"
[ "$keep" = 1 ] || trap 'rm -rf "$work"' EXIT

"$build/tellurin-osm-synth" --blocks "$blocks" --mixed-roads "$work/city.osm"
"$build/tellurin-cli" import-osm "$work/city.osm" --name city --out "$work/base" >/dev/null
planetsplitter --dir="$work/routino" --loggable "$work/city.osm" >/dev/null

python3 - "$build/tellurin-cli" "$work" "$pairs" <<'PY'
import math, random, re, statistics, subprocess, sys, xml.etree.ElementTree as ET

cli, work, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
city = work + "/base/city"
georef = open(city + "/Info/Georef.inf").read().splitlines()
proj = georef[1].split(" ", 1)[1].split()
unit = float(georef[2].split()[1])

def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)

def to_latlon(points):  # map units -> (lat, lon)
    text = "".join(f"{(x - 500) * unit} {(600 - y) * unit}\n" for x, y in points)
    out = run(["invproj", "-f", "%.8f"] + proj, input=text).stdout.split("\n")
    return [(float(l.split()[1]), float(l.split()[0])) for l in out if l.strip()]

def to_map(lonlats):  # (lon, lat) -> map units as the importer rounds them
    text = "".join(f"{lon} {lat}\n" for lon, lat in lonlats)
    out = run(["proj", "-f", "%.6f"] + proj, input=text).stdout.split("\n")
    return [(round(500 + float(l.split()[0]) / unit), round(600 - float(l.split()[1]) / unit)) for l in out if l.strip()]

# Addressed buildings: the middle of each one's box.
buildings = []
dump = run([cli, "dump", city]).stdout.split("\n")
inside = False
for line in dump:
    f = line.split("\t")
    if f[0] == "table":
        inside = f[1] == "ListOfBuildings"
        continue
    if inside and len(f) >= 11 and f[1].strip() and f[2].strip():
        buildings.append(((int(f[7]) + int(f[9])) // 2, (int(f[8]) + int(f[10])) // 2))

# One-way ways of the extract: the steps a car may not take, in map units.
root = ET.parse(work + "/city.osm").getroot()
where = {n.get("id"): (float(n.get("lon")), float(n.get("lat"))) for n in root.iter("node")}
forbidden_ways = []
for way in root.iter("way"):
    tags = {t.get("k"): t.get("v") for t in way.iter("tag")}
    if tags.get("oneway") in ("yes", "-1"):
        refs = [nd.get("ref") for nd in way.iter("nd")]
        forbidden_ways.append((refs, tags["oneway"]))
ids = sorted({r for refs, _ in forbidden_ways for r in refs})
at = dict(zip(ids, to_map([where[i] for i in ids])))
forbidden = set()
for refs, direction in forbidden_ways:
    pts = [at[r] for r in refs]
    for a, b in zip(pts, pts[1:]):
        forbidden.add((b, a) if direction == "yes" else (a, b))

rng = random.Random(36)
chosen = []
while len(chosen) < count:
    a, b = rng.sample(buildings, 2)
    if math.dist(a, b) * unit >= 1000:
        chosen.append((a, b))
ends = to_latlon([p for pair in chosen for p in pair])

def routino_metres(profile, a, b):
    args = ["routino-router", f"--dir={work}/routino", f"--profile={profile}", "--shortest", "--quiet",
            "--output-gpx-track", "--output-stdout", f"--lat1={a[0]:.8f}", f"--lon1={a[1]:.8f}",
            f"--lat2={b[0]:.8f}", f"--lon2={b[1]:.8f}"]
    # Every highway the profile allows at one preference: the shortest route in metres.
    help = run(["routino-router", "--help-profile", f"--profile={profile}"]).stdout
    for kind, pref in re.findall(r"Highway (\w+)\s*:\s*(\d+)%", help):
        if int(pref) > 0:
            args.append(f"--highway-{kind}=100")
    for prop in ("paved", "multilane", "bridge", "tunnel", "footroute", "bicycleroute"):
        args.append(f"--property-{prop}=50")
    out = run(args).stdout
    pts = [(float(m.group(1)), float(m.group(2))) for m in re.finditer(r'<trkpt lat="([-\d.]+)" lon="([-\d.]+)"', out)]
    if len(pts) < 2:
        return None
    total = 0.0
    for (la1, lo1), (la2, lo2) in zip(pts, pts[1:]):
        p1, p2 = math.radians(la1), math.radians(la2)
        h = math.sin((p2 - p1) / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(math.radians(lo2 - lo1) / 2) ** 2
        total += 2 * 6371008.8 * math.asin(math.sqrt(h))
    return total

for mode, profile in (("foot", "foot"), ("car", "motorcar")):
    excess, against = [], 0
    for k, (a, b) in enumerate(chosen):
        ours = run([cli, "route", city, f"{a[0]},{a[1]}", f"{b[0]},{b[1]}", "--mode", mode, "--line"])
        theirs = routino_metres(profile, ends[2 * k], ends[2 * k + 1])
        if ours.returncode != 0 or theirs is None:
            print(f"pair\t{mode}\t{a}\t{b}\tno route: {ours.stderr.strip()}\t{theirs}\t-")
            continue
        metres = float(re.search(r"^length\t(\d+)", ours.stdout, re.M).group(1))
        line = [(round(float(x)), round(float(y))) for x, y in re.findall(r"^point\t([-\d.]+)\t([-\d.]+)", ours.stdout, re.M)]
        if mode == "car":
            against += sum((p, q) in forbidden for p, q in zip(line, line[1:]))
        e = (metres / theirs - 1) * 100
        excess.append(e)
        print(f"pair\t{mode}\t{a[0]},{a[1]}\t{b[0]},{b[1]}\t{metres:.0f}\t{theirs:.0f}\t{e:.2f}")
    print(f"summary\t{mode}\t{len(excess)}\t{max(excess):.2f}\t{statistics.median(excess):.2f}\t{against}")
PY
