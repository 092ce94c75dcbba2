#include "framework/PictureLimits.h"

#include "framework/Exceptions.h"

namespace fw {
namespace {

std::int64_t Magnitude(std::int64_t value) {
  return value < 0 ? -value : value;
}

}  // namespace

bool PictureSizeAllowed(std::int64_t Width, std::int64_t Height) {
  const std::int64_t w = Magnitude(Width), h = Magnitude(Height);
  // Each side alone may already exceed the limit, so the product is never formed out of range.
  if (w > MaxPicturePixels || h > MaxPicturePixels) return w == 0 || h == 0;
  return w * h <= MaxPicturePixels;
}

void CheckPictureSize(std::int64_t Width, std::int64_t Height) {
  if (PictureSizeAllowed(Width, Height)) return;
  throw EInvalidGraphic(Exception::ResMessage(SPictureTooLarge, Magnitude(Width), Magnitude(Height),
                                              MaxPicturePixels));
}

void CheckWindowSize(std::int64_t ClientWidth, std::int64_t ClientHeight) {
  if (PictureSizeAllowed(ClientWidth, ClientHeight)) return;
  throw EInvalidGraphic(Exception::ResMessage(SWindowTooLarge, Magnitude(ClientWidth),
                                              Magnitude(ClientHeight), MaxPicturePixels));
}

}  // namespace fw
