// Pixels that text covers, in device coordinates: the ink of a run of glyphs as a region, the
// underline and strike-out bars, and the cell box that an opaque background fills.
#pragma once

#include <span>
#include <string_view>

#include "framework/platform/gdi/FontFace.h"
#include "framework/platform/gdi/Region.h"

namespace win::gdi {

// Sum of the advances of the run; `advances`, when given, replaces the font's advance of each
// character it covers (ExtTextOut's lpDx).
std::int64_t RunWidth(const TFontFace& face, std::u32string_view text,
                      std::span<const int> advances = {});

// Ink of the glyphs drawn with the first character's origin on the baseline at `origin`. Glyphs
// whose ink lies wholly outside `limit` are skipped (the result is not clipped to it).
TRegion GlyphRunInk(const TFontFace& face, std::u32string_view text, POINT origin,
                    const RECT& limit, std::span<const int> advances = {});

// The underline under pixels [left, right) of text whose baseline is at `baseline`.
RECT UnderlineRect(const TFontFace& face, LONG left, LONG right, LONG baseline);
// The line DrawText draws under a prefixed character whose cell is [left, right): one pixel high
// on the row below the baseline, one pixel shorter than the cell, whatever the font's own
// underline metrics (as the platform draws it, a pen line to the cell's last column).
RECT PrefixUnderlineRect(LONG left, LONG right, LONG baseline);
// The strike-out bar through pixels [left, right).
RECT StrikeOutRect(const TFontFace& face, LONG left, LONG right, LONG baseline);
// The text cell: `width` pixels from `left`, from the top of the ascent to the bottom of the
// descent, for a baseline at `baseline`.
RECT TextCellBox(const TFontFace& face, LONG left, LONG width, LONG baseline);

// Ink of a whole line with the font's own underline and strike-out added when it has them.
TRegion TextLineCoverage(const TFontFace& face, std::u32string_view text, POINT origin,
                         const RECT& limit, std::span<const int> advances = {});

}  // namespace win::gdi
