#!/usr/bin/env python3
"""Writes the oracle's drawings of the transparent controls' looks (tests/data/clear/*.gdi) from
the rules of the image build, independently of the program: a button of a blue card in a lime
margin, raised and pressed, with and without its single border, flat (float) and as an image; a
button without content whose transparent colour is a system colour; a caption drawn in place and
one centred on a button, its edges drawn glyph by glyph; a panel's picture stretched and one
cropped. Also writes the pictures card.bmp, pattern-small.bmp and pattern-large.bmp. Run the
oracle on the scripts with make-goldens.sh."""
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
NAVY = "000080"       # the captions' font colour
CARD = (30, 14)       # picture size; its margin of one pixel is lime, the bottom-left colour
LEFT, TOP, WIDTH, HEIGHT = 10, 10, 60, 30  # the control on the 120 x 60 form
# "Go" in IPAPGothic at height -16 as the oracle measures it (DrawText with DT_CALCRECT).
GO_EXTENT = (22, 17)
PATTERN_SMALL = (23, 11)  # stretched onto the whole 60 x 30 panel
PATTERN_LARGE = (71, 41)  # larger than the panel: centred and cropped


def write_bmp(path, w, h, colour):
    """A 24-bit BMP; colour(x, y) gives (red, green, blue) of the pixel, y counted from the top."""
    stride = (w * 3 + 3) // 4 * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b"".join(bytes(reversed(colour(x, y))) for x in range(w))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + rows)


def card_bmp(path):
    w, h = CARD
    write_bmp(path, w, h, lambda x, y: (0, 0, 255) if 1 <= x < w - 1 and 1 <= y < h - 1
              else (0, 255, 0))


def pattern_colour(size):
    """Every pixel its own mix of red and green over blue 128; the bottom-left one lime, which
    becomes the panel's transparent colour and occurs nowhere else."""
    w, h = size
    return lambda x, y: (0, 255, 0) if (x, y) == (0, h - 1) else ((x * 7) % 256, (y * 11) % 256, 128)


def content(border):
    """First and one-past-last columns and rows of the card's blue pixels in the base image."""
    inset = 2 * border + 2
    px = (WIDTH - inset - CARD[0]) // 2
    py = (HEIGHT - inset - CARD[1]) // 2
    return px + 1, px + CARD[0] - 1, py + 1, py + CARD[1] - 1


def fill(lines, colour, x0, x1, y0, y1):
    """A rectangle of the control, cut to the control as its state image is."""
    x0, x1, y0, y1 = max(x0, 0), min(x1, WIDTH), max(y0, 0), min(y1, HEIGHT)
    lines.append(f"fillrect {LEFT + x0} {TOP + y0} {LEFT + x1} {TOP + y1} {colour}")


def union(rects):
    return min(r[0] for r in rects), max(r[1] for r in rects), \
        min(r[2] for r in rects), max(r[3] for r in rects)


def mask_at(mask, offsets):
    """The mask's rectangle drawn at each offset; the runs are solid, so the draws join."""
    x0, x1, y0, y1 = mask
    return union([(x0 + dx, x1 + dx, y0 + dy, y1 + dy) for dx, dy in offsets])


def mask_offsets(b, down, style):
    """The offsets at which the shadow, light and face masks are drawn, and the colours of the
    face and the shadow, for one state image."""
    s = 1 if down and style != "image" else 0
    dark = down and b == 1 and style == "push"
    face, shadow = (DARK_FACE, DARK_SHADOW) if dark else (FACE, SHADOW)
    shadows, lights = [], []
    if style == "push" and not down:
        shadows = [[(b, b), (b + 1, b), (b, b + 1), (b + 1, b + 1)]]
        lights = [(x, y) for x in range(-1 - b, b + 1) for y in range(-1 - b, b + 1)]
    elif style == "push" and b == 1:
        shadows = [[(-1, -1), (0, -1)], [(-1, 0)]]
    elif style == "push":
        shadows = [[(0, 0)]]
    elif style == "float" and not down:
        shadows = [[(2 * b + 1, 2 * b + 1)]]
    faces = [(x + s, y + s) for x in (-1, 0, 1) for y in (-1, 0, 1)] if b == 1 else []
    return shadows, lights, faces, face, shadow, s


def script(border, down, style="push", base=None, colour=BLUE, empty=None):
    """A button whose base image draws `colour` over the rectangle `base` (first and one-past-last
    columns and rows), the card by default. `empty`, when given, is the colour of the undrawn
    pixels of a state image that shows whole (a system transparent colour, which matches no pixel);
    masks and base image are drawn transparent in it, so none of their pixels of that colour shows."""
    b, f = border, 1
    bx0, bx1, by0, by1 = base or content(b)
    # The light mask: each run moved by (b + 1, b + 1) and one pixel longer.
    mask = (bx0 + b + 1, bx1 + b + 2, by0 + b + 1, by1 + b + 1)
    lines = [f"canvas 120 60 {FORM} 24"]
    if empty:
        fill(lines, empty, 0, WIDTH, 0, HEIGHT)
    shadows, lights, faces, face, shadow, s = mask_offsets(b, down, style)
    shift = b + f + s
    draws = [(shadow, mask_at(mask, offsets)) for offsets in shadows]
    draws += [(LIGHT, mask_at(mask, lights))] if lights else []
    draws += [(face, mask_at(mask, faces))] if faces else []
    draws += [(colour, (bx0 + shift, bx1 + shift, by0 + shift, by1 + shift))]
    for paint, rect in draws:
        if paint != empty:
            fill(lines, paint, *rect)
    return "\n".join(lines) + "\n"


def centred_caption_script(border):
    """A raised push button whose only content is the caption "Go", centred: every mask is the
    glyphs moved by (b + 1, b + 1) and drawn again one pixel to the right, so the oracle draws
    each mask as the caption at those places in the mask's colour."""
    b, f = border, 1
    w, h = GO_EXTENT[0] + 1, GO_EXTENT[1] + 1  # the caption's bitmap
    cx, cy = (WIDTH - w) // 2 - (b + 1), (HEIGHT - h) // 2 - (b + 1)  # in the base image
    lines = [f"canvas 120 60 {FORM} 24", "font -16 400 IPAPGothic", "bkmode transparent"]

    def glyphs(colour, offsets, widened):
        lines.append(f"textcolor {colour}")
        places = sorted({(cx + dx + e, cy + dy) for dx, dy in offsets for e in ((0, 1) if widened else (0,))})
        lines.extend(f"text {LEFT + x} {TOP + y} Go" for x, y in places)

    shadows, lights, faces, face, shadow, s = mask_offsets(b, False, "push")
    moved = [[(dx + b + 1, dy + b + 1) for dx, dy in group] for group in shadows + [lights, faces]]
    for group in moved[:-2]:
        glyphs(shadow, group, True)
    glyphs(LIGHT, moved[-2], True)
    glyphs(face, moved[-1], True)
    glyphs(NAVY, [(b + f + s, b + f + s)], False)
    return "\n".join(lines) + "\n"


def panel_picture_script(picture, stretch):
    """A panel (no edges: the base image is the control) showing a pattern, stretched onto the
    whole panel (the platform's enlarging takes the source pixel under each target pixel's
    centre) or centred, its offset (control - picture) div 2 truncated toward zero; the pattern's
    transparent bottom-left pixel leaves the form showing."""
    pw, ph = picture
    lines = [f"canvas 120 60 {FORM} 24", f"load pattern pattern-{'small' if stretch else 'large'}.bmp"]
    if stretch:
        lines.append(f"stretchblt {LEFT} {TOP} {WIDTH} {HEIGHT} pattern 0 0 {pw} {ph} srccopy")
        cols = [d for d in range(WIDTH) if int((d + 0.5) * pw / WIDTH) == 0]
        rows = [d for d in range(HEIGHT) if int((d + 0.5) * ph / HEIGHT) == ph - 1]
        fill(lines, FORM, cols[0], cols[-1] + 1, rows[0], rows[-1] + 1)
    else:
        ox, oy = int((WIDTH - pw) / 2), int((HEIGHT - ph) / 2)
        lines.append(f"bitblt {LEFT} {TOP} {WIDTH} {HEIGHT} pattern {-ox} {-oy} srccopy")
    return "\n".join(lines) + "\n"


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    card_bmp(folder / "card.bmp")
    write_bmp(folder / "pattern-small.bmp", *PATTERN_SMALL, pattern_colour(PATTERN_SMALL))
    write_bmp(folder / "pattern-large.bmp", *PATTERN_LARGE, pattern_colour(PATTERN_LARGE))
    for border, name in ((1, "single"), (0, "none")):
        for down, state in ((False, "up"), (True, "down")):
            header = f"# A push button with{'' if border else 'out'} its border, {state}.\n"
            (folder / f"button-{name}-{state}.gdi").write_text(header + script(border, down))
    for down, state in ((False, "up"), (True, "down")):
        (folder / f"button-float-{state}.gdi").write_text(
            f"# A float button with its border, {state}.\n" + script(1, down, "float"))
    (folder / "button-image.gdi").write_text(
        "# An image-style button with its border: never pressed, never shifted.\n"
        + script(1, False, "image"))
    (folder / "button-btnface.gdi").write_text(
        "# A button without content whose transparent colour is clBtnFace: every pixel of its\n"
        "# base image counts as drawn, and its face, of that very colour, draws nothing.\n"
        + script(1, False, base=(0, WIDTH - 4, 0, HEIGHT - 4), colour=FACE, empty=FACE))
    (folder / "caption-centred.gdi").write_text(
        "# A push button whose caption is centred, with its border and edges.\n"
        + centred_caption_script(1))
    (folder / "panel-stretch.gdi").write_text(
        "# A panel's picture stretched onto the whole panel.\n"
        + panel_picture_script(PATTERN_SMALL, True))
    (folder / "panel-crop.gdi").write_text(
        "# A panel's picture larger than the panel, centred and cropped.\n"
        + panel_picture_script(PATTERN_LARGE, False))
    (folder / "caption.gdi").write_text(
        "# A caption in navy at (4, 3) of a panel at (10, 10), the form around it.\n"
        f"canvas 120 60 {FORM} 24\n"
        "font -16 400 IPAPGothic\nbkmode transparent\ntextcolor 000080\ntext 14 13 Go\n")


main()
