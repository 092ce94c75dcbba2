// A realized font seen through the measuring interface of the text layout, so that DrawTextA
// lays out with exactly the advances that drawing uses.
#pragma once

#include "framework/platform/gdi/FontFace.h"
#include "framework/platform/gdi/TextLayout.h"

namespace win::gdi {

class TFaceMeasure : public TTextMeasure {
 public:
  // `extra` is the context's character extra (SetTextCharacterExtra), added to every advance.
  explicit TFaceMeasure(const TFontFace& face, int extra = 0) : FFace(face), FExtra(extra) {}
  int CharWidth(char32_t code) const override { return FFace.Advance(code) + FExtra; }
  int LineHeight() const override { return FFace.Metrics().Text.tmHeight; }
  int ExternalLeading() const override { return FFace.Metrics().Text.tmExternalLeading; }
  int AveCharWidth() const override { return FFace.Metrics().Text.tmAveCharWidth; }

 private:
  const TFontFace& FFace;
  int FExtra;
};

}  // namespace win::gdi
