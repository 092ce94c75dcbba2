// TClearControl's image build: the base image of picture and caption, the light, shadow and face
// masks of the generated edges, the up, down, hot and disabled state images and the regions of
// the up and down images.
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "controls/clear/ClearColors.h"
#include "controls/clear/ClearControl.h"
#include "controls/clear/OpaqueRuns.h"
#include "framework/Canvas.h"
#include "framework/GdiHandles.h"
#include "framework/GraphicsObjects.h"
#include "framework/ScopeExit.h"
#include "framework/platform/GdiObjects.h"
#include "framework/platform/GdiRegions.h"
#include "framework/platform/Text.h"

namespace clear {

struct TClearControl::TMasks {
  std::unique_ptr<fw::TBitmap> Light;
  std::unique_ptr<fw::TBitmap> Shadow;
  std::unique_ptr<fw::TBitmap> Face;
};

// The images and regions of one build. The down image and its region are absent when the build
// makes none, and the hot and grey images when their options are off.
struct TClearControl::TStateImages {
  std::unique_ptr<fw::TBitmap> Up, Down, Hot, Gray;
  fw::gdihandles::TOwned<win::HRGN> UpRgn, DownRgn;
};

namespace {

void Fill(fw::TBitmap& Image, fw::TColor Color) {
  fw::TCanvas* canvas = Image.Canvas();
  canvas->Brush()->SetStyle(fw::bsSolid);
  canvas->Brush()->SetColor(Color);
  canvas->FillRect(fw::Rect(0, 0, Image.Width(), Image.Height()));
}

// Drawing the bitmap then paints only its pixels other than `Color`.
void MarkTransparent(fw::TBitmap& Image, fw::TColor Color) {
  Image.SetTransparentColor(Color);
  Image.SetTransparent(true);
}

std::unique_ptr<fw::TBitmap> Filled24(int Width, int Height, fw::TColor Color) {
  auto image = std::make_unique<fw::TBitmap>();
  image->SetPixelFormat(fw::pf24bit);
  image->SetSize(Width, Height);
  Fill(*image, Color);
  return image;
}

std::unique_ptr<fw::TBitmap> CopyOf(const fw::TBitmap& Image) {
  auto copy = std::make_unique<fw::TBitmap>();
  copy->Assign(&Image);
  return copy;
}

fw::TColor RgbOf(fw::TColor Color) {
  return fw::TColor(fw::ColorToRGB(Color));
}

}  // namespace

std::unique_ptr<fw::TBitmap> TClearControl::NewImage(int Width, int Height) const {
  return Filled24(Width, Height, FTransparentColor);
}

void TClearControl::MakeBtnImageAndRgn() {
  const int b = B();
  if (FUpdateDepth != 0 || IsLoading() || !HandleAllocated() || Width() < 2 * b + 3 ||
      Height() < 2 * b + 3) {
    return;
  }
  ++FBuildCount;
  RouteNotification(false);
  fw::RunThenFinally(
      [&] {
        // A build that fails changes nothing; the window region then follows the images still
        // in force, so that a control never built shows nothing rather than its bare window.
        fw::RunThenFinally(
            [&] {
              TStateImages images =
                  DrawsNothing() ? BuildEmptyStateImages() : BuildStateImagesAndRegions();
              PutInForce(images);
            },
            [this] { UpdateRgnNow(); });
      },
      [this] {
        RouteNotification(true);
        Update();
      });
}

// Without a picture or a caption nothing is drawn where the transparent colour is an explicit
// one: every pixel of the images has that colour. A system colour or clNone matches no pixel, so
// there every pixel counts as drawn and the images are built as for any content.
bool TClearControl::DrawsNothing() const {
  const fw::TGraphic* graphic = FPicture->Graphic();
  const bool content = (graphic != nullptr && !graphic->Empty()) || !Caption().empty();
  return !content && (FTransparentColor & 0xFF000000) == 0;
}

// Every state image is the transparent colour alone (the masks follow the content, so they are
// empty too), and both regions are empty.
TClearControl::TStateImages TClearControl::BuildEmptyStateImages() const {
  TStateImages images;
  images.Up = NewImage(Width(), Height());
  images.Up->SetTransparentColor(FTransparentColor);
  images.UpRgn.Reset(win::CreateRectRgn(0, 0, 0, 0));
  if (BuildsDownImage()) {
    images.Down = CopyOf(*images.Up);
    images.DownRgn.Reset(win::CreateRectRgn(0, 0, 0, 0));
  }
  if (HasOption(sioHotTrackImage)) images.Hot = CopyOf(*images.Up);
  if (HasOption(sioDisableImage)) images.Gray = CopyOf(*images.Up);
  return images;
}

TClearControl::TStateImages TClearControl::BuildStateImagesAndRegions() const {
  std::unique_ptr<fw::TBitmap> base = BuildBaseImage();
  const bool edges = HasOption(sioBorderAndShadow);
  TMasks masks;
  fw::TColor light = RgbOf(FLightColor);
  if (edges) {
    if (light == FTransparentColor) light = LightenColor(light, 8);
    if (light == FTransparentColor) light = DarkenColor(light, 8);
    masks.Light = BuildLightMask(*base, light);
    masks.Shadow = RecolorMask(*masks.Light, light, FShadowColor);
    masks.Face = RecolorMask(*masks.Light, light, Color());
  }
  const TMasks* used = edges ? &masks : nullptr;

  TStateImages images;
  images.Up = BuildStateImage(false, *base, used);
  images.UpRgn.Reset(RegionOf(*images.Up));
  if (FStyle != sbsFloatBtn && edges && FBorderStyle == fw::bsSingle) {
    masks.Face = RecolorMask(*masks.Face, Color(), DarkenColor(Color(), 32));
    masks.Shadow = RecolorMask(*masks.Shadow, FShadowColor, DarkenColor(FShadowColor, 64));
  }
  // Without the edges the down image is the content moved one pixel right and down (for a
  // control that can be pressed): a pressed button then neither vanishes nor loses its click.
  if (BuildsDownImage()) {
    images.Down = BuildStateImage(true, *base, used);
    images.DownRgn.Reset(RegionOf(*images.Down));
  }
  if (edges && HasOption(sioHotTrackImage)) {
    masks.Face = RecolorMask(*masks.Light, light, LightenColor(Color(), FHotLightDepth / 2));
    masks.Shadow = RecolorMask(*masks.Light, light, LightenColor(FShadowColor, FHotLightDepth / 4));
  }

  if (HasOption(sioHotTrackImage)) {
    RecolorDrawnPixels(*base, &LightenColor, FHotLightDepth);
    images.Hot = BuildStateImage(false, *base, used);
  }
  if (HasOption(sioDisableImage)) {
    images.Gray = CopyOf(*images.Up);
    RecolorDrawnPixels(
        *images.Gray, [](fw::TColor c, int) { return DisabledGray(c); }, 0);
  }
  return images;
}

// The old images and regions are released; a build that made no down image keeps the old one.
void TClearControl::PutInForce(TStateImages& Images) {
  FUpImage = std::move(Images.Up);
  if (FUpRgn != nullptr) win::DeleteObject(FUpRgn);
  FUpRgn = Images.UpRgn.Release();
  if (Images.Down) {
    FDownImage = std::move(Images.Down);
    if (FDownRgn != nullptr) win::DeleteObject(FDownRgn);
    FDownRgn = Images.DownRgn.Release();
  }
  FHotImage = std::move(Images.Hot);
  FGrayImage = std::move(Images.Gray);
}

std::unique_ptr<fw::TBitmap> TClearControl::BuildBaseImage() const {
  const int inset = HasOption(sioBorderAndShadow) ? 2 * B() + 2 : 0;
  std::unique_ptr<fw::TBitmap> base = NewImage(Width() - inset, Height() - inset);
  fw::TGraphic* graphic = FPicture->Graphic();
  if (graphic != nullptr && !graphic->Empty()) {
    if (FStretch) {
      base->Canvas()->StretchDraw(fw::Rect(0, 0, base->Width(), base->Height()), graphic);
    } else {
      base->Canvas()->Draw((base->Width() - graphic->Width()) / 2,
                           (base->Height() - graphic->Height()) / 2, graphic);
    }
  }
  if (!Caption().empty()) DrawCaption(*base);
  MarkTransparent(*base, FTransparentColor);
  return base;
}

// The caption is rendered black on white at 4 bits per pixel, turned into a mask of its glyph
// pixels and painted in the font's colour, so that no colour of its anti-aliasing or of the font
// colour itself can be mistaken for the transparent colour.
void TClearControl::DrawCaption(fw::TBitmap& Base) const {
  const fw::TColor key = FTransparentColor == fw::clWhite ? fw::clSilver : fw::clWhite;
  const fw::TColor ink = FTransparentColor == fw::clBlack ? fw::clSilver : fw::clBlack;
  fw::TBitmap text;
  text.SetPixelFormat(fw::pf4bit);
  fw::TCanvas* canvas = text.Canvas();
  canvas->SetFont(Font());
  canvas->Font()->SetColor(ink);
  canvas->RequiredState({fw::csHandleValid, fw::csFontValid});
  win::RECT extent{0, 0, 0, 0};
  win::DrawTextA(canvas->Handle(), Caption().c_str(), -1, &extent, win::DT_CALCRECT);
  text.SetSize(extent.right + 1, extent.bottom + 1);
  Fill(text, key);
  canvas->Brush()->SetStyle(fw::bsClear);
  canvas->RequiredState(fw::csAllValid);
  win::RECT area{0, 0, extent.right, extent.bottom};
  win::DrawTextA(canvas->Handle(), Caption().c_str(), -1, &area, 0);

  {
    const std::unique_ptr<fw::TBitmap> glyphs = NewImage(text.Width(), text.Height());
    MarkTransparent(text, key);
    glyphs->Canvas()->Draw(0, 0, &text);
    text.SetTransparent(false);
    text.SetPixelFormat(fw::pf24bit);
    Fill(text, Font()->Color());
    MarkTransparent(*glyphs, ink);
    text.Canvas()->Draw(0, 0, glyphs.get());
  }

  const int b = B();
  const int x = FCaptionLeft == -1 ? (Width() - text.Width()) / 2 - (b + 1) : FCaptionLeft;
  const int y = FCaptionTop == -1 ? (Height() - text.Height()) / 2 - (b + 1) : FCaptionTop;
  MarkTransparent(text, FTransparentColor);
  Base.Canvas()->Draw(x, y, &text);
}

std::unique_ptr<fw::TBitmap> TClearControl::BuildLightMask(fw::TBitmap& Base,
                                                           fw::TColor Light) const {
  std::unique_ptr<fw::TBitmap> mask = NewImage(Width(), Height());
  fw::TCanvas* canvas = mask->Canvas();
  canvas->Pen()->SetColor(Light);
  canvas->Pen()->SetWidth(1);
  const int shift = B() + 1;
  ForEachDrawnRun(Base, FTransparentColor, win::RECT{0, 0, Base.Width(), Base.Height()},
                  [&](int x0, int x1, int y) {
                    canvas->MoveTo(x0 + shift, y + shift);
                    canvas->LineTo(x1 + shift + 1, y + shift);
                  });
  MarkTransparent(*mask, FTransparentColor);
  return mask;
}

std::unique_ptr<fw::TBitmap> TClearControl::RecolorMask(fw::TBitmap& Source, fw::TColor Key,
                                                        fw::TColor Fill) const {
  std::unique_ptr<fw::TBitmap> result = Filled24(Source.Width(), Source.Height(), RgbOf(Fill));
  Source.SetTransparentColor(RgbOf(Key));
  result->Canvas()->Draw(0, 0, &Source);
  Source.SetTransparentColor(FTransparentColor);
  MarkTransparent(*result, FTransparentColor);
  return result;
}

std::unique_ptr<fw::TBitmap> TClearControl::BuildStateImage(bool Down, fw::TBitmap& Base,
                                                            const TMasks* Masks) const {
  std::unique_ptr<fw::TBitmap> image = NewImage(Width(), Height());
  fw::TCanvas* canvas = image->Canvas();
  const int b = B();
  const int s = Down && FStyle != sbsImage ? 1 : 0;
  const int f = Masks != nullptr ? 1 : 0;
  if (Masks != nullptr) {
    using TOffsets = std::initializer_list<std::pair<int, int>>;
    const auto draw = [canvas](fw::TBitmap& mask, int x, int y) { canvas->Draw(x, y, &mask); };
    if (FStyle == sbsPushBtn && !Down) {
      for (const auto& [x, y] : TOffsets{{b, b}, {b + 1, b}, {b, b + 1}, {b + 1, b + 1}})
        draw(*Masks->Shadow, x, y);
      for (int y = -1 - b; y <= b; ++y)
        for (int x = -1 - b; x <= b; ++x)
          draw(*Masks->Light, x, y);
    } else if (FStyle == sbsPushBtn && Down) {
      if (FBorderStyle == fw::bsSingle) {
        for (const auto& [x, y] : TOffsets{{-1, -1}, {0, -1}, {-1, 0}})
          draw(*Masks->Shadow, x, y);
      } else {
        draw(*Masks->Shadow, 0, 0);
      }
    } else if (FStyle == sbsFloatBtn && !Down) {
      draw(*Masks->Shadow, 2 * b + 1, 2 * b + 1);
    }
    if (FBorderStyle == fw::bsSingle) {
      for (int y = -1; y <= 1; ++y)
        for (int x = -1; x <= 1; ++x)
          draw(*Masks->Face, x + s, y + s);
    }
  }
  canvas->Draw(b + f + s, b + f + s, &Base);
  image->SetTransparentColor(FTransparentColor);
  return image;
}

// A new region of the image's drawn pixels; the caller owns it.
win::HRGN TClearControl::RegionOf(fw::TBitmap& Image) const {
  Image.SetPixelFormat(fw::pf24bit);
  Image.SetTransparentColor(FTransparentColor);
  return ScanOpaqueRuns(Image, FTransparentColor);
}

void TClearControl::RecolorDrawnPixels(fw::TBitmap& Image, fw::TColor (*Change)(fw::TColor, int),
                                       int Amount) const {
  Image.SetPixelFormat(fw::pf24bit);
  for (int y = 0; y < Image.Height(); ++y) {
    std::uint8_t* row = Image.ScanLine(y);
    for (int x = 0; x < Image.Width(); ++x) {
      std::uint8_t* pixel = row + 3 * x;
      const fw::TColor color = fw::TColor(pixel[2] + pixel[1] * 256 + pixel[0] * 65536);
      if (color == FTransparentColor) continue;
      const fw::TColor changed = Change(color, Amount);
      pixel[0] = std::uint8_t(changed >> 16);
      pixel[1] = std::uint8_t(changed >> 8);
      pixel[2] = std::uint8_t(changed);
    }
  }
}

}  // namespace clear
