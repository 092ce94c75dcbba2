#include "framework/GraphicsObjects.h"

#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Reader.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"

namespace fw {
namespace {

int CountChanges(TGraphicsObject& object, const std::function<void()>& action) {
  int changes = 0;
  object.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &object);
    ++changes;
  };
  action();
  object.OnChange = nullptr;
  return changes;
}

TEST(Pen, WidthBelowZeroIsIgnoredAndZeroIsAccepted) {
  TPen pen;
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(CountChanges(pen, [&] { pen.SetWidth(-3); }), 0);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(CountChanges(pen, [&] { pen.SetWidth(0); }), 1);
  EXPECT_EQ(pen.Width(), 0);
}

TEST(Pen, NotifiesOnlyRealChanges) {
  TPen pen;
  EXPECT_EQ(CountChanges(pen,
                         [&] {
                           pen.SetColor(clBlack);
                           pen.SetStyle(psSolid);
                           pen.SetMode(pmCopy);
                         }),
            0);
  EXPECT_EQ(CountChanges(pen,
                         [&] {
                           pen.SetColor(clRed);
                           pen.SetMode(pmXor);
                         }),
            2);
}

TEST(Pen, EqualPensShareOnePlatformPenMadeFromTheirValues) {
  TPen a, b, c;
  a.SetColor(clBtnShadow);
  a.SetWidth(15);
  b.SetWidth(15);
  b.SetColor(clBtnShadow);
  c.SetColor(clBtnShadow);
  EXPECT_EQ(a.Handle(), b.Handle());
  EXPECT_NE(a.Handle(), c.Handle());
  win::LOGPEN logical;
  ASSERT_EQ(win::GetObject(a.Handle(), sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lopnWidth.x, 15);
  EXPECT_EQ(logical.lopnColor, win::GetSysColor(win::COLOR_BTNSHADOW));
  c.SetStyle(psClear);
  win::GetObject(c.Handle(), sizeof logical, &logical);
  EXPECT_EQ(logical.lopnStyle, static_cast<win::UINT>(win::PS_NULL));
}

TEST(Pen, AssignCopiesValuesAndModeAndSharesThePlatformPen) {
  TPen source, target;
  source.SetColor(0x0048A4F8);
  source.SetWidth(15);
  source.SetMode(pmNotXor);
  EXPECT_EQ(CountChanges(target, [&] { target.Assign(&source); }), 1);
  EXPECT_EQ(target.Color(), 0x0048A4F8);
  EXPECT_EQ(target.Width(), 15);
  EXPECT_EQ(target.Mode(), pmNotXor);
  EXPECT_EQ(target.Handle(), source.Handle());
}

TEST(Pen, ModesMapToThePlatformMixModesInOrder) {
  const int expected[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
  for (int mode = pmBlack; mode <= pmNotXor; ++mode)
    EXPECT_EQ(PenModeToROP2(static_cast<TPenMode>(mode)), expected[mode]) << mode;
}

TEST(Brush, ClearStyleMakesTheColourWhiteAndAColourMakesItSolidAgain) {
  TBrush brush;
  brush.SetColor(0x00E0F4FF);
  EXPECT_EQ(CountChanges(brush, [&] { brush.SetStyle(bsClear); }), 1);
  EXPECT_EQ(brush.Style(), bsClear);
  EXPECT_EQ(brush.Color(), clWhite);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(brush.Color(), clRed);
  brush.SetStyle(bsCross);
  brush.SetColor(clBlue);
  EXPECT_EQ(brush.Style(), bsCross);  // only a clear brush turns solid
}

TEST(Brush, PlatformBrushFollowsTheStyle) {
  TBrush brush;
  win::LOGBRUSH logical;
  brush.SetColor(clBtnFace);
  win::GetObject(brush.Handle(), sizeof logical, &logical);
  EXPECT_EQ(logical.lbStyle, win::BS_SOLID);
  EXPECT_EQ(logical.lbColor, win::GetSysColor(win::COLOR_BTNFACE));
  brush.SetStyle(bsClear);
  win::GetObject(brush.Handle(), sizeof logical, &logical);
  EXPECT_EQ(logical.lbStyle, win::BS_HOLLOW);
  brush.SetStyle(bsBDiagonal);
  win::GetObject(brush.Handle(), sizeof logical, &logical);
  EXPECT_EQ(logical.lbStyle, win::BS_HATCHED);
  EXPECT_EQ(logical.lbHatch, static_cast<std::uintptr_t>(win::HS_BDIAGONAL));
}

TEST(Brush, PatternBitmapMakesAPatternBrushFromACopy) {
  TBrush brush;
  {
    TBitmap pattern;
    pattern.SetSize(8, 8);
    brush.SetBitmap(&pattern);
  }
  ASSERT_NE(brush.Bitmap(), nullptr);
  win::LOGBRUSH logical;
  win::GetObject(brush.Handle(), sizeof logical, &logical);
  EXPECT_EQ(logical.lbStyle, win::BS_PATTERN);
  brush.SetBitmap(nullptr);
  EXPECT_EQ(brush.Bitmap(), nullptr);
}

// The coupling decides how stored brush values come back: colour first, then style.
class TBrushHolder : public TComponent {
  TOVU_CLASS(TBrushHolder, TComponent)

 public:
  explicit TBrushHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TBrush* Brush() const { return FBrush.get(); }

 private:
  std::unique_ptr<TBrush> FBrush = std::make_unique<TBrush>();
};
TOVU_IMPLEMENT_CLASS(TBrushHolder)
void TBrushHolder::DefineClass(TClassBuilder<TBrushHolder>& b) {
  b.Property("Brush", &TBrushHolder::Brush);
}

TEST(Brush, StoredValuesApplyInTheOrderWritten) {
  TBrushHolder hollow(nullptr), solid(nullptr);
  ReadComponentFromText(&hollow,
                        "object H: TBrushHolder\n Brush.Color = clRed\n"
                        " Brush.Style = bsClear\nend");
  EXPECT_EQ(hollow.Brush()->Style(), bsClear);
  EXPECT_EQ(hollow.Brush()->Color(), clWhite);
  ReadComponentFromText(&solid,
                        "object S: TBrushHolder\n Brush.Style = bsClear\n"
                        " Brush.Color = clRed\nend");
  EXPECT_EQ(solid.Brush()->Style(), bsSolid);
  EXPECT_EQ(solid.Brush()->Color(), clRed);
}

TEST(Font, SizeAndHeightConvertAtThePixelDensity) {
  TFont font;
  EXPECT_EQ(font.Height(), -12);
  EXPECT_EQ(font.Size(), 9);
  font.SetSize(20);
  EXPECT_EQ(font.Height(), -27);
  font.SetPixelsPerInch(120);
  EXPECT_EQ(font.Size(), 16);
  EXPECT_EQ(font.Color(), clWindowText);
}

TEST(Font, AssignCopiesEverythingIncludingTheColour) {
  TFont source, target;
  source.SetName("IPAGothic");
  source.SetStyle({fsBold, fsUnderline});
  source.SetColor(clGreen);
  source.SetCharset(128);
  EXPECT_EQ(CountChanges(target, [&] { target.Assign(&source); }), 1);
  EXPECT_EQ(target.Name(), "IPAGothic");
  EXPECT_EQ(target.Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(target.Color(), clGreen);
  EXPECT_EQ(CountChanges(target, [&] { target.Assign(&source); }), 0);
}

TEST(Color, SystemColoursResolveThroughThePlatformAndOthersPassUnchanged) {
  EXPECT_EQ(ColorToRGB(clBtnFace), win::GetSysColor(win::COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowFrame), win::GetSysColor(win::COLOR_WINDOWFRAME));
  EXPECT_EQ(ColorToRGB(0x0048A4F8), 0x0048A4F8u);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(ColorToString(clBtnHighlight), "clBtnHighlight");
  EXPECT_EQ(ColorToString(0x00E0F4FF), "$00E0F4FF");
  EXPECT_EQ(IdentToColor("CLWHITE"), clWhite);
  EXPECT_EQ(IdentToColor("clLtGray"), clSilver);
  EXPECT_FALSE(IdentToColor("clPink"));
}

}  // namespace
}  // namespace fw
