#include "framework/ColorTables.h"

#include <algorithm>
#include <vector>

#include "framework/platform/GdiPensBrushes.h"

namespace fw {

win::HPALETTE CreatePaletteOf(std::span<const win::PALETTEENTRY> Entries) {
  if (Entries.empty()) return nullptr;
  std::vector<std::uint8_t> buffer(sizeof(win::LOGPALETTE) +
                                   Entries.size() * sizeof(win::PALETTEENTRY));
  auto* palette = reinterpret_cast<win::LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = win::WORD(Entries.size());
  // The buffer holds the entries beyond the one the structure declares.
  win::PALETTEENTRY* entries = palette->palPalEntry;
  for (std::size_t i = 0; i < Entries.size(); ++i)
    entries[i] = Entries[i];
  return win::CreatePalette(palette);
}

win::HPALETTE CreatePaletteFromColorTable(const std::uint8_t* Table, std::size_t Count) {
  std::vector<win::PALETTEENTRY> entries(std::min(Count, MaxPaletteEntries));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::uint8_t* quad = Table + i * 4;
    entries[i] = win::PALETTEENTRY{quad[2], quad[1], quad[0], 0};
  }
  return CreatePaletteOf(entries);
}

}  // namespace fw
