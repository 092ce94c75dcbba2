#include "framework/Canvas.h"

#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"

namespace fw {
namespace {

// A canvas over a memory context with a 32-bit bitmap that the test owns.
class CanvasOnMemoryDC : public ::testing::Test {
 protected:
  void SetUp() override {
    FDC = win::CreateCompatibleDC(nullptr);
    FBitmap = win::CreateBitmap(20, 10, 1, 32, nullptr);
    FOld = win::SelectObject(FDC, FBitmap);
    Canvas.SetHandle(FDC);
  }
  void TearDown() override {
    Canvas.SetHandle(nullptr);
    win::SelectObject(FDC, FOld);
    win::DeleteObject(FBitmap);
    win::DeleteDC(FDC);
  }
  win::HGDIOBJ Current(win::UINT type) const { return win::GetCurrentObject(FDC, type); }

  TCanvas Canvas;
  win::HDC FDC = nullptr;
  win::HBITMAP FBitmap = nullptr;
  win::HGDIOBJ FOld = nullptr;
};

TEST_F(CanvasOnMemoryDC, PenIsSelectedOnlyWhenADrawingCallNeedsIt) {
  Canvas.Pen()->SetColor(clRed);
  EXPECT_FALSE(Canvas.State().Contains(csPenValid));
  EXPECT_NE(Current(win::OBJ_PEN), win::HandleCast<win::HGDIOBJ>(Canvas.Pen()->Handle()));
  Canvas.FillRect(Rect(0, 0, 2, 2));  // a fill needs the brush only
  EXPECT_FALSE(Canvas.State().Contains(csPenValid));
  Canvas.SetPixels(1, 1, clBlue);  // setting a pixel needs the pen
  EXPECT_TRUE(Canvas.State().Contains(csPenValid));
  EXPECT_EQ(Current(win::OBJ_PEN), win::HandleCast<win::HGDIOBJ>(Canvas.Pen()->Handle()));
  EXPECT_EQ(win::GetROP2(FDC), win::R2_COPYPEN);
}

TEST_F(CanvasOnMemoryDC, ChangingAPenDeselectsItAtOnceAndTheNextDrawingSelectsTheNewOne) {
  Canvas.SetPixels(0, 0, clBlack);
  const win::HGDIOBJ oldPen = win::HandleCast<win::HGDIOBJ>(Canvas.Pen()->Handle());
  Canvas.Pen()->SetColor(clLime);
  Canvas.Pen()->SetMode(pmXor);
  EXPECT_FALSE(Canvas.State().Contains(csPenValid));
  EXPECT_NE(Current(win::OBJ_PEN), oldPen);
  Canvas.SetPixels(0, 0, clBlack);
  EXPECT_EQ(Current(win::OBJ_PEN), win::HandleCast<win::HGDIOBJ>(Canvas.Pen()->Handle()));
  EXPECT_EQ(win::GetROP2(FDC), win::R2_XORPEN);
}

TEST_F(CanvasOnMemoryDC, BrushSelectionSetsTheBackgroundColourAndMode) {
  Canvas.Brush()->SetColor(0x00E0F4FF);
  Canvas.FillRect(Rect(0, 0, 20, 10));
  EXPECT_EQ(win::GetBkColor(FDC), 0x00E0F4FFu);
  EXPECT_EQ(win::GetBkMode(FDC), win::OPAQUE);
  EXPECT_EQ(win::GetPixel(FDC, 19, 9), 0x00E0F4FFu);
  Canvas.Brush()->SetStyle(bsDiagCross);
  Canvas.Brush()->SetColor(0x00123456);
  Canvas.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(win::GetBkColor(FDC) & 0xFFFFFF, ~0x00123456u & 0xFFFFFF);
  EXPECT_EQ(win::GetBkMode(FDC), win::TRANSPARENT);
}

TEST_F(CanvasOnMemoryDC, DetachingTheContextDeselectsPenBrushAndFont) {
  Canvas.Brush()->SetColor(clRed);
  Canvas.SetPixels(0, 0, clRed);
  Canvas.FillRect(Rect(0, 0, 1, 1));
  const win::HGDIOBJ ourBrush = win::HandleCast<win::HGDIOBJ>(Canvas.Brush()->Handle());
  Canvas.SetHandle(nullptr);
  EXPECT_FALSE(Canvas.HandleAllocated());
  EXPECT_NE(Current(win::OBJ_BRUSH), ourBrush);
  EXPECT_NE(Current(win::OBJ_PEN), win::HandleCast<win::HGDIOBJ>(Canvas.Pen()->Handle()));
}

TEST_F(CanvasOnMemoryDC, EveryDrawingCallIsWrappedInChangingAndChanged) {
  std::vector<std::string> log;
  Canvas.OnChanging = [&](TObject* s) {
    EXPECT_EQ(s, &Canvas);
    log.push_back("changing");
  };
  Canvas.OnChange = [&](TObject*) { log.push_back("changed"); };
  Canvas.FillRect(Rect(0, 0, 1, 1));
  (void)Canvas.Pixels(0, 0);  // reading changes nothing
  Canvas.SetPixels(0, 0, clWhite);
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "changed", "changing", "changed"}));
}

TEST_F(CanvasOnMemoryDC, CopyRectCopiesWithTheCopyMode) {
  TBitmap source;
  source.SetSize(4, 4);
  source.Canvas()->Brush()->SetColor(0x00102030);
  source.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Canvas.CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Canvas.Pixels(3, 3), 0x00102030);
  Canvas.SetCopyMode(win::NOTSRCCOPY);
  Canvas.CopyRect(Rect(4, 0, 12, 8), source.Canvas(), Rect(0, 0, 4, 4));  // stretched twice
  EXPECT_EQ(Canvas.Pixels(11, 7), 0x00EFDFCF);
  EXPECT_EQ(Canvas.Pixels(12, 8), 0);  // outside the target rectangle: untouched black
}

TEST(Canvas, LockMakesTryLockFailUntilTheLastUnlock) {
  TCanvas canvas;
  EXPECT_TRUE(canvas.TryLock());
  EXPECT_FALSE(canvas.TryLock());
  canvas.Lock();
  EXPECT_EQ(canvas.LockCount(), 2);
  canvas.Unlock();
  EXPECT_FALSE(canvas.TryLock());
  canvas.Unlock();
  EXPECT_TRUE(canvas.TryLock());
  canvas.Unlock();
}

TEST(Canvas, PlainCanvasWithoutAContextRefusesToDraw) {
  TCanvas canvas;
  try {
    canvas.FillRect(Rect(0, 0, 1, 1));
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), win::FromUtf8("キャンバスは描画を許可していません"));
  }
}

}  // namespace
}  // namespace fw
