// The process's cache of realized fonts, so that creating the same font again (as controls do on
// every paint) reuses the face and its rendered glyphs.
#pragma once

#include <list>
#include <memory>
#include <utility>

#include "framework/platform/gdi/FontFace.h"

namespace win::gdi {

class TFontCache {
 public:
  static TFontCache& Instance();

  // The realized font for the request; null when no font file is usable at all.
  std::shared_ptr<const TFontFace> Realize(const TFontRequest& request);

  TFontCache(const TFontCache&) = delete;
  TFontCache& operator=(const TFontCache&) = delete;

 private:
  TFontCache();

  // Most recently used first; the oldest beyond the limit are dropped (fonts still selected
  // somewhere stay alive through their owners).
  std::list<std::pair<TFontRequest, std::shared_ptr<const TFontFace>>> FEntries;
};

}  // namespace win::gdi
