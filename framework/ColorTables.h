// Colour tables of device-independent bitmaps: the header block that carries a full one (or the
// three channel masks) after the info header, and the logical palettes made from colour entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/platform/GdiTypes.h"

namespace fw {

// A BITMAPINFO with room for a full colour table of 256 entries (or the three masks).
struct TDibHeader {
  win::BITMAPINFOHEADER Header;
  win::RGBQUAD Colors[256];
  win::BITMAPINFO* Info() { return reinterpret_cast<win::BITMAPINFO*>(this); }
  const win::BITMAPINFO* Info() const { return reinterpret_cast<const win::BITMAPINFO*>(this); }
};

// Palettes made from a colour table hold at most this many entries.
inline constexpr std::size_t MaxPaletteEntries = 256;

// A logical palette of the entries; null when there are none or the platform refuses it.
win::HPALETTE CreatePaletteOf(std::span<const win::PALETTEENTRY> Entries);

// A logical palette of the first MaxPaletteEntries entries of a colour table stored as BMP files
// and BITMAPINFO store it, four bytes an entry (blue, green, red, unused); null for no entries.
win::HPALETTE CreatePaletteFromColorTable(const std::uint8_t* Table, std::size_t Count);

}  // namespace fw
