// TShineSpeedButton's drawing: the face (flat, or a 256-step gradient strip stretched by the
// platform), the frame in its pressed or raised form, the place of glyph and caption for the four
// layouts, and the glyph and caption with their disabled, shadow and highlight copies; composed
// off screen and copied in one operation unless the button is transparent.
#include <algorithm>
#include <cstdint>

#include "controls/shine/ShineSpeedButton.h"
#include "framework/Canvas.h"
#include "framework/platform/GdiBlit.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/Text.h"

namespace shine {

namespace {

// The raster operation that paints the brush where the source is white and keeps the target
// where it is black.
constexpr win::DWORD PaintBrushThroughMask = 0x00E20746;
constexpr int GradientSteps = 256;

std::int64_t Halve(std::int64_t Value) {
  return Value / 2;
}

// A place in client coordinates, held within 2^30 pixels of the origin: nothing is visible that
// far out (no surface is that large), and the one-pixel moves of the pressed look and the
// caption's copies cannot overflow.
int FarOff(std::int64_t Value) {
  constexpr std::int64_t Limit = std::int64_t{1} << 30;
  return static_cast<int>(std::clamp(Value, -Limit, Limit));
}

// Channel c (0 blue, 8 green, 16 red) of a 32-bit pixel.
int Channel(std::uint32_t Pixel, int Shift) {
  return static_cast<int>((Pixel >> Shift) & 0xFF);
}

// Step i of the way from S to E, each channel S + i * (E - S) / 255 truncated toward zero.
std::uint32_t GradientStep(std::uint32_t S, std::uint32_t E, int i) {
  std::uint32_t pixel = 0;
  for (const int shift : {16, 8, 0}) {
    const int s = Channel(S, shift);
    const int value = s + i * (Channel(E, shift) - s) / (GradientSteps - 1);
    pixel |= static_cast<std::uint32_t>(value) << shift;
  }
  return pixel;
}

// The gradient from the set's Color to its GradColor as a 1 x 256 or 256 x 1 strip.
std::unique_ptr<fw::TBitmap> GradientStrip(const TShineBtnColors& Colors) {
  auto strip = std::make_unique<fw::TBitmap>();
  strip->SetPixelFormat(fw::pf32bit);
  const bool vertical = Colors.GradVertical();
  strip->SetSize(vertical ? 1 : GradientSteps, vertical ? GradientSteps : 1);
  const std::uint32_t start = ColorToPixel32(Colors.Color());
  const std::uint32_t end = ColorToPixel32(Colors.GradColor());
  for (int i = 0; i < GradientSteps; ++i) {
    auto* row = reinterpret_cast<std::uint32_t*>(strip->ScanLine(vertical ? i : 0));
    row[vertical ? 0 : i] = GradientStep(start, end, i);
  }
  return strip;
}

void Line(fw::TCanvas& Canvas, fw::TColor Color, int X1, int Y1, int X2, int Y2) {
  Canvas.Pen()->SetColor(Color);
  Canvas.MoveTo(X1, Y1);
  Canvas.LineTo(X2, Y2);
}

// The two strokes of each edge pair, from the corner they share.
void Corner(fw::TCanvas& Canvas, fw::TColor Color, int X, int Y, int ToX, int ToY) {
  Line(Canvas, Color, X, Y, ToX, Y);
  Line(Canvas, Color, X, Y, X, ToY);
}

void DrawTextIn(fw::TCanvas& Canvas, const std::string& Text, const fw::TRect& R,
                fw::TColor Color) {
  Canvas.Font()->SetColor(Color);
  Canvas.RequiredState({fw::csHandleValid, fw::csFontValid, fw::csBrushValid});
  win::RECT r = R.ToRECT();
  win::DrawTextA(Canvas.Handle(), Text.c_str(), -1, &r, win::DT_CENTER | win::DT_VCENTER);
}

fw::TRect Moved(const fw::TRect& R, int DX, int DY) {
  return fw::Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

// Paints the brush through a monochrome mask: the brush where the mask is white.
void PaintThroughMask(fw::TCanvas& Canvas, fw::TBitmap& Mask, fw::TColor Brush, int X, int Y) {
  Canvas.Brush()->SetStyle(fw::bsSolid);
  Canvas.Brush()->SetColor(Brush);
  Canvas.RequiredState({fw::csHandleValid, fw::csBrushValid});
  win::SetTextColor(Canvas.Handle(), 0x00000000);
  win::SetBkColor(Canvas.Handle(), 0x00FFFFFF);
  win::BitBlt(Canvas.Handle(), X, Y, Mask.Width(), Mask.Height(), Mask.Canvas()->Handle(), 0, 0,
              PaintBrushThroughMask);
}

}  // namespace

const TShineBtnColors& TShineSpeedButton::StateColors() const {
  return ShiftedLook() ? *FPressedColors : *FColors;
}

void TShineSpeedButton::Paint() {
  if (!Enabled()) {
    FState = shDisabled;
    FTracking = false;
  }
  const auto passes = [this](fw::TCanvas& target) {
    BackDraw(target);
    ImageDraw(target);
    FrameDraw(target);
  };
  if (FTransparent) {
    passes(*Canvas());
    return;
  }
  // Only the part that can be seen is composed, in client coordinates moved onto the bitmap, so
  // a button larger than any bitmap the platform makes still paints, with the same pixels.
  const fw::TRect visible = VisiblePart();
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  fw::TBitmap offscreen;
  offscreen.SetSize(visible.Width(), visible.Height());
  win::SetWindowOrgEx(offscreen.Canvas()->Handle(), visible.Left, visible.Top, nullptr);
  passes(*offscreen.Canvas());
  win::SetWindowOrgEx(offscreen.Canvas()->Handle(), 0, 0, nullptr);
  Canvas()->Draw(visible.Left, visible.Top, &offscreen);
}

fw::TRect TShineSpeedButton::VisiblePart() {
  const fw::TRect clip = Canvas()->ClipRect();
  return fw::Rect(std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, Width()),
                  std::min(clip.Bottom, Height()));
}

void TShineSpeedButton::BackDraw(fw::TCanvas& Canvas) {
  if (FTransparent) return;
  const TShineBtnColors& colors = StateColors();
  const fw::TRect client = fw::Rect(0, 0, Width(), Height());
  if (!colors.Gradation()) {
    Canvas.Brush()->SetStyle(fw::bsSolid);
    Canvas.Brush()->SetColor(colors.Color());
    Canvas.FillRect(client);
    return;
  }
  // The bitmap's drawing stretches with COLORONCOLOR onto targets of more than 8 bits per pixel
  // and with HALFTONE onto others.
  const std::unique_ptr<fw::TBitmap> strip = GradientStrip(colors);
  Canvas.StretchDraw(client, strip.get());
}

void TShineSpeedButton::FrameDraw(fw::TCanvas& Canvas) {
  Canvas.Pen()->SetStyle(fw::psSolid);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetMode(fw::pmCopy);
  const bool pressed = ShiftedLook();
  const bool wanted = FState == shActiveDown || FState == shActiveUp ? FActiveFrame
                      : FState == shDown                             ? FDownFrame
                                                                     : FUpFrame;
  if (!wanted) return;
  const TShineBtnColors& c = pressed ? *FPressedColors : *FColors;
  const int w = Width(), h = Height();
  switch (FFrameType) {
    case ftFlatFrame:
      Corner(Canvas, pressed ? c.Shadow() : c.Highlight(), 0, 0, w - 1, h - 1);
      Corner(Canvas, pressed ? c.Highlight() : c.Shadow(), w - 1, h - 1, 0, 0);
      break;
    case ftNormalFrame:
      if (pressed) {
        Corner(Canvas, c.Shadow(), 1, 1, w - 1, h - 1);
        Corner(Canvas, c.DarkShadow(), 0, 0, w - 1, h - 1);
        Corner(Canvas, c.Highlight(), w - 1, h - 1, 0, 0);
      } else {
        Corner(Canvas, c.Shadow(), w - 2, h - 2, 0, 0);
        Corner(Canvas, c.DarkShadow(), w - 1, h - 1, 0, 0);
        Corner(Canvas, c.Highlight(), 0, 0, w - 1, h - 1);
      }
      break;
    case ftEnclosedFrame:
      Corner(Canvas, pressed ? c.Shadow() : c.Highlight(), 1, 1, w - 2, h - 2);
      Corner(Canvas, pressed ? c.Highlight() : c.Shadow(), w - 2, h - 2, 1, 1);
      // The outline is always the up colours' dark shadow.
      Canvas.Pen()->SetColor(FColors->DarkShadow());
      Canvas.Brush()->SetStyle(fw::bsClear);
      Canvas.Rectangle(0, 0, w, h);
      break;
  }
}

void TShineSpeedButton::CalcDrawPosition(fw::TCanvas& Canvas, fw::TPoint& GlyphPos,
                                         fw::TRect& TextRect) {
  const bool hasGlyph = !FGlyph->Empty();
  const bool hasText = !Caption().empty();
  const std::int64_t gw = hasGlyph ? FGlyph->Width() : 0;
  const std::int64_t gh = hasGlyph ? FGlyph->Height() : 0;
  std::int64_t tw = 0, th = 0;
  if (hasText) {
    win::RECT r{0, 0, ClientWidth(), 0};
    Canvas.RequiredState({fw::csHandleValid, fw::csFontValid});
    win::DrawTextA(Canvas.Handle(), Caption().c_str(), -1, &r, win::DT_CALCRECT);
    tw = r.right - r.left;
    th = r.bottom - r.top;
  }
  // In 64 bits, so that margins and spacings near the integer limits cannot wrap around.
  // Glyph and caption follow each other along the layout's axis (across for left and right,
  // down for top and bottom), the glyph first for left and top, each centred on the other axis.
  const bool sideways = FLayout == fw::blGlyphLeft || FLayout == fw::blGlyphRight;
  const bool glyphFirst = FLayout == fw::blGlyphLeft || FLayout == fw::blGlyphTop;
  const std::int64_t between = hasGlyph && hasText ? FSpacing : 0;
  const std::int64_t glyphAlong = sideways ? gw : gh, glyphAcross = sideways ? gh : gw;
  const std::int64_t textAlong = sideways ? tw : th, textAcross = sideways ? th : tw;
  const std::int64_t along = glyphAlong + between + textAlong;
  const std::int64_t across = std::max(glyphAcross, textAcross);
  const std::int64_t glyphAt = glyphFirst ? 0 : textAlong + between;
  const std::int64_t textAt = glyphFirst ? glyphAlong + between : 0;
  const std::int64_t glyphSide = hasGlyph ? Halve(across - glyphAcross) : 0;
  const std::int64_t textSide = hasText ? Halve(across - textAcross) : 0;
  const std::int64_t width = sideways ? along : across, height = sideways ? across : along;
  const std::int64_t gx = sideways ? glyphAt : glyphSide, gy = sideways ? glyphSide : glyphAt;
  const std::int64_t tx = sideways ? textAt : textSide, ty = sideways ? textSide : textAt;

  const std::int64_t cw = ClientWidth(), ch = ClientHeight();
  std::int64_t mx = Halve(cw - width), my = Halve(ch - height);
  if (FMargin >= 0) {
    switch (FLayout) {
      case fw::blGlyphLeft:
        mx = FMargin;
        break;
      case fw::blGlyphRight:
        mx = cw - width - FMargin;
        break;
      case fw::blGlyphTop:
        my = FMargin;
        break;
      case fw::blGlyphBottom:
        my = ch - height - FMargin;
        break;
    }
  }
  GlyphPos = fw::Point(FarOff(mx + gx), FarOff(my + gy));
  TextRect = fw::Rect(FarOff(mx + tx), FarOff(my + ty), FarOff(mx + tx + tw), FarOff(my + ty + th));
}

void TShineSpeedButton::ImageDraw(fw::TCanvas& Canvas) {
  Canvas.SetFont(HotLook() ? FActiveFont.get() : FFont.get());
  const std::unique_ptr<fw::TBitmap> glyph = CreateStateGlyph();
  fw::TPoint at;
  fw::TRect textRect;
  CalcDrawPosition(Canvas, at, textRect);
  if (glyph) {
    if (ShiftedLook()) at = fw::Point(at.X + 1, at.Y + 1);
    if (FState == shDisabled && FDisabledImage == diDefault) {
      // Embossed: the glyph's colour edges in the light colour one pixel right and down, then in
      // the dark colour in place.
      PaintThroughMask(Canvas, *glyph, FDisabledHighlight, at.X + 1, at.Y + 1);
      PaintThroughMask(Canvas, *glyph, FDisabledShadow, at.X, at.Y);
      // The context's colours were set behind the canvas's back.
      Canvas.Refresh();
    } else {
      Canvas.Brush()->SetStyle(fw::bsClear);
      Canvas.Draw(at.X, at.Y, glyph.get());
    }
  }
  if (Caption().empty()) return;
  if (ShiftedLook()) textRect = Moved(textRect, 1, 1);
  Canvas.Brush()->SetStyle(fw::bsClear);
  if (FState == shDisabled) {
    DrawTextIn(Canvas, Caption(), Moved(textRect, 1, 1), FDisabledHighlight);
    DrawTextIn(Canvas, Caption(), textRect, FDisabledShadow);
    return;
  }
  const fw::TColor color = Canvas.Font()->Color();
  if (FFontShadow != fw::clNone) DrawTextIn(Canvas, Caption(), Moved(textRect, 1, 1), FFontShadow);
  if (FFontHighlight != fw::clNone)
    DrawTextIn(Canvas, Caption(), Moved(textRect, -1, -1), FFontHighlight);
  DrawTextIn(Canvas, Caption(), textRect, color);
}

}  // namespace shine
