#!/usr/bin/env python3
"""Draws one of the product's map pictures as a binary PPM image.

usage: make_map.py NUMBER OUTPUT.ppm

Each map is an island coast (a noisy radius around a centre) in sea, with a
survey grid, a river, roads and a compass cross. The drawing depends only on
the map's number, so the same number always gives the same picture.
"""
import math
import random
import sys

WIDTH, HEIGHT = 320, 240
SEA = (70, 120, 180)
SHALLOWS = (120, 170, 210)
LAND = (200, 214, 150)
HILLS = (160, 180, 110)
GRID = (235, 235, 235)
RIVER = (60, 110, 200)
ROAD = (150, 60, 40)
INK = (30, 30, 30)


def coast_radius(rng):
    """A coastline: the land's radius as a function of the angle."""
    base = rng.uniform(70, 100)
    waves = [(rng.randint(2, 9), rng.uniform(3, 14), rng.uniform(0, 2 * math.pi)) for _ in range(6)]
    return lambda a: base + sum(amp * math.sin(k * a + phase) for k, amp, phase in waves)


def draw(number):
    rng = random.Random(number * 7919)
    cx = WIDTH / 2 + rng.uniform(-40, 40)
    cy = HEIGHT / 2 + rng.uniform(-30, 30)
    radius = coast_radius(rng)
    pixels = [[SEA] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        row = pixels[y]
        for x in range(WIDTH):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            r = radius(math.atan2(dy, dx))
            if d < r * 0.45:
                row[x] = HILLS
            elif d < r:
                row[x] = LAND
            elif d < r + 6:
                row[x] = SHALLOWS
    for x in range(0, WIDTH, 40):
        for y in range(HEIGHT):
            pixels[y][x] = GRID
    for y in range(0, HEIGHT, 40):
        for x in range(WIDTH):
            pixels[y][x] = GRID

    def dot(x, y, colour, size=1):
        for yy in range(int(y) - size + 1, int(y) + size):
            for xx in range(int(x) - size + 1, int(x) + size):
                if 0 <= xx < WIDTH and 0 <= yy < HEIGHT:
                    pixels[yy][xx] = colour

    # A river winding from the hills to the coast.
    angle = rng.uniform(0, 2 * math.pi)
    end = radius(angle)
    for step in range(200):
        t = step / 199
        d = t * end
        wobble = 6 * math.sin(t * 12 + number)
        dot(cx + d * math.cos(angle) - wobble * math.sin(angle),
            cy + d * math.sin(angle) + wobble * math.cos(angle), RIVER, 2)
    # Two roads crossing the island.
    for _ in range(2):
        a = rng.uniform(0, math.pi)
        r1, r2 = radius(a), radius(a + math.pi)
        for step in range(300):
            t = step / 299
            d = -r2 + t * (r1 + r2)
            dot(cx + d * math.cos(a), cy + d * math.sin(a), ROAD)
    # A compass cross in the top right corner.
    for i in range(-8, 9):
        dot(WIDTH - 20 + i, 20, INK)
        dot(WIDTH - 20, 20 + i, INK)
    dot(WIDTH - 20, 8, INK, 2)
    return pixels


def main():
    number, output = int(sys.argv[1]), sys.argv[2]
    pixels = draw(number)
    with open(output, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT))
        out.write(bytes(channel for row in pixels for pixel in row for channel in pixel))


if __name__ == "__main__":
    main()
