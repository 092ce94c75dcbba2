#include "tests/controls/clear/ClearTestSupport.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GdiHandles.h"
#include "framework/GraphicsObjects.h"
#include "framework/Reader.h"
#include "framework/platform/GdiRegions.h"
#include "framework/platform/Window.h"
#include "framework/platform/gdi/RegionObject.h"
#include "gfx/GfxUnits.h"

namespace clear::testing {

void CardPicture(fw::TPicture& Picture, int Width, int Height, fw::TColor Margin, fw::TColor Card,
                 const fw::TRect& Inside) {
  fw::TBitmap* bitmap = Picture.Bitmap();
  bitmap->SetPixelFormat(fw::pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(Margin);
  bitmap->Canvas()->FillRect(fw::Rect(0, 0, Width, Height));
  bitmap->Canvas()->Brush()->SetColor(Card);
  bitmap->Canvas()->FillRect(Inside);
}

void TClearTest::SetUp() {
  TFrameworkTest::SetUp();
  fw::InitializeGfxUnits();
  RegisterClearControls();
  FForm = fw::TCustomForm::Create<fw::TForm>(FApplication.get());
  FForm->SetBorderStyle(fw::bsNone);
  FForm->SetBounds(0, 0, 320, 240);
  FForm->SetColor(fw::clWhite);
  FForm->Show();
  Pump();
}

void TClearTest::TearDown() {
  TFrameworkTest::TearDown();
  fw::FinalizeGfxUnits();
}

fw::TForm* TClearTest::FormFrom(std::string_view Description) {
  auto* form = fw::TCustomForm::Create<fw::TForm>(FApplication.get());
  fw::ReadComponentFromText(form, Description);
  form->SetBounds(0, 0, form->Width(), form->Height());
  form->Show();
  Pump();
  return form;
}

std::uint32_t TClearTest::ShownAt(int X, int Y) const {
  const auto shown = FBackend->ReadFramebuffer(FForm->Handle());
  return shown ? shown->Pixel(X, Y) : 0xFFFFFFFFu;
}

TPixelSet TClearTest::PixelsOf(win::HRGN Region) {
  TPixelSet pixels;
  const win::gdi::TRegion* region = win::gdi::RegionOf(Region);
  if (region == nullptr) return pixels;
  for (const win::RECT& r : region->Rects()) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        pixels.insert({x, y});
  }
  return pixels;
}

TPixelSet TClearTest::RegionPixels(win::HWND Window) {
  const fw::gdihandles::TOwned<win::HRGN> region(win::CreateRectRgn(0, 0, 0, 0));
  if (win::GetWindowRgn(Window, region.Get()) == win::ERROR) return {};
  return PixelsOf(region.Get());
}

void TClearTest::PointAt(int X, int Y) {
  MoveTo(FForm->ClientOrigin().x + X, FForm->ClientOrigin().y + Y);
}

}  // namespace clear::testing
