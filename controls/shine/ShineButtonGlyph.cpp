// TShineSpeedButton's glyph: kept as a 32-bit device-independent bitmap whenever it changes, and
// recomputed for each paint as the state glyph: a plain copy up or down, a shine in ShineColor
// while hot, one of five disabled looks while disabled.
#include "controls/shine/ShineGlyphEffects.h"
#include "controls/shine/ShineSpeedButton.h"
#include "framework/Canvas.h"

namespace shine {

void TShineSpeedButton::ConnectGlyph(bool Connected) {
  if (Connected)
    FGlyph->OnChange = [this](fw::TObject* sender) { GlyphOnChange(sender); };
  else
    FGlyph->OnChange = nullptr;
}

// Converting changes the glyph and so calls here again, which then finds nothing to convert.
void TShineSpeedButton::GlyphOnChange(fw::TObject*) {
  FGlyph->SetHandleType(fw::bmDIB);
  FGlyph->SetPixelFormat(fw::pf32bit);
  Invalidate();
}

void TShineSpeedButton::SetGlyph(const fw::TBitmap* Value) {
  ConnectGlyph(false);
  if (Value != nullptr) {
    FGlyph->Assign(Value);
    ConnectGlyph(true);
    GlyphOnChange(FGlyph.get());
  } else {
    // The glyph object stays; its image is freed.
    FGlyph->Assign(nullptr);
    FGlyph->SetSize(0, 0);
    ConnectGlyph(true);
  }
  Invalidate();
}

std::unique_ptr<fw::TBitmap> TShineSpeedButton::CreateStateGlyph() {
  if (FGlyph->Empty()) return nullptr;
  auto result = std::make_unique<fw::TBitmap>();
  result->Assign(FGlyph.get());
  const bool edgeMask = FState == shDisabled && FDisabledImage == diDefault;
  if (HotLook()) {
    // The result's rows first, so that it holds its own copy and the glyph's stays unshared.
    const TPixelRows rows(*result);
    ApplyActiveImage(FActiveImage, ColorToPixel32(FShineColor), TPixelRows(*FGlyph), rows);
  } else if (edgeMask) {
    fw::TCanvas& canvas = *result->Canvas();
    canvas.Brush()->SetStyle(fw::bsSolid);
    canvas.Brush()->SetColor(fw::clBlack);
    canvas.FillRect(canvas.ClipRect());
    const TPixelRows rows(*result);
    MarkColourEdges(TPixelRows(*FGlyph), rows);
    result->SetMonochrome(true);
  } else if (FState == shDisabled) {
    ApplyDisabledImage(FDisabledImage, ColorToPixel32(FColors->Color()), TPixelRows(*result));
  }
  result->SetHandleType(fw::bmDDB);
  const fw::TColor corner = result->Canvas()->Pixels(0, result->Height() - 1);
  result->SetTransparent(true);
  result->SetTransparentColor(edgeMask ? fw::clBlack : corner);
  return result;
}

}  // namespace shine
