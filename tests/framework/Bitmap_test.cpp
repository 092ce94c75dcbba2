#include "framework/Bitmap.h"

#include <gtest/gtest.h>

#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"

namespace fw {
namespace {

constexpr TColor kGreen = 0x0000C000;
constexpr TColor kRed = 0x000000FF;
constexpr TColor kBlue = 0x00FF0000;

// A w x h bitmap filled with `fill`.
void Fill(TBitmap& b, int w, int h, TColor fill, TPixelFormat format = pf24bit) {
  b.SetPixelFormat(format);
  b.SetSize(w, h);
  b.Canvas()->Brush()->SetColor(fill);
  b.Canvas()->FillRect(Rect(0, 0, w, h));
}

TEST(Bitmap, SizedWithoutAPixelFormatIsDeviceCompatibleAndWhite) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(7, 5);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.HandleType(), bmDDB);
  EXPECT_EQ(b.PixelFormat(), pfDevice);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(b.Canvas()->Pixels(6, 4), clWhite);
}

TEST(Bitmap, ResizingKeepsPixelsThatFitAndFillsTheRestWhite) {
  TBitmap b;
  Fill(b, 4, 4, kRed);
  b.SetSize(6, 3);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Canvas()->Pixels(3, 2), kRed);
  EXPECT_EQ(b.Canvas()->Pixels(5, 0), clWhite);
  b.SetSize(0, 3);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.PixelFormat(), pf24bit);  // the format stays for the next size
}

TEST(Bitmap, HostileSizesFailWithErrors) {
  TBitmap b;
  EXPECT_THROW(b.SetSize(-1, 10), EInvalidGraphicOperation);
  EXPECT_THROW(b.SetSize(1 << 30, 1 << 30), EOutOfResources);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, ScanLineCountsRowsFromTheTopWhateverTheStorageOrder) {
  TBitmap b;
  Fill(b, 3, 4, clWhite);
  std::uint8_t* top = b.ScanLine(0);
  top[0] = 0x11;  // blue, green, red of pixel (0, 0)
  top[1] = 0x22;
  top[2] = 0x33;
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), 0x00112233);
  EXPECT_EQ(b.Canvas()->Pixels(0, 3), clWhite);
  EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), b.ScanLineStride());
  EXPECT_THROW(b.ScanLine(4), EInvalidGraphicOperation);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, ScanLineOfADeviceBitmapMakesItDeviceIndependent) {
  TBitmap b;
  b.SetSize(2, 2);
  reinterpret_cast<std::uint32_t*>(b.ScanLine(1))[1] = 0x00ABCDEF;  // 0x00RRGGBB
  EXPECT_EQ(b.HandleType(), bmDIB);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), 0x00EFCDAB);
}

TEST(Bitmap, AssignedBitmapsShareUntilOneChangesAndNeverChangeEachOther) {
  TBitmap a, b;
  Fill(a, 4, 4, kRed);
  b.Assign(&a);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), kRed);
  b.Canvas()->Brush()->SetColor(kGreen);
  b.Canvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), kGreen);
  EXPECT_EQ(a.Canvas()->Pixels(0, 0), kRed);

  TBitmap c;
  c.Assign(&a);
  a.ScanLine(3)[0] = 0xFF;  // row access also breaks the sharing
  EXPECT_EQ(c.Canvas()->Pixels(0, 3), kRed);
  c.SetPixelFormat(pf32bit);
  EXPECT_EQ(a.PixelFormat(), pf24bit);
  a.SetSize(1, 1);
  EXPECT_EQ(c.Width(), 4);
}

TEST(Bitmap, HandleOfASharedImageIsTheCallersOwnCopy) {
  TBitmap a, b;
  Fill(a, 2, 2, kBlue);
  b.Assign(&a);
  const win::HBITMAP handle = b.Handle();
  const win::HDC dc = win::CreateCompatibleDC(nullptr);
  const win::HGDIOBJ old = win::SelectObject(dc, handle);
  win::SetPixel(dc, 0, 0, 0x0000FF00);
  win::SelectObject(dc, old);
  win::DeleteDC(dc);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), 0x0000FF00);
  EXPECT_EQ(a.Canvas()->Pixels(0, 0), kBlue);
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixel) {
  TBitmap b;
  Fill(b, 3, 3, kRed);
  b.Canvas()->SetPixels(0, 2, kGreen);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), kGreen);
  b.SetTransparentColor(kBlue);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), kBlue);
  b.SetTransparentColor(clDefault);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), kGreen);
  TBitmap empty;
  EXPECT_EQ(empty.TransparentColor(), clDefault);
}

// A 3 x 3 source whose corners and centre are the transparent colour.
void CheckerSource(TBitmap& source, TColor key, TColor ink) {
  Fill(source, 3, 3, ink);
  for (const auto& [x, y] : {std::pair{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}})
    source.Canvas()->SetPixels(x, y, key);
}

TEST(Bitmap, TransparentBitmapDrawsOnlyItsOpaquePixels) {
  TBitmap source, target;
  CheckerSource(source, kGreen, kBlue);
  source.SetTransparent(true);
  Fill(target, 5, 5, kRed);
  target.Canvas()->Draw(1, 1, &source);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), kRed);
  EXPECT_EQ(target.Canvas()->Pixels(2, 2), kRed);
  EXPECT_EQ(target.Canvas()->Pixels(2, 1), kBlue);
  EXPECT_EQ(target.Canvas()->Pixels(1, 2), kBlue);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), kRed);
  EXPECT_EQ(target.Canvas()->Pixels(4, 4), kRed);

  source.SetTransparent(false);
  target.Canvas()->Draw(1, 1, &source);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), kGreen);
}

TEST(Bitmap, TransparentStretchDrawUsesTheSameMaskAsTheImage) {
  TBitmap source, target;
  CheckerSource(source, clWhite, kBlue);
  source.SetTransparent(true);
  source.SetTransparentColor(clWhite);
  Fill(target, 6, 6, kRed, pfDevice);
  target.Canvas()->StretchDraw(Rect(0, 0, 6, 6), &source);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool key = (x / 2 + y / 2) % 2 == 0;
      EXPECT_EQ(target.Canvas()->Pixels(x, y), key ? kRed : kBlue) << x << "," << y;
    }
}

TEST(Bitmap, MonochromeKeepsWhiteAndTurnsEveryOtherColourBlack) {
  TBitmap b;
  Fill(b, 3, 1, clWhite);
  b.Canvas()->SetPixels(1, 0, kRed);
  b.Canvas()->SetPixels(2, 0, 0x00FEFFFF);
  b.SetMonochrome(true);
  EXPECT_TRUE(b.Monochrome());
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), clBlack);
  EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlack);
}

TEST(Bitmap, PixelFormatAndHandleTypeConversionsKeepTheColours) {
  TBitmap b;
  Fill(b, 2, 2, 0x00123456, pf32bit);
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), 0x00123456);
  b.SetHandleType(bmDDB);
  EXPECT_EQ(b.PixelFormat(), pfDevice);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), 0x00123456);
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.HandleType(), bmDIB);
  b.SetPixelFormat(pf1bit);
  EXPECT_TRUE(b.Monochrome());
  EXPECT_THROW(b.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(Bitmap, ChangesThroughTheCanvasNotifyTheBitmapsListener) {
  TBitmap b;
  Fill(b, 2, 2, clWhite);
  int changes = 0;
  b.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  };
  b.Canvas()->SetPixels(0, 0, kRed);
  b.SetTransparentColor(kRed);
  b.SetTransparentColor(kRed);
  EXPECT_EQ(changes, 2);
}

TEST(Bitmap, SavesAPlainBmpThatReadsBack) {
  TBitmap b;
  Fill(b, 3, 2, kRed);
  b.Canvas()->SetPixels(2, 1, kGreen);
  TMemoryStream stream;
  b.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 54 + 12 * 2);
  EXPECT_EQ(stream.Memory()[0], 'B');
  EXPECT_EQ(stream.Memory()[28], 24);  // bits per pixel
  stream.SetPosition(0);
  TBitmap copy;
  copy.LoadFromStream(stream);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Canvas()->Pixels(2, 1), kGreen);
  EXPECT_EQ(copy.Canvas()->Pixels(0, 0), kRed);

  TBitmap device;
  device.SetSize(2, 2);
  TMemoryStream deviceStream;
  device.SaveToStream(deviceStream);
  EXPECT_EQ(deviceStream.Memory()[28], 32);
}

TEST(Bitmap, AStreamThatIsNoBmpFileIsNoBitmap) {
  TBitmap b;
  TMemoryStream stream;
  stream.WriteBuffer("GIF89a, not a BMP file", 22);
  stream.SetPosition(0);
  try {
    b.LoadFromStream(stream);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), win::FromUtf8("ビットマップイメージが不正です"));
  }
}

TEST(Bitmap, ReleasedHandleBelongsToTheCallerAndTheBitmapIsEmpty) {
  TBitmap b;
  Fill(b, 2, 2, kRed);
  const win::HBITMAP handle = b.ReleaseHandle();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(win::GetObjectType(handle), win::OBJ_BITMAP);
  EXPECT_TRUE(win::DeleteObject(handle));
}

TEST(Bitmap, BitmapDestroyedByItsOwnChangeNotificationIsSafe) {
  auto b = std::make_unique<TBitmap>();
  Fill(*b, 2, 2, kRed);
  b->OnChange = [&](TObject*) { b.reset(); };
  b->Canvas()->SetPixels(0, 0, kGreen);
  EXPECT_EQ(b, nullptr);
}

}  // namespace
}  // namespace fw
