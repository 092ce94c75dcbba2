#!/usr/bin/env python3
"""Writes the oracle's drawings of the transparent controls' looks (tests/data/clear/*.gdi) from
the rules of the image build, independently of the program: a button of a blue card in a lime
margin, raised and pressed, with and without its single border, and a caption drawn in place.
Also writes card.bmp, the button's picture. Run the oracle on the scripts with make-goldens.sh."""
import struct
import sys
from pathlib import Path

FORM = "008080"       # clTeal: what shows around the controls
LIGHT = "FFFFFF"      # clBtnHighlight
SHADOW = "808080"     # clBtnShadow
FACE = "D4D0C8"
DARK_FACE = "B4B0A8"  # the face darkened by 32
DARK_SHADOW = "404040"  # the shadow darkened by 64
BLUE = "0000FF"
CARD = (30, 14)       # picture size; its margin of one pixel is lime, the bottom-left colour
LEFT, TOP, WIDTH, HEIGHT = 10, 10, 60, 30  # the button on the 120 x 60 form


def card_bmp(path):
    w, h = CARD
    stride = (w * 3 + 3) // 4 * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b""
        for x in range(w):
            inside = 1 <= x < w - 1 and 1 <= y < h - 1
            row += bytes((255, 0, 0)) if inside else bytes((0, 255, 0))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + rows)


def content(border):
    """First and one-past-last columns and rows of the card's blue pixels in the base image."""
    inset = 2 * border + 2
    px = (WIDTH - inset - CARD[0]) // 2
    py = (HEIGHT - inset - CARD[1]) // 2
    return px + 1, px + CARD[0] - 1, py + 1, py + CARD[1] - 1


def fill(lines, colour, x0, x1, y0, y1):
    lines.append(f"fillrect {LEFT + x0} {TOP + y0} {LEFT + x1} {TOP + y1} {colour}")


def union(rects):
    return min(r[0] for r in rects), max(r[1] for r in rects), \
        min(r[2] for r in rects), max(r[3] for r in rects)


def mask_at(mask, offsets):
    """The mask's rectangle drawn at each offset; the runs are solid, so the draws join."""
    x0, x1, y0, y1 = mask
    return union([(x0 + dx, x1 + dx, y0 + dy, y1 + dy) for dx, dy in offsets])


def script(border, down):
    b, f = border, 1
    s = 1 if down else 0
    bx0, bx1, by0, by1 = content(b)
    # The light mask: each run moved by (b + 1, b + 1) and one pixel longer.
    mask = (bx0 + b + 1, bx1 + b + 2, by0 + b + 1, by1 + b + 1)
    lines = [f"canvas 120 60 {FORM} 24"]
    face, shadow = (DARK_FACE, DARK_SHADOW) if down and b == 1 else (FACE, SHADOW)
    if not down:
        fill(lines, shadow, *mask_at(mask, [(b, b), (b + 1, b), (b, b + 1), (b + 1, b + 1)]))
        fill(lines, LIGHT, *mask_at(mask, [(x, y) for x in range(-1 - b, b + 1)
                                           for y in range(-1 - b, b + 1)]))
    elif b == 1:
        fill(lines, shadow, *mask_at(mask, [(-1, -1), (0, -1)]))
        fill(lines, shadow, *mask_at(mask, [(-1, 0)]))
    else:
        fill(lines, shadow, *mask_at(mask, [(0, 0)]))
    if b == 1:
        fill(lines, face, *mask_at(mask, [(x + s, y + s) for x in (-1, 0, 1) for y in (-1, 0, 1)]))
    shift = b + f + s
    fill(lines, BLUE, bx0 + shift, bx1 + shift, by0 + shift, by1 + shift)
    return "\n".join(lines) + "\n"


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    card_bmp(folder / "card.bmp")
    for border, name in ((1, "single"), (0, "none")):
        for down, state in ((False, "up"), (True, "down")):
            header = f"# A push button with{'' if border else 'out'} its border, {state}.\n"
            (folder / f"button-{name}-{state}.gdi").write_text(header + script(border, down))
    (folder / "caption.gdi").write_text(
        "# A caption in navy at (4, 3) of a panel at (10, 10), the form around it.\n"
        f"canvas 120 60 {FORM} 24\n"
        "font -16 400 IPAPGothic\nbkmode transparent\ntextcolor 000080\ntext 14 13 Go\n")


main()
