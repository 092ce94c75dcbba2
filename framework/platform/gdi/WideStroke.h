// Wide solid pens: every segment becomes a four-sided polygon offset to both sides of it, every
// joint and end a disc of the pen's size (round joins and caps), all gathered as one pixel set.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/SpanSet.h"

namespace win::gdi {

enum class TLineCap { lcRound, lcSquare, lcFlat };
enum class TLineJoin { ljRound, ljBevel, ljMiter };

// Largest pen width the stroker accepts.
inline constexpr LONG kMaxPenWidth = LONG(1) << 20;

// Joins of miter-joined pens whose tip lies further than this many half widths from the joint
// are beveled instead.
inline constexpr double kMiterLimit = 10.0;

// The body of one segment of a wide line: a quadrilateral offset to both sides, taken from the
// segment's upper (or, when level, left) end, optionally extended by square caps.
struct TSegmentBody {
  POINT Start;  // the upper end
  POINT End;
  // Start and end on the near side (+normal), end and start on the far side.
  std::array<POINT, 4> Corners;

  // The two side corners at one end of the segment.
  std::pair<POINT, POINT> CornersAt(POINT end) const;
};

// `along`, when given, is the direction of the path the segment is a piece of (a dash of a styled
// pen): the sides and square caps are offset as for that direction rather than for the piece's own
// rounded ends.
TSegmentBody SegmentBody(POINT from, POINT to, LONG width, bool squareFrom, bool squareTo,
                         std::optional<POINT> along = std::nullopt);

// A square-capped line of no length at `at` running in `direction`: half the width to every side.
std::array<POINT, 4> SquareDot(POINT at, POINT direction, LONG width);

// The four corners of the body of a segment drawn `width` pixels wide, without caps.
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
  // One dash of a styled pen: an open polyline whose pieces are offset as for the directions of
  // the path segments they lie on (`along`, one per piece), or when all its points coincide, the
  // caps of a line of no length running in `direction`. A dash that starts right at a corner of
  // the path (`arrival`: the direction the path arrives there in) starts as a line of no length
  // arriving that way: its cap is turned that way and the corner gets its join.
  void AddDash(TSpanSet& pixels, std::span<const POINT> points, std::span<const POINT> along,
               POINT direction, std::optional<POINT> arrival = std::nullopt) const;

 private:
  // Whether anything drawn for the stretch between a and b can reach the bound.
  bool Reaches(const RECT& bound, POINT a, POINT b) const;
  // `inIsCap`: the arriving body is the no-length line a dash starts with, which needs no bevel
  // or miter where the path runs straight on.
  void AddJoin(TSpanSet& pixels, const TSegmentBody& in, const TSegmentBody& out, POINT previous,
               POINT joint, POINT next, bool inIsCap = false) const;
  // `along`: empty, or the direction each piece is offset for (see AddDash).
  void AddStroke(TSpanSet& pixels, std::span<const POINT> points, std::span<const POINT> along,
                 bool closed, std::optional<POINT> arrival) const;
  // The start of an open stroke whose path arrives at its first point in `direction`.
  void AddArrival(TSpanSet& pixels, const TSegmentBody& first, POINT corner, POINT direction,
                  POINT next) const;

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
