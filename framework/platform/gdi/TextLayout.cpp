#include "framework/platform/gdi/TextLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "framework/platform/gdi/TextChars.h"

namespace win::gdi {
namespace {

// A character that survives prefix processing.
struct TShownChar {
  char32_t Code = 0;
  bool Underlined = false;
};
using TLine = std::vector<TShownChar>;

struct TOptions {
  UINT Format = 0;
  int TabChars = 8;
};

LONG Clamp32(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

TOptions ReadOptions(UINT format) {
  TOptions options;
  options.Format = DrawTextFlags(format);
  if (format & DT_TABSTOP) {
    options.TabChars = static_cast<int>((format >> 8) & 0xFF);
    if (options.TabChars == 0) options.TabChars = 8;
  }
  return options;
}

bool Has(const TOptions& options, UINT flag) {
  return (options.Format & flag) != 0;
}

// '&' underlines the character after it and is not drawn; "&&" draws one '&'; a '&' with nothing
// after it is drawn as it is.
TLine ApplyPrefixes(const std::vector<TTextChar>& chars, bool prefixes) {
  TLine shown;
  shown.reserve(chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (prefixes && chars[i].SingleByte() == '&' && i + 1 < chars.size()) {
      ++i;
      shown.push_back(TShownChar{chars[i].Code, chars[i].SingleByte() != '&'});
      continue;
    }
    shown.push_back(TShownChar{chars[i].Code, false});
  }
  return shown;
}

bool IsLineBreak(char32_t code) {
  return code == U'\r' || code == U'\n';
}

// Lines split at CR and LF; a CR LF or LF CR pair is one break, CR CR or LF LF two. The break
// characters themselves are not drawn.
std::vector<TLine> SplitHardLines(const TLine& text) {
  std::vector<TLine> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t code = text[i].Code;
    if (IsLineBreak(code)) {
      if (i + 1 < text.size() && IsLineBreak(text[i + 1].Code) && text[i + 1].Code != code) ++i;
      lines.emplace_back();
      continue;
    }
    lines.back().push_back(text[i]);
  }
  return lines;
}

// On a single line every CR and LF shows as a space.
TLine BlankLineBreaks(TLine text) {
  for (TShownChar& c : text) {
    if (IsLineBreak(c.Code)) c.Code = U' ';
  }
  return text;
}

bool IsSpace(char32_t code) {
  return code == U' ' || code == U'\t';
}

// Ideographic and kana text has no spaces: a line may break before or after such a character.
bool IsWide(char32_t code) {
  return (code >= 0x2E80 && code <= 0x9FFF) || (code >= 0xAC00 && code <= 0xD7A3) ||
         (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFFEF) ||
         (code >= 0x20000 && code <= 0x3FFFF);
}

// After a space, and (unless DT_NOFULLWIDTHCHARBREAK) before or after an ideograph or kana.
bool CanBreakBefore(const TLine& line, std::size_t i, bool wideBreaks) {
  if (i == 0 || i >= line.size()) return false;
  const char32_t before = line[i - 1].Code;
  const char32_t here = line[i].Code;
  if (IsSpace(here)) return false;
  return IsSpace(before) || (wideBreaks && (IsWide(before) || IsWide(here)));
}

class TLineMeasurer {
 public:
  TLineMeasurer(const TTextMeasure& measure, const TOptions& options)
      : FMeasure(measure),
        FExpandTabs(Has(options, DT_EXPANDTABS)),
        FTabWidth(std::int64_t{options.TabChars} * measure.AveCharWidth()) {}

  // Pen position after `c` drawn at `x` (measured from the line's start).
  std::int64_t Advance(std::int64_t x, const TShownChar& c) const {
    if (FExpandTabs && c.Code == U'\t') return FTabWidth > 0 ? (x / FTabWidth + 1) * FTabWidth : x;
    return x + FMeasure.CharWidth(c.Code);
  }

  std::int64_t Width(const TLine& line, std::size_t begin, std::size_t end) const {
    std::int64_t x = 0;
    for (std::size_t i = begin; i < end; ++i)
      x = Advance(x, line[i]);
    return x;
  }

  bool ExpandsTabs() const { return FExpandTabs; }

 private:
  const TTextMeasure& FMeasure;
  bool FExpandTabs;
  std::int64_t FTabWidth;
};

// Greedy word wrapping: a line breaks at the last opportunity before the text outgrows `limit`;
// the spaces at a break are dropped; a word longer than the limit stays whole on its own line.
std::vector<TLine> WrapLine(const TLine& line, std::int64_t limit, const TLineMeasurer& measurer,
                            bool wideBreaks) {
  std::vector<TLine> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t breakAt = 0;  // 0: no opportunity on this line yet
    std::int64_t x = 0;
    std::size_t i = start;
    for (; i < line.size(); ++i) {
      if (i > start && CanBreakBefore(line, i, wideBreaks)) breakAt = i;
      x = measurer.Advance(x, line[i]);
      if (x > limit && !IsSpace(line[i].Code) && breakAt > start) break;
    }
    if (i == line.size()) {
      lines.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(start), line.end());
      return lines;
    }
    std::size_t end = breakAt;
    while (end > start && IsSpace(line[end - 1].Code))
      --end;
    lines.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(start),
                       line.begin() + static_cast<std::ptrdiff_t>(end));
    start = breakAt;
  }
}

// Adds the runs and the prefix mark of one line placed at (x, y); an expanded tab ends a run and
// the next run starts at the tab stop. Of several prefixed characters on a line only the last
// is underlined, as the platform draws it.
void PlaceLine(const TLine& line, std::int64_t x, std::int64_t y, const TLineMeasurer& measurer,
               TTextLayout& layout) {
  std::int64_t pen = 0;
  std::int64_t runStart = 0;
  std::u32string text;
  std::optional<TLayoutMark> mark;
  const auto flush = [&] {
    if (!text.empty())
      layout.Runs.push_back({Clamp32(x + runStart), Clamp32(y), text, Clamp32(pen - runStart)});
    text.clear();
  };
  for (const TShownChar& c : line) {
    const std::int64_t next = measurer.Advance(pen, c);
    if (measurer.ExpandsTabs() && c.Code == U'\t') {
      flush();
      runStart = next;
    } else {
      text.push_back(c.Code);
      if (c.Underlined) mark = TLayoutMark{Clamp32(x + pen), Clamp32(x + next), Clamp32(y)};
    }
    pen = next;
  }
  flush();
  if (mark) layout.Marks.push_back(*mark);
}

// Centred text starts at (near + far - size) / 2, truncated toward zero as the platform does it:
// with less room than text and an odd difference, that is not near + (room - size) / 2.
std::int64_t Centred(LONG near, LONG far, std::int64_t size) {
  return (std::int64_t{near} + far - size) / 2;
}

std::int64_t AlignedLeft(const RECT& rect, std::int64_t width, const TOptions& options) {
  if (Has(options, DT_CENTER)) return Centred(rect.left, rect.right, width);
  if (Has(options, DT_RIGHT)) return std::int64_t{rect.right} - width;
  return rect.left;
}

std::int64_t AlignedTop(const RECT& rect, std::int64_t height, const TOptions& options) {
  if (!Has(options, DT_SINGLELINE)) return rect.top;
  if (Has(options, DT_VCENTER)) return Centred(rect.top, rect.bottom, height);
  if (Has(options, DT_BOTTOM)) return std::int64_t{rect.bottom} - height;
  return rect.top;
}

std::vector<TLine> BreakLines(const TLine& shown, const RECT& rect, const TOptions& options,
                              const TLineMeasurer& measurer) {
  if (Has(options, DT_SINGLELINE)) return {BlankLineBreaks(shown)};
  std::vector<TLine> lines;
  const std::int64_t limit = std::int64_t{rect.right} - rect.left;
  for (const TLine& hard : SplitHardLines(shown)) {
    if (!Has(options, DT_WORDBREAK)) {
      lines.push_back(hard);
      continue;
    }
    for (TLine& wrapped : WrapLine(hard, limit, measurer, !Has(options, DT_NOFULLWIDTHCHARBREAK)))
      lines.push_back(std::move(wrapped));
  }
  return lines;
}

}  // namespace

UINT DrawTextFlags(UINT format) {
  return (format & DT_TABSTOP) ? format & ~UINT{0xFF00} : format;
}

TTextLayout LayoutDrawText(std::string_view text, UINT codePage, const RECT& rect, UINT format,
                           const TTextMeasure& measure) {
  const TOptions options = ReadOptions(format);
  TTextLayout layout;
  layout.CalcRect = RECT{rect.left, rect.top, rect.left, rect.top};
  if (text.empty()) return layout;

  const TLineMeasurer measurer(measure, options);
  const TLine shown = ApplyPrefixes(SplitCharacters(text, codePage), !Has(options, DT_NOPREFIX));
  const std::vector<TLine> lines = BreakLines(shown, rect, options, measurer);

  layout.LineHeight =
      measure.LineHeight() + (Has(options, DT_EXTERNALLEADING) ? measure.ExternalLeading() : 0);
  layout.LineCount = static_cast<int>(lines.size());
  const std::int64_t height = std::int64_t{layout.LineHeight} * layout.LineCount;
  const std::int64_t top = AlignedTop(rect, height, options);
  std::int64_t widest = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::int64_t width = measurer.Width(lines[i], 0, lines[i].size());
    widest = std::max(widest, width);
    PlaceLine(lines[i], AlignedLeft(rect, width, options),
              top + std::int64_t{layout.LineHeight} * static_cast<std::int64_t>(i), measurer,
              layout);
  }
  if (Has(options, DT_PREFIXONLY)) layout.Runs.clear();
  if (Has(options, DT_HIDEPREFIX)) layout.Marks.clear();

  layout.CalcRect.right = Clamp32(rect.left + widest);
  layout.CalcRect.bottom = Clamp32(rect.top + height);
  const bool offsetResult = Has(options, DT_SINGLELINE) && !Has(options, DT_CALCRECT) &&
                            (Has(options, DT_VCENTER) || Has(options, DT_BOTTOM));
  layout.Result = Clamp32(offsetResult ? top - rect.top + height : height);
  return layout;
}

}  // namespace win::gdi
