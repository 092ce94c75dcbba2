#!/usr/bin/env python3
"""Writes the small source bitmaps that the GDI fixtures load, in every layout they exercise.

Run from this folder: ./make-sources.py. The pictures are deterministic, so the fixtures'
golden images stay valid.
"""
import struct


def colour(x, y):
    return ((x * 37 + y * 11) % 256, (x * 7 + y * 29 + 40) % 256, (x * 13 + y * 3 + 90) % 256)


def file_header(info, table, data):
    off = 14 + len(info) + len(table)
    return b"BM" + struct.pack("<IHHI", off + len(data), 0, 0, off)


def info_header(w, h, bpp, comp=0, size_image=0, clr_used=0, size=40):
    head = struct.pack("<IiiHHIIiiII", size, w, h, 1, bpp, comp, size_image, 2835, 2835, clr_used, 0)
    return head + b"\0" * (size - 40)


def rows_to_data(rows, h_sign):
    out = b""
    order = rows if h_sign < 0 else list(reversed(rows))
    for r in order:
        r = bytes(r)
        out += r + b"\0" * ((4 - len(r) % 4) % 4)
    return out


def write(name, info, table, data):
    with open(name, "wb") as f:
        f.write(file_header(info, table, data) + info + table + data)


def rgb24(name, w, h, topdown=False):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            r, g, b = colour(x, y)
            row += [b, g, r]
        rows.append(row)
    hh = -h if topdown else h
    write(name, info_header(w, hh, 24), b"", rows_to_data(rows, hh))


def rgb32(name, w, h, topdown=False):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            r, g, b = colour(x, y)
            row += [b, g, r, 0]
        rows.append(row)
    hh = -h if topdown else h
    write(name, info_header(w, hh, 32), b"", rows_to_data(rows, hh))


def rgb16(name, w, h, masks=None):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            r, g, b = colour(x, y)
            if masks:  # 565
                v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
            else:
                v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)
            row += [v & 0xFF, v >> 8]
        rows.append(row)
    if masks:
        info = info_header(w, h, 16, comp=3)
        table = struct.pack("<III", *masks)
    else:
        info = info_header(w, h, 16)
        table = b""
    write(name, info, table, rows_to_data(rows, h))


def palette(n):
    out = b""
    for i in range(n):
        out += bytes([(i * 53 + 20) % 256, (i * 97 + 60) % 256, (i * 151 + 100) % 256, 0])
    return out


def indexed(name, w, h, bpp, topdown=False, core=False):
    n = 1 << bpp
    rows = []
    for y in range(h):
        vals = [((x + 2 * y) // (1 if bpp > 1 else 3)) % n for x in range(w)]
        row = []
        if bpp == 8:
            row = vals
        elif bpp == 4:
            for i in range(0, w, 2):
                a = vals[i]
                b = vals[i + 1] if i + 1 < w else 0
                row.append((a << 4) | b)
        else:
            for i in range(0, w, 8):
                byte = 0
                for k in range(8):
                    if i + k < w and vals[i + k]:
                        byte |= 0x80 >> k
                row.append(byte)
        rows.append(row)
    hh = -h if topdown else h
    pal = palette(n)
    if core:
        info = struct.pack("<IHHHH", 12, w, h, 1, bpp)
        pal = b"".join(pal[i:i + 3] for i in range(0, len(pal), 4))
    else:
        info = info_header(w, hh, bpp)
    write(name, info, pal, rows_to_data(rows, hh))


def rle8(name, w, h):
    data = b""
    for y in range(h):  # bottom-up rows
        if y == 3:
            data += bytes([0, 2, 2, 1])  # delta: 2 right, 1 down
            continue
        x = 0
        while x < w:
            run = min(5 + y % 3, w - x)
            if (x // 5) % 2 == 0:
                data += bytes([run, (x + y * 3) % 16])
            else:
                lit = max(3, run)
                lit = min(lit, w - x)
                if lit < 3:
                    data += bytes([lit, 7])
                else:
                    vals = bytes([(x + k + y) % 16 for k in range(lit)])
                    data += bytes([0, lit]) + vals + (b"\0" if lit % 2 else b"")
                run = lit
            x += run
        data += bytes([0, 0])
    data += bytes([0, 1])
    info = info_header(w, h, 8, comp=1, size_image=len(data), clr_used=16)
    write(name, info, palette(16), data)


def rle4(name, w, h):
    data = b""
    for y in range(h):
        x = 0
        while x < w:
            run = min(6, w - x)
            if (x // 6) % 2 == 0:
                data += bytes([run, ((y % 16) << 4) | ((x + 3) % 16)])
            else:
                vals = [(x + k + 2 * y) % 16 for k in range(run)]
                packed = bytes(((vals[i] << 4) | (vals[i + 1] if i + 1 < run else 0)) for i in range(0, run, 2))
                if run >= 3:
                    data += bytes([0, run]) + packed + (b"\0" if len(packed) % 2 else b"")
                else:
                    data += bytes([run, packed[0]])
            x += run
        data += bytes([0, 0])
    data += bytes([0, 1])
    info = info_header(w, h, 4, comp=2, size_image=len(data), clr_used=16)
    write(name, info, palette(16), data)


if __name__ == "__main__":
    rgb24("rgb24.bmp", 23, 17)
    rgb24("rgb24-topdown.bmp", 23, 17, topdown=True)
    rgb32("rgb32.bmp", 23, 17)
    rgb32("rgb32-topdown.bmp", 23, 17, topdown=True)
    rgb16("rgb555.bmp", 21, 13)
    rgb16("rgb565.bmp", 21, 13, masks=(0xF800, 0x07E0, 0x001F))
    indexed("pal1.bmp", 29, 11, 1)
    indexed("pal4.bmp", 19, 13, 4)
    indexed("pal8.bmp", 17, 15, 8)
    indexed("pal8-topdown.bmp", 17, 15, 8, topdown=True)
    indexed("pal8-core.bmp", 17, 15, 8, core=True)
    rle8("rle8.bmp", 20, 12)
    rle4("rle4.bmp", 22, 10)
