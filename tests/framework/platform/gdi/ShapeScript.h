// Test support: replays the figure commands of an oracle script on the geometry of this layer and
// paints the result the simple way (interior, gaps, pen, each through the mix mode), so the regions
// can be checked against the oracle's pictures before a device context exists.
#pragma once

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/platform/gdi/FigureCoverage.h"
#include "tests/framework/platform/gdi/GoldenPicture.h"

namespace win::gdi::testing {

// Mix modes 1..16 as a truth table: bit (pen * 2 + destination) of (mode - 1) gives the result.
inline std::uint32_t Mix(int mode, std::uint32_t pen, std::uint32_t dst) {
  const unsigned table = unsigned(mode - 1);
  std::uint32_t result = 0;
  for (unsigned p = 0; p < 2; ++p) {
    for (unsigned d = 0; d < 2; ++d) {
      if ((table >> (p * 2 + d)) & 1u) result |= (p ? pen : ~pen) & (d ? dst : ~dst);
    }
  }
  return result & 0xFFFFFFu;
}

class TShapeScript {
 public:
  static TPicture Render(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    TShapeScript script;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      const std::string::size_type hash = line.find('#');
      if (hash != std::string::npos) line.erase(hash);
      std::istringstream words(line);
      std::string command;
      if (!(words >> command)) continue;
      if (!script.Run(command, words)) {
        throw std::runtime_error(path + ":" + std::to_string(number) + ": cannot replay " +
                                 command);
      }
    }
    return script.FPicture;
  }

 private:
  static std::uint32_t Colour(std::istream& in) {
    std::string hex;
    in >> hex;
    return std::uint32_t(std::stoul(hex, nullptr, 16));
  }

  static std::vector<POINT> Points(std::istream& in) {
    std::vector<POINT> points;
    LONG x = 0;
    LONG y = 0;
    while (in >> x >> y)
      points.push_back({x, y});
    return points;
  }

  static int MixMode(const std::string& word) {
    static const std::map<std::string, int> names{
        {"black", 1},      {"notmergepen", 2},  {"masknotpen", 3}, {"notcopypen", 4},
        {"maskpennot", 5}, {"not", 6},          {"xorpen", 7},     {"notmaskpen", 8},
        {"maskpen", 9},    {"notxorpen", 10},   {"nop", 11},       {"mergenotpen", 12},
        {"copypen", 13},   {"mergepennot", 14}, {"mergepen", 15},  {"white", 16}};
    const auto it = names.find(word);
    return it != names.end() ? it->second : std::stoi(word);
  }

  bool SetPen(const std::string& style, LONG width, std::uint32_t colour) {
    static const std::map<std::string, TDashStyle> dashes{{"solid", TDashStyle::dsSolid},
                                                          {"insideframe", TDashStyle::dsSolid},
                                                          {"null", TDashStyle::dsSolid},
                                                          {"dash", TDashStyle::dsDash},
                                                          {"dot", TDashStyle::dsDot},
                                                          {"dashdot", TDashStyle::dsDashDot},
                                                          {"dashdotdot", TDashStyle::dsDashDotDot}};
    const auto it = dashes.find(style);
    if (it == dashes.end()) return false;
    FPen = TPenGeometry{};
    FPen.Null = style == "null";
    FPen.InsideFrame = style == "insideframe";
    FPen.Dash = it->second;
    FPen.Width = width;
    FPenColour = colour;
    return true;
  }

  bool Run(const std::string& command, std::istream& in) {
    if (command == "canvas") {
      int w = 0;
      int h = 0;
      in >> w >> h;
      const std::uint32_t colour = Colour(in);
      FPicture =
          TPicture{w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h), colour)};
      *this = TShapeScript{FPicture};
      return true;
    }
    if (command == "pen") {
      std::string style;
      LONG width = 0;
      in >> style >> width;
      return SetPen(style, width, Colour(in));
    }
    if (command == "extpen") {
      std::string style;
      std::string cap;
      std::string join;
      LONG width = 0;
      in >> style >> width;
      const std::uint32_t colour = Colour(in);
      in >> cap >> join;
      if (!SetPen(style, width, colour)) return false;
      FPen.Cap = cap == "flat"     ? TLineCap::lcFlat
                 : cap == "square" ? TLineCap::lcSquare
                                   : TLineCap::lcRound;
      FPen.Join = join == "bevel"   ? TLineJoin::ljBevel
                  : join == "miter" ? TLineJoin::ljMiter
                                    : TLineJoin::ljRound;
      return true;
    }
    if (command == "brush") {
      std::string kind;
      in >> kind;
      FBrush = kind == "solid" ? std::optional<std::uint32_t>(Colour(in)) : std::nullopt;
      return kind == "solid" || kind == "hollow";
    }
    if (command == "rop2") {
      std::string mode;
      in >> mode;
      FMix = MixMode(mode);
      return true;
    }
    if (command == "bkmode") {
      std::string mode;
      in >> mode;
      FOpaque = mode == "opaque";
      return true;
    }
    if (command == "bkcolor") {
      FBackground = Colour(in);
      return true;
    }
    if (command == "polyfillmode") {
      std::string mode;
      in >> mode;
      FRule = mode == "winding" ? TFillRule::frWinding : TFillRule::frAlternate;
      return true;
    }
    if (command == "fillrect") {
      LONG l = 0, t = 0, r = 0, b = 0;
      in >> l >> t >> r >> b;
      const std::uint32_t colour = Colour(in);
      Paint(TRegion(RECT{l, t, r, b}), colour, 13);
      return true;
    }
    if (command == "rect" || command == "ellipse" || command == "roundrect") {
      RECT r{};
      LONG cw = 0;
      LONG ch = 0;
      in >> r.left >> r.top >> r.right >> r.bottom;
      if (command == "roundrect") in >> cw >> ch;
      const bool interior = FBrush.has_value();
      const RECT bound = Bound();
      Draw(command == "rect"      ? RectangleCoverage(r, FPen, interior, bound)
           : command == "ellipse" ? EllipseCoverage(r, FPen, interior, bound)
                                  : RoundRectCoverage(r, cw, ch, FPen, interior, bound));
      return true;
    }
    if (command == "moveto") {
      in >> FPosition.x >> FPosition.y;
      return true;
    }
    if (command == "lineto") {
      POINT to{};
      in >> to.x >> to.y;
      const POINT line[2] = {FPosition, to};
      Draw(PolylineCoverage(line, FPen, Bound()));
      FPosition = to;
      return true;
    }
    if (command == "polyline") {
      Draw(PolylineCoverage(Points(in), FPen, Bound()));
      return true;
    }
    if (command == "polygon") {
      Draw(PolygonCoverage(Points(in), FRule, FPen, FBrush.has_value(), Bound()));
      return true;
    }
    return command == "save";
  }

  RECT Bound() const { return {0, 0, FPicture.Width, FPicture.Height}; }

  void Paint(const TRegion& region, std::uint32_t colour, int mix) {
    for (const RECT& r : region.Rects()) {
      for (LONG y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, FPicture.Height); ++y) {
        for (LONG x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, FPicture.Width); ++x) {
          FPicture.At(x, y) = Mix(mix, colour, FPicture.At(x, y));
        }
      }
    }
  }

  void Draw(const std::optional<TFigureCoverage>& coverage) {
    if (!coverage) throw std::runtime_error("figure refused");
    if (FBrush) Paint(coverage->Interior, *FBrush, FMix);
    for (const TPenPass& pass : coverage->Pen) {
      if (FOpaque) Paint(pass.Gaps, FBackground, FMix);
      Paint(pass.Pixels, FPenColour, FMix);
    }
  }

  TShapeScript() = default;
  explicit TShapeScript(TPicture picture) : FPicture(std::move(picture)) {}

  TPicture FPicture;
  TPenGeometry FPen;  // the platform's default: black, one pixel, solid
  std::uint32_t FPenColour = 0;
  std::optional<std::uint32_t> FBrush = 0xFFFFFFu;  // default white brush
  int FMix = 13;
  bool FOpaque = true;
  std::uint32_t FBackground = 0xFFFFFFu;
  TFillRule FRule = TFillRule::frAlternate;
  POINT FPosition{};
};

}  // namespace win::gdi::testing
