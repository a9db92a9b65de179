#!/usr/bin/env python3
"""Whether a screenshot's map is drawn at the screen's pixels at 150%.

repeated-lines.py SHOT.ppm R,G,B

The map area is the box of the pixels of the colour R,G,B (only the map has
it), less a margin.  A picture drawn at 100% and enlarged to 150% makes every
view pixel one or two device pixels in a fixed rhythm: of each three device
columns (rows) one pair is the same over the whole map.  For each of the three
phases the number of column (row) pairs that differ somewhere is printed;
exit 0 when every phase has such pairs on both axes (sharp), 1 when one
has none (enlarged), 2 when no map is found.
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "a binary PPM of 8-bit channels"
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


def iter_finds(data, part):
    at = data.find(part)
    while at >= 0:
        yield at
        at = data.find(part, at + 1)


def iter_rfinds(data, part):
    at = data.rfind(part)
    while at >= 0:
        yield at
        at = data.rfind(part, 0, at + len(part) - 1)


def main():
    width, height, pixels = read_ppm(sys.argv[1])
    colour = bytes(int(c) for c in sys.argv[2].split(","))
    xs, ys = [], []
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        first = next((a for a in iter_finds(row, colour) if a % 3 == 0), None)
        if first is None:
            continue
        last = next(a for a in iter_rfinds(row, colour) if a % 3 == 0)
        xs += [first // 3, last // 3]
        ys.append(y)
    if not xs:
        print("repeated-lines: no map in the screenshot")
        return 2
    rows = range(min(ys) + 8, max(ys) - 8)
    left, right = min(xs) + 8, max(xs) - 8
    columns = range(left, right)

    def column(x):
        return bytes(b for y in rows for b in pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])

    def row(y):
        return pixels[(y * width + columns.start) * 3:(y * width + columns.stop) * 3]

    sharp = True
    for name, line, span in (("columns", column, columns), ("rows", row, rows)):
        lines = [line(i) for i in span]
        counts = [sum(1 for k in range(phase, len(lines) - 1, 3) if lines[k] != lines[k + 1]) for phase in range(3)]
        print("repeated-lines: %s %d..%d, differing pairs by phase: %s" % (name, span.start, span.stop, counts))
        sharp = sharp and min(counts) > 0
    return 0 if sharp else 1


if __name__ == "__main__":
    sys.exit(main())
