#!/usr/bin/env python3
"""Rewrites a golden picture of the GDI oracle (a 24-bit BMP) as a run-length encoded 8-bit BMP
with the picture's own colours as its colour table, so that large pictures of few colours stay
small in the repository. The conversion is lossless: the output is decoded again and compared
with the input before it is written.

    tools/compact-golden.py frame600.bmp tests/data/shape/frame600.golden.bmp
"""
import struct
import sys


def read_bmp24(path):
    data = open(path, 'rb').read()
    if data[:2] != b'BM':
        sys.exit(f'{path}: not a BMP file')
    offset = struct.unpack_from('<I', data, 10)[0]
    size, width, height, planes, bits, compression = struct.unpack_from('<IiiHHI', data, 14)
    if bits != 24 or compression != 0 or height <= 0:
        sys.exit(f'{path}: not a bottom-up 24-bit BMP')
    stride = (width * 3 + 3) // 4 * 4
    rows = []  # top row first, colours as (b, g, r)
    for y in range(height):
        at = offset + (height - 1 - y) * stride
        rows.append([tuple(data[at + 3 * x:at + 3 * x + 3]) for x in range(width)])
    return width, height, rows


def encode_rle8(rows, index):
    out = bytearray()
    for row in reversed(rows):  # bottom-up
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, index[row[x]]))
            x += run
        out += b'\x00\x00'
    out[-2:] = b'\x00\x01'  # the last end of line becomes the end of the bitmap
    return bytes(out)


def decode_rle8(data, width, height, table):
    rows = [[None] * width for _ in range(height)]
    x, y, i = 0, 0, 0
    while i + 1 < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            for _ in range(count):
                rows[height - 1 - y][x] = table[value]
                x += 1
        elif value == 0:
            x, y = 0, y + 1
        elif value == 1:
            break
        else:
            sys.exit('unexpected escape in own output')
    return rows


def main(source, target):
    width, height, rows = read_bmp24(source)
    table = sorted({c for row in rows for c in row})
    if len(table) > 256:
        sys.exit(f'{source}: {len(table)} colours, more than an 8-bit table holds')
    index = {c: i for i, c in enumerate(table)}
    pixels = encode_rle8(rows, index)
    if decode_rle8(pixels, width, height, table) != rows:
        sys.exit('the encoding does not give the picture back')
    colours = b''.join(bytes((b, g, r, 0)) for (b, g, r) in table)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 1, len(pixels), 0, 0,
                       len(table), 0)
    with open(target, 'wb') as f:
        f.write(header + info + colours + pixels)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
