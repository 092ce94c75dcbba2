#!/usr/bin/env python3
"""Writes the shine button's look fixtures from one table of configurations: the form descriptions
form-render pictures (flat.txt, gradient.txt, transparent.txt) and, independently of the
program, the GDI oracle's scripts of the same scenes in each drawing state of the first button
(*-up, *-hot, *-pressed, *-down .gdi), worked out here from the drawing rules: faces, gradient
strips stretched by the platform, frames as pen lines, the state glyph of every effect set
pixel by pixel, the embossed disabled glyph painted through its edge mask with raster operation
00E20746, and captions with their shadow and highlight copies. Also writes the pictures the
scripts and descriptions load: glyph.bmp, the gradient strips and the glyph's edge mask.
Captions are placed with the extents the platform measures, read from extents.txt (checked by
the test against the program's own measurement); one with an accelerator is drawn by the
oracle's DrawText into its box. Run the oracle on the scripts with make-goldens.sh."""
import struct
import sys
from pathlib import Path

HERE = Path(__file__).parent

# The system colours of the classic scheme (red, green, blue).
SYSTEM = {
    "clBtnFace": (212, 208, 200), "clBtnHighlight": (255, 255, 255),
    "clBtnShadow": (128, 128, 128), "clWindowFrame": (0, 0, 0), "clBtnText": (0, 0, 0),
    "clHighlight": (10, 36, 106),
}
NAMED = {
    "clTeal": (0, 128, 128), "clWhite": (255, 255, 255), "clBlack": (0, 0, 0),
    "clYellow": (255, 255, 0), "clAqua": (0, 255, 255), "clGray": (128, 128, 128),
    "clMaroon": (128, 0, 0), "clNavy": (0, 0, 128), "clLime": (0, 255, 0),
    "clNone": None,
}

GLYPH = [
    "............",
    "....rrrr....",
    "..rrrrrrrr..",
    "..rrrbbrrr..",
    ".rrrbbbbrrr.",
    ".rrrbbbbwrr.",
    "..rrrbbrrr..",
    "..rrrrrrrr..",
    "....rrrr....",
    "............",
]
GLYPH_COLOURS = {".": (0, 255, 0), "r": (220, 40, 40), "b": (20, 30, 160), "w": (250, 250, 240)}
FONT = "IPAPGothic"
FONT_HEIGHT = -12


def rgb(colour):
    """A colour given as a name or as (red, green, blue)."""
    if isinstance(colour, tuple):
        return colour
    return SYSTEM.get(colour, NAMED.get(colour))


def colour_text(colour):
    """A colour as a form description writes it."""
    if isinstance(colour, str):
        return colour
    r, g, b = colour
    return f"$00{b:02X}{g:02X}{r:02X}"


def hexrgb(colour):
    r, g, b = rgb(colour)
    return f"{r:02X}{g:02X}{b:02X}"


def write_bmp24(path, rows):
    """rows: top row first, pixels (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) // 4 * 4
    data = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + data)


def glyph_pixels():
    return [[GLYPH_COLOURS[c] for c in row] for row in GLYPH]


# Colour sets and buttons: every value not given is the button's default.
def colours(**values):
    base = {"Color": "clBtnFace", "Highlight": "clBtnHighlight", "Shadow": "clBtnShadow",
            "DarkShadow": "clWindowFrame", "GradColor": (0, 0, 255), "GradVertical": False,
            "Gradation": False}
    base.update(values)
    return base


def button(**values):
    base = {"Left": 0, "Top": 0, "Width": 25, "Height": 25, "Caption": "", "Glyph": False,
            "Enabled": True, "GroupIndex": 0, "FrameType": "ftNormalFrame",
            "Transparent": False, "ActiveFrame": True, "UpFrame": True, "DownFrame": True,
            "ActiveImage": "aiFrameLight", "DisabledImage": "diDefault",
            "DisabledHighlight": "clBtnHighlight", "DisabledShadow": "clBtnShadow",
            "ShineColor": "clYellow", "FontColor": "clBtnText", "ActiveFontColor": "clHighlight",
            "FontShadow": "clNone", "FontHighlight": "clNone", "Layout": "blGlyphLeft",
            "Margin": -1, "Spacing": 4, "Colors": colours(),
            "PressedColors": colours(Color="clBtnHighlight")}
    base.update(values)
    return base


def disabled_copy(first, **values):
    copy = dict(first)
    copy.update(Enabled=False, GroupIndex=0, **values)
    return copy


FLAT = button(Left=4, Top=4, Width=72, Height=26, Caption="Go", Glyph=True, GroupIndex=1,
              FontColor="clBlack", ActiveFontColor="clNavy", FontShadow="clWhite")
GRADIENT = button(
    Left=4, Top=4, Width=56, Height=56, Caption="上へ", Glyph=True, GroupIndex=1,
    Layout="blGlyphTop", FrameType="ftEnclosedFrame", ActiveImage="aiXorLight",
    ShineColor="clAqua", DisabledImage="diGrayscale", FontHighlight="clWhite",
    Colors=colours(Color=(128, 192, 240), GradColor=(16, 32, 64), Gradation=True),
    PressedColors=colours(Color=(255, 240, 128), GradColor=(128, 64, 0), Gradation=True,
                          GradVertical=True, Highlight="clYellow"))
TRANSPARENT = button(
    Left=4, Top=4, Width=96, Height=26, Caption="Right", Glyph=True, GroupIndex=1,
    Transparent=True, FrameType="ftFlatFrame", Layout="blGlyphRight", Margin=4, Spacing=2,
    ActiveImage="aiFrameLight2", DisabledImage="diAlphaHalfTrans", FontShadow="clGray",
    FontHighlight="clWhite", DownFrame=False,
    PressedColors=colours(Color="clBtnHighlight", Highlight="clYellow", Shadow="clMaroon"))

# Faces narrower than the 256-step strip, whose end columns and rows the platform's stretch picks,
# shown without a frame over them (none while hot or pressed, none while up or disabled), and a
# caption with an accelerator.
FRAMELESS = button(
    Left=4, Top=4, Width=100, Height=30, Caption="&Fit", Glyph=True, GroupIndex=1,
    ActiveFrame=False, UpFrame=False, FontShadow="clWhite",
    Colors=colours(Color=(250, 200, 40), GradColor=(30, 60, 140), Gradation=True),
    PressedColors=colours(Color=(255, 255, 255), GradColor=(0, 128, 64), Gradation=True,
                          GradVertical=True))

CONFIGS = {
    "flat": {"Size": (120, 62), "Buttons": [
        FLAT, disabled_copy(FLAT, Top=32), button(Left=86, Top=4)]},
    "gradient": {"Size": (150, 64), "Buttons": [
        GRADIENT, disabled_copy(GRADIENT, Left=64),
        button(Left=124, Top=4, Width=22, Height=22, FrameType="ftEnclosedFrame")]},
    "transparent": {"Size": (130, 62), "Buttons": [
        TRANSPARENT, disabled_copy(TRANSPARENT, Top=32),
        button(Left=102, Top=32, Width=26, Height=26, Caption="OK")]},
    "frameless": {"Size": (150, 76), "Buttons": [
        FRAMELESS, disabled_copy(FRAMELESS, Top=40),
        button(Left=110, Top=4, Width=24, Height=60, UpFrame=False,
               Colors=colours(Color=(200, 0, 90), GradColor=(20, 220, 250), Gradation=True,
                              GradVertical=True)),
        button(Left=140, Top=4, Width=5, Height=20, UpFrame=False,
               Colors=colours(Color=(0, 0, 0), GradColor=(255, 255, 255), Gradation=True))]},
}
# The first button's drawing state in each picture: up, hot, pressed (held with the mouse over
# it) and down (clicked in its group, mouse gone).
STATES = {"up": "shUp", "hot": "shActiveUp", "pressed": "shActiveDown", "down": "shDown"}


def read_extents():
    extents = {}
    for line in (HERE / "extents.txt").read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            caption, width, height = line.split()
            extents[caption] = (int(width), int(height))
    return extents


# The form description.

def description(name, config):
    w, h = config["Size"]
    lines = ["object Form1: TForm", "  BorderStyle = bsNone", f"  ClientWidth = {w}",
             f"  ClientHeight = {h}", "  Color = clTeal"]
    for i, b in enumerate(config["Buttons"], 1):
        lines.append(f"  object Shine{i}: TShineSpeedButton")
        for key in ("Left", "Top", "Width", "Height"):
            lines.append(f"    {key} = {b[key]}")
        defaults = button()
        for key in ("GroupIndex", "FrameType", "Transparent", "ActiveFrame", "UpFrame",
                    "DownFrame", "ActiveImage", "DisabledImage", "ShineColor", "FontShadow",
                    "FontHighlight", "Layout", "Margin", "Spacing", "Enabled"):
            if b[key] != defaults[key]:
                value = b[key]
                if isinstance(value, bool):
                    value = "True" if value else "False"
                elif key in ("ShineColor", "FontShadow", "FontHighlight"):
                    value = colour_text(value)
                lines.append(f"    {key} = {value}")
        for set_name in ("Colors", "PressedColors"):
            for key, value in b[set_name].items():
                if value != defaults[set_name][key]:
                    value = ("True" if value else "False") if isinstance(value, bool) \
                        else colour_text(value)
                    lines.append(f"    {set_name}.{key} = {value}")
        for font, colour in (("Font", b["FontColor"]), ("ActiveFont", b["ActiveFontColor"])):
            lines += [f"    {font}.Name = '{FONT}'", f"    {font}.Height = {FONT_HEIGHT}",
                      f"    {font}.Color = {colour_text(colour)}"]
        if b["Caption"]:
            lines.append(f"    Caption = '{b['Caption']}'")
        if b["Glyph"]:
            lines.append("    Glyph.File = 'glyph.bmp'")
        lines.append("  end")
    lines.append("end")
    return "\n".join(lines) + "\n"


# The state glyph.

def opaque_map(glyph):
    background = glyph[-1][0]
    return [[p != background for p in row] for row in glyph], background


def state_glyph(b, state):
    """The state glyph's pixels and its see-through colour; None for the edge mask look."""
    glyph = glyph_pixels()
    result = [list(row) for row in glyph]
    opaque, background = opaque_map(glyph)
    h, w = len(glyph), len(glyph[0])
    if state in ("shActiveUp", "shActiveDown"):
        shine = rgb(b["ShineColor"])
        effect = b["ActiveImage"]
        mixes = {
            "aiXorLight": lambda c, s: c ^ s, "aiHalfLight": lambda c, s: (c + s) // 2,
            "aiQuaterLight": lambda c, s: (3 * s + c) // 4,
            "aiAddLight": lambda c, s: min(c + s, 255)}
        if effect in mixes:
            for y in range(h):
                for x in range(w):
                    if opaque[y][x]:
                        result[y][x] = tuple(mixes[effect](c, s) for c, s in zip(glyph[y][x], shine))
        elif effect == "aiMaskLight":
            for y in range(h):
                for x in range(w):
                    if opaque[y][x] and (x + y) % 2:
                        result[y][x] = shine
        elif effect in ("aiFrameLight", "aiFrameLight2"):
            frame_light(opaque, result, shine, effect == "aiFrameLight2")
    elif state == "shDisabled":
        face = rgb(b["Colors"]["Color"])
        effect = b["DisabledImage"]
        if effect == "diDefault":
            return None, None
        for y in range(h):
            for x in range(w):
                if not opaque[y][x]:
                    continue
                c = glyph[y][x]
                if effect == "diGrayscale":
                    g = sum(c) // 3
                    result[y][x] = (g, g, g)
                elif effect == "diAlphaHalfTrans":
                    result[y][x] = tuple((f + v) // 2 for f, v in zip(face, c))
                elif effect == "diAlphaQuaterTrans":
                    result[y][x] = tuple((3 * f + v) // 4 for f, v in zip(face, c))
                elif effect == "diMaskTrans" and (x + y) % 2:
                    result[y][x] = background
    return result, result[-1][0]


def frame_light(opaque, result, shine, thick):
    h, w = len(opaque), len(opaque[0])

    def paint(x, y, shape_x, shape_y, further):
        if not opaque[shape_y][shape_x] or opaque[y][x]:
            return
        result[y][x] = shine
        if thick:
            for dx, dy in further:
                fx, fy = x + dx, y + dy
                if 0 <= fx < w and 0 <= fy < h and not opaque[fy][fx]:
                    result[fy][fx] = shine

    for y in range(h):
        for x in range(w - 1):
            paint(x, y, x + 1, y, [(-1, 0), (0, -1), (0, 1)])
        for x in range(1, w):
            paint(x, y, x - 1, y, [(1, 0), (0, -1), (0, 1)])
        if y + 1 < h:
            for x in range(w):
                paint(x, y, x, y + 1, [(0, -1), (-1, 0), (1, 0)])
        if y > 0:
            for x in range(w):
                paint(x, y, x, y - 1, [(0, 1), (-1, 0), (1, 0)])


def edge_mask():
    """White where a diagonal pair of the pixel's 2 x 2 block differs, black elsewhere."""
    glyph = glyph_pixels()
    h, w = len(glyph), len(glyph[0])
    mask = [[(0, 0, 0)] * w for _ in range(h)]
    for y in range(h - 1):
        for x in range(w - 1):
            if glyph[y][x] != glyph[y + 1][x + 1] or glyph[y][x + 1] != glyph[y + 1][x]:
                mask[y][x] = (255, 255, 255)
    return mask


# Layout.

def layout(b, extents):
    gw, gh = (len(GLYPH[0]), len(GLYPH)) if b["Glyph"] else (0, 0)
    has_glyph, has_text = b["Glyph"], bool(b["Caption"])
    tw, th = extents[b["Caption"]] if has_text else (0, 0)
    spacing = b["Spacing"] if has_glyph and has_text else 0
    kind = b["Layout"]
    if kind == "blGlyphLeft":
        gx, tx, width, height = 0, gw + spacing, gw + spacing + tw, max(gh, th)
        gy, ty = (height - gh) // 2, (height - th) // 2
    elif kind == "blGlyphRight":
        tx, gx, width, height = 0, tw + spacing, tw + spacing + gw, max(gh, th)
        gy, ty = (height - gh) // 2, (height - th) // 2
    elif kind == "blGlyphTop":
        gy, ty, height, width = 0, gh + spacing, gh + spacing + th, max(gw, tw)
        gx, tx = (width - gw) // 2, (width - tw) // 2
    else:
        ty, gy, height, width = 0, th + spacing, th + spacing + gh, max(gw, tw)
        gx, tx = (width - gw) // 2, (width - tw) // 2
    cw, ch = b["Width"], b["Height"]
    mx, my = toward_zero(cw - width, 2), toward_zero(ch - height, 2)
    if b["Margin"] >= 0:
        m = b["Margin"]
        mx, my = {"blGlyphLeft": (m, my), "blGlyphRight": (cw - width - m, my),
                  "blGlyphTop": (mx, m), "blGlyphBottom": (mx, ch - height - m)}[kind]
    return (mx + gx, my + gy), (mx + tx, my + ty)


# The oracle's script of one button.

def strip_name(colour_set):
    start, end = hexrgb(colour_set["Color"]), hexrgb(colour_set["GradColor"])
    return f"strip-{start}-{end}-{'v' if colour_set['GradVertical'] else 'h'}"


def toward_zero(numerator, denominator):
    quotient = abs(numerator) // denominator
    return quotient if numerator >= 0 else -quotient


def strip_pixels(colour_set):
    s, e = rgb(colour_set["Color"]), rgb(colour_set["GradColor"])
    steps = [tuple(sc + toward_zero(i * (ec - sc), 255) for sc, ec in zip(s, e))
             for i in range(256)]
    return [[p] for p in steps] if colour_set["GradVertical"] else [steps]


def face(lines, b, colour_set, left, top):
    w, h = b["Width"], b["Height"]
    if not colour_set["Gradation"]:
        lines.append(f"fillrect {left} {top} {left + w} {top + h} {hexrgb(colour_set['Color'])}")
        return
    name = strip_name(colour_set)
    sw, sh = (1, 256) if colour_set["GradVertical"] else (256, 1)
    lines += [f"load {name} {name}.bmp", "stretchmode coloroncolor",
              f"stretchblt {left} {top} {w} {h} {name} 0 0 {sw} {sh} srccopy"]


def frame(lines, b, state, left, top):
    wanted = {"shActiveDown": b["ActiveFrame"], "shActiveUp": b["ActiveFrame"],
              "shDown": b["DownFrame"]}.get(state, b["UpFrame"])
    if not wanted:
        return
    pressed = state in ("shActiveDown", "shDown")
    c = b["PressedColors"] if pressed else b["Colors"]
    hl, sh, ds = c["Highlight"], c["Shadow"], c["DarkShadow"]
    w, h = b["Width"], b["Height"]
    kind = b["FrameType"]
    if kind == "ftFlatFrame":
        strokes = [(sh if pressed else hl, 0, 0, w - 1, h - 1),
                   (hl if pressed else sh, w - 1, h - 1, 0, 0)]
    elif kind == "ftNormalFrame":
        strokes = ([(sh, 1, 1, w - 1, h - 1), (ds, 0, 0, w - 1, h - 1), (hl, w - 1, h - 1, 0, 0)]
                   if pressed else
                   [(sh, w - 2, h - 2, 0, 0), (ds, w - 1, h - 1, 0, 0), (hl, 0, 0, w - 1, h - 1)])
    else:
        strokes = [(sh if pressed else hl, 1, 1, w - 2, h - 2),
                   (hl if pressed else sh, w - 2, h - 2, 1, 1)]
    for colour, x, y, to_x, to_y in strokes:
        lines.append(f"pen solid 1 {hexrgb(colour)}")
        lines += [f"moveto {left + x} {top + y}", f"lineto {left + to_x} {top + y}",
                  f"moveto {left + x} {top + y}", f"lineto {left + x} {top + to_y}"]
    if kind == "ftEnclosedFrame":
        lines += [f"pen solid 1 {hexrgb(b['Colors']['DarkShadow'])}", "brush hollow",
                  f"rect {left} {top} {left + w} {top + h}"]


def glyph_and_caption(lines, b, state, left, top, extents):
    (gx, gy), (tx, ty) = layout(b, extents)
    shift = 1 if state in ("shActiveDown", "shDown") else 0
    if b["Glyph"]:
        x, y = left + gx + shift, top + gy + shift
        pixels, see_through = state_glyph(b, state)
        if pixels is None:
            w, h = len(GLYPH[0]), len(GLYPH)
            lines.append("load edges glyph-edges.bmp")
            for colour, dx in ((b["DisabledHighlight"], 1), (b["DisabledShadow"], 0)):
                lines += [f"brush solid {hexrgb(colour)}",
                          f"bitblt {x + dx} {y + dx} {w} {h} edges 0 0 00E20746"]
        else:
            for py, row in enumerate(pixels):
                for px, p in enumerate(row):
                    if p != see_through:
                        lines.append(f"setpixel {x + px} {y + py} {hexrgb(p)}")
    if not b["Caption"]:
        return
    x, y = left + tx + shift, top + ty + shift
    lines += [f"font {FONT_HEIGHT} 400 {FONT}", "bkmode transparent"]
    if state == "shDisabled":
        copies = [(b["DisabledHighlight"], 1), (b["DisabledShadow"], 0)]
    else:
        main = b["ActiveFontColor"] if state in ("shActiveUp", "shActiveDown") else b["FontColor"]
        copies = [(b["FontShadow"], 1), (b["FontHighlight"], -1), (main, 0)]
    tw, th = extents[b["Caption"]]
    for colour, d in copies:
        if rgb(colour) is None:
            continue
        lines.append(f"textcolor {hexrgb(colour)}")
        if "&" in b["Caption"]:
            # The platform's own DrawText (DT_CENTER | DT_VCENTER) draws the accelerator's line.
            lines.append(f"drawtext {x + d} {y + d} {x + d + tw} {y + d + th} 5 {b['Caption']}")
        else:
            lines.append(f"text {x + d} {y + d} {b['Caption']}")


def script(name, config, first_state, extents):
    w, h = config["Size"]
    lines = [f"# {name}: the first button {first_state}, the others as they are.",
             f"canvas {w} {h} {hexrgb('clTeal')} 24"]
    for i, b in enumerate(config["Buttons"]):
        state = first_state if i == 0 else ("shUp" if b["Enabled"] else "shDisabled")
        colour_set = b["PressedColors"] if state in ("shActiveDown", "shDown") else b["Colors"]
        if not b["Transparent"]:
            face(lines, b, colour_set, b["Left"], b["Top"])
        glyph_and_caption(lines, b, state, b["Left"], b["Top"], extents)
        frame(lines, b, state, b["Left"], b["Top"])
    return "\n".join(lines) + "\n"


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE
    extents = read_extents()
    write_bmp24(folder / "glyph.bmp", glyph_pixels())
    write_bmp24(folder / "glyph-edges.bmp", edge_mask())
    for name, config in CONFIGS.items():
        (folder / f"{name}.txt").write_text(description(name, config), encoding="utf-8")
        for b in config["Buttons"]:
            for colour_set in (b["Colors"], b["PressedColors"]):
                if colour_set["Gradation"]:
                    write_bmp24(folder / f"{strip_name(colour_set)}.bmp", strip_pixels(colour_set))
        for suffix, state in STATES.items():
            (folder / f"{name}-{suffix}.gdi").write_text(script(name, config, state, extents),
                                                         encoding="utf-8")


main()
