// A realized font seen through the measuring interface of the text layout, so that DrawTextA
// lays out with exactly the advances that drawing uses.
#pragma once

#include "framework/platform/gdi/FontFace.h"
#include "framework/platform/gdi/TextLayout.h"

namespace win::gdi {

class TFaceMeasure : public TTextMeasure {
 public:
  explicit TFaceMeasure(const TFontFace& face) : FFace(face) {}
  int CharWidth(char32_t code) const override { return FFace.Advance(code); }
  int LineHeight() const override { return FFace.Metrics().Text.tmHeight; }
  int ExternalLeading() const override { return FFace.Metrics().Text.tmExternalLeading; }
  int AveCharWidth() const override { return FFace.Metrics().Text.tmAveCharWidth; }

 private:
  const TFontFace& FFace;
};

}  // namespace win::gdi
