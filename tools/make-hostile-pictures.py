#!/usr/bin/env python3
"""Writes the worst pictures of a given size that small files can describe, for measuring what
they cost the program (peak memory, time), and with --valid real pictures of the same size to
compare them with:

    tools/make-hostile-pictures.py [--valid] FOLDER [WIDTH HEIGHT [SCANS]]

- bmp-huge-little-data.bmp: a 32-bit BMP of WIDTH x HEIGHT with 64 bytes of pixel data;
- bmp-rle8-expanding.bmp: 8-bit run-length data of WIDTH x HEIGHT, every row filled by runs of
  255 pixels (about 130 times as many pixels as bytes);
- jpeg-huge-sof.jpg: a baseline JPEG whose frame says WIDTH x HEIGHT over the body of 16 x 16;
- jpeg-444-progressive-huge-sof.jpg: the same for a progressive JPEG without chroma subsampling,
  whose decoder holds every coefficient of all three components (6 bytes a pixel);
- jpeg-many-scans.jpg: a progressive JPEG of WIDTH x HEIGHT whose body is SCANS empty scans;
- with --valid, valid.jpg, valid-progressive.jpg and valid.bmp: real pictures of WIDTH x HEIGHT
  (a gradient; the BMP is 24-bit, 300 MB at the defaults).

The defaults are 10000 x 10000 (the picture limit) and 5000 scans.
"""
import os
import struct
import subprocess
import sys


def bmp_header(width, height, bits, compression, data_length, table):
    offset = 14 + 40 + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + data_length, 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, data_length, 0, 0,
                       len(table) // 4, 0)
    return header + info + table


def grey_table():
    return b''.join(bytes((i, i, i, 0)) for i in range(256))


def huge_little_data(width, height):
    return bmp_header(width, height, 32, 0, 0, b'') + bytes(64)


def rle8_expanding(width, height):
    row = bytearray()
    left = width
    while left > 0:
        run = min(255, left)
        row += bytes((run, 200))
        left -= run
    row += b'\x00\x00'  # end of line
    data = bytes(row) * height + b'\x00\x01'  # end of bitmap
    return bmp_header(width, height, 8, 1, len(data), grey_table()) + data


def cjpeg(ppm, options):
    return subprocess.run(['cjpeg'] + options, input=ppm, check=True,
                          capture_output=True).stdout


def gradient_ppm(width, height):
    row = b''.join(bytes((x * 255 // max(width - 1, 1), 128, 64)) for x in range(width))
    return b'P6\n%d %d\n255\n' % (width, height) + row * height


def segments_before_scan(data):
    """The file up to its first scan, and the offset of the frame header's size fields."""
    at, frame = 2, None
    while data[at + 1] != 0xDA:
        length = struct.unpack('>H', data[at + 2:at + 4])[0]
        if data[at + 1] in (0xC0, 0xC2):
            frame = at + 5
        at += 2 + length
    return data[:at], frame


def with_frame_size(head, frame, width, height):
    out = bytearray(head)
    struct.pack_into('>HH', out, frame, height, width)
    return bytes(out)


def huge_sof(small_baseline, width, height):
    head, frame = segments_before_scan(small_baseline)
    return with_frame_size(head, frame, width, height) + small_baseline[len(head):]


def many_scans(small_progressive, width, height, scans):
    head, frame = segments_before_scan(small_progressive)
    components = head[frame + 4]
    # A first DC scan of every component, then empty refinement scans of the first component's
    # DC: each scan header makes the decoder pass over the whole picture once more.
    ids = [head[frame + 5 + 3 * i] for i in range(components)]
    first = struct.pack('>BBH', 0xFF, 0xDA, 6 + 2 * components) + bytes((components,))
    first += b''.join(bytes((c, 0x00)) for c in ids) + bytes((0, 0, 0x01))
    refine = struct.pack('>BBHB', 0xFF, 0xDA, 8, 1) + bytes((ids[0], 0x00, 0, 0, 0x10))
    return with_frame_size(head, frame, width, height) + first + refine * scans + b'\xff\xd9'


def main(folder, width, height, scans, valid):
    os.makedirs(folder, exist_ok=True)
    small = b'P6\n16 16\n255\n' + bytes(range(256)) * 3
    files = {
        'bmp-huge-little-data.bmp': huge_little_data(width, height),
        'bmp-rle8-expanding.bmp': rle8_expanding(width, height),
        'jpeg-huge-sof.jpg': huge_sof(cjpeg(small, ['-quality', '90']), width, height),
        'jpeg-444-progressive-huge-sof.jpg': huge_sof(
            cjpeg(small, ['-progressive', '-sample', '1x1']), width, height),
        'jpeg-many-scans.jpg': many_scans(cjpeg(small, ['-progressive']), width, height, scans),
    }
    if valid:
        ppm = gradient_ppm(width, height)
        files['valid.jpg'] = cjpeg(ppm, ['-quality', '90'])
        files['valid-progressive.jpg'] = cjpeg(ppm, ['-quality', '90', '-progressive'])
        files['valid.bmp'] = bmp_valid_24(ppm, width, height)
    for name, data in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


def bmp_valid_24(ppm, width, height):
    pixels = ppm[ppm.index(b'255\n') + 4:]
    row = pixels[:width * 3]
    bgr = bytearray(row)
    bgr[0::3], bgr[2::3] = row[2::3], row[0::3]
    padded = bytes(bgr) + bytes((-len(bgr)) % 4)
    return bmp_header(width, height, 24, 0, len(padded) * height, b'') + padded * height


if __name__ == '__main__':
    args = sys.argv[1:]
    with_valid = args[:1] == ['--valid']
    args = args[1:] if with_valid else args
    if len(args) not in (1, 3, 4):
        sys.exit(__doc__)
    size = (int(args[1]), int(args[2])) if len(args) >= 3 else (10000, 10000)
    main(args[0], size[0], size[1], int(args[3]) if len(args) == 4 else 5000, with_valid)
