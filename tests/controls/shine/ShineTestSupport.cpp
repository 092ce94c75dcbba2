#include "tests/controls/shine/ShineTestSupport.h"

#include <cstring>

#include "framework/Canvas.h"
#include "gfx/GfxUnits.h"

namespace shine::testing {

void TShineTest::SetUp() {
  TFrameworkTest::SetUp();
  fw::InitializeGfxUnits();  // pictures load from files
  RegisterShineControls();
  FForm = fw::TCustomForm::Create<fw::TForm>(FApplication.get());
  FForm->SetBorderStyle(fw::bsNone);
  FForm->SetBounds(0, 0, 320, 240);
  FForm->SetColor(fw::clTeal);
  FForm->Show();
  Pump();
}

void TShineTest::TearDown() {
  FForm = nullptr;
  TFrameworkTest::TearDown();
  fw::FinalizeGfxUnits();
}

fw::TColor TShineTest::ShownAt(int X, int Y) const {
  const auto shown = FBackend->ReadFramebuffer(FForm->Handle());
  if (!shown) return fw::clNone;
  const std::uint32_t rgb = shown->Pixel(X, Y);
  return fw::TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

void TShineTest::PointAt(int X, int Y) {
  MoveTo(FForm->ClientOrigin().x + X, FForm->ClientOrigin().y + Y);
}

void TShineTest::ClickOn(int X, int Y) {
  PointAt(X, Y);
  Press();
  Release();
}

void PaintGlyph(fw::TBitmap& Bitmap, std::initializer_list<const char*> Rows,
                std::initializer_list<TColorKey> Keys) {
  Bitmap.SetPixelFormat(fw::pf24bit);
  Bitmap.SetSize(static_cast<int>(std::strlen(*Rows.begin())), static_cast<int>(Rows.size()));
  int y = 0;
  for (const char* row : Rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      fw::TColor color = row[x] == '.' ? fw::clLime : fw::clBlack;
      for (const TColorKey& key : Keys)
        if (key.Letter == row[x]) color = key.Color;
      Bitmap.Canvas()->SetPixels(x, y, color);
    }
    ++y;
  }
}

fw::TColor PixelOf(fw::TBitmap& Bitmap, int X, int Y) {
  return Bitmap.Canvas()->Pixels(X, Y);
}

}  // namespace shine::testing
