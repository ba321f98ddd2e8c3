#!/usr/bin/env python3
"""Writes a PAM picture (RGB or RGB_ALPHA) as a one-image Windows icon file.

usage: pam_to_ico.py INPUT.pam OUTPUT.ico

The image is stored as a 32-bit bottom-up bitmap with its alpha channel and
an all-zero AND mask, which every Windows since XP shows with transparency.
"""

import struct
import sys


def read_pam(path):
    with open(path, "rb") as f:
        data = f.read()
    end = data.index(b"ENDHDR\n") + len(b"ENDHDR\n")
    fields = dict(line.split(b" ", 1) for line in data[:end].splitlines()[1:-1])
    width, height, depth = (int(fields[k]) for k in (b"WIDTH", b"HEIGHT", b"DEPTH"))
    if depth not in (3, 4):
        raise SystemExit(f"{path}: expected RGB or RGB_ALPHA pixels")
    pixels = data[end:end + width * height * depth]
    rgba = bytearray()
    for i in range(0, len(pixels), depth):
        rgba += pixels[i:i + 3] + (pixels[i + 3:i + 4] if depth == 4 else b"\xff")
    return width, height, rgba


def icon_bytes(width, height, rgba):
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b, a = rgba[4 * (y * width + x):4 * (y * width + x) + 4]
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    mask_row = ((width + 31) // 32) * 4
    image = (struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
             + b"".join(rows) + bytes(mask_row * height))
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: pam_to_ico.py INPUT.pam OUTPUT.ico")
    width, height, rgba = read_pam(sys.argv[1])
    with open(sys.argv[2], "wb") as f:
        f.write(icon_bytes(width, height, rgba))


if __name__ == "__main__":
    main()
