// Line layout of DrawTextA (prefixes, line breaks, wrapping, tabs, alignment): what goes where,
// the rectangle DT_CALCRECT reports and the return value. Pure: fonts come in as TTextMeasure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/platform/TextTypes.h"

namespace win::gdi {

// The font as layout sees it.
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  virtual int CharWidth(char32_t code) const = 0;
  virtual int LineHeight() const = 0;  // tmHeight
  virtual int ExternalLeading() const = 0;
  virtual int AveCharWidth() const = 0;
};

// Characters drawn from one pen position: a line, or the part of a line between tabs.
struct TLayoutRun {
  LONG X = 0;  // left edge of the first character's cell
  LONG Y = 0;  // top of the line's cell
  std::u32string Text;
  LONG Width = 0;
};

// The cell of the prefixed character that a line underlines: pixels [Left, Right) of the line
// whose top is Y.
struct TLayoutMark {
  LONG Left = 0;
  LONG Right = 0;
  LONG Y = 0;
};

struct TTextLayout {
  std::vector<TLayoutRun> Runs;
  std::vector<TLayoutMark> Marks;
  RECT CalcRect{};  // the rectangle as DT_CALCRECT leaves it
  int Result = 0;   // DrawTextA's return value
  LONG LineHeight = 0;
  int LineCount = 0;
};

// The flags that `format` really sets: with DT_TABSTOP, bits 8 to 15 are the tab size, not flags.
UINT DrawTextFlags(UINT format);

// Lays out `text` (bytes in `codePage`) in `rect` with DrawTextA's `format` flags.
TTextLayout LayoutDrawText(std::string_view text, UINT codePage, const RECT& rect, UINT format,
                           const TTextMeasure& measure);

}  // namespace win::gdi
