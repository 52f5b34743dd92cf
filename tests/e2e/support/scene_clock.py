#!/usr/bin/env python3
"""Reads the scene's clock off the top of a screenshot.

usage: scene_clock.py TOP.rgb WIDTH HEIGHT CAUST.tga

The light rays are the one part of the scene that is a pure function of the
scene time: 64 rays fanning out from the surface (0.016 of the width apart at
the top, 0.04 at the bottom), each as bright as the mean of two rows of the
caustic pattern that lie half the pattern apart, the rows scrolling by 15 a
second. So the brightness repeats every 32 rows. Over a black background
(fade 0) every pixel row near the top shows each ray's brightness, scaled
alike, where the ray's edge crosses it. TOP.rgb holds the screen's top rows
(8-bit RGB). Prints the pattern row (0-31) that matches best and the
correlation over the three quarters of the samples that fit it best (bubbles
and fish cover some rays); the scene time is that row / 15 s, modulo 32 / 15 s.
"""
import math
import sys

RAYS = 64
TOP_SPACING = 0.016
BOTTOM_SPACING = 0.04
ROWS = 64
PERIOD = 32
ROW_SPREAD = 32
COLUMN_STEP = 3


def read_caustic(path):
    data = open(path, "rb").read()
    width, height, depth = data[12] | data[13] << 8, data[14] | data[15] << 8, data[16]
    assert data[2] == 2 and depth == 24 and width == height == ROWS and not data[17] & 0x20
    start = 18 + data[0]
    # Bottom-up rows in the file stay in that order in memory; red is the third byte.
    return [[data[start + (row * width + column) * 3 + 2] for column in range(width)] for row in range(height)]


def expected(caustic, row):
    near, far = row % ROWS, (row - ROW_SPREAD) % ROWS
    return [(caustic[far][(COLUMN_STEP * i) % ROWS] + caustic[near][(COLUMN_STEP * i) % ROWS]) >> 1
            for i in range(RAYS)]


def correlation(x, y):
    mx, my = sum(x) / len(x), sum(y) / len(y)
    sxy = sum((a - mx) * (b - my) for a, b in zip(x, y))
    sxx = sum((a - mx) ** 2 for a in x)
    syy = sum((b - my) ** 2 for b in y)
    return sxy / math.sqrt(sxx * syy) if sxx > 0 and syy > 0 else 0.0


def trimmed_score(seen, levels, keep=0.75):
    """The correlation over the samples that fit best: bubbles and fish cover some rays."""
    k = sum(a * b for a, b in zip(seen, levels)) / max(1, sum(b * b for b in levels))
    order = sorted(range(len(seen)), key=lambda j: abs(seen[j] - k * levels[j]))
    kept = order[: int(len(order) * keep)]
    return correlation([seen[j] for j in kept], [levels[j] for j in kept])


def main():
    pixels = open(sys.argv[1], "rb").read()
    width, height = int(sys.argv[2]), int(sys.argv[3])
    caustic = read_caustic(sys.argv[4])
    rows = len(pixels) // (3 * width)
    seen, rays = [], []
    for r in range(rows):
        y = 1 - (r + 0.5) / height
        spacing = BOTTOM_SPACING + (TOP_SPACING - BOTTOM_SPACING) * y
        for i in range(RAYS):
            x = round((0.5 + (i - RAYS // 2) * spacing) * width - 0.5)
            if 0 <= x < width:
                seen.append(pixels[3 * (r * width + x) + 1])  # green: the rays are grey, the background black
                rays.append(i)
    scores = []
    for row in range(PERIOD):
        levels = expected(caustic, row)
        scores.append((trimmed_score(seen, [levels[i] for i in rays]), row))
    best, row = max(scores)
    print(row, "%.3f" % best)


if __name__ == "__main__":
    main()
