// Wide solid pens: every segment becomes a four-sided polygon offset to both sides of it, every
// joint and end a disc of the pen's size (round joins and caps), all gathered as one pixel set.
#pragma once

#include <span>
#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/SpanSet.h"

namespace win::gdi {

enum class TLineCap { lcRound, lcSquare, lcFlat };
enum class TLineJoin { ljRound, ljBevel, ljMiter };

// Largest pen width the stroker accepts.
inline constexpr LONG kMaxPenWidth = LONG(1) << 20;

// The four corners of the body of a segment drawn `width` pixels wide (width >= 2).
std::vector<POINT> WideSegmentBody(POINT from, POINT to, LONG width);

class TWideStroker {
 public:
  // width >= 2 and at most kMaxPenWidth.
  TWideStroker(LONG width, TLineCap cap = TLineCap::lcRound, TLineJoin join = TLineJoin::ljRound);

  // A disc of the pen's size centred on `centre` (what a zero-length line draws).
  void AddDisc(TSpanSet& pixels, POINT centre) const;
  void AddSegmentBody(TSpanSet& pixels, POINT from, POINT to) const;
  // A polyline through `points`; closed polylines join the last point to the first.
  void AddPolyline(TSpanSet& pixels, std::span<const POINT> points, bool closed) const;

 private:
  struct TDiscRow {
    LONG Left;   // relative to the centre
    LONG Right;  // exclusive
  };

  LONG FWidth;
  TLineCap FCap;
  TLineJoin FJoin;
  std::vector<TDiscRow> FDisc;  // one entry per row, top row first
  LONG FDiscTop = 0;            // row offset of the first entry
};

}  // namespace win::gdi
