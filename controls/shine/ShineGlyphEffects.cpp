#include "controls/shine/ShineGlyphEffects.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace shine {

namespace {

constexpr std::uint32_t ColorBits = 0x00FFFFFFu;
constexpr std::array<int, 3> ChannelShifts = {16, 8, 0};

int ChannelOf(std::uint32_t Pixel, int Shift) {
  return static_cast<int>((Pixel >> Shift) & 0xFF);
}

// A new pixel, each channel `Mix(pixel's channel, other's channel)`.
template <class F>
std::uint32_t MixChannels(std::uint32_t Pixel, std::uint32_t Other, F Mix) {
  std::uint32_t result = 0;
  for (const int shift : ChannelShifts) {
    const int value = Mix(ChannelOf(Pixel, shift), ChannelOf(Other, shift));
    result |= static_cast<std::uint32_t>(value) << shift;
  }
  return result;
}

// Calls `Change(x, y, pixel)` for each opaque pixel and stores what it answers.
template <class F>
void ChangeOpaquePixels(const TPixelRows& Rows, F Change) {
  const std::uint32_t background = Rows.Background();
  for (int y = 0; y < Rows.Height(); ++y) {
    std::uint32_t* row = Rows[y];
    for (int x = 0; x < Rows.Width(); ++x)
      if ((row[x] & ColorBits) != background) row[x] = Change(x, y, row[x]);
  }
}

template <class F>
void MixOpaquePixels(const TPixelRows& Rows, std::uint32_t Other, F Mix) {
  ChangeOpaquePixels(Rows,
                     [&](int, int, std::uint32_t pixel) { return MixChannels(pixel, Other, Mix); });
}

bool OddSquare(int X, int Y) {
  return (X + Y) % 2 == 1;
}

// The frame lights: decisions on the glyph, paint on the result, so that painted pixels never
// feed further decisions.
class TFrameLight {
 public:
  TFrameLight(const TPixelRows& Glyph, const TPixelRows& Result, std::uint32_t Shine, bool Thick)
      : FGlyph(Glyph), FResult(Result), FShine(Shine), FThick(Thick) {}

  void Run() const {
    const int w = FGlyph.Width(), h = FGlyph.Height();
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x + 1 < w; ++x)
        Beside(x, y, x + 1, y, {{-1, 0}, {0, -1}, {0, 1}});
      for (int x = 1; x < w; ++x)
        Beside(x, y, x - 1, y, {{1, 0}, {0, -1}, {0, 1}});
      if (y + 1 < h)
        for (int x = 0; x < w; ++x)
          Beside(x, y, x, y + 1, {{0, -1}, {-1, 0}, {1, 0}});
      if (y > 0)
        for (int x = 0; x < w; ++x)
          Beside(x, y, x, y - 1, {{0, 1}, {-1, 0}, {1, 0}});
    }
  }

 private:
  struct TStep {
    int DX, DY;
  };

  bool Exists(int X, int Y) const {
    return X >= 0 && Y >= 0 && X < FGlyph.Width() && Y < FGlyph.Height();
  }
  bool Background(int X, int Y) const { return (FGlyph[Y][X] & ColorBits) == FGlyph.Background(); }
  // Paints (X, Y) when the glyph is opaque at (ShapeX, ShapeY) and background at (X, Y); the
  // thick light also paints the background among the three further places.
  void Beside(int X, int Y, int ShapeX, int ShapeY, std::initializer_list<TStep> Further) const {
    if (Background(ShapeX, ShapeY) || !Background(X, Y)) return;
    FResult[Y][X] = FShine;
    if (!FThick) return;
    for (const TStep& step : Further) {
      const int fx = X + step.DX, fy = Y + step.DY;
      if (Exists(fx, fy) && Background(fx, fy)) FResult[fy][fx] = FShine;
    }
  }

  const TPixelRows& FGlyph;
  const TPixelRows& FResult;
  std::uint32_t FShine;
  bool FThick;
};

}  // namespace

TPixelRows::TPixelRows(fw::TBitmap& Bitmap) : FWidth(Bitmap.Width()) {
  for (int y = 0; y < Bitmap.Height(); ++y)
    FRows.push_back(reinterpret_cast<std::uint32_t*>(Bitmap.ScanLine(y)));
}

void ApplyActiveImage(TActiveImageType Effect, std::uint32_t Shine, const TPixelRows& Glyph,
                      const TPixelRows& Result) {
  switch (Effect) {
    case aiNormal:
      return;
    case aiXorLight:
      MixOpaquePixels(Result, Shine, [](int c, int s) { return c ^ s; });
      return;
    case aiHalfLight:
      MixOpaquePixels(Result, Shine, [](int c, int s) { return (c + s) / 2; });
      return;
    case aiQuaterLight:
      MixOpaquePixels(Result, Shine, [](int c, int s) { return (3 * s + c) / 4; });
      return;
    case aiAddLight:
      MixOpaquePixels(Result, Shine, [](int c, int s) { return std::min(c + s, 255); });
      return;
    case aiFrameLight:
    case aiFrameLight2:
      TFrameLight(Glyph, Result, Shine & ColorBits, Effect == aiFrameLight2).Run();
      return;
    case aiMaskLight:
      ChangeOpaquePixels(Result, [Shine](int x, int y, std::uint32_t pixel) {
        return OddSquare(x, y) ? Shine & ColorBits : pixel;
      });
      return;
  }
}

void ApplyDisabledImage(TDisabledImageType Effect, std::uint32_t Face, const TPixelRows& Result) {
  switch (Effect) {
    case diDefault:
      return;
    case diGrayscale:
      ChangeOpaquePixels(Result, [](int, int, std::uint32_t pixel) {
        const std::uint32_t g = static_cast<std::uint32_t>(
            (ChannelOf(pixel, 16) + ChannelOf(pixel, 8) + ChannelOf(pixel, 0)) / 3);
        return (g << 16) | (g << 8) | g;
      });
      return;
    case diAlphaHalfTrans:
      MixOpaquePixels(Result, Face, [](int c, int f) { return (f + c) / 2; });
      return;
    case diAlphaQuaterTrans:
      MixOpaquePixels(Result, Face, [](int c, int f) { return (3 * f + c) / 4; });
      return;
    case diMaskTrans: {
      const std::uint32_t background = Result.Background();
      ChangeOpaquePixels(Result, [background](int x, int y, std::uint32_t pixel) {
        return OddSquare(x, y) ? background : pixel;
      });
      return;
    }
  }
}

void MarkColourEdges(const TPixelRows& Glyph, const TPixelRows& Result) {
  const std::uint32_t white = 0x00FFFFFFu;
  for (int y = 0; y + 1 < Glyph.Height(); ++y) {
    const std::uint32_t* row = Glyph[y];
    const std::uint32_t* below = Glyph[y + 1];
    for (int x = 0; x + 1 < Glyph.Width(); ++x) {
      const bool falling = (row[x] & ColorBits) != (below[x + 1] & ColorBits);
      const bool rising = (row[x + 1] & ColorBits) != (below[x] & ColorBits);
      if (falling || rising) Result[y][x] = white;
    }
  }
}

}  // namespace shine
