// A realized font: the face fontconfig chose for a request, scaled to its pixel size, with the
// platform's text metrics, and its glyphs rendered monochrome and hinted as rows of ink spans.
#pragma once

#include <compare>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/platform/TextTypes.h"
#include "framework/platform/gdi/FontMatcher.h"
#include "framework/platform/gdi/FreeType.h"

namespace win::gdi {

struct TDesignMetrics;

// What a LOGFONT asks for, with the face name decoded to UTF-8.
struct TFontRequest {
  std::string Family;
  LONG Height = 0;  // < 0: em size in pixels; > 0: cell height; 0: DefaultCellPixels
  LONG Width = 0;   // average character width; 0: the face's own proportions
  LONG Weight = FW_DONTCARE;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  BYTE CharSet = DEFAULT_CHARSET;
  friend auto operator<=>(const TFontRequest&, const TFontRequest&) = default;
};

// Sizes are clamped to this many pixels, so a hostile height cannot exhaust memory.
inline constexpr LONG MaxFontPixels = 1024;
// Height 0 asks for the default size: a cell this many pixels high (as the oracle shows).
inline constexpr LONG DefaultCellPixels = 16;

struct TFontMetrics {
  TEXTMETRICA Text;       // as GetTextMetrics reports it
  int EmPixels = 0;       // pixels per em vertically
  int UnderlineTop = 0;   // below the baseline, in pixels
  int UnderlineSize = 1;  // thickness in pixels
  int StrikeOutTop = 0;   // below the baseline (negative: above)
  int StrikeOutSize = 1;
};

// One ink span of a glyph row: pixels [Left, Right) of row Y, relative to the glyph's origin on
// the baseline (Y grows downwards, so rows above the baseline are negative).
struct TGlyphSpan {
  int Y = 0;
  int Left = 0;
  int Right = 0;
};

struct TGlyph {
  int Advance = 0;
  std::vector<TGlyphSpan> Spans;
  RECT Ink{};  // bounds of the spans relative to the origin; empty for a blank glyph
};

class TFontFace {
  struct TPrivate {};

 public:
  // Realizes the request; null only when no usable font file exists at all.
  static std::shared_ptr<TFontFace> Create(const TFontRequest& request);
  TFontFace(TPrivate, TFaceHandle face, const TFontRequest& request, const TFontMatch& match,
            TFontQuery query);
  TFontFace(TPrivate, TFaceHandle face, const TFontFace& primary);  // a fallback at the same size
  ~TFontFace();
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;

  const TFontRequest& Request() const { return FRequest; }
  const TFontMetrics& Metrics() const { return FMetrics; }
  // The face name to report: the requested one when it (or its alias) was found, otherwise the
  // family of the face that stands in for it. UTF-8.
  const std::string& FaceName() const { return FFaceName; }
  const std::string& File() const { return FFile; }
  // The family name recorded in the font file itself ("IPAPGothic").
  std::string DesignFamily() const;
  bool SyntheticBold() const { return FEmbolden; }
  bool SyntheticItalic() const { return FOblique; }

  // The rendered glyph of a character (from a fallback face when this one lacks it).
  std::shared_ptr<const TGlyph> Glyph(char32_t code) const;
  int Advance(char32_t code) const { return Glyph(code)->Advance; }

 private:
  struct TSizing {
    int EmPixels = 0;
    int WidthPixels = 0;  // horizontal pixels per em
  };

  void ChooseSynthesis(const TDesignMetrics& design);
  void SizeVertically(const TDesignMetrics& design);
  void SizeHorizontally(const TDesignMetrics& design);
  void FillTextMetrics(const TDesignMetrics& design);
  void FillLineMetrics(const TDesignMetrics& design);
  void ApplySize(const TSizing& sizing);
  TGlyph Render(FT_UInt index) const;
  const TFontFace* FallbackFor(char32_t code) const;

  TFaceHandle FFace;
  TFontRequest FRequest;
  TFontQuery FQuery;
  std::string FFile;
  std::string FFaceName;
  TSizing FSizing;
  TFontMetrics FMetrics;
  bool FEmbolden = false;
  bool FOblique = false;
  bool FIsFallback = false;
  mutable std::unordered_map<char32_t, std::shared_ptr<const TGlyph>> FGlyphs;
  mutable std::map<std::string, std::unique_ptr<TFontFace>> FFallbacks;  // by file
  mutable std::unordered_map<char32_t, const TFontFace*> FFallbackOf;
};

}  // namespace win::gdi
