#include "framework/platform/Text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/FaceMeasure.h"
#include "framework/platform/gdi/FontObject.h"
#include "framework/platform/gdi/Painter.h"
#include "framework/platform/gdi/TextChars.h"
#include "framework/platform/gdi/TextCoverage.h"
#include "framework/platform/gdi/TextLayout.h"
#include "framework/platform/gdi/TextPlacement.h"

namespace win {
namespace {

using gdi::TDeviceContext;
using gdi::TFontFace;
using gdi::TPainter;
using gdi::TRegion;

// A context ready for text: the context itself and the face of its selected font.
struct TTextTarget {
  std::shared_ptr<TDeviceContext> Dc;
  std::shared_ptr<const TFontFace> Face;
};

std::optional<TTextTarget> FindTextTarget(HDC dc) {
  std::shared_ptr<TDeviceContext> context = gdi::FindDc(dc);
  if (!context) return std::nullopt;
  std::shared_ptr<const TFontFace> face = gdi::SelectedFace(*context);
  if (!face) return std::nullopt;
  return TTextTarget{std::move(context), std::move(face)};
}

// The bytes of a counted string; -1 counts up to the terminator when `terminated` allows it.
// Nothing for a null pointer with characters, or a count the call does not accept.
std::optional<std::string_view> CountedText(LPCSTR text, std::int64_t count, bool terminated) {
  if (count == -1 && terminated) {
    if (text == nullptr) return std::nullopt;
    return std::string_view(text);
  }
  if (count < 0 || count > INT_MAX) return std::nullopt;
  if (count == 0) return std::string_view();
  if (text == nullptr) return std::nullopt;
  return std::string_view(text, static_cast<std::size_t>(count));
}

// One line of text as code points, with each character's advance when the call overrides the
// font's (ExtTextOut's dx, the context's character extra).
struct TShapedLine {
  std::u32string Text;
  std::vector<int> Advances;  // empty: the font's own advances
  std::int64_t Width = 0;
};

TShapedLine ShapeLine(const TFontFace& face, std::string_view bytes, const int* dx, int extra) {
  TShapedLine line;
  for (const gdi::TTextChar& c : gdi::SplitCharacters(bytes, CP_ACP)) {
    line.Text.push_back(c.Code);
    if (dx == nullptr && extra == 0) continue;
    std::int64_t advance = 0;
    if (dx != nullptr) {
      for (std::size_t i = 0; i < c.Length; ++i)
        advance += dx[c.Offset + i];
    } else {
      advance = std::int64_t{face.Advance(c.Code)} + extra;
    }
    line.Advances.push_back(static_cast<int>(std::clamp<std::int64_t>(advance, INT_MIN, INT_MAX)));
  }
  line.Width = gdi::RunWidth(face, line.Text, line.Advances);
  return line;
}

// The device rectangle within which anything can show: glyphs wholly outside it are skipped.
RECT PaintLimit(const TDeviceContext& dc, const std::optional<RECT>& clip) {
  TRegion reach = dc.DeviceClip();
  if (clip) reach.Intersect(*clip);
  return reach.Extents();
}

// Paints one line whose baseline starts at `origin` (device coordinates): the opaque cell box
// when the background mode asks for it, then the ink in the text colour. Text ignores the mix
// mode: it always replaces the pixels it covers.
void PaintLine(const TTextTarget& target, POINT origin, const TShapedLine& line,
               const std::optional<RECT>& clip) {
  const TPainter painter(target.Dc);
  const gdi::TDcState& state = target.Dc->State();
  if (state.BkMode == OPAQUE) {
    TRegion box(gdi::TextCellBox(*target.Face, origin.x, static_cast<LONG>(line.Width), origin.y));
    if (clip) box.Intersect(*clip);
    painter.PaintBackground(box, R2_COPYPEN);
  }
  TRegion ink = gdi::TextLineCoverage(*target.Face, line.Text, origin, PaintLimit(*target.Dc, clip),
                                      line.Advances);
  if (clip) ink.Intersect(*clip);
  painter.PaintSolid(ink, state.TextColor, R2_COPYPEN);
}

// TextOut and ExtTextOut: the line placed by the text alignment from the reference point.
BOOL OutputLine(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view bytes,
                const int* dx) {
  const std::optional<TTextTarget> target = FindTextTarget(dc);
  if (!target) return FALSE;
  gdi::TDcState& state = target->Dc->State();
  const TShapedLine line = ShapeLine(*target->Face, bytes, dx, state.TextCharacterExtra);
  const TEXTMETRICA& tm = target->Face->Metrics().Text;
  const bool updateCp = (state.TextAlign & TA_UPDATECP) != 0;
  const POINT reference = updateCp ? state.CurrentPosition : POINT{x, y};
  const gdi::TTextPlacement placement = gdi::PlaceText(
      state.TextAlign, reference, static_cast<LONG>(line.Width), tm.tmAscent, tm.tmDescent);
  const TPainter painter(target->Dc);
  std::optional<RECT> clip;
  if (rect != nullptr) {
    const RECT device = painter.ToDevice(*rect);
    if (options & ETO_OPAQUE) painter.PaintBackground(TRegion(device), R2_COPYPEN);
    if (options & ETO_CLIPPED) clip = device;
  }
  if (!line.Text.empty()) PaintLine(*target, painter.ToDevice(placement.Origin), line, clip);
  if (updateCp) state.CurrentPosition = placement.NextPosition;
  return TRUE;
}

LONG Saturated(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The baseline start, in device coordinates, of a line whose cell top is at `top`.
POINT BaselineOf(const TTextTarget& target, LONG left, LONG top) {
  const LONG ascent = target.Face->Metrics().Text.tmAscent;
  return TPainter(target.Dc).ToDevice(POINT{left, Saturated(std::int64_t{top} + ascent)});
}

// The prefix underlines are pen lines in the text colour through the mix mode (which the glyphs
// ignore). The formatting rectangle clips them to its columns and to its rows including the
// bottom one, as the platform clips that line.
void PaintPrefixMarks(const TTextTarget& target, const gdi::TTextLayout& layout,
                      const std::optional<RECT>& clip) {
  TRegion marks;
  for (const gdi::TLayoutMark& mark : layout.Marks) {
    const POINT start = BaselineOf(target, mark.Left, mark.Y);
    const LONG end = Saturated(std::int64_t{start.x} + mark.Right - mark.Left);
    marks.Union(gdi::PrefixUnderlineRect(start.x, end, start.y));
  }
  if (clip)
    marks.Intersect(
        RECT{clip->left, clip->top, clip->right, Saturated(std::int64_t{clip->bottom} + 1)});
  const gdi::TDcState& state = target.Dc->State();
  TPainter(target.Dc).PaintSolid(marks, state.TextColor, state.Rop2);
}

// DrawTextA's drawing: every run of the layout, then the prefix underlines.
void PaintLayout(const TTextTarget& target, const gdi::TTextLayout& layout,
                 const std::optional<RECT>& clip) {
  const int extra = target.Dc->State().TextCharacterExtra;
  for (const gdi::TLayoutRun& run : layout.Runs) {
    TShapedLine line;
    line.Text = run.Text;
    if (extra != 0) {
      for (const char32_t code : run.Text)
        line.Advances.push_back(target.Face->Advance(code) + extra);
    }
    line.Width = run.Width;
    PaintLine(target, BaselineOf(target, run.X, run.Y), line, clip);
  }
  PaintPrefixMarks(target, layout, clip);
}

}  // namespace

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA logFont;
  logFont.lfHeight = height;
  logFont.lfWidth = width;
  logFont.lfEscapement = escapement;
  logFont.lfOrientation = orientation;
  logFont.lfWeight = weight;
  logFont.lfItalic = static_cast<BYTE>(italic);
  logFont.lfUnderline = static_cast<BYTE>(underline);
  logFont.lfStrikeOut = static_cast<BYTE>(strikeOut);
  logFont.lfCharSet = static_cast<BYTE>(charSet);
  logFont.lfOutPrecision = static_cast<BYTE>(outPrecision);
  logFont.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  logFont.lfQuality = static_cast<BYTE>(quality);
  logFont.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName != nullptr) {
    const std::size_t length = strnlen(faceName, LF_FACESIZE - 1);
    std::memcpy(logFont.lfFaceName, faceName, length);
  }
  return CreateFontIndirectA(&logFont);
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  if (logFont == nullptr) return nullptr;
  return gdi::RegisterObject<HFONT>(std::make_shared<gdi::TFontObject>(*logFont));
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  const std::optional<std::string_view> bytes = CountedText(text, count, false);
  if (!bytes) return FALSE;
  return OutputLine(dc, x, y, 0, nullptr, *bytes, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const int* dx) {
  const std::optional<std::string_view> bytes = CountedText(text, count, false);
  if (!bytes) return FALSE;
  return OutputLine(dc, x, y, options, rect, *bytes, dx);
}

int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  const std::optional<std::string_view> bytes = CountedText(text, count, true);
  if (!bytes || rect == nullptr) return 0;
  const std::optional<TTextTarget> target = FindTextTarget(dc);
  if (!target) return 0;
  const gdi::TFaceMeasure measure(*target->Face, target->Dc->State().TextCharacterExtra);
  const gdi::TTextLayout layout = gdi::LayoutDrawText(*bytes, CP_ACP, *rect, format, measure);
  const UINT flags = gdi::DrawTextFlags(format);
  if (flags & DT_CALCRECT) {
    rect->right = layout.CalcRect.right;
    rect->bottom = layout.CalcRect.bottom;
    return layout.Result;
  }
  std::optional<RECT> clip;
  if (!(flags & DT_NOCLIP)) clip = TPainter(target->Dc).ToDevice(*rect);
  PaintLayout(*target, layout, clip);
  return layout.Result;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
  const std::optional<std::string_view> bytes = CountedText(text, count, false);
  if (!bytes || size == nullptr) return FALSE;
  const std::optional<TTextTarget> target = FindTextTarget(dc);
  if (!target) return FALSE;
  const TShapedLine line =
      ShapeLine(*target->Face, *bytes, nullptr, target->Dc->State().TextCharacterExtra);
  size->cx = static_cast<LONG>(std::min<std::int64_t>(line.Width, INT_MAX));
  size->cy = target->Face->Metrics().Text.tmHeight;
  return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  if (metrics == nullptr) return FALSE;
  const std::optional<TTextTarget> target = FindTextTarget(dc);
  if (!target) return FALSE;
  *metrics = target->Face->Metrics().Text;
  return TRUE;
}

int GetTextFaceA(HDC dc, int count, LPSTR faceName) {
  const std::optional<TTextTarget> target = FindTextTarget(dc);
  if (!target) return 0;
  const std::string name = FromUtf8(target->Face->FaceName());
  if (faceName == nullptr) return static_cast<int>(name.size()) + 1;
  if (count <= 0) return 0;
  // Whole characters only: a lead byte never goes out without its trail byte.
  std::size_t length = 0;
  while (length < name.size()) {
    const std::size_t next = length + CharLength(CP_ACP, std::string_view(name).substr(length));
    if (next > static_cast<std::size_t>(count - 1)) break;
    length = next;
  }
  std::memcpy(faceName, name.data(), length);
  faceName[length] = '\0';
  return static_cast<int>(length) + 1;
}

UINT SetTextAlign(HDC dc, UINT align) {
  const std::shared_ptr<TDeviceContext> context = gdi::FindDc(dc);
  if (!context) return GDI_ERROR;
  const UINT previous = context->State().TextAlign;
  context->State().TextAlign = align & TA_MASK;
  return previous;
}

UINT GetTextAlign(HDC dc) {
  const std::shared_ptr<TDeviceContext> context = gdi::FindDc(dc);
  return context ? context->State().TextAlign : GDI_ERROR;
}

int SetTextCharacterExtra(HDC dc, int extra) {
  const std::shared_ptr<TDeviceContext> context = gdi::FindDc(dc);
  if (!context) return static_cast<int>(0x80000000);
  const int previous = context->State().TextCharacterExtra;
  context->State().TextCharacterExtra = extra;
  return previous;
}

int GetTextCharacterExtra(HDC dc) {
  const std::shared_ptr<TDeviceContext> context = gdi::FindDc(dc);
  return context ? context->State().TextCharacterExtra : static_cast<int>(0x80000000);
}

}  // namespace win
