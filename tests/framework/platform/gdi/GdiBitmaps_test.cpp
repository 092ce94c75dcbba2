// Bitmaps: DIB section layouts, device bitmaps, DIB reads and writes, run-length data and
// hostile sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/platform/Gdi.h"
#include "tests/framework/platform/gdi/GdiTestCanvas.h"

namespace {

using namespace win;
using tovu::test::TDeviceCanvas;
using tovu::test::TDibCanvas;

// A BITMAPINFO with room for masks and a 256-entry table.
struct TInfo {
  alignas(BITMAPINFO) std::uint8_t Bytes[sizeof(BITMAPINFOHEADER) + 256 * 4] = {};
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(Bytes); }
  TInfo(LONG width, LONG height, WORD bitCount, DWORD compression = BI_RGB) {
    BITMAPINFOHEADER& h = Get()->bmiHeader;
    h = BITMAPINFOHEADER{};
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = compression;
  }
  void SetDword(std::size_t index, DWORD value) {
    std::memcpy(Bytes + sizeof(BITMAPINFOHEADER) + 4 * index, &value, 4);
  }
};

TEST(GdiBitmaps, DibSectionsOfEveryDepthDescribeThemselves) {
  for (WORD bpp : {1, 4, 8, 16, 24, 32}) {
    TInfo info(13, -7, bpp);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr) << bpp;
    ASSERT_NE(bits, nullptr);
    DIBSECTION ds;
    ASSERT_EQ(GetObject(bitmap, sizeof(ds), &ds), int(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmWidth, 13);
    EXPECT_EQ(ds.dsBm.bmHeight, 7);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, bpp);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, LONG((13 * bpp + 31) / 32 * 4));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biHeight, -7);
    BITMAP bm;
    EXPECT_EQ(GetObject(bitmap, sizeof(bm), &bm), int(sizeof(BITMAP)));
    DeleteObject(bitmap);
  }
}

TEST(GdiBitmaps, BitFieldSectionsReadTheirMasks) {
  TInfo info(2, -1, 16, BI_BITFIELDS);
  info.SetDword(0, 0xF800);
  info.SetDword(1, 0x07E0);
  info.SetDword(2, 0x001F);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION ds;
  GetObject(bitmap, sizeof(ds), &ds);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetPixel(dc, 0, 0, RGB(255, 255, 0));
  EXPECT_EQ(*static_cast<std::uint16_t*>(bits), 0xFFE0);
  // Five and six bit channels widen back to full intensity.
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(GdiBitmaps, RefusedHeadersAndHostileSizesGiveNull) {
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, TInfo(0, 5, 32).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
            nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, TInfo(5, 0, 32).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
            nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, TInfo(5, 5, 3).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
            nullptr);
  EXPECT_EQ(
      CreateDIBSection(nullptr, TInfo(5, 5, 8, BI_RLE8).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
      nullptr);
  EXPECT_EQ(
      CreateDIBSection(nullptr, TInfo(5, INT32_MIN, 8).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
      nullptr);
  EXPECT_EQ(
      CreateDIBSection(nullptr, TInfo(100000, 100000, 32).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
      nullptr);
  EXPECT_EQ(
      CreateDIBSection(nullptr, TInfo(0x7FFFFFFF, 2, 32).Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
      nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 5, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(5, 5, 2, 32, nullptr), nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 70000, 70000), nullptr);
  DeleteDC(dc);
}

TEST(GdiBitmaps, EmptyBitmapsAreTheDefaultMonochromeOne) {
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ defaultBitmap = GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_EQ(HandleCast<HGDIOBJ>(CreateBitmap(0, 5, 1, 32, nullptr)), defaultBitmap);
  EXPECT_EQ(HandleCast<HGDIOBJ>(CreateCompatibleBitmap(dc, 0, 0)), defaultBitmap);
  DeleteDC(dc);
}

TEST(GdiBitmaps, CompatibleBitmapsFollowTheContextsBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP bm;
  HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
  GetObject(mono, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP colour = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, colour);
  HBITMAP like = CreateCompatibleBitmap(dc, 4, 4);
  GetObject(like, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmBits, nullptr);
  SelectObject(dc, old);
  TDibCanvas section(3, 3, 24);
  HBITMAP dibLike = CreateCompatibleBitmap(section.Dc, 5, 5);
  DIBSECTION ds;
  EXPECT_EQ(GetObject(dibLike, sizeof(ds), &ds), int(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
  for (HBITMAP b : {mono, colour, like, dibLike})
    DeleteObject(b);
  DeleteDC(dc);
}

TEST(GdiBitmaps, GetDibitsReadsAnyBitmapAs24Or32BitsInEitherRowOrder) {
  TDeviceCanvas device(3, 2, 32);
  SetPixel(device.Dc, 0, 0, RGB(1, 2, 3));
  SetPixel(device.Dc, 2, 1, RGB(4, 5, 6));
  TInfo query(0, 0, 0);
  ASSERT_EQ(GetDIBits(device.Dc, device.Bitmap, 0, 0, nullptr, query.Get(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(query.Get()->bmiHeader.biWidth, 3);
  EXPECT_EQ(query.Get()->bmiHeader.biHeight, 2);
  EXPECT_EQ(query.Get()->bmiHeader.biBitCount, 32);

  std::uint8_t rows[2][12] = {};
  TInfo bottomUp(3, 2, 24);
  ASSERT_EQ(GetDIBits(device.Dc, device.Bitmap, 0, 2, rows, bottomUp.Get(), DIB_RGB_COLORS), 2);
  // Bottom-up: the first row in memory is the bottom one, pixels blue, green, red.
  EXPECT_EQ(rows[0][6], 6);
  EXPECT_EQ(rows[0][8], 4);
  EXPECT_EQ(rows[1][0], 3);
  EXPECT_EQ(rows[1][2], 1);

  std::uint32_t top[2][3] = {};
  TInfo topDown(3, -2, 32);
  ASSERT_EQ(GetDIBits(device.Dc, device.Bitmap, 0, 2, top, topDown.Get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(top[0][0], 0x010203u);
  EXPECT_EQ(top[1][2], 0x040506u);
}

TEST(GdiBitmaps, SetDibitsConvertsIndexedRowsIntoADeviceBitmap) {
  TInfo info(2, 2, 8);
  info.Get()->bmiHeader.biClrUsed = 2;
  info.SetDword(0, 0x00FF0000);  // index 0: red (RGBQUAD blue, green, red, 0)
  info.SetDword(1, 0x000000FF);  // index 1: blue
  const std::uint8_t bits[8] = {0, 1, 0, 0, 1, 1, 0, 0};  // bottom row first
  TDeviceCanvas device(2, 2, 32);
  ASSERT_EQ(SetDIBits(device.Dc, device.Bitmap, 0, 2, bits, info.Get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(GetPixel(device.Dc, 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(device.Dc, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(device.Dc, 0, 0), RGB(0, 0, 255));
  // Into a monochrome bitmap the nearer of black and white wins.
  TDeviceCanvas mono(2, 2, 1);
  info.SetDword(0, 0x00F0F0F0);
  SetDIBits(mono.Dc, mono.Bitmap, 0, 2, bits, info.Get(), DIB_RGB_COLORS);
  EXPECT_EQ(GetPixel(mono.Dc, 0, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mono.Dc, 1, 1), RGB(0, 0, 0));
}

// An 8-bit RLE picture of 4x3 with an index table 0..3 = black, red, green, blue.
struct TRle {
  TInfo Info{4, 3, 8, BI_RLE8};
  TRle(DWORD size) {
    Info.Get()->bmiHeader.biSizeImage = size;
    Info.Get()->bmiHeader.biClrUsed = 4;
    Info.SetDword(0, 0x00000000);
    Info.SetDword(1, 0x00FF0000);
    Info.SetDword(2, 0x0000FF00);
    Info.SetDword(3, 0x000000FF);
  }
};

TEST(GdiBitmaps, RleDataDecodesRunsLiteralsAndDeltasSafely) {
  // Bottom row: a run of 9 reds cut at the row end; next row: a literal green, blue, green;
  // then on the top row a delta two to the right and one blue.
  const std::uint8_t data[] = {9, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1};
  TRle rle(sizeof(data));
  TDibCanvas screen(1, 1, 32);
  HBITMAP bitmap = CreateDIBitmap(screen.Dc, &rle.Info.Get()->bmiHeader, CBM_INIT, data,
                                  rle.Info.Get(), DIB_RGB_COLORS);
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(GetPixel(dc, x, 2), RGB(255, 0, 0)) << x;
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 3, 1), RGB(0, 0, 0));  // never set
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));  // skipped by the delta
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(GdiBitmaps, TruncatedOrRunawayRleDataStaysInsideTheBitmap) {
  TDibCanvas screen(1, 1, 32);
  // A literal run that claims more bytes than there are, and deltas far past the image.
  const std::uint8_t truncated[] = {2, 1, 0, 0, 0, 200, 1, 2};
  const std::uint8_t runaway[] = {0, 2, 255, 255, 5, 2, 0, 2, 0, 255, 3, 3};
  for (const auto& [data, size] :
       {std::pair{truncated, sizeof(truncated)}, std::pair{runaway, sizeof(runaway)}}) {
    TRle rle{DWORD(size)};
    HBITMAP bitmap = CreateDIBitmap(screen.Dc, &rle.Info.Get()->bmiHeader, CBM_INIT, data,
                                    rle.Info.Get(), DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
  }
  // The first picture's bottom row starts with two reds and stops.
  TRle rle(sizeof(truncated));
  HBITMAP bitmap = CreateDIBitmap(screen.Dc, &rle.Info.Get()->bmiHeader, CBM_INIT, truncated,
                                  rle.Info.Get(), DIB_RGB_COLORS);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 1, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(GdiBitmaps, StretchDibitsCountsSourceRowsFromTheBottomOfABottomUpDib) {
  // A 1x3 bottom-up 32-bit DIB: memory rows bottom, middle, top.
  const std::uint32_t bits[3] = {0x0000FF, 0x00FF00, 0xFF0000};
  TInfo info(1, 3, 32);
  TDibCanvas target(1, 3, 32);
  ASSERT_EQ(
      StretchDIBits(target.Dc, 0, 0, 1, 3, 0, 0, 1, 3, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY),
      3);
  EXPECT_EQ(target.At(0, 0), 0xFF0000u);
  EXPECT_EQ(target.At(0, 2), 0x0000FFu);
  // ySrc 1 with height 1 is the middle row counted from the bottom.
  target.Fill(0);
  StretchDIBits(target.Dc, 0, 0, 1, 1, 0, 2, 1, 1, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), 0xFF0000u);
  ASSERT_EQ(SetDIBitsToDevice(target.Dc, 0, 0, 1, 3, 0, 0, 0, 3, bits, info.Get(), DIB_RGB_COLORS),
            3);
  EXPECT_EQ(target.At(0, 1), 0x00FF00u);
}

}  // namespace
