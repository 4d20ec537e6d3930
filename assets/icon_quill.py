#!/usr/bin/env python3
"""Draws the program icon and writes it as a .ico file.

The icon is one 32 x 32 image of 32 bits per pixel with alpha: a dark grey quill pen, its
feather running from the lower left to the upper right, over a short ink stroke, on a
transparent background. Edges are anti-aliased by sampling every pixel on an 8 x 8 grid.
Only the standard library is used and nothing is random, so every build makes the same bytes.

usage: icon_quill.py OUTPUT.ico
"""

import math
import struct
import sys

SIZE = 32
SAMPLES = 8  # per pixel and direction

# The quill's straight axis, from the nib (lower left) to the tip of the feather (upper right);
# the shaft bows slightly away from it.
NIB = (4.5, 27.0)
TIP = (28.0, 3.5)
BOW = 1.2

VANE_START = 0.30  # where the feather begins along the axis, from the nib
VANE_LEFT = 6.6  # greatest half-widths of the two vanes, in pixels
VANE_RIGHT = 4.2

VANE_COLOUR = (72, 72, 72)
SHAFT_COLOUR = (178, 178, 178)
QUILL_COLOUR = (48, 48, 48)
STROKE_COLOUR = (48, 48, 48)

AXIS_LENGTH = math.dist(NIB, TIP)
ALONG = ((TIP[0] - NIB[0]) / AXIS_LENGTH, (TIP[1] - NIB[1]) / AXIS_LENGTH)
# Perpendicular to the axis, pointing up and to the left.
ACROSS = (ALONG[1], -ALONG[0])


def axis_coordinates(x, y):
    """Position along the axis (0 at the nib, 1 at the tip) and signed distance from the shaft."""
    dx, dy = x - NIB[0], y - NIB[1]
    t = (dx * ALONG[0] + dy * ALONG[1]) / AXIS_LENGTH
    s = dx * ACROSS[0] + dy * ACROSS[1]
    return t, s - BOW * math.sin(math.pi * min(max(t, 0.0), 1.0))


def vane_half_width(t, widest):
    if t <= VANE_START or t >= 1.0:
        return 0.0
    u = (t - VANE_START) / (1.0 - VANE_START)
    # Full soon after the start, tapering slowly to a point at the tip.
    return widest * math.sin(math.pi * min(u * 1.6, 1.0) / 2.0) * (1.0 - u) ** 0.55


def in_notch(t, s, side):
    """Two slanting cuts, one in each vane, where the barbs have parted."""
    slant = 0.045  # a barb runs outward and toward the tip
    centre = 0.56 if side > 0 else 0.70
    cut = centre + slant * abs(s)
    return abs(t - cut) < 0.022 and abs(s) > 1.4


def shaft_half_width(t):
    if t < 0.0 or t > 0.97:
        return 0.0
    if t < 0.08:  # the cut nib, coming to a point
        return 0.85 * t / 0.08
    return 0.85 - 0.55 * (t - 0.08) / 0.89


def stroke_distance(x, y):
    """Distance from the short ink line drawn beneath the nib."""
    best = float("inf")
    steps = 24
    for i in range(steps + 1):
        u = i / steps
        px = 2.5 + 11.0 * u
        py = 29.2 - 0.9 * math.sin(math.pi * u)
        best = min(best, math.hypot(x - px, y - py))
    return best


def colour_at(x, y):
    """The colour of the topmost shape at a sample point, or None for the background."""
    t, s = axis_coordinates(x, y)
    shaft = shaft_half_width(t)
    if abs(s) <= shaft:
        return SHAFT_COLOUR if t > VANE_START + 0.04 else QUILL_COLOUR
    side = 1 if s > 0 else -1
    widest = VANE_LEFT if side > 0 else VANE_RIGHT
    if abs(s) <= vane_half_width(t, widest) and not in_notch(t, s, side):
        return VANE_COLOUR
    if y > 26.5 and stroke_distance(x, y) <= 0.8:
        return STROKE_COLOUR
    return None


def render():
    """Rows top to bottom of (blue, green, red, alpha)."""
    rows = []
    total = SAMPLES * SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            red = green = blue = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if colour is not None:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                # Straight (not premultiplied) colour: the average of the covered samples.
                row.append((round(blue / covered), round(green / covered),
                            round(red / covered), round(255 * covered / total)))
        rows.append(row)
    return rows


def ico_bytes(rows):
    pixels = bytearray()
    for row in reversed(rows):  # a DIB stores its rows from the bottom up
        for blue, green, red, alpha in row:
            pixels += bytes((blue, green, red, alpha))
    # The AND mask: one bit a pixel, set where the image is fully transparent; rows padded to
    # 32 bits.
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for alpha in (pixel[3] for pixel in row):
            bits = (bits << 1) | (1 if alpha == 0 else 0)
        mask += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "wb") as output:
        output.write(ico_bytes(render()))


if __name__ == "__main__":
    main()
