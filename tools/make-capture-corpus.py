#!/usr/bin/env python3
"""Writes the capture corpus: for each picture size the main window is checked at, a source
picture (an 8-bit run-length encoded BMP of coloured blocks with a one-pixel dark border, so that
misplaced or misscaled edges show) and a gdi-oracle script that draws the scene the window must
show for it: the white client area, the cream card, the picture stretched into its fitted place
with COLORONCOLOR, and the orange frame. The oracle's output of each script, made compact with
tools/compact-golden.py, is the golden picture of the capture.

Two more kinds of source: a 1-bit BMP shrunk onto the card, drawn with the surface's default
stretch mode (the program sets COLORONCOLOR only for pictures that are not monochrome), and JPEG
files of each sampling (4:2:0, 4:2:2, gray, progressive) made with cjpeg. A JPEG's script loads
its decoding by the library's own djpeg (float IDCT; gray quantised to 236 colours with the
library's dithering), written beside it as NAME.decoded.bmp for the oracle only; the goldens of
these many-coloured pictures stay plain 24-bit BMPs when compact-golden.py cannot shrink them.

    tools/make-capture-corpus.py tests/data/capture
    cd tests/data/capture && for s in *.gdi; do
      run-gdiprobe.sh $s /tmp/${s%.gdi}.bmp &&
        { ../../../tools/compact-golden.py /tmp/${s%.gdi}.bmp ${s%.gdi}.golden.bmp ||
          cp /tmp/${s%.gdi}.bmp ${s%.gdi}.golden.bmp; }
    done
    rm -f *.decoded.bmp
"""
import os
import struct
import subprocess
import sys

# Picture size -> client area the headless window ends up with. A 50 x 40 picture asks for a
# 50 x 50 client area, which the minimum window size widens.
CASES = {
    (1000, 700): (600, 600),
    (800, 500): (800, 800),
    (300, 400): (400, 400),
    (600, 600): (600, 600),
    (50, 40): (106, 50),
}


# JPEG sources: name -> picture size, cjpeg options, client area.
JPEG_CASES = {
    'jpeg420': ((127, 93), ['-sample', '2x2'], (127, 127)),
    'jpeg422': ((96, 124), ['-sample', '2x1'], (124, 124)),
    'jpeggray': ((118, 80), ['-grayscale'], (118, 118)),
    'jpegprogressive': ((121, 110), ['-progressive'], (121, 121)),
}

# The 1-bit source, larger than its picture area both ways, and its client area.
MONO_CASE = ((640, 620), (600, 600))


def palette():
    return [((i * 67) % 256, (i * 151 + 30) % 256, (i * 199 + 90) % 256) for i in range(200)]


def pixel_index(x, y, w, h):
    if x in (0, w - 1) or y in (0, h - 1):
        return 0
    bw, bh = max(1, w // 40), max(1, h // 30)
    return 1 + ((x // bw) * 7 + (y // bh) * 13) % 199


def rle8(w, h):
    out = bytearray()
    for y in reversed(range(h)):  # bottom-up rows, top row of the picture last
        row = [pixel_index(x, y, w, h) for x in range(w)]
        x = 0
        while x < w:
            run = 1
            while x + run < w and run < 255 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, row[x]))
            x += run
        out += b'\x00\x00'
    out[-2:] = b'\x00\x01'
    return bytes(out)


def write_picture(path, w, h):
    colours = b''.join(bytes((b, g, r, 0)) for (r, g, b) in palette())
    pixels = rle8(w, h)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 1, len(pixels), 0, 0, 200, 0)
    with open(path, 'wb') as f:
        f.write(header + info + colours + pixels)


def photo_ppm(w, h):
    """A picture with smooth gradients, sharp edges and saturated corners, as a binary PPM."""
    out = bytearray(b'P6\n%d %d\n255\n' % (w, h))
    for y in range(h):
        for x in range(w):
            r, g, b = x * 255 // w, y * 255 // h, (x * y) % 256
            if (x // 9 + y // 7) % 5 == 0:
                r, g, b = 255 - r, 40, 220
            if x < 6 and y < 6:
                r, g, b = 255, 0, 0
            out += bytes((r, g, b))
    return bytes(out)


def write_jpeg(folder, name, w, h, options):
    """The JPEG source, and beside it djpeg's decoding of it for the oracle."""
    source = os.path.join(folder, name + '.jpg')
    subprocess.run(['cjpeg', '-quality', '85', *options, '-outfile', source], input=photo_ppm(w, h),
                   check=True)
    gray = '-grayscale' in options
    subprocess.run(['djpeg', '-dct', 'float', *(['-colors', '236'] if gray else []), '-bmp',
                    '-outfile', os.path.join(folder, name + '.decoded.bmp'), source], check=True)


def mono_bit(x, y, w, h):
    """One-pixel vertical stripes in a band on the left (merged columns), one-pixel horizontal
    stripes in a band at the top (merged rows), solid blocks elsewhere, and a border."""
    if x in (0, w - 1) or y in (0, h - 1):
        return 1
    if x < 96:
        return x % 2
    if y < 96:
        return y % 2
    return (x // 50 + y // 40) % 2


def write_mono(path, w, h):
    """A 1-bit BMP in two colours whose merged columns and rows show how they are combined."""
    stride = (w + 31) // 32 * 4
    rows = bytearray()
    for y in reversed(range(h)):  # bottom-up
        bits = bytearray(stride)
        for x in range(w):
            if mono_bit(x, y, w, h):
                bits[x // 8] |= 0x80 >> (x % 8)
        rows += bits
    colours = bytes((0x40, 0x20, 0x10, 0, 0xC0, 0xE8, 0xF0, 0))
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 1, 0, len(rows), 2835, 2835, 2, 0)
    with open(path, 'wb') as f:
        f.write(header + info + colours + rows)


def fitted(pw, ph, cw, ch):
    """The picture area inside a client area of cw x ch, as the window fits it."""
    if pw > ph:
        w = cw - 10
        h = ((cw * 100000) // pw) * ph // 100000
    else:
        h = ch - 10
        w = ((ch * 100000) // ph) * pw // 100000
    return (cw - w) // 2, (ch - h) // 2, w, h


def round_rect(left, top, width, height, pen):
    """The round rectangle a shape of that place and size draws with a pen of that width."""
    x = y = pen // 2
    w, h = width - pen + 1, height - pen + 1
    corner = min(w, h) // 4
    return f'roundrect {left + x} {top + y} {left + x + w} {top + y + h} {corner} {corner}'


def script(source, pw, ph, cw, ch, loaded=None, mode='coloroncolor'):
    il, it, iw, ih = fitted(pw, ph, cw, ch)
    return '\n'.join([
        f'# The main window framing {source} ({pw} x {ph}) in a {cw} x {ch} client area.',
        f'canvas {cw} {ch} FFFFFF',
        'pen solid 1 FFF4E0',
        'brush solid FFF4E0',
        round_rect(2, 2, cw - 4, ch - 4, 1),
        f'load pic {loaded or source}',
        *([f'stretchmode {mode}'] if mode else []),
        f'stretchblt {il} {it} {iw} {ih} pic 0 0 {pw} {ph} srccopy',
        'pen solid 15 F8A448',
        'brush hollow',
        round_rect(0, 0, cw, ch, 15),
        '',
    ])


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for (pw, ph), (cw, ch) in CASES.items():
        name = f'picture{pw}x{ph}'
        write_picture(os.path.join(folder, name + '.bmp'), pw, ph)
        with open(os.path.join(folder, name + '.gdi'), 'w') as f:
            f.write(script(name + '.bmp', pw, ph, cw, ch))
    (pw, ph), (cw, ch) = MONO_CASE
    name = f'mono{pw}x{ph}'
    write_mono(os.path.join(folder, name + '.bmp'), pw, ph)
    with open(os.path.join(folder, name + '.gdi'), 'w') as f:
        f.write(script(name + '.bmp', pw, ph, cw, ch, mode=None))
    for name, ((pw, ph), options, (cw, ch)) in JPEG_CASES.items():
        write_jpeg(folder, name, pw, ph, options)
        with open(os.path.join(folder, name + '.gdi'), 'w') as f:
            f.write(script(name + '.jpg', pw, ph, cw, ch, loaded=name + '.decoded.bmp'))


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
