#!/usr/bin/env python3
"""Draws the launcher's icon (a white arrow into a tray on a blue tile) and
writes it as install.ico beside this script: 16x16 and 32x32, 32-bit colour
with alpha. Standard library only, so anyone can redraw it.

Run: python3 install/resources/make_icon.py
"""

import os
import struct

TILE = (0x1F, 0x5F, 0xB4)  # RGB
MARK = (0xFF, 0xFF, 0xFF)
SAMPLES = 4  # per axis, for smooth edges


def inside_tile(x, y):
    """Unit square with rounded corners (radius 0.18)."""
    r = 0.18
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and 0 <= x <= 1 and 0 <= y <= 1


def inside_mark(x, y):
    """The arrow pointing down into an open tray; y grows downwards."""
    shaft = 0.43 <= x <= 0.57 and 0.16 <= y <= 0.50
    head = 0.40 <= y <= 0.66 and abs(x - 0.5) <= (0.66 - y) * 1.05
    tray_floor = 0.20 <= x <= 0.80 and 0.72 <= y <= 0.82
    tray_sides = (0.20 <= x <= 0.30 or 0.70 <= x <= 0.80) and 0.58 <= y <= 0.82
    return shaft or head or tray_floor or tray_sides


def render(size):
    """Rows top to bottom of (r, g, b, a) pixels."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            tile = mark = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    if inside_tile(x, y):
                        tile += 1
                        if inside_mark(x, y):
                            mark += 1
            total = SAMPLES * SAMPLES
            alpha = round(255 * tile / total)
            if tile == 0:
                row.append((0, 0, 0, 0))
                continue
            share = mark / tile
            colour = tuple(round(t + (m - t) * share) for t, m in zip(TILE, MARK))
            row.append(colour + (alpha,))
        rows.append(row)
    return rows


def icon_image(size):
    """One ICO image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row
    )
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def icon_file(sizes):
    images = [icon_image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "install.ico")
    with open(target, "wb") as out:
        out.write(icon_file([16, 32]))


if __name__ == "__main__":
    main()
