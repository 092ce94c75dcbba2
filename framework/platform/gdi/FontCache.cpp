#include "framework/platform/gdi/FontCache.h"

namespace win::gdi {
namespace {

constexpr std::size_t MaxCachedFonts = 32;

}  // namespace

TFontCache& TFontCache::Instance() {
  static TFontCache cache;
  return cache;
}

TFontCache::TFontCache() = default;

std::shared_ptr<const TFontFace> TFontCache::Realize(const TFontRequest& request) {
  for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
    if (it->first == request) {
      FEntries.splice(FEntries.begin(), FEntries, it);
      return FEntries.front().second;
    }
  }
  std::shared_ptr<const TFontFace> face = TFontFace::Create(request);
  if (!face) return nullptr;
  FEntries.emplace_front(request, face);
  if (FEntries.size() > MaxCachedFonts) FEntries.pop_back();
  return face;
}

}  // namespace win::gdi
