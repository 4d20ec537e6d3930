#!/usr/bin/env python3
"""Draws the picture box's picture: a ringed planet with a small moon and a few dots.

    picture_gen.py OUT.png [--cpp OUT.cpp]

Writes a 200 x 200 PNG, 8-bit RGBA, non-interlaced, with only IHDR, IDAT and IEND (no gamma or
colour-space chunks): dark grey lines whose anti-aliased edges are carried by the alpha channel
on a fully transparent background. With --cpp it also writes the same bytes as a C++ array
(quorvane::ui::PictureAssetBytes) for the tests, benchmarks and fuzzers that need the picture
without the Windows resource. Standard library only; the output depends on nothing but this
file (and the zlib that compresses it).
"""

import argparse
import math
import struct
import zlib

SIZE = 200
INK = (81, 81, 81)
STROKE = 3.5  # line width in pixels

PLANET = (96.0, 106.0, 46.0)  # centre x, centre y, radius
TILT = math.radians(-20.0)  # the ring rises to the right
RING_OUTER = (90.0, 24.0)  # semi-axes
RING_INNER = (68.0, 15.0)
BANDS = ((-16.0, 40.0, 9.0),)  # latitude lines: offset across the ring plane, semi-axes
MOON = (161.0, 38.0, 13.0)
CRATER = (156.0, 42.0, 3.0)
DOTS = ((22.0, 30.0, 2.4), (60.0, 16.0, 1.8), (186.0, 150.0, 2.4), (26.0, 176.0, 1.8),
        (132.0, 188.0, 2.4), (108.0, 26.0, 1.6), (184.0, 98.0, 1.6), (34.0, 74.0, 1.6))


def clamp01(value):
    return 0.0 if value < 0.0 else 1.0 if value > 1.0 else value


def line(distance, width=STROKE):
    """Coverage of a pixel whose centre lies `distance` from the middle of a line."""
    return clamp01(width / 2.0 + 0.5 - distance)


def disc(distance, radius):
    """Coverage of a pixel whose centre lies `distance` from the centre of a filled disc."""
    return clamp01(radius + 0.5 - distance)


def ring_frame(x, y):
    """The point in the ring's own axes: u along the ring, v across it (v > 0 nearer the eye)."""
    dx, dy = x - PLANET[0], y - PLANET[1]
    c, s = math.cos(TILT), math.sin(TILT)
    return dx * c + dy * s, -dx * s + dy * c


def ellipse_distance(u, v, a, b):
    """Distance from (u, v) to the ellipse u^2/a^2 + v^2/b^2 = 1, to first order."""
    g = (u / a) ** 2 + (v / b) ** 2 - 1.0
    gu, gv = 2.0 * u / (a * a), 2.0 * v / (b * b)
    norm = math.hypot(gu, gv)
    return abs(g) / norm if norm > 1e-9 else max(a, b)


def inside_ellipse(u, v, a, b):
    """Coverage of the filled ellipse (soft edge one pixel wide)."""
    g = math.sqrt((u / a) ** 2 + (v / b) ** 2)
    return clamp01((1.0 - g) * min(a, b) + 0.5)


def coverage(x, y):
    px, py, pr = PLANET
    to_planet = math.hypot(x - px, y - py)
    u, v = ring_frame(x, y)

    # The half of the ring in front hides the planet's lines where it crosses them, with a
    # small gap on either side; the half behind is hidden by the planet's disc.
    band = clamp01(inside_ellipse(u, v, RING_OUTER[0] + 3, RING_OUTER[1] + 3) -
                   inside_ellipse(u, v, RING_INNER[0] - 3, RING_INNER[1] - 3))
    front_band = band * clamp01(v + 0.5)
    behind_planet = disc(to_planet, pr + STROKE)

    planet = line(abs(to_planet - pr))
    for offset, a, b in BANDS:
        inside = disc(to_planet, pr - 4.0)
        planet = max(planet, line(ellipse_distance(u, v - offset, a, b)) * inside *
                     clamp01(v - offset + 0.5))
    planet *= 1.0 - front_band

    ring = max(line(ellipse_distance(u, v, *RING_OUTER)), line(ellipse_distance(u, v, *RING_INNER)))
    ring *= clamp01(v + 0.5) + clamp01(0.5 - v) * (1.0 - behind_planet)

    mx, my, mr = MOON
    moon = line(abs(math.hypot(x - mx, y - my) - mr))
    cx, cy, cr = CRATER
    moon = max(moon, line(abs(math.hypot(x - cx, y - cy) - cr), 2.0))

    dots = max(disc(math.hypot(x - dx, y - dy), r) for dx, dy, r in DOTS)
    return max(planet, ring, moon, dots)


def draw():
    """The picture's rows, each a filter byte and SIZE pixels of R, G, B, A."""
    rows = bytearray()
    for y in range(SIZE):
        rows.append(0)
        for x in range(SIZE):
            alpha = round(coverage(x + 0.5, y + 0.5) * 255.0)
            rows.extend(INK + (alpha,) if alpha > 0 else (0, 0, 0, 0))
    return bytes(rows)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(rows):
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA, no interlace
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


def cpp(data):
    lines = []
    for start in range(0, len(data), 16):
        lines.append("    " + ", ".join("0x%02x" % b for b in data[start:start + 16]) + ",")
    return ("// Made by assets/picture_gen.py; not edited by hand.\n"
            "#include \"ui/picture/picture_asset.h\"\n\n"
            "namespace quorvane::ui {\n"
            "namespace {\n"
            "constexpr std::uint8_t kPicture[] = {\n" + "\n".join(lines) + "\n};\n"
            "}  // namespace\n\n"
            "std::span<const std::uint8_t> PictureAssetBytes() noexcept {\n"
            "  return kPicture;\n"
            "}\n\n"
            "}  // namespace quorvane::ui\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("png")
    parser.add_argument("--cpp")
    args = parser.parse_args()
    data = png(draw())
    with open(args.png, "wb") as out:
        out.write(data)
    if args.cpp:
        with open(args.cpp, "w", encoding="ascii") as out:
            out.write(cpp(data))


if __name__ == "__main__":
    main()
