#include "tools/gdiscript/ScriptCommands.h"

#include <ostream>

#include "framework/platform/Gdi.h"
#include "tools/gdiscript/BmpLoader.h"
#include "tools/gdiscript/ShapeCommands.h"

namespace tovu::gdiscript {

using namespace win;

namespace {

// One line per command. A command whose drawing call is not there yet answers
// "not supported yet"; the module that adds the call points its line at its handler.
constexpr TCommand kCommands[] = {
    {"canvas", CmdCanvas},
    {"pen", CmdPen},
    {"extpen", CmdExtPen},
    {"brush", CmdBrush},
    {"brushorg", CmdBrushOrg},
    {"rop2", CmdRop2},
    {"bkmode", CmdBkMode},
    {"bkcolor", CmdBkColor},
    {"textcolor", CmdTextColor},
    {"polyfillmode", CmdPolyFillMode},
    {"stretchmode", CmdStretchMode},
    {"rect", CmdRect},
    {"roundrect", CmdRoundRect},
    {"ellipse", CmdEllipse},
    {"arc", CmdNotSupportedYet},
    {"pie", CmdNotSupportedYet},
    {"chord", CmdNotSupportedYet},
    {"moveto", CmdMoveTo},
    {"lineto", CmdLineTo},
    {"polyline", CmdPolyline},
    {"polygon", CmdPolygon},
    {"setpixel", CmdSetPixel},
    {"fillrect", CmdFillRect},
    {"framerect", CmdFrameRect},
    {"patblt", CmdPatBlt},
    {"load", CmdLoad},
    {"loadimage", CmdLoad},
    {"stretchblt", CmdStretchBlt},
    {"bitblt", CmdBitBlt},
    {"font", CmdFont},
    {"text", CmdText},
    {"drawtext", CmdDrawText},
    {"calcrect", CmdCalcRect},
    {"pixel", CmdPixel},
    {"save", CmdSave},
    {"saveppm", CmdSavePpm},
};

const std::map<std::string, int> kPenStyles = {{"solid", PS_SOLID},
                                               {"dash", PS_DASH},
                                               {"dot", PS_DOT},
                                               {"dashdot", PS_DASHDOT},
                                               {"dashdotdot", PS_DASHDOTDOT},
                                               {"null", PS_NULL},
                                               {"insideframe", PS_INSIDEFRAME}};
const std::map<std::string, int> kEndCaps = {
    {"round", PS_ENDCAP_ROUND}, {"square", PS_ENDCAP_SQUARE}, {"flat", PS_ENDCAP_FLAT}};
const std::map<std::string, int> kJoins = {
    {"round", PS_JOIN_ROUND}, {"bevel", PS_JOIN_BEVEL}, {"miter", PS_JOIN_MITER}};
const std::map<std::string, int> kHatches = {
    {"horizontal", HS_HORIZONTAL}, {"vertical", HS_VERTICAL}, {"fdiagonal", HS_FDIAGONAL},
    {"bdiagonal", HS_BDIAGONAL},   {"cross", HS_CROSS},       {"diagcross", HS_DIAGCROSS}};
const std::map<std::string, int> kRop2 = {{"black", R2_BLACK},
                                          {"notmergepen", R2_NOTMERGEPEN},
                                          {"masknotpen", R2_MASKNOTPEN},
                                          {"notcopypen", R2_NOTCOPYPEN},
                                          {"maskpennot", R2_MASKPENNOT},
                                          {"not", R2_NOT},
                                          {"xorpen", R2_XORPEN},
                                          {"notmaskpen", R2_NOTMASKPEN},
                                          {"maskpen", R2_MASKPEN},
                                          {"notxorpen", R2_NOTXORPEN},
                                          {"nop", R2_NOP},
                                          {"mergenotpen", R2_MERGENOTPEN},
                                          {"copypen", R2_COPYPEN},
                                          {"mergepennot", R2_MERGEPENNOT},
                                          {"mergepen", R2_MERGEPEN},
                                          {"white", R2_WHITE}};
const std::map<std::string, int> kStretchModes = {{"blackonwhite", BLACKONWHITE},
                                                  {"whiteonblack", WHITEONBLACK},
                                                  {"coloroncolor", COLORONCOLOR},
                                                  {"halftone", HALFTONE}};

void Check(BOOL ok, const char* call) {
  if (!ok) Fail(std::string(call) + " failed");
}

}  // namespace

const TCommand* FindCommand(const std::string& name) {
  for (const TCommand& command : kCommands) {
    if (name == command.Name) return &command;
  }
  return nullptr;
}

void CmdNotSupportedYet(TScriptEngine& /*engine*/, TScriptArgs& args) {
  Fail(args.Command() + ": not supported yet");
}

void CmdCanvas(TScriptEngine& engine, TScriptArgs& args) {
  const int w = args.Integer("W"), h = args.Integer("H");
  const COLORREF c = args.Color("RRGGBB");
  const int bpp = args.More() ? args.Integer("bpp") : 32;
  args.Done();
  engine.NewCanvas(w, h, c, bpp);
}

void CmdPen(TScriptEngine& engine, TScriptArgs& args) {
  const int style = args.Lookup(kPenStyles, "pen style");
  const int width = args.Integer("WIDTH");
  const COLORREF c = args.Color("RRGGBB");
  args.Done();
  engine.ReplacePen(CreatePen(style, width, c));
}

void CmdExtPen(TScriptEngine& engine, TScriptArgs& args) {
  const int style = args.Lookup(kPenStyles, "pen style");
  const int width = args.Integer("WIDTH");
  const COLORREF c = args.Color("RRGGBB");
  const int cap = args.Lookup(kEndCaps, "end cap");
  const int join = args.Lookup(kJoins, "join");
  args.Done();
  const LOGBRUSH brush{BS_SOLID, c, 0};
  engine.ReplacePen(
      ExtCreatePen(DWORD(PS_GEOMETRIC | style | cap | join), DWORD(width), &brush, 0, nullptr));
}

void CmdBrush(TScriptEngine& engine, TScriptArgs& args) {
  const std::string kind = Lower(args.Word("solid|hollow|hatch"));
  LOGBRUSH brush;
  if (kind == "solid") {
    brush.lbStyle = BS_SOLID;
    brush.lbColor = args.Color("RRGGBB");
  } else if (kind == "hollow" || kind == "null") {
    brush.lbStyle = BS_HOLLOW;
  } else if (kind == "hatch") {
    brush.lbStyle = BS_HATCHED;
    brush.lbHatch = std::uintptr_t(args.Lookup(kHatches, "hatch style"));
    brush.lbColor = args.Color("RRGGBB");
  } else {
    Fail("unknown brush kind: " + kind);
  }
  args.Done();
  engine.ReplaceBrush(CreateBrushIndirect(&brush));
}

void CmdBrushOrg(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X"), y = args.Integer("Y");
  args.Done();
  Check(SetBrushOrgEx(engine.Dc(), x, y, nullptr), "SetBrushOrgEx");
}

void CmdRop2(TScriptEngine& engine, TScriptArgs& args) {
  const int r = args.Lookup(kRop2, "ROP2 mode");
  args.Done();
  if (!SetROP2(engine.Dc(), r)) Fail("SetROP2 failed");
}

void CmdBkMode(TScriptEngine& engine, TScriptArgs& args) {
  const std::string m = Lower(args.Word("opaque|transparent"));
  args.Done();
  const int mode = m == "opaque" ? OPAQUE : m == "transparent" ? TRANSPARENT : 0;
  if (!mode) Fail("unknown background mode: " + m);
  if (!SetBkMode(engine.Dc(), mode)) Fail("SetBkMode failed");
}

void CmdBkColor(TScriptEngine& engine, TScriptArgs& args) {
  const COLORREF c = args.Color("RRGGBB");
  args.Done();
  if (SetBkColor(engine.Dc(), c) == CLR_INVALID) Fail("SetBkColor failed");
}

void CmdTextColor(TScriptEngine& engine, TScriptArgs& args) {
  const COLORREF c = args.Color("RRGGBB");
  args.Done();
  if (SetTextColor(engine.Dc(), c) == CLR_INVALID) Fail("SetTextColor failed");
}

void CmdPolyFillMode(TScriptEngine& engine, TScriptArgs& args) {
  const std::string m = Lower(args.Word("alternate|winding"));
  args.Done();
  const int mode = m == "alternate" ? ALTERNATE : m == "winding" ? WINDING : 0;
  if (!mode) Fail("unknown fill mode: " + m);
  if (!SetPolyFillMode(engine.Dc(), mode)) Fail("SetPolyFillMode failed");
}

void CmdStretchMode(TScriptEngine& engine, TScriptArgs& args) {
  const int m = args.Lookup(kStretchModes, "stretch mode");
  args.Done();
  if (!SetStretchBltMode(engine.Dc(), m)) Fail("SetStretchBltMode failed");
  // As documented for HALFTONE: the brush origin is set again after switching.
  if (m == HALFTONE) Check(SetBrushOrgEx(engine.Dc(), 0, 0, nullptr), "SetBrushOrgEx");
}

void CmdSetPixel(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X"), y = args.Integer("Y");
  const COLORREF c = args.Color("RRGGBB");
  args.Done();
  if (SetPixel(engine.Dc(), x, y, c) == CLR_INVALID) Fail("SetPixel failed (outside the canvas?)");
}

namespace {

void FillOrFrame(TScriptEngine& engine, TScriptArgs& args, bool fill) {
  RECT rc;
  rc.left = args.Integer("L");
  rc.top = args.Integer("T");
  rc.right = args.Integer("R");
  rc.bottom = args.Integer("B");
  const COLORREF c = args.Color("RRGGBB");
  args.Done();
  HBRUSH brush = CreateSolidBrush(c);
  if (!brush) Fail("CreateSolidBrush failed");
  const bool ok =
      fill ? FillRect(engine.Dc(), &rc, brush) != 0 : FrameRect(engine.Dc(), &rc, brush) != 0;
  DeleteObject(brush);
  Check(ok, fill ? "FillRect" : "FrameRect");
}

}  // namespace

void CmdFillRect(TScriptEngine& engine, TScriptArgs& args) {
  FillOrFrame(engine, args, true);
}

void CmdFrameRect(TScriptEngine& engine, TScriptArgs& args) {
  FillOrFrame(engine, args, false);
}

void CmdPatBlt(TScriptEngine& engine, TScriptArgs& args) {
  const int l = args.Integer("L"), t = args.Integer("T"), w = args.Integer("W"),
            h = args.Integer("H");
  const DWORD rop = args.Rop("ROPHEX");
  args.Done();
  Check(PatBlt(engine.Dc(), l, t, w, h, rop), "PatBlt");
}

void CmdLoad(TScriptEngine& engine, TScriptArgs& args) {
  const std::string name = args.Word("NAME");
  const std::string path = engine.Resolve(args.Word("path.bmp"));
  const int bpp = args.More() ? args.Integer("bpp") : 0;
  args.Done();
  if (bpp != 0 && bpp != 24 && bpp != 32) Fail("bit depth must be 24 or 32");
  engine.SetSource(name, LoadBmpFile(path, engine.Screen()), bpp);
}

void CmdStretchBlt(TScriptEngine& engine, TScriptArgs& args) {
  const int dl = args.Integer("DL"), dt = args.Integer("DT"), dw = args.Integer("DW"),
            dh = args.Integer("DH");
  const TSourceBitmap& s = engine.Source(args.Word("NAME"));
  const int sl = args.Integer("SL"), st = args.Integer("ST"), sw = args.Integer("SW"),
            sh = args.Integer("SH");
  const DWORD rop = args.Rop("ROPHEX");
  args.Done();
  Check(StretchBlt(engine.Dc(), dl, dt, dw, dh, s.Dc, sl, st, sw, sh, rop), "StretchBlt");
}

void CmdBitBlt(TScriptEngine& engine, TScriptArgs& args) {
  const int dl = args.Integer("DL"), dt = args.Integer("DT"), dw = args.Integer("DW"),
            dh = args.Integer("DH");
  const TSourceBitmap& s = engine.Source(args.Word("NAME"));
  const int sl = args.Integer("SL"), st = args.Integer("ST");
  const DWORD rop = args.Rop("ROPHEX");
  args.Done();
  Check(BitBlt(engine.Dc(), dl, dt, dw, dh, s.Dc, sl, st, rop), "BitBlt");
}

void CmdPixel(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X"), y = args.Integer("Y");
  args.Done();
  engine.Dc();
  if (x < 0 || y < 0 || x >= engine.Width() || y >= engine.Height())
    Fail("pixel outside the canvas");
  const COLORREF c = engine.CanvasPixel(x, y);
  char text[64];
  std::snprintf(text, sizeof text, "pixel %d %d %02X%02X%02X\n", x, y, GetRValue(c), GetGValue(c),
                GetBValue(c));
  engine.Out() << text;
}

void CmdSave(TScriptEngine& engine, TScriptArgs& args) {
  const std::string path = engine.Resolve(args.Word("out.bmp"));
  args.Done();
  WriteFile(path, engine.EncodeCanvas());
}

void CmdSavePpm(TScriptEngine& engine, TScriptArgs& args) {
  const std::string path = engine.Resolve(args.Word("out.ppm"));
  args.Done();
  engine.Dc();
  std::string header =
      "P6\n" + std::to_string(engine.Width()) + " " + std::to_string(engine.Height()) + "\n255\n";
  std::vector<std::uint8_t> data(header.begin(), header.end());
  for (int y = 0; y < engine.Height(); ++y) {
    for (int x = 0; x < engine.Width(); ++x) {
      const COLORREF c = engine.CanvasPixel(x, y);
      data.insert(data.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  WriteFile(path, data);
}

}  // namespace tovu::gdiscript
