// Turns physical pixel values of one surface into those of another, with the platform's rules
// for monochrome: a monochrome device bitmap takes the target context's text and background
// colours, and colour turns monochrome by comparing with the source context's background colour.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

struct TConversionColors {
  bool SourceIsMonochromeDevice = false;
  COLORREF TargetTextColor = RGB(0, 0, 0);      // for a monochrome source's 0 bits
  COLORREF TargetBkColor = RGB(255, 255, 255);  // for its 1 bits
  COLORREF SourceBkColor = RGB(255, 255, 255);  // colour to monochrome: this colour gives 1
  // DIB reads and writes (GetDIBits, SetDIBits) map by colour alone: a monochrome bitmap is black
  // and white, and colour turns monochrome by the nearer of the two.
  bool ByColorOnly = false;
};

class TPixelConverter {
 public:
  TPixelConverter(const TSurface& source, const TSurface& target, const TConversionColors& colors);

  bool IsIdentity() const { return FIdentity; }
  std::uint32_t Convert(std::uint32_t value) const {
    if (FIdentity) return value;
    if (!FTable.empty()) return value < FTable.size() ? FTable[value] : FTable[0];
    return ConvertSlow(value);
  }
  void ConvertRow(std::uint32_t* values, std::size_t count) const;

 private:
  std::uint32_t ConvertSlow(std::uint32_t value) const;

  const TSurface& FSource;
  const TSurface& FTarget;
  bool FIdentity = false;
  bool FToMonochrome = false;
  std::uint32_t FSourceBk = 0;
  std::vector<std::uint32_t> FTable;  // indexed sources: one entry per index
  mutable std::uint32_t FLastIn = 0;
  mutable std::uint32_t FLastOut = 0;
  mutable bool FHasLast = false;
};

}  // namespace win::gdi
