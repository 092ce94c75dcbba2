#!/usr/bin/env python3
"""Writes the seed corpora of the picture fuzz targets: the BMP reading corpus plus hostile
variants (sizes that overflow or exceed the pixel limit, truncated parts, run-length data that
leaves the picture, colour tables beyond the file), and small JPEG files made with cjpeg in the
library's layouts (baseline, progressive, gray, restart markers, optimised tables) plus damaged
and oversized variants of them.

    tools/make-fuzz-seeds.py tests/data/fuzz
"""
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile


def bmp_info(width, height, bits, compression=0, size_image=0, colours_used=0, planes=1):
    header = struct.pack('<2sIHHI', b'BM', 0, 0, 0, 0)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, planes, bits, compression, size_image,
                       0, 0, colours_used, 0)
    return header + info


def grey_table(n):
    return b''.join(bytes((i % 256, i % 256, i % 256, 0)) for i in range(n))


def with_offset(data, offset):
    return data[:10] + struct.pack('<I', offset) + data[14:]


def hostile_bmps():
    return {
        'overflow-24.bmp': bmp_info(0x7FFFFFFF, 0x7FFFFFFF, 24) + bytes(64),
        'over-limit-32.bmp': bmp_info(20000, 6000, 32) + bytes(64),
        'min-height.bmp': bmp_info(1, -0x80000000, 24) + bytes(64),
        'big-rle8.bmp': bmp_info(60000, 60000, 8, 1, 0xFFFFFFF0) + grey_table(256) + b'\x00\x01',
        'rle8-runs-outside.bmp': bmp_info(4, 3, 8, 1, 14) + grey_table(256) +
        bytes((200, 9, 0, 2, 255, 255, 0, 200, 1, 2, 0, 0, 0, 1)),
        'rle4-odd.bmp': bmp_info(5, 2, 4, 2, 9) + grey_table(16) + bytes((7, 0x12, 0, 3, 0x45, 0x60, 0, 0, 3)),
        'table-beyond-file.bmp': bmp_info(2, 2, 8, 0, 0, 0x40000000) + bytes(64),
        'masks-cut.bmp': bmp_info(2, 2, 16, 3) + struct.pack('<I', 0xF800),
        'header-huge.bmp': struct.pack('<2sIHHII', b'BM', 0, 0, 0, 0, 0xFFFFFFFF) + bytes(40),
        'header-39.bmp': struct.pack('<2sIHHII', b'BM', 0, 0, 0, 0, 39) + bytes(60),
        'bits-7.bmp': bmp_info(4, 4, 7) + bytes(64),
        'pixels-cut.bmp': bmp_info(64, 64, 24, 0, 64 * 64 * 3) + bytes(100),
        'size-image-huge.bmp': bmp_info(3, 3, 24, 0, 0xFFFFFFFF) + bytes(36),
        'file-header-cut.bmp': b'BM\x00\x00',
        'info-header-cut.bmp': bmp_info(4, 4, 24)[:30],
        'headers-only.bmp': bmp_info(4, 4, 24),
        'rle8-no-data.bmp': bmp_info(4, 4, 8, 1, 40) + grey_table(256),
        'rle8-long-tail.bmp': bmp_info(4, 2, 8, 1, 0xFFFFFF00) + grey_table(256) +
        bytes((4, 9, 0, 0, 4, 9, 0, 1)) + bytes(4096),
        'embedded-jpeg.bmp': bmp_info(4, 4, 0, 4, 16) + bytes(16),
        'embedded-png.bmp': bmp_info(4, 4, 24, 5, 16) + bytes(16),
        'offset-gap.bmp': with_offset(bmp_info(2, 2, 24) + bytes(100) + bytes(16), 154),
        'offset-past-end.bmp': with_offset(bmp_info(2, 2, 24) + bytes(16), 0x7FFFFFFF),
        'not-bm.bmp': b'MB' + bmp_info(2, 2, 24)[2:] + bytes(16),
        'empty.bmp': b'',
    }


def ppm(width, height):
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            pixels += bytes(((x * 37) % 256, (y * 53) % 256, ((x + y) * 29) % 256))
    return b'P6\n%d %d\n255\n' % (width, height) + bytes(pixels)


def cjpeg(source, options):
    return subprocess.run(['cjpeg'] + options + [source], check=True,
                          capture_output=True).stdout


def patch_frame_size(data, width, height):
    at = data.find(b'\xff\xc0')
    if at < 0:
        at = data.find(b'\xff\xc2')
    out = bytearray(data)
    struct.pack_into('>HH', out, at + 5, height, width)
    return bytes(out)


def without_segments(data, marker):
    out, at = bytearray(data[:2]), 2
    while data[at + 1] != 0xDA:
        length = struct.unpack('>H', data[at + 2:at + 4])[0]
        if data[at + 1] != marker:
            out += data[at:at + 2 + length]
        at += 2 + length
    return bytes(out + data[at:])


def jpegs(folder):
    source = os.path.join(folder, 'source.ppm')
    with open(source, 'wb') as f:
        f.write(ppm(37, 23))
    made = {
        'baseline.jpg': cjpeg(source, ['-quality', '90', '-dct', 'float']),
        'progressive.jpg': cjpeg(source, ['-progressive', '-quality', '75']),
        'gray.jpg': cjpeg(source, ['-grayscale', '-quality', '90']),
        'restart.jpg': cjpeg(source, ['-restart', '1', '-quality', '60']),
        'optimised.jpg': cjpeg(source, ['-optimize', '-sample', '1x1', '-quality', '95']),
    }
    baseline, progressive = made['baseline.jpg'], made['progressive.jpg']
    made.update({
        'truncated.jpg': baseline[:len(baseline) // 2],
        'progressive-truncated.jpg': progressive[:len(progressive) // 3],
        'header-only.jpg': baseline[:baseline.find(b'\xff\xda')],
        'no-quantisation-table.jpg': without_segments(baseline, 0xDB),
        'huge-frame.jpg': patch_frame_size(baseline, 65000, 65000),
        'huge-progressive.jpg': patch_frame_size(progressive, 40000, 40000),
        'zero-width.jpg': patch_frame_size(baseline, 0, 23),
        'garbage-after-soi.jpg': b'\xff\xd8' + bytes(range(256)),
        'soi-only.jpg': b'\xff\xd8',
        'empty.jpg': b'',
    })
    return made


def write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


def main(root):
    here = os.path.dirname(os.path.abspath(__file__))
    bmp_folder = os.path.join(root, 'BmpLoad')
    os.makedirs(bmp_folder, exist_ok=True)
    for path in glob.glob(os.path.join(here, '..', 'tests', 'data', 'bmp', '*.bmp')):
        if not path.endswith('.golden.bmp'):
            shutil.copy(path, bmp_folder)
    write_all(bmp_folder, hostile_bmps())
    with tempfile.TemporaryDirectory() as scratch:
        write_all(os.path.join(root, 'JpegLoad'), jpegs(scratch))


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
