#!/usr/bin/env python3
"""Writes the capture corpus: for each picture size the main window is checked at, a source
picture (an 8-bit run-length encoded BMP of coloured blocks with a one-pixel dark border, so that
misplaced or misscaled edges show) and a gdi-oracle script that draws the scene the window must
show for it: the white client area, the cream card, the picture stretched into its fitted place
with COLORONCOLOR, and the orange frame. The oracle's output of each script, made compact with
tools/compact-golden.py, is the golden picture of the capture.

    tools/make-capture-corpus.py tests/data/capture
    cd tests/data/capture && for s in *.gdi; do
      run-gdiprobe.sh $s /tmp/${s%.gdi}.bmp && ../../../tools/compact-golden.py /tmp/${s%.gdi}.bmp ${s%.gdi}.golden.bmp
    done
"""
import os
import struct
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


def script(name, pw, ph, cw, ch):
    il, it, iw, ih = fitted(pw, ph, cw, ch)
    return '\n'.join([
        f'# The main window framing {name}.bmp ({pw} x {ph}) in a {cw} x {ch} client area.',
        f'canvas {cw} {ch} FFFFFF',
        'pen solid 1 FFF4E0',
        'brush solid FFF4E0',
        round_rect(2, 2, cw - 4, ch - 4, 1),
        f'load pic {name}.bmp',
        'stretchmode coloroncolor',
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
            f.write(script(name, pw, ph, cw, ch))


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
