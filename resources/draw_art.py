#!/usr/bin/env python3
"""Draws the setup window's artwork and writes it to art/ as binary PAM files.

Every picture is drawn from shapes and a seeded terrain, so running the script
again gives the same bytes. Opaque pictures are written as RGB (DEPTH 3), the
others as RGB_ALPHA (DEPTH 4). `--preview DIR` also writes PNG copies there.
"""

import heapq
import math
import os
import random
import struct
import sys
import zlib

SUPERSAMPLE = 3

# A 5 x 7 capital font for the labels drawn into the pictures.
GLYPHS = {
    "A": ".###.#...##...#######...##...##...#",
    "B": "####.#...##...#####.#...##...#####.",
    "C": ".####.....#....#....#....#.....####",
    "D": "####.#...##...##...##...##...#####.",
    "E": "######....#....####.#....#....#####",
    "F": "######....#....####.#....#....#....",
    "G": ".####.....#....#..###...##...#.####",
    "H": "#...##...##...#######...##...##...#",
    "I": ".###...#....#....#....#....#...###.",
    "K": "#...##..#.#.#..##...#.#..#..#.#...#",
    "L": "#....#....#....#....#....#....#####",
    "M": "#...###.###.#.##...##...##...##...#",
    "N": "#...###..##.#.##..###...##...##...#",
    "O": ".###.#...##...##...##...##...#.###.",
    "P": "####.#...##...#####.#....#....#....",
    "R": "####.#...##...#####.#.#..#..#.#...#",
    "S": ".#####....#.....###.....#....#####.",
    "T": "#####..#....#....#....#....#....#..",
    "U": "#...##...##...##...##...##...#.###.",
    "V": "#...##...##...##...#.#.#..#.#...#..",
    "W": "#...##...##...##.#.##.#.##.#.#.#.#.",
    "X": "#...##...#.#.#...#...#.#.#...##...#",
    "Y": "#...##...#.#.#...#....#....#....#..",
    "0": ".###.#...##..###.#.###..##...#.###.",
    "1": "..#...##....#....#....#....#...###.",
    "2": ".###.#...#....#...#...#...#...#####",
    "3": "#####...#...#.....#.....##...#.###.",
    "4": "...#...##..#.#.#..#.#####...#....#.",
    "5": "######....####.....#....##...#.###.",
    "6": "..##..#...#....####.#...##...#.###.",
    "7": "#####....#...#...#...#....#....#...",
    "8": ".###.#...##...#.###.#...##...#.###.",
    "9": ".###.#...##...#.####....#...#..##..",
    ":": "...........#.........#.............",
    ".": "..............................##...",
    "-": "...............###.................",
    " ": "." * 35,
}


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(lerp(a, b, t) for a, b in zip(c1, c2))


def smoothstep(t):
    return t * t * (3 - 2 * t)


class Terrain:
    """Fractal value noise: a height in [0, 1] for any point of the plane."""

    def __init__(self, seed, octaves=4):
        self.octaves = octaves
        rng = random.Random(seed)
        self.values = [rng.random() for _ in range(256)]
        self.perm = list(range(256))
        rng.shuffle(self.perm)

    def lattice(self, i, j):
        return self.values[self.perm[(self.perm[i & 255] + j) & 255]]

    def noise(self, x, y):
        i, j = math.floor(x), math.floor(y)
        fx, fy = smoothstep(x - i), smoothstep(y - j)
        top = lerp(self.lattice(i, j), self.lattice(i + 1, j), fx)
        bottom = lerp(self.lattice(i, j + 1), self.lattice(i + 1, j + 1), fx)
        return lerp(top, bottom, fy)

    def height(self, x, y):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(self.octaves):
            total += amplitude * self.noise(x, y)
            norm += amplitude
            x, y, amplitude = x * 2.03 + 17.1, y * 2.03 + 5.3, amplitude * 0.5
        return total / norm


class Canvas:
    """An RGBA image with coverage-weighted, supersampled shape filling."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [list(background) for _ in range(width * height)]

    def fill(self, inside, colour, box=None):
        """Composites colour over every pixel, weighted by the share of its
        sub-samples for which inside(x, y) holds. colour is an RGBA tuple or a
        function of (x, y) returning one."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        step = 1.0 / SUPERSAMPLE
        offsets = [(k + 0.5) * step for k in range(SUPERSAMPLE)]
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = sum(1 for oy in offsets for ox in offsets if inside(px + ox, py + oy))
                if hits:
                    src = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    self.blend(px, py, src, hits / SUPERSAMPLE**2)

    def blend(self, px, py, src, coverage):
        dst = self.pixels[py * self.width + px]
        a = src[3] / 255.0 * coverage
        out_a = a + dst[3] / 255.0 * (1 - a)
        if out_a <= 0:
            return
        for k in range(3):
            dst[k] = (src[k] * a + dst[k] * dst[3] / 255.0 * (1 - a)) / out_a
        dst[3] = out_a * 255.0

    def shade(self, colour):
        """Paints every pixel with colour(x, y), averaged over sub-samples."""
        step = 1.0 / SUPERSAMPLE
        offsets = [(k + 0.5) * step for k in range(SUPERSAMPLE)]
        n = SUPERSAMPLE**2
        for py in range(self.height):
            for px in range(self.width):
                samples = [colour(px + ox, py + oy) for oy in offsets for ox in offsets]
                self.pixels[py * self.width + px] = [sum(c[k] for c in samples) / n for k in range(4)]

    def text(self, x, y, words, colour, scale=1.0, bold=False):
        """Draws capitals of the 5 x 7 font with the top-left corner at (x, y)."""
        for index, ch in enumerate(words):
            bits = GLYPHS[ch]
            gx = x + index * 6 * scale

            def inside(sx, sy, gx=gx, bits=bits):
                col = math.floor((sx - gx) / scale)
                row = math.floor((sy - y) / scale)
                if bold and 0 < col <= 5 and 0 <= row < 7 and bits[row * 5 + col - 1] == "#":
                    return True
                return 0 <= col < 5 and 0 <= row < 7 and bits[row * 5 + col] == "#"

            self.fill(inside, colour, (gx, y, gx + 6 * scale + 1, y + 7 * scale + 1))

    def bytes(self, with_alpha):
        out = bytearray()
        for p in self.pixels:
            channels = p if with_alpha else p[:3]
            out.extend(max(0, min(255, int(round(v)))) for v in channels)
        return bytes(out)


# Shapes: each returns a predicate over a point.
def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner**2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer**2


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def segment_distance(x, y, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(points, width):
    pairs = list(zip(points, points[1:]))
    return lambda x, y: any(segment_distance(x, y, a, b) <= width / 2 for a, b in pairs)


def bounds(points, margin):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin + 1, max(ys) + margin + 1)


def compass_rose(canvas, cx, cy, radius, light, dark):
    """An eight-point star: long cardinal arms, short diagonal ones, each arm
    split into a lit and a shaded half."""
    for arm in range(8):
        angle = arm * math.pi / 4 - math.pi / 2
        length = radius if arm % 2 == 0 else radius * 0.55
        waist = radius * (0.16 if arm % 2 == 0 else 0.12)
        tip = (cx + length * math.cos(angle), cy + length * math.sin(angle))
        for side, colour in ((-1, light), (1, dark)):
            a = angle + side * math.pi / 4
            flank = (cx + waist * math.cos(a), cy + waist * math.sin(a))
            canvas.fill(polygon([(cx, cy), tip, flank]), colour, bounds([(cx, cy), tip, flank], 1))


ELEVATION_RAMP = [
    (0.00, (22, 60, 104)),
    (0.44, (74, 128, 178)),
    (0.50, (150, 196, 222)),
    (0.505, (226, 214, 168)),
    (0.53, (156, 192, 120)),
    (0.62, (118, 164, 96)),
    (0.72, (196, 182, 122)),
    (0.82, (160, 124, 88)),
    (0.92, (236, 232, 226)),
    (1.01, (250, 250, 250)),
]
SEA_LEVEL = 0.5


def elevation_colour(h):
    for (h0, c0), (h1, c1) in zip(ELEVATION_RAMP, ELEVATION_RAMP[1:]):
        if h < h1:
            return mix(c0, c1, (h - h0) / (h1 - h0))
    return ELEVATION_RAMP[-1][1]


def contour_colour(h, slope):
    """Map colour with contour lines about a pixel wide whatever the slope:
    brown on land (every fifth one darker), pale blue under water, and a dark
    coastline."""
    base = elevation_colour(h)
    interval = 0.04
    phase = (h - SEA_LEVEL) / interval
    level = round(phase)
    distance = abs(phase - level) * interval / max(slope, 1e-6)
    if level == 0 and distance < 0.7:
        return mix(base, (20, 40, 60), 0.85)
    if distance < 0.45:
        if h > SEA_LEVEL:
            return mix(base, (110, 70, 40), 0.75 if level % 5 == 0 else 0.4)
        return mix(base, (200, 225, 240), 0.3)
    return base


class Island:
    """The product's demo region: one terrain, shaped into a coast running
    from the north-east to the south-west with open sea in the south-east."""

    def __init__(self, seed, width, height):
        self.terrain = Terrain(seed)
        self.width, self.height = width, height

    def height_at(self, x, y):
        u, v = x / self.width, y / self.height
        shore = 0.28 * (u + v - 0.95)
        return min(1.0, max(0.0, self.terrain.height(u * 3.2, v * 2.6) + 0.1 - shore))

    def colour(self, x, y):
        """The colour at pixel (x, y), contours included."""
        eps = 0.25
        h = self.height_at(x, y)
        dx = (self.height_at(x + eps, y) - h) / eps
        dy = (self.height_at(x, y + eps) - h) / eps
        return (*contour_colour(h, math.hypot(dx, dy)), 255)


def draw_map_panel():
    width, height, margin = 210, 160, 7
    island = Island(6707, width - 2 * margin, height - 2 * margin)
    canvas = Canvas(width, height, (30, 34, 40, 255))
    inner = (margin, margin, width - margin, height - margin)
    canvas.fill(rect(*inner), lambda x, y: island.colour(x - margin, y - margin), inner)
    # The grid and its numbered neatline.
    grid = 35
    for gx in range(margin + grid, width - margin, grid):
        canvas.fill(rect(gx, margin, gx + 1, height - margin), (30, 50, 80, 90))
    for gy in range(margin + grid, height - margin, grid):
        canvas.fill(rect(margin, gy, width - margin, gy + 1), (30, 50, 80, 90))
    for k, x in enumerate(range(margin, width - margin, 14)):
        shade = (20, 20, 20, 255) if k % 2 == 0 else (240, 240, 232, 255)
        canvas.fill(rect(x, margin - 3, min(x + 14, width - margin), margin), shade)
        canvas.fill(rect(x, height - margin, min(x + 14, width - margin), height - margin + 3), shade)
    for k, y in enumerate(range(margin, height - margin, 14)):
        shade = (20, 20, 20, 255) if k % 2 == 0 else (240, 240, 232, 255)
        canvas.fill(rect(margin - 3, y, margin, min(y + 14, height - margin)), shade)
        canvas.fill(rect(width - margin, y, width - margin + 3, min(y + 14, height - margin)), shade)
    # Towns on the lowlands joined by a road.
    towns = find_towns(island, margin, 4)
    roads = [route(island, a[:2], b[:2], margin) for a, b in zip(towns, towns[1:])]
    for width_, colour in ((3.2, (70, 30, 20, 255)), (1.8, (232, 120, 60, 255))):
        for road in roads:
            draw_polyline(canvas, road, width_, colour)
    for x, y, name in towns:
        canvas.fill(rect(x - 2.5, y - 2.5, x + 2.5, y + 2.5), (40, 20, 20, 255), (x - 3, y - 3, x + 3, y + 3))
        canvas.fill(rect(x - 1.5, y - 1.5, x + 1.5, y + 1.5), (220, 40, 40, 255), (x - 2, y - 2, x + 2, y + 2))
        label_x = min(x + 4, width - margin - 2 - 6 * len(name))
        canvas.fill(rect(label_x - 1, y - 10, label_x + 6 * len(name), y - 1), (250, 246, 230, 170))
        canvas.text(label_x, y - 9, name, (30, 30, 40, 255))
    # North arrow and scale bar.
    compass_rose(canvas, width - margin - 16, margin + 23, 11, (250, 250, 245, 255), (40, 50, 70, 255))
    canvas.text(width - margin - 18.5, margin + 3, "N", (30, 30, 40, 255))
    bar_y = height - margin - 9
    for k in range(4):
        shade = (20, 20, 20, 255) if k % 2 == 0 else (250, 250, 250, 255)
        canvas.fill(rect(margin + 6 + k * 12, bar_y, margin + 18 + k * 12, bar_y + 3), shade)
    canvas.fill(rect(margin + 5, bar_y - 0.5, margin + 55, bar_y + 3.5), (20, 20, 20, 255),
                (margin + 5, bar_y - 1, margin + 55, bar_y))
    canvas.text(margin + 58, bar_y - 2, "5 KM", (20, 20, 20, 255))
    return canvas


def draw_polyline(canvas, points, width, colour):
    for a, b in zip(points, points[1:]):
        canvas.fill(stroke([a, b], width), colour, bounds([a, b], width))


def route(island, start, end, margin):
    """The cheapest road between two towns on a 2-pixel grid: climbing costs,
    water costs a bridge. Returns every third point of the path."""
    cell = 2
    cols, rows = island.width // cell, island.height // cell

    def node(p):
        return (int((p[0] - margin) // cell), int((p[1] - margin) // cell))

    def height(c):
        return island.height_at(c[0] * cell + 1, c[1] * cell + 1)

    source, target = node(start), node(end)
    best = {source: 0.0}
    previous = {}
    queue = [(0.0, source)]
    while queue:
        cost, here = heapq.heappop(queue)
        if here == target:
            break
        if cost > best[here]:
            continue
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1), (1, 1), (1, -1), (-1, 1), (-1, -1)):
            there = (here[0] + dx, here[1] + dy)
            if not (0 <= there[0] < cols and 0 <= there[1] < rows):
                continue
            h = height(there)
            step = math.hypot(dx, dy) * (1 + 400 * abs(h - height(here)) + (60 if h < SEA_LEVEL + 0.01 else 0))
            if cost + step < best.get(there, math.inf):
                best[there] = cost + step
                previous[there] = here
                heapq.heappush(queue, (cost + step, there))
    path = [target]
    while path[-1] != source:
        path.append(previous[path[-1]])
    points = [(c[0] * cell + 1 + margin, c[1] * cell + 1 + margin) for c in reversed(path)]
    return [start] + points[1:-1:3] + [end]


def find_towns(island, margin, count):
    """Places the towns on lowland spots spread over the map, in order along
    the coast."""
    names = ["ALDER BAY", "KESTON", "MARROW", "FENWICK"]
    towns = []
    for k in range(count):
        best = None
        for step in range(120):
            x = 22 + ((k * 47 + step * 29) % (island.width - 60))
            y = 22 + ((k * 31 + step * 17) % (island.height - 40))
            h = island.height_at(x, y)
            if 0.54 < h < 0.66 and all(math.hypot(x - tx, y - ty) > 40 for tx, ty, _ in towns):
                best = (x, y)
                break
        if best:
            towns.append((best[0] + margin, best[1] + margin, names[k]))
    towns.sort(key=lambda t: t[0] - t[1])
    return towns


def draw_catalog_panel():
    width, height = 202, 121
    canvas = Canvas(width, height)
    canvas.shade(lambda x, y: (*mix((52, 60, 72), (78, 90, 108), (x / width + y / height) / 2), 255))
    card = (10, 8, 192, 112)
    shadow = (13, 11, 195, 115)
    canvas.fill(rect(*shadow), (10, 12, 16, 150))
    canvas.fill(rect(card[0] - 0.6, card[1] - 0.6, card[2] + 0.6, card[3] + 0.6), (150, 140, 120, 255))
    canvas.fill(rect(*card), (247, 241, 222, 255))
    # Index tab on the top edge.
    canvas.fill(rect(145.4, 0.4, 186.6, 11), (150, 140, 120, 255))
    canvas.fill(rect(146, 1, 186, 11), (238, 226, 190, 255))
    canvas.text(157, 2.5, "6.7", (150, 40, 30, 255))
    canvas.text(16, 13, "LYNWOOD CATALOG", (150, 40, 30, 255), bold=True)
    canvas.fill(rect(14, 23, 188, 24), (200, 60, 50, 255))
    canvas.fill(rect(14, 25, 188, 25.6), (200, 60, 50, 200))
    for y in range(36, 106, 11):
        canvas.fill(rect(14, y, 188, y + 0.6), (120, 150, 200, 170))
    # A thumbnail of a sheet with a pin on it.
    island = Island(4417, 64, 52)
    thumb = (16, 30, 80, 82)
    canvas.fill(rect(thumb[0] - 1, thumb[1] - 1, thumb[2] + 1, thumb[3] + 1), (60, 60, 60, 255))
    canvas.fill(rect(*thumb), lambda x, y: island.colour(x - thumb[0], y - thumb[1]), thumb)
    for gx in range(thumb[0] + 16, thumb[2], 16):
        canvas.fill(rect(gx, thumb[1], gx + 0.6, thumb[3]), (30, 50, 80, 110))
    pin = (52, 50)
    canvas.fill(polygon([(pin[0] - 3.2, pin[1] - 6), (pin[0] + 3.2, pin[1] - 6), pin]), (160, 20, 20, 255),
                bounds([(pin[0] - 4, pin[1] - 11), (pin[0] + 4, pin[1])], 1))
    canvas.fill(disc(pin[0], pin[1] - 8, 4), (220, 40, 40, 255), (pin[0] - 5, pin[1] - 13, pin[0] + 5, pin[1] - 3))
    canvas.fill(disc(pin[0] - 1.2, pin[1] - 9.2, 1.2), (255, 200, 200, 255), (pin[0] - 3, pin[1] - 11, pin[0], pin[1] - 8))
    fields = [("SHEET", "0417"), ("AREA", "NORTH"), ("SCALE", "1:50"), ("YEAR", "1998"), ("INDEX", "LC-67")]
    for k, (name, value) in enumerate(fields):
        y = 28 + k * 11
        canvas.text(88, y, name, (60, 70, 110, 255), 0.9)
        canvas.text(130, y, value, (30, 30, 40, 255), 0.9)
    canvas.text(16, 93, "SURVEY SHEETS", (60, 70, 110, 255), 0.9)
    # The rod hole of a catalogue drawer.
    canvas.fill(disc(101, 104, 4), lambda x, y: (*mix((52, 60, 72), (78, 90, 108), (x / width + y / height) / 2), 255),
                (96, 99, 106, 109))
    canvas.fill(ring(101, 104, 4.6, 4), (180, 170, 150, 255), (95, 98, 107, 110))
    return canvas


def draw_banner():
    width, height = 265, 33
    canvas = Canvas(width, height)
    terrain = Terrain(265)

    def background(x, y):
        base = mix((16, 28, 46), (44, 66, 92), x / width)
        h = terrain.height(x / 40, y / 40)
        phase = h / 0.05
        if abs(phase - round(phase)) < 0.08:
            base = mix(base, (120, 170, 200), 0.35)
        return (*base, 255)

    canvas.shade(background)
    canvas.fill(rect(0, 0, width, 1.5), (200, 170, 90, 255))
    canvas.fill(rect(0, height - 1.5, width, height), (200, 170, 90, 255))
    canvas.fill(disc(17, 16.5, 12.5), (20, 30, 48, 255), (3, 3, 31, 31))
    canvas.fill(ring(17, 16.5, 12.5, 11.2), (200, 170, 90, 255), (3, 3, 31, 31))
    compass_rose(canvas, 17, 16.5, 10.5, (245, 240, 225, 255), (200, 60, 50, 255))
    canvas.text(38, 5, "LYNWOOD CATALOG SUITE", (245, 240, 225, 255), 1.6)
    canvas.text(38, 21, "ORRIN WORKS - VERSION 6.7", (200, 170, 90, 255), 0.9)
    return canvas


def draw_globe():
    size = 48
    canvas = Canvas(size, size)
    terrain = Terrain(48)
    cx = cy = 24
    r = 21

    def surface(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        lon = math.atan2(nx, nz) + 0.6
        lat = math.asin(max(-1.0, min(1.0, -ny)))
        land = terrain.height(lon * 2.2 + 3, lat * 2.2 + 3) > 0.55
        base = (104, 160, 88) if land else (46, 104, 168)
        if abs((math.degrees(lon) + 3.75) % 30 - 3.75) < 1.1 or abs((math.degrees(lat) + 3.75) % 30 - 3.75) < 1.1:
            base = mix(base, (235, 235, 220), 0.55)
        light = 0.55 + 0.45 * max(0.0, -0.5 * nx - 0.5 * ny + 0.7 * nz)
        return (*(c * light for c in base), 255)

    canvas.fill(disc(cx, cy, r), surface, (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))
    canvas.fill(ring(cx, cy, r + 1.6, r), (200, 170, 90, 255))
    return canvas


def draw_folded_map():
    size = 48
    canvas = Canvas(size, size)
    island = Island(4848, 40, 34)
    folds = [(4, 10, 0.0), (16, 6, 0.18), (28, 10, 0.0), (40, 6, 0.18)]
    for (x0, y0, dark), (x1, y1, _) in zip(folds, folds[1:]):
        quad = [(x0, y0), (x1, y1), (x1, y1 + 32), (x0, y0 + 32)]

        def paper(x, y, dark=dark):
            colour = island.colour(x - 4, y - 8)
            return (*mix(colour[:3], (0, 0, 0), dark), 255)

        canvas.fill(polygon(quad), paper, bounds(quad, 1))
        canvas.fill(stroke(quad + [quad[0]], 1.0), (50, 40, 30, 255), bounds(quad, 2))
    route = [(9, 30), (17, 24), (24, 30), (33, 22)]
    canvas.fill(stroke(route, 1.4), (200, 40, 40, 255), bounds(route, 2))
    canvas.fill(disc(33, 17, 5), (220, 40, 40, 255), (27, 11, 39, 23))
    canvas.fill(polygon([(29.5, 19), (36.5, 19), (33, 26)]), (220, 40, 40, 255), (28, 18, 38, 27))
    canvas.fill(disc(33, 17, 2), (255, 255, 255, 255), (30, 14, 36, 20))
    return canvas


def draw_icon():
    size = 48
    canvas = Canvas(size, size)
    c = 24

    def face(x, y):
        t = math.hypot(x - c + 6, y - c + 6) / 34
        return (*mix((40, 78, 120), (14, 28, 48), min(1.0, t)), 255)

    canvas.fill(disc(c, c, 22.5), face, (0, 0, size, size))
    canvas.fill(ring(c, c, 23.5, 21.5), (214, 182, 96, 255))
    canvas.fill(ring(c, c, 17.8, 17.0), (214, 182, 96, 200))
    for k in range(32):
        a = k * math.pi / 16
        inner = 19.2 if k % 4 == 0 else 20.0
        p1 = (c + inner * math.cos(a), c + inner * math.sin(a))
        p2 = (c + 21.3 * math.cos(a), c + 21.3 * math.sin(a))
        canvas.fill(stroke([p1, p2], 0.8), (214, 182, 96, 255), bounds([p1, p2], 1))
    compass_rose(canvas, c, c, 16.5, (250, 246, 232, 255), (190, 54, 44, 255))
    canvas.fill(disc(c, c, 1.8), (214, 182, 96, 255), (c - 3, c - 3, c + 3, c + 3))
    return canvas


def draw_status(good):
    size = 24
    canvas = Canvas(size, size)
    light, dark = ((110, 210, 90), (30, 120, 40)) if good else ((240, 100, 90), (160, 30, 30))
    canvas.fill(disc(12, 12, 11), lambda x, y: (*mix(light, dark, min(1.0, (x + y) / 34)), 255))
    canvas.fill(ring(12, 12, 11, 10), (*mix(dark, (0, 0, 0), 0.3), 255))
    if good:
        canvas.fill(stroke([(6.5, 12.5), (10.3, 16.5), (17.5, 7.5)], 3.0), (255, 255, 255, 255))
    else:
        canvas.fill(stroke([(7.5, 7.5), (16.5, 16.5)], 3.0), (255, 255, 255, 255))
        canvas.fill(stroke([(16.5, 7.5), (7.5, 16.5)], 3.0), (255, 255, 255, 255))
    return canvas


PICTURES = {
    "window_icon": (draw_icon, True),
    "corner_left": (draw_globe, True),
    "corner_right": (draw_folded_map, True),
    "map_panel": (draw_map_panel, False),
    "catalog_panel": (draw_catalog_panel, False),
    "banner": (draw_banner, False),
    "tick": (lambda: draw_status(True), True),
    "cross": (lambda: draw_status(False), True),
}


def write_pam(path, canvas, with_alpha):
    depth, tuple_type = (4, "RGB_ALPHA") if with_alpha else (3, "RGB")
    header = (f"P7\nWIDTH {canvas.width}\nHEIGHT {canvas.height}\nDEPTH {depth}\n"
              f"MAXVAL 255\nTUPLTYPE {tuple_type}\nENDHDR\n")
    with open(path, "wb") as out:
        out.write(header.encode("ascii") + canvas.bytes(with_alpha))


def write_png(path, canvas):
    rows = b"".join(b"\0" + canvas.bytes(True)[y * canvas.width * 4:(y + 1) * canvas.width * 4]
                    for y in range(canvas.height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
                  + chunk(b"IEND", b""))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    os.makedirs(os.path.join(here, "art"), exist_ok=True)
    for name, (draw, with_alpha) in PICTURES.items():
        canvas = draw()
        write_pam(os.path.join(here, "art", name + ".pam"), canvas, with_alpha)
        if preview:
            os.makedirs(preview, exist_ok=True)
            write_png(os.path.join(preview, name + ".png"), canvas)


if __name__ == "__main__":
    main(sys.argv[1:])
