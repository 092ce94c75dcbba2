// The text calls on memory contexts: fonts as objects, metrics, extents, DrawTextA geometry and
// the pixels that TextOutA, ExtTextOutA and DrawTextA paint.
#include "framework/platform/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/DeviceContext.h"

namespace win {
namespace {

constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Black = 0x00000000;
constexpr std::uint32_t Green = 0x0000FF00;  // as a 32-bit pixel: 0x00RRGGBB

const char* const PGothic = "ＭＳ Ｐゴシック";

// A white 32-bit top-down DIB section in a memory context, with a font selected.
class TTextCanvas {
 public:
  TTextCanvas(int width, int height, LONG fontHeight = -16, LONG weight = FW_NORMAL)
      : FWidth(width), FHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint32_t*>(bits);
    FDc = CreateCompatibleDC(nullptr);
    FPreviousBitmap = SelectObject(FDc, FBitmap);
    Clear();
    FFont = CreateFontA(fontHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                        DEFAULT_PITCH, FromUtf8(PGothic).c_str());
    FPreviousFont = SelectObject(FDc, FFont);
  }
  ~TTextCanvas() {
    SelectObject(FDc, FPreviousFont);
    SelectObject(FDc, FPreviousBitmap);
    DeleteDC(FDc);
    DeleteObject(FBitmap);
    DeleteObject(FFont);
  }
  TTextCanvas(const TTextCanvas&) = delete;
  TTextCanvas& operator=(const TTextCanvas&) = delete;

  HDC Dc() const { return FDc; }
  void Clear(std::uint32_t pixel = White) {
    std::fill(FBits, FBits + static_cast<std::ptrdiff_t>(FWidth) * FHeight, pixel);
  }
  std::uint32_t At(int x, int y) const { return FBits[y * FWidth + x]; }
  std::vector<std::uint32_t> Pixels() const {
    return std::vector<std::uint32_t>(FBits, FBits + static_cast<std::ptrdiff_t>(FWidth) * FHeight);
  }
  // The smallest rectangle holding every pixel that is not `background`; empty when none.
  RECT Changed(std::uint32_t background = White) const {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < FHeight; ++y) {
      for (int x = 0; x < FWidth; ++x) {
        if (At(x, y) == background) continue;
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                   std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box.left == INT_MAX ? RECT{} : box;
  }
  int Count(std::uint32_t pixel) const {
    int count = 0;
    for (int y = 0; y < FHeight; ++y) {
      for (int x = 0; x < FWidth; ++x)
        count += At(x, y) == pixel ? 1 : 0;
    }
    return count;
  }

 private:
  int FWidth;
  int FHeight;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FPreviousBitmap = nullptr;
  HDC FDc = nullptr;
  HFONT FFont = nullptr;
  HGDIOBJ FPreviousFont = nullptr;
  std::uint32_t* FBits = nullptr;
};

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

SIZE Extent(HDC dc, const std::string& text) {
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size));
  return size;
}

TEST(TextFonts, CreateFontKeepsItsDescriptionForGetObject) {
  const HFONT font = CreateFontA(-12, 3, 0, 0, FW_BOLD, TRUE, FALSE, TRUE, SHIFTJIS_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, VARIABLE_PITCH, "MS PGothic");
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  EXPECT_EQ(GetObject(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTA)));
  LOGFONTA logFont{};
  ASSERT_EQ(GetObject(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
  EXPECT_EQ(logFont.lfHeight, -12);
  EXPECT_EQ(logFont.lfWidth, 3);
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_EQ(logFont.lfItalic, 1);
  EXPECT_EQ(logFont.lfStrikeOut, 1);
  EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(logFont.lfFaceName, "MS PGothic");
  // A short buffer gets the leading part of the structure.
  LONG height = 0;
  EXPECT_EQ(GetObject(font, sizeof height, &height), static_cast<int>(sizeof height));
  EXPECT_EQ(height, -12);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObject(font, sizeof logFont, &logFont), 0);
}

TEST(TextFonts, FaceNamesLongerThanTheFieldAreCut) {
  const std::string longName(100, 'x');
  const HFONT font = CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, longName.c_str());
  LOGFONTA logFont{};
  GetObject(font, sizeof logFont, &logFont);
  EXPECT_EQ(std::strlen(logFont.lfFaceName), static_cast<std::size_t>(LF_FACESIZE - 1));
  DeleteObject(font);
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

TEST(TextFonts, StockFontsDescribeUsableFaces) {
  for (const int index : {SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT, ANSI_FIXED_FONT}) {
    const HGDIOBJ stock = GetStockObject(index);
    ASSERT_NE(stock, nullptr) << index;
    EXPECT_EQ(GetObjectType(stock), OBJ_FONT) << index;
    LOGFONTA logFont{};
    EXPECT_EQ(GetObject(stock, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_NE(logFont.lfHeight, 0) << index;
    EXPECT_GT(std::strlen(logFont.lfFaceName), 0u) << index;
  }
  // A new context draws with the stock font.
  const HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRICA tm{};
  EXPECT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GT(tm.tmHeight, 0);
  DeleteDC(dc);
}

TEST(TextMetrics, ReportTheSelectedFont) {
  TTextCanvas canvas(10, 10, -12);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(canvas.Dc(), &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
  EXPECT_FALSE(GetTextMetricsA(canvas.Dc(), nullptr));
  EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));

  char face[64] = {};
  EXPECT_EQ(GetTextFaceA(canvas.Dc(), 0, nullptr), static_cast<int>(std::strlen(PGothic)) + 1);
  EXPECT_EQ(GetTextFaceA(canvas.Dc(), sizeof face, face),
            static_cast<int>(std::strlen(PGothic)) + 1);
  EXPECT_STREQ(face, PGothic);
  // A short buffer gets whole characters only: "Ｍ" and "Ｓ" are 3 bytes each in UTF-8.
  EXPECT_EQ(GetTextFaceA(canvas.Dc(), 8, face), 8);
  EXPECT_STREQ(face, "ＭＳ ");
  EXPECT_EQ(GetTextFaceA(canvas.Dc(), 6, face), 4);
  EXPECT_STREQ(face, "Ｍ");
  EXPECT_EQ(GetTextFaceA(canvas.Dc(), 0, face), 0);
}

TEST(TextMetrics, FaceNameComesBackInTheProcessCodePage) {
  const TScopedCodePage shiftJis(CP_SHIFTJIS);
  TTextCanvas canvas(10, 10, -12);
  char face[64] = {};
  ASSERT_GT(GetTextFaceA(canvas.Dc(), sizeof face, face), 0);
  EXPECT_EQ(std::string(face), *ConvertCodePage(PGothic, CP_UTF8, CP_SHIFTJIS));
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(canvas.Dc(), &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
}

TEST(TextExtent, IsTheSumOfTheCharactersAndOneCellHigh) {
  TTextCanvas canvas(10, 10);
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.Dc(), &tm);
  const SIZE ab = Extent(canvas.Dc(), "ab");
  EXPECT_EQ(ab.cx, Extent(canvas.Dc(), "a").cx + Extent(canvas.Dc(), "b").cx);
  EXPECT_EQ(ab.cy, tm.tmHeight);
  EXPECT_EQ(Extent(canvas.Dc(), "").cx, 0);
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.Dc(), "ab", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.Dc(), nullptr, 2, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.Dc(), "ab", 2, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "ab", 2, &size));
  // The character extra widens every character.
  SetTextCharacterExtra(canvas.Dc(), 2);
  EXPECT_EQ(Extent(canvas.Dc(), "ab").cx, ab.cx + 4);
}

TEST(TextExtent, Cp932AndUtf8TextMeasureTheSame) {
  TTextCanvas canvas(10, 10);
  const std::string utf8 = "画像を開く(O) ｶﾅ";
  const SIZE a = Extent(canvas.Dc(), utf8);
  const TScopedCodePage shiftJis(CP_SHIFTJIS);
  const SIZE b = Extent(canvas.Dc(), *ConvertCodePage(utf8, CP_UTF8, CP_SHIFTJIS));
  EXPECT_EQ(a, b);
  EXPECT_GT(a.cx, 0);
}

TEST(DrawTextGeometry, CalcRectMatchesTheExtentsOfTheLines) {
  TTextCanvas canvas(10, 10);
  const HDC dc = canvas.Dc();
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);

  RECT one{5, 7, 6, 8};
  EXPECT_EQ(DrawTextA(dc, "Hello", -1, &one, DT_CALCRECT), tm.tmHeight);
  EXPECT_EQ(one, (RECT{5, 7, 5 + Extent(dc, "Hello").cx, 7 + tm.tmHeight}));

  RECT three{0, 0, 0, 0};
  EXPECT_EQ(DrawTextA(dc, "ab\r\nwide line\nc", -1, &three, DT_CALCRECT), 3 * tm.tmHeight);
  EXPECT_EQ(three, (RECT{0, 0, Extent(dc, "wide line").cx, 3 * tm.tmHeight}));

  // The prefix is not measured; "&&" measures as one ampersand.
  RECT file{};
  DrawTextA(dc, "&File", -1, &file, DT_CALCRECT);
  EXPECT_EQ(file.right, Extent(dc, "File").cx);
  RECT amp{};
  DrawTextA(dc, "a&&b", -1, &amp, DT_CALCRECT);
  EXPECT_EQ(amp.right, Extent(dc, "a&b").cx);
  RECT counted{};
  DrawTextA(dc, "Hello", 2, &counted, DT_CALCRECT);
  EXPECT_EQ(counted.right, Extent(dc, "He").cx);
}

TEST(DrawTextGeometry, TabSizeBitsAreNotFlags) {
  TTextCanvas canvas(200, 30);
  // A tab size of 4 sets the bit that is DT_CALCRECT elsewhere: the text is still drawn.
  RECT area{0, 0, 200, 30};
  EXPECT_GT(DrawTextA(canvas.Dc(), "a\tb", -1, &area, DT_EXPANDTABS | DT_TABSTOP | (4u << 8)), 0);
  EXPECT_EQ(area, (RECT{0, 0, 200, 30}));
  EXPECT_GT(canvas.Count(Black), 0);
}

TEST(DrawTextGeometry, RejectsWhatItCannotUse) {
  TTextCanvas canvas(10, 10);
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(DrawTextA(canvas.Dc(), nullptr, -1, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.Dc(), "a", -2, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.Dc(), "a", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(nullptr, "a", 1, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(canvas.Dc(), "", -1, &rect, 0), 0);
  EXPECT_EQ(canvas.Changed(), RECT{});
}

TEST(DrawTextPixels, CentredTextLandsInsideItsComputedBox) {
  TTextCanvas canvas(200, 60);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  RECT box{0, 0, 200, 0};
  DrawTextA(dc, "Tovuザビロナ！", -1, &box, DT_CALCRECT);
  const LONG w = box.right, h = box.bottom;
  RECT area{10, 5, 190, 55};
  const int result =
      DrawTextA(dc, "Tovuザビロナ！", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const RECT expected{10 + (180 - w) / 2, 5 + (50 - h) / 2, 10 + (180 - w) / 2 + w,
                      5 + (50 - h) / 2 + h};
  EXPECT_EQ(result, (50 - h) / 2 + h);
  const RECT ink = canvas.Changed();
  ASSERT_NE(ink, RECT{});
  EXPECT_TRUE(Inside(ink, expected))
      << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
  // Centred: the ink's margins left and right of the box differ by little.
  EXPECT_LE(std::abs((ink.left - expected.left) - (expected.right - ink.right)), 4);
}

TEST(DrawTextPixels, RightAlignedTextEndsAtTheRightEdge) {
  TTextCanvas canvas(200, 40);
  SetBkMode(canvas.Dc(), TRANSPARENT);
  RECT area{0, 0, 150, 40};
  DrawTextA(canvas.Dc(), "Right", -1, &area, DT_RIGHT);
  const RECT ink = canvas.Changed();
  EXPECT_LE(ink.right, 150);
  EXPECT_GE(ink.right, 150 - 3);
  EXPECT_GE(ink.left, 150 - Extent(canvas.Dc(), "Right").cx);
}

TEST(DrawTextPixels, NothingIsDrawnOutsideTheRectangleOrTheClip) {
  TTextCanvas canvas(200, 40);
  const HDC dc = canvas.Dc();
  SetBkColor(dc, RGB(0, 255, 0));  // opaque: the background box is painted too
  RECT small{20, 5, 40, 15};
  DrawTextA(dc, "A long line of text", -1, &small, 0);
  const RECT clipped = canvas.Changed();
  ASSERT_NE(clipped, RECT{});
  EXPECT_TRUE(Inside(clipped, small));

  canvas.Clear();
  DrawTextA(dc, "A long line of text", -1, &small, DT_NOCLIP);
  EXPECT_GT(canvas.Changed().right, small.right);

  canvas.Clear();
  IntersectClipRect(dc, 0, 0, 30, 40);
  DrawTextA(dc, "A long line of text", -1, &small, DT_NOCLIP);
  EXPECT_TRUE(Inside(canvas.Changed(), (RECT{0, 0, 30, 40})));
  SelectClipRgn(dc, nullptr);
}

TEST(DrawTextPixels, PrefixUnderlinesOnlyTheMarkedCharacter) {
  TTextCanvas canvas(120, 30);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  RECT area{0, 0, 120, 30};
  DrawTextA(dc, "File", -1, &area, DT_NOPREFIX);
  const std::vector<std::uint32_t> plain = canvas.Pixels();
  canvas.Clear();
  DrawTextA(dc, "&File", -1, &area, 0);
  const std::vector<std::uint32_t> marked = canvas.Pixels();
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const LONG fWidth = Extent(dc, "F").cx;
  int added = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * 120 + x);
      EXPECT_FALSE(plain[i] == Black && marked[i] != Black) << x << "," << y;
      if (plain[i] != marked[i]) {
        ++added;
        EXPECT_LT(x, fWidth) << "underline beyond the F at " << x;
        EXPECT_GE(y, tm.tmAscent) << "underline above the baseline at " << y;
        EXPECT_LT(y, tm.tmHeight);
      }
    }
  }
  EXPECT_GT(added, 0);

  // "&&" draws exactly one ampersand, as DT_NOPREFIX draws "&".
  canvas.Clear();
  DrawTextA(dc, "a&&b", -1, &area, 0);
  const std::vector<std::uint32_t> doubled = canvas.Pixels();
  canvas.Clear();
  DrawTextA(dc, "a&b", -1, &area, DT_NOPREFIX);
  EXPECT_EQ(doubled, canvas.Pixels());

  // DT_HIDEPREFIX keeps the layout and leaves the underline out.
  canvas.Clear();
  DrawTextA(dc, "&File", -1, &area, DT_HIDEPREFIX);
  EXPECT_EQ(canvas.Pixels(), plain);
}

TEST(DrawTextPixels, LineBreaksStackLinesOneCellApart) {
  TTextCanvas canvas(100, 60);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT area{0, 0, 100, 60};
  DrawTextA(dc, "H", -1, &area, 0);
  const RECT first = canvas.Changed();
  canvas.Clear();
  DrawTextA(dc, "\r\nH", -1, &area, 0);
  RECT second = canvas.Changed();
  EXPECT_EQ(second.top - first.top, tm.tmHeight);
  canvas.Clear();
  DrawTextA(dc, "\r\nH", -1, &area, DT_SINGLELINE);
  EXPECT_LT(canvas.Changed().top, tm.tmHeight);
}

TEST(DrawTextPixels, Utf8AndCp932DrawTheSamePixels) {
  const std::string utf8 = "ファイル(&F) ｶﾅ表示\r\n２行目";
  TTextCanvas canvas(200, 60);
  RECT area{0, 0, 200, 60};
  DrawTextA(canvas.Dc(), utf8.c_str(), -1, &area, DT_CENTER);
  const std::vector<std::uint32_t> fromUtf8 = canvas.Pixels();
  canvas.Clear();
  {
    const TScopedCodePage shiftJis(CP_SHIFTJIS);
    const std::string cp932 = *ConvertCodePage(utf8, CP_UTF8, CP_SHIFTJIS);
    DrawTextA(canvas.Dc(), cp932.c_str(), -1, &area, DT_CENTER);
  }
  EXPECT_EQ(canvas.Pixels(), fromUtf8);
  EXPECT_GT(canvas.Count(Black), 100);
}

// Captions are first drawn into a 4-bit bitmap: the text colour maps to its palette entry.
TEST(DrawTextPixels, DrawsIntoA4BitBitmapThroughItsPalette) {
  struct TInfo16 {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[16];
  } info{};
  info.Header.biWidth = 64;
  info.Header.biHeight = -20;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = 4;
  info.Header.biClrUsed = 16;
  for (int i = 0; i < 16; ++i) {
    const auto level = static_cast<BYTE>(i * 17);
    info.Colors[i] = RGBQUAD{level, level, level, 0};  // grey ramp: 0 black .. 15 white
  }
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                          DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  auto* bytes = static_cast<unsigned char*>(bits);
  std::memset(bytes, 0xFF, 32 * 20);  // all white (index 15)
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT area{0, 0, 64, 20};
  EXPECT_GT(DrawTextA(dc, "Ag", -1, &area, 0), 0);
  int black = 0, other = 0;
  for (int i = 0; i < 32 * 20; ++i) {
    for (const int index : {bytes[i] >> 4, bytes[i] & 0x0F}) {
      black += index == 0 ? 1 : 0;
      other += index != 0 && index != 15 ? 1 : 0;
    }
  }
  EXPECT_GT(black, 10);
  EXPECT_EQ(other, 0);  // monochrome glyphs: no in-between shades
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(TextOutPixels, OpaqueModeFillsTheCellTransparentModeOnlyInks) {
  TTextCanvas canvas(100, 30);
  const HDC dc = canvas.Dc();
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const LONG width = Extent(dc, "Hi").cx;
  SetBkColor(dc, RGB(0, 255, 0));
  SetTextColor(dc, RGB(0, 0, 0));
  ASSERT_TRUE(TextOutA(dc, 10, 5, "Hi", 2));
  EXPECT_EQ(canvas.Changed(), (RECT{10, 5, 10 + width, 5 + tm.tmHeight}));
  const int ink = canvas.Count(Black);
  EXPECT_EQ(canvas.Count(Green) + ink, width * tm.tmHeight);
  EXPECT_GT(ink, 0);

  canvas.Clear();
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 10, 5, "Hi", 2);
  EXPECT_EQ(canvas.Count(Green), 0);
  EXPECT_EQ(canvas.Count(Black), ink);
}

TEST(TextOutPixels, TextIgnoresTheMixMode) {
  TTextCanvas canvas(100, 30);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 0, 0, "Hi", 2);
  const std::vector<std::uint32_t> copied = canvas.Pixels();
  canvas.Clear();
  SetROP2(dc, R2_XORPEN);
  TextOutA(dc, 0, 0, "Hi", 2);
  EXPECT_EQ(canvas.Pixels(), copied);
}

TEST(TextOutPixels, AlignmentMovesTheText) {
  TTextCanvas canvas(200, 60);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const LONG width = Extent(dc, "Hx").cx;
  EXPECT_EQ(GetTextAlign(dc), TA_LEFT | TA_TOP);
  TextOutA(dc, 20, 10, "Hx", 2);
  const RECT top = canvas.Changed();

  const auto shifted = [&](UINT align, int x, int y) {
    canvas.Clear();
    const UINT before = GetTextAlign(dc);
    EXPECT_EQ(SetTextAlign(dc, align) & TA_MASK, before) << "the previous alignment";
    EXPECT_EQ(GetTextAlign(dc), align);
    TextOutA(dc, x, y, "Hx", 2);
    return canvas.Changed();
  };
  EXPECT_EQ(shifted(TA_BASELINE, 20, 10 + tm.tmAscent), top);
  EXPECT_EQ(shifted(TA_BOTTOM, 20, 10 + tm.tmHeight), top);
  EXPECT_EQ(shifted(TA_RIGHT, 20 + width, 10), top);
  EXPECT_EQ(shifted(TA_CENTER, 20 + width / 2, 10), top);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  EXPECT_EQ(SetTextAlign(nullptr, TA_LEFT), GDI_ERROR);
  EXPECT_EQ(GetTextAlign(nullptr), GDI_ERROR);
}

TEST(TextOutPixels, UpdateCurrentPositionDrawsOnFromWhereTheLastTextEnded) {
  TTextCanvas canvas(200, 40);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 0, 0, "ab", 2);
  const std::vector<std::uint32_t> together = canvas.Pixels();
  canvas.Clear();
  SetTextAlign(dc, TA_UPDATECP);
  TextOutA(dc, 100, 100, "a", 1);  // the point is ignored: the current position (0, 0) is used
  TextOutA(dc, 100, 100, "b", 1);
  EXPECT_EQ(canvas.Pixels(), together);
  EXPECT_EQ(gdi::FindDc(dc)->State().CurrentPosition.x, Extent(dc, "ab").cx);
}

TEST(ExtTextOutPixels, OpaqueRectangleAndClipping) {
  TTextCanvas canvas(100, 40);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, RGB(0, 255, 0));
  const RECT box{5, 5, 30, 20};
  ASSERT_TRUE(ExtTextOutA(dc, 10, 8, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWWWW", 6, nullptr));
  EXPECT_EQ(canvas.Changed(), box);
  EXPECT_GT(canvas.Count(Black), 0);
  // Only the rectangle, even with no text at all.
  canvas.Clear();
  ASSERT_TRUE(ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
  EXPECT_EQ(canvas.Count(Green), 25 * 15);
}

TEST(ExtTextOutPixels, ExplicitAdvancesSpaceTheCharacters) {
  TTextCanvas canvas(200, 40);
  const HDC dc = canvas.Dc();
  SetBkMode(dc, TRANSPARENT);
  const int dx[] = {50, 50};
  ExtTextOutA(dc, 0, 0, 0, nullptr, "ii", 2, dx);
  const RECT spaced = canvas.Changed();
  canvas.Clear();
  TextOutA(dc, 0, 0, "i", 1);
  const RECT single = canvas.Changed();
  EXPECT_EQ(spaced.right - single.right, 50);
  // In CP932 a double-byte character advances by the sum of its two entries.
  const TScopedCodePage shiftJis(CP_SHIFTJIS);
  canvas.Clear();
  const std::string kanji = *ConvertCodePage("漢i", CP_UTF8, CP_SHIFTJIS);
  const int dbcs[] = {30, 40, 0};
  ExtTextOutA(dc, 0, 0, 0, nullptr, kanji.c_str(), 3, dbcs);
  const RECT both = canvas.Changed();
  EXPECT_EQ(both.right - single.right, 70);
}

TEST(HostileText, BadInputFailsOrDrawsWithoutHarm) {
  TTextCanvas canvas(100, 40);
  const HDC dc = canvas.Dc();
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
  EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutA(dc, 0, 0, "abc", -1));
  EXPECT_TRUE(TextOutA(dc, 0, 0, nullptr, 0));
  EXPECT_FALSE(ExtTextOutA(dc, 0, 0, 0, nullptr, "abc", 0xFFFFFFFFu, nullptr));
  EXPECT_EQ(canvas.Changed(), RECT{});

  // Malformed UTF-8 draws replacement glyphs rather than failing.
  const char bad[] = "\xC3\x28 \xFF\xFE \xE3\x81";
  EXPECT_TRUE(TextOutA(dc, 0, 0, bad, sizeof bad - 1));
  RECT area{0, 0, 100, 40};
  EXPECT_GT(DrawTextA(dc, bad, -1, &area, DT_WORDBREAK), 0);

  // Coordinates at the ends of the range.
  EXPECT_TRUE(TextOutA(dc, INT_MAX - 3, INT_MAX - 3, "WW", 2));
  EXPECT_TRUE(TextOutA(dc, INT_MIN, INT_MIN, "WW", 2));
  RECT far{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  EXPECT_GT(DrawTextA(dc, "WW\nWW", -1, &far, DT_CENTER), 0);
}

TEST(HostileText, HugeAndMissingFontsStillDraw) {
  TTextCanvas canvas(100, 40);
  const HDC dc = canvas.Dc();
  for (const int height : {INT_MIN, INT_MAX, -100000}) {
    const HFONT huge = CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "MS PGothic");
    const HGDIOBJ old = SelectObject(dc, huge);
    canvas.Clear();
    EXPECT_TRUE(TextOutA(dc, -50, -50, "W", 1)) << height;
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_GT(tm.tmHeight, 40);
    SelectObject(dc, old);
    DeleteObject(huge);
  }
  const HFONT missing =
      CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "\xFF\xFE no such face");
  const HGDIOBJ old = SelectObject(dc, missing);
  canvas.Clear();
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(TextOutA(dc, 0, 0, "Hi", 2));
  EXPECT_GT(canvas.Count(Black), 0);
  SelectObject(dc, old);
  DeleteObject(missing);
}

}  // namespace
}  // namespace win
