#!/usr/bin/env python3
"""Draws the bundled sample picture (a sunset over hills with a sun and a few clouds) and writes
it as a 24-bit bottom-up BMP of the given size (the drawing is laid out on 480 x 320).
examples/sample.jpg is the 480 x 320 picture through cjpeg -quality 92; examples/sample.bmp is
the 240 x 160 picture as written here."""
import math
import struct
import sys

DESIGN_W, DESIGN_H = 480, 320


def pixel(x, y):
    W, H = DESIGN_W, DESIGN_H
    horizon = 200 + 18 * math.sin(x / 45.0) + 10 * math.sin(x / 17.0 + 1.3)
    if y > horizon:  # hills, darker further down
        t = (y - horizon) / (H - horizon + 1)
        return (int(40 + 30 * (1 - t)), int(110 - 50 * t), int(50 - 20 * t))
    t = y / 200.0  # sky from deep blue to orange at the horizon
    r, g, b = int(40 + 215 * t), int(70 + 120 * t), int(160 - 90 * t)
    dx, dy = x - 330, y - 150
    d = math.hypot(dx, dy)
    if d < 38:
        return (255, 236, 150)
    if d < 70:  # glow around the sun
        k = (70 - d) / 32
        r, g, b = int(r + (255 - r) * k * 0.6), int(g + (220 - g) * k * 0.6), int(b * (1 - 0.6 * k))
    for cx, cy, s in ((110, 70, 1.0), (190, 95, 0.7), (400, 60, 0.8)):
        e = ((x - cx) / (60 * s)) ** 2 + ((y - cy) / (16 * s)) ** 2
        if e < 1:
            k = 1 - e
            r, g, b = (int(c + (250 - c) * min(1, 2 * k)) for c in (r, g, b))
    return (min(r, 255), min(g, 255), max(0, min(b, 255)))


def main(path, W, H):
    row = (W * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for x in range(W):
            r, g, b = pixel(x * DESIGN_W / W, y * DESIGN_H / H)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


if __name__ == '__main__':
    args = sys.argv[1:] + ['sample.bmp', '480', '320'][len(sys.argv) - 1:]
    main(args[0], int(args[1]), int(args[2]))
