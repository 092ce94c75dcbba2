#!/usr/bin/env python3
"""Writes the BMP reading corpus: one small file per accepted layout (header kinds, bit depths,
bit fields, run-length encodings, row orders, short data) plus, for each, a gdi-oracle script
that loads it and copies it 1:1 onto a canvas. The oracle's output of each script is the golden
picture the reader must reproduce.

    tools/make-bmp-corpus.py tests/data/bmp
    cd tests/data/bmp && for s in *.gdi; do run-gdiprobe.sh $s ${s%.gdi}.golden.bmp; done
"""
import os
import struct
import sys

W, H = 13, 7  # odd sizes so that every row needs padding


def colour(x, y):
    """A picture with distinct colours along both axes."""
    return ((x * 37 + 20) % 256, (y * 53 + 40) % 256, ((x + y) * 29 + 60) % 256)


def palette(n):
    return [((i * 67) % 256, (i * 151 + 30) % 256, (i * 199 + 90) % 256) for i in range(n)]


def index(x, y, n):
    return (x * 3 + y * 5) % n


def file_header(body_len, off):
    return struct.pack('<2sIHHI', b'BM', 14 + body_len, 0, 0, off)


def info_header(w, h, bpp, compression=0, size_image=0, clr_used=0, size=40, masks=None,
                alpha=0):
    head = struct.pack('<IiiHHIIiiII', size, w, h, 1, bpp, compression, size_image, 2835, 2835,
                       clr_used, 0)
    if size > 40:
        r, g, b = masks or (0, 0, 0)
        extra = struct.pack('<IIIII', r, g, b, alpha, 0x73524742) + bytes(36) + bytes(12)
        if size >= 124:
            extra += struct.pack('<IIII', 4, 0, 0, 0)
        head += extra[:size - 40]
    return head


def pack_rows(rows, bpp, w, top_down):
    out = bytearray()
    stride = (w * bpp + 31) // 32 * 4
    order = rows if top_down else list(reversed(rows))
    for row in order:
        line = bytearray()
        if bpp < 8:
            acc, nbits = 0, 0
            for v in row:
                acc = (acc << bpp) | v
                nbits += bpp
                if nbits == 8:
                    line.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                line.append(acc << (8 - nbits))
        else:
            line = bytearray(row)
        out += line + bytes(stride - len(line))
    return bytes(out)


def indexed(bpp, n, top_down=False, core=False, clr_used=0):
    table_n = clr_used or (1 << bpp)
    pal = palette(table_n)
    rows = [[index(x, y, n) for x in range(W)] for y in range(H)]
    pixels = pack_rows(rows, bpp, W, top_down)
    if core:
        head = struct.pack('<IHHHH', 12, W, H, 1, bpp)
        table = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in pal)
    else:
        head = info_header(W, -H if top_down else H, bpp, clr_used=clr_used)
        table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    body = head + table + pixels
    return file_header(len(body), 14 + len(head) + len(table)) + body


def direct(bpp, top_down=False, compression=0, masks=None, header=40, size_image=0,
           cut=0, alpha=0):
    rows = []
    for y in range(H):
        row = bytearray()
        for x in range(W):
            r, g, b = colour(x, y)
            if bpp == 24:
                row += bytes((b, g, r))
            elif bpp == 32:
                if masks and masks[0] == 0x000000FF:  # red in the low byte
                    row += struct.pack('<I', r | g << 8 | b << 16 | 0xFF000000)
                else:
                    row += struct.pack('<I', b | g << 8 | r << 16 | (0xFF000000 if alpha else 0))
            elif bpp == 16:
                if masks == (0xF800, 0x07E0, 0x001F):
                    v = (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
                else:
                    v = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)
                row += struct.pack('<H', v)
        rows.append(row)
    pixels = pack_rows(rows, bpp, W, top_down)
    if cut:
        pixels = pixels[:len(pixels) - cut]
    head = info_header(W, -H if top_down else H, bpp, compression, size_image, size=header,
                       masks=masks, alpha=alpha)
    extra = b''
    if header == 40 and compression == 3:
        extra = struct.pack('<III', *masks)
    body = head + extra + pixels
    return file_header(len(body), 14 + len(head) + len(extra)) + body


def rle(bpp, data, w=W, h=H, n=16):
    pal = palette(n)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    head = info_header(w, h, bpp, 1 if bpp == 8 else 2, len(data), n)
    body = head + table + data
    return file_header(len(body), 14 + len(head) + len(table)) + body


def rle8_picture():
    out = bytearray()
    for y in range(H):
        if y == 2:
            out += bytes((0, 2, 3, 1))  # delta: 3 right, 1 down (skips row 2 partly)
            out += bytes((4, 9, 0, 0))
            continue
        out += bytes((5, y % 16))                           # run of 5
        out += bytes((0, 4, 1, 2, 3, 4))                    # absolute run of 4 (even)
        out += bytes((0, 3, 5, 6, 7, 0))                    # absolute run of 3, padded
        out += bytes((1, 15))                               # run of 1
        out += bytes((0, 0))                                # end of line
    out += bytes((0, 1))                                    # end of bitmap
    return bytes(out)


def rle4_picture():
    out = bytearray()
    for y in range(H):
        out += bytes((6, 0x12))                 # run of 6 alternating 1, 2
        out += bytes((0, 5, 0x34, 0x56, 0x70, 0))  # absolute 5 nibbles, padded to a word
        out += bytes((2, 0xFF))
        out += bytes((0, 0))
    out += bytes((0, 1))
    return bytes(out)


def core24():
    # The pixels of rgb24 after a core header, the pixel-data offset pointing right after it.
    body = struct.pack('<IHHHH', 12, W, H, 1, 24) + direct(24)[54:]
    return file_header(len(body), 14 + 12) + body


def hostile_rle8():
    # A run longer than the row, a delta far beyond the image and a missing end of bitmap.
    return bytes((40, 3, 0, 0, 0, 2, 200, 200, 3, 4))


CORPUS = {
    'rgb1': lambda: indexed(1, 2),
    'rgb1-topdown': lambda: indexed(1, 2, top_down=True),
    'rgb4': lambda: indexed(4, 16),
    'rgb4-used5': lambda: indexed(4, 5, clr_used=5),
    'rgb8': lambda: indexed(8, 256),
    'rgb8-used200': lambda: indexed(8, 200, clr_used=200),
    'rgb8-topdown': lambda: indexed(8, 256, top_down=True),
    'core8': lambda: indexed(8, 256, core=True),
    'core4': lambda: indexed(4, 16, core=True),
    'core24': lambda: core24(),
    'rgb16-555': lambda: direct(16),
    'bitfields16-565': lambda: direct(16, compression=3, masks=(0xF800, 0x07E0, 0x001F)),
    'v4-bitfields16-565': lambda: direct(16, compression=3, masks=(0xF800, 0x07E0, 0x001F),
                                         header=108),
    'rgb24': lambda: direct(24),
    'rgb24-topdown': lambda: direct(24, top_down=True),
    'rgb24-short': lambda: direct(24, cut=30),
    'rgb24-sizeimage': lambda: direct(24, size_image=(W * 3 + 3) // 4 * 4 * H),
    'rgb32': lambda: direct(32),
    'rgb32-topdown': lambda: direct(32, top_down=True),
    'bitfields32-rgba': lambda: direct(32, compression=3, masks=(0x000000FF, 0x0000FF00,
                                                                 0x00FF0000)),
    'v5-bitfields32': lambda: direct(32, compression=3, masks=(0x00FF0000, 0x0000FF00,
                                                               0x000000FF), header=124,
                                     alpha=0xFF000000),
    'rle8': lambda: rle(8, rle8_picture()),
    'rle4': lambda: rle(4, rle4_picture()),
    'rle8-hostile': lambda: rle(8, hostile_rle8()),
}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, make in CORPUS.items():
        with open(os.path.join(folder, name + '.bmp'), 'wb') as f:
            f.write(make())
        with open(os.path.join(folder, name + '.gdi'), 'w') as f:
            f.write(f'# {name}.bmp loaded as the platform loads it, copied 1:1 onto grey.\n')
            f.write(f'canvas {W + 4} {H + 4} 808080\n')
            f.write(f'load img {name}.bmp\n')
            f.write(f'bitblt 2 2 {W} {H} img 0 0 srccopy\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
