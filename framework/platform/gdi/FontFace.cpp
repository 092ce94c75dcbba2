#include "framework/platform/gdi/FontFace.h"

#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>

namespace win::gdi {

// A face's design metrics in font units, as the platform reads them: the OS/2 "win" values, or
// the horizontal header's when a face has no OS/2 table.
struct TDesignMetrics {
  int Units = 2048;
  int Ascent = 0;
  int Descent = 0;
  int LineGap = 0;  // external leading
  int AverageWidth = 0;
  int MaxAdvance = 0;
  int UnderlinePosition = 0;  // above the baseline, negative below
  int UnderlineThickness = 0;
  int StrikeOutPosition = 0;
  int StrikeOutThickness = 0;
  int Weight = 400;
};

namespace {

std::int64_t RoundedRatio(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  if (denominator <= 0) return 0;
  const std::int64_t product = value * numerator;
  const std::int64_t half = denominator / 2;
  return product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
}

int Scaled(int units, int pixelsPerEm, int unitsPerEm) {
  return static_cast<int>(RoundedRatio(units, pixelsPerEm, unitsPerEm));
}

TDesignMetrics ReadDesignMetrics(FT_Face face) {
  TDesignMetrics m;
  m.Units = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    m.Ascent = os2->usWinAscent;
    m.Descent = os2->usWinDescent;
  } else {
    m.Ascent = face->ascender;
    m.Descent = -face->descender;
  }
  if (m.Ascent + m.Descent <= 0) {
    m.Ascent = m.Units * 4 / 5;
    m.Descent = m.Units / 5;
  }
  if (hhea != nullptr) {
    const int hheaHeight = hhea->Ascender - hhea->Descender;
    m.LineGap = std::max(0, hhea->Line_Gap - ((m.Ascent + m.Descent) - hheaHeight));
  }
  m.MaxAdvance = face->max_advance_width > 0 ? face->max_advance_width : m.Units;
  m.AverageWidth = os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
                       ? os2->xAvgCharWidth
                       : m.MaxAdvance / 2;
  m.UnderlinePosition = face->underline_position != 0 ? face->underline_position : -m.Units / 10;
  m.UnderlineThickness = face->underline_thickness > 0 ? face->underline_thickness : m.Units / 20;
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    m.StrikeOutPosition = os2->yStrikeoutPosition;
    m.StrikeOutThickness = os2->yStrikeoutSize;
  } else {
    m.StrikeOutPosition = m.Ascent / 3;
    m.StrikeOutThickness = m.UnderlineThickness;
  }
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass > 0)
    m.Weight = os2->usWeightClass;
  return m;
}

constexpr std::size_t MaxCachedGlyphs = 4096;

// Pixel sizes within [1, MaxFontPixels]; wide arithmetic so that the most negative height
// cannot overflow when negated.
LONG ClampPixels(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, 1, MaxFontPixels));
}

LONG CellOrEm(const TFontRequest& request) {
  return request.Height == 0 ? DefaultCellPixels : request.Height;
}

bool CoversJapanese(FT_Face face) {
  return FT_Get_Char_Index(face, 0x3042) != 0;  // HIRAGANA LETTER A
}

BYTE ReportedCharSet(BYTE requested, FT_Face face) {
  if (requested != DEFAULT_CHARSET) return requested;
  return CoversJapanese(face) ? SHIFTJIS_CHARSET : ANSI_CHARSET;
}

BYTE PitchAndFamily(FT_Face face) {
  const bool fixed = FT_IS_FIXED_WIDTH(face);
  return static_cast<BYTE>(TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH) |
                           (fixed ? FF_MODERN : FF_SWISS));
}

// Appends the ink spans of one monochrome bitmap row.
void AppendRowSpans(const unsigned char* row, unsigned width, int y, int left,
                    std::vector<TGlyphSpan>& spans) {
  unsigned x = 0;
  const auto bit = [row](unsigned i) { return (row[i >> 3] & (0x80u >> (i & 7))) != 0; };
  while (x < width) {
    while (x < width && !bit(x))
      ++x;
    const unsigned start = x;
    while (x < width && bit(x))
      ++x;
    if (x > start)
      spans.push_back(TGlyphSpan{y, left + static_cast<int>(start), left + static_cast<int>(x)});
  }
}

RECT InkBounds(const std::vector<TGlyphSpan>& spans) {
  if (spans.empty()) return RECT{};
  RECT box{spans.front().Left, spans.front().Y, spans.front().Right, spans.front().Y + 1};
  for (const TGlyphSpan& span : spans) {
    box.left = std::min<LONG>(box.left, span.Left);
    box.right = std::max<LONG>(box.right, span.Right);
    box.top = std::min<LONG>(box.top, span.Y);
    box.bottom = std::max<LONG>(box.bottom, span.Y + 1);
  }
  return box;
}

}  // namespace

std::shared_ptr<TFontFace> TFontFace::Create(const TFontRequest& request) {
  TFontQuery query;
  query.Family = request.Family;
  query.Weight =
      request.Weight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(request.Weight, 1, 1000);
  query.Italic = request.Italic;
  query.Japanese = request.CharSet == SHIFTJIS_CHARSET;
  query.PixelSize = ClampPixels(std::abs(std::int64_t{CellOrEm(request)}));
  const std::optional<TFontMatch> match = TFontMatcher::Instance().Match(query);
  if (!match) return nullptr;
  TFaceHandle face = OpenFace(match->File, match->Index);
  if (!face || !FT_IS_SCALABLE(face)) return nullptr;
  return std::make_shared<TFontFace>(TPrivate{}, std::move(face), request, *match, query);
}

TFontFace::TFontFace(TPrivate, TFaceHandle face, const TFontRequest& request,
                     const TFontMatch& match, TFontQuery query)
    : FFace(std::move(face)),
      FRequest(request),
      FQuery(std::move(query)),
      FFile(match.File),
      FFaceName(match.FamilyMatched ? request.Family : match.Family) {
  const TDesignMetrics design = ReadDesignMetrics(FFace.get());
  ChooseSynthesis(design);
  SizeVertically(design);
  SizeHorizontally(design);
  ApplySize(FSizing);
  FillTextMetrics(design);
  FillLineMetrics(design);
}

void TFontFace::ChooseSynthesis(const TDesignMetrics& design) {
  // The face's own design decides what to synthesize (fontconfig's answer already counts its
  // own synthesis as done).
  const bool designBold =
      design.Weight >= FW_SEMIBOLD || (FFace->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  const bool designItalic = (FFace->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  // A weight nearer to bold than to normal asks for bold (the oracle emboldens from 551 on).
  FEmbolden = FQuery.Weight > (FW_NORMAL + FW_BOLD) / 2 && !designBold;
  FOblique = FRequest.Italic && !designItalic;
}

// A negative height is the em; a positive one is the cell (ascent + descent), which fixes the em
// rounded to whole pixels, one pixel less when the cell of that em, rounded, would be taller than
// asked (7 pixels of IPAPGothic give an em of 6, not 6.51 rounded to 7). Ascent and descent then
// follow from the em, each rounded on its own, so a positive height can come out a pixel off (24
// gives a 23-pixel cell, as the oracle shows).
void TFontFace::SizeVertically(const TDesignMetrics& design) {
  TEXTMETRICA& tm = FMetrics.Text;
  const int cellUnits = design.Ascent + design.Descent;
  const LONG height = CellOrEm(FRequest);
  if (height > 0) {
    const LONG cell = ClampPixels(height);
    std::int64_t em = RoundedRatio(cell, design.Units, cellUnits);
    if (em > 1 && RoundedRatio(em, cellUnits, design.Units) > cell) --em;
    FSizing.EmPixels = std::max(1, static_cast<int>(em));
  } else {
    FSizing.EmPixels = ClampPixels(-std::int64_t{height});
  }
  tm.tmAscent = Scaled(design.Ascent, FSizing.EmPixels, design.Units);
  tm.tmDescent = Scaled(design.Descent, FSizing.EmPixels, design.Units);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - FSizing.EmPixels);
  FMetrics.EmPixels = FSizing.EmPixels;
}

// A requested average width stretches or narrows the face horizontally.
void TFontFace::SizeHorizontally(const TDesignMetrics& design) {
  FSizing.WidthPixels = FSizing.EmPixels;
  if (FRequest.Width <= 0) return;
  const int naturalAverage =
      std::max(1, Scaled(design.AverageWidth, FSizing.EmPixels, design.Units));
  FSizing.WidthPixels = static_cast<int>(std::clamp<std::int64_t>(
      RoundedRatio(FSizing.EmPixels, ClampPixels(FRequest.Width), naturalAverage), 1,
      MaxFontPixels));
}

void TFontFace::FillTextMetrics(const TDesignMetrics& design) {
  TEXTMETRICA& tm = FMetrics.Text;
  const int x = FSizing.WidthPixels;
  tm.tmExternalLeading = Scaled(design.LineGap, FSizing.EmPixels, design.Units);
  tm.tmAveCharWidth = std::max(1, Scaled(design.AverageWidth, x, design.Units));
  tm.tmMaxCharWidth = std::max(1, Scaled(design.MaxAdvance, x, design.Units)) + (FEmbolden ? 1 : 0);
  tm.tmWeight = FEmbolden ? FW_BOLD : design.Weight;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  FT_UInt firstIndex = 0;
  const FT_ULong first = FT_Get_First_Char(FFace.get(), &firstIndex);
  tm.tmFirstChar = static_cast<BYTE>(std::min<FT_ULong>(first, 0xFF));
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = static_cast<BYTE>(tm.tmFirstChar > 0 ? tm.tmFirstChar - 1 : 0);
  tm.tmBreakChar = ' ';
  tm.tmItalic = FRequest.Italic ? 0xFF : 0;
  tm.tmUnderlined = FRequest.Underline ? 0xFF : 0;
  tm.tmStruckOut = FRequest.StrikeOut ? 0xFF : 0;
  tm.tmPitchAndFamily = PitchAndFamily(FFace.get());
  tm.tmCharSet = ReportedCharSet(FRequest.CharSet, FFace.get());
}

void TFontFace::FillLineMetrics(const TDesignMetrics& design) {
  const int em = FSizing.EmPixels;
  FMetrics.UnderlineSize = std::max(1, Scaled(design.UnderlineThickness, em, design.Units));
  // Below the baseline but inside the cell, so a clipped line of text still shows it.
  FMetrics.UnderlineTop = std::clamp(
      Scaled(-design.UnderlinePosition, em, design.Units) - FMetrics.UnderlineSize / 2, 0,
      std::max(0, static_cast<int>(FMetrics.Text.tmDescent) - FMetrics.UnderlineSize));
  FMetrics.StrikeOutSize = std::max(1, Scaled(design.StrikeOutThickness, em, design.Units));
  FMetrics.StrikeOutTop = -Scaled(design.StrikeOutPosition, em, design.Units);
}

TFontFace::TFontFace(TPrivate, TFaceHandle face, const TFontFace& primary)
    : FFace(std::move(face)),
      FRequest(primary.FRequest),
      FQuery(primary.FQuery),
      FFaceName(primary.FFaceName),
      FSizing(primary.FSizing),
      FMetrics(primary.FMetrics),
      FEmbolden(primary.FEmbolden),
      FOblique(primary.FOblique),
      FIsFallback(true) {
  ApplySize(FSizing);
}

TFontFace::~TFontFace() = default;

std::string TFontFace::DesignFamily() const {
  return FFace->family_name != nullptr ? FFace->family_name : "";
}

void TFontFace::ApplySize(const TSizing& sizing) {
  FT_Set_Pixel_Sizes(FFace.get(), static_cast<FT_UInt>(sizing.WidthPixels),
                     static_cast<FT_UInt>(sizing.EmPixels));
}

TGlyph TFontFace::Render(FT_UInt index) const {
  TGlyph glyph;
  FT_Int32 flags = FT_LOAD_TARGET_MONO;
  // Shearing and emboldening work on the (hinted) outline.
  if (FOblique || FEmbolden) flags |= FT_LOAD_NO_BITMAP;
  FT_GlyphSlot slot = FFace->glyph;
  if (FT_Load_Glyph(FFace.get(), index, flags) != 0) return glyph;
  if (FOblique) FT_GlyphSlot_Oblique(slot);
  glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
  // Widens the outline by a twenty-fourth of the em both ways; the advance grows by one pixel.
  if (FEmbolden) {
    FT_GlyphSlot_Embolden(slot);
    ++glyph.Advance;
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0 &&
      slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
      AppendRowSpans(bits, bitmap.width, static_cast<int>(row) - slot->bitmap_top,
                     slot->bitmap_left, glyph.Spans);
    }
  }
  glyph.Ink = InkBounds(glyph.Spans);
  return glyph;
}

const TFontFace* TFontFace::FallbackFor(char32_t code) const {
  if (FIsFallback || code < 0x20) return nullptr;
  if (const auto known = FFallbackOf.find(code); known != FFallbackOf.end()) return known->second;
  const TFontFace* fallback = nullptr;
  const std::optional<TFontMatch> match = TFontMatcher::Instance().MatchCharacter(FQuery, code);
  if (match && match->File != FFile) {
    auto& slot = FFallbacks[match->File + '#' + std::to_string(match->Index)];
    if (!slot) {
      TFaceHandle face = OpenFace(match->File, match->Index);
      if (face && FT_IS_SCALABLE(face))
        slot = std::make_unique<TFontFace>(TPrivate{}, std::move(face), *this);
    }
    if (slot && FT_Get_Char_Index(slot->FFace.get(), code) != 0) fallback = slot.get();
  }
  FFallbackOf.emplace(code, fallback);
  return fallback;
}

std::shared_ptr<const TGlyph> TFontFace::Glyph(char32_t code) const {
  if (const auto cached = FGlyphs.find(code); cached != FGlyphs.end()) return cached->second;
  // Bound the cache: a long run of distinct characters at a huge size must not pile up. Glyphs
  // handed out stay alive with their callers.
  if (FGlyphs.size() >= MaxCachedGlyphs) FGlyphs.clear();
  const FT_UInt index = FT_Get_Char_Index(FFace.get(), code);
  std::shared_ptr<const TGlyph> glyph;
  if (index == 0) {
    if (const TFontFace* fallback = FallbackFor(code)) glyph = fallback->Glyph(code);
  }
  if (!glyph) glyph = std::make_shared<const TGlyph>(Render(index));
  FGlyphs.emplace(code, glyph);
  return glyph;
}

}  // namespace win::gdi
