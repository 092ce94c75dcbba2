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
        if (HasContent()) {
          BuildStateImagesAndRegions();
        } else {
          BuildEmptyStateImages();
        }
        FRegionNow = true;
        const fw::TScopeExit regionDone([this] { FRegionNow = false; });
        UpdateRgn();
      },
      [this] {
        RouteNotification(true);
        Update();
      });
}

bool TClearControl::HasContent() const {
  const fw::TGraphic* graphic = FPicture->Graphic();
  return (graphic != nullptr && !graphic->Empty()) || !Caption().empty();
}

// Without a picture or a caption nothing is drawn anywhere: every state image is the transparent
// colour alone (the masks follow the content, so they are empty too), and both regions are
// empty. The images then share one bitmap.
void TClearControl::BuildEmptyStateImages() {
  FUpImage = NewImage(Width(), Height());
  FUpImage->SetTransparentColor(FTransparentColor);
  ReplaceRegion(FUpRgn, nullptr);
  if (HasOption(sioBorderAndShadow)) {
    FDownImage = std::make_unique<fw::TBitmap>();
    FDownImage->Assign(FUpImage.get());
    ReplaceRegion(FDownRgn, nullptr);
  }
  const auto copyOfUp = [this] {
    auto copy = std::make_unique<fw::TBitmap>();
    copy->Assign(FUpImage.get());
    return copy;
  };
  FHotImage = HasOption(sioHotTrackImage) ? copyOfUp() : nullptr;
  FGrayImage = HasOption(sioDisableImage) ? copyOfUp() : nullptr;
}

void TClearControl::BuildStateImagesAndRegions() {
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

  FUpImage = BuildStateImage(false, *base, used);
  ReplaceRegion(FUpRgn, FUpImage.get());
  if (FStyle != sbsFloatBtn && edges && FBorderStyle == fw::bsSingle) {
    masks.Face = RecolorMask(*masks.Face, Color(), DarkenColor(Color(), 32));
    masks.Shadow = RecolorMask(*masks.Shadow, FShadowColor, DarkenColor(FShadowColor, 64));
  }
  if (edges) {
    FDownImage = BuildStateImage(true, *base, used);
    ReplaceRegion(FDownRgn, FDownImage.get());
    if (HasOption(sioHotTrackImage)) {
      masks.Face = RecolorMask(*masks.Light, light, LightenColor(Color(), FHotLightDepth / 2));
      masks.Shadow =
          RecolorMask(*masks.Light, light, LightenColor(FShadowColor, FHotLightDepth / 4));
    }
  }

  if (HasOption(sioHotTrackImage)) {
    RecolorDrawnPixels(*base, &LightenColor, FHotLightDepth);
    FHotImage = BuildStateImage(false, *base, used);
  } else {
    FHotImage.reset();
  }
  if (HasOption(sioDisableImage)) {
    FGrayImage = std::make_unique<fw::TBitmap>();
    FGrayImage->Assign(FUpImage.get());
    RecolorDrawnPixels(
        *FGrayImage, [](fw::TColor c, int) { return DisabledGray(c); }, 0);
  } else {
    FGrayImage.reset();
  }
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

// The region of the image's drawn pixels replaces the old one; an empty one for no image.
void TClearControl::ReplaceRegion(win::HRGN& Field, fw::TBitmap* Image) {
  if (Field != nullptr) win::DeleteObject(Field);
  Field = nullptr;
  if (Image == nullptr) {
    Field = win::CreateRectRgn(0, 0, 0, 0);
    return;
  }
  Image->SetPixelFormat(fw::pf24bit);
  Image->SetTransparentColor(FTransparentColor);
  Field = ScanOpaqueRuns(*Image, FTransparentColor);
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
