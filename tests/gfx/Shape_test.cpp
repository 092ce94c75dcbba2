// Shapes fit their figure into their bounds with the pen's width and draw it with the platform's
// figure calls, as the oracle draws them.
#include "gfx/Shape.h"

#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/platform/Messages.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace fw::testing {
namespace {

// Paints `shape` alone onto a grey bitmap through its paint message.
TPixels Painted(TShape& shape, int width, int height) {
  TBitmap target;
  MakeCanvas(target, width, height, 0x808080);
  shape.Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(target.Canvas()->Handle()), 0);
  return PixelsOf(target);
}

enum TCall { cRectangle, cRoundRect, cEllipse };

struct TFigureCase {
  int Width, Height;
  TShapeType Kind;
  int PenWidth;
  TCall Call;
  int Left, Top, Right, Bottom, Corner;
};

// The same figure drawn by calling the platform's figure with the expected arguments.
TPixels DrawnDirectly(const TFigureCase& c, const TPen& pen, const TBrush& brush) {
  TBitmap target;
  MakeCanvas(target, c.Width, c.Height, 0x808080);
  TCanvas* canvas = target.Canvas();
  canvas->SetPen(&pen);
  canvas->SetBrush(&brush);
  switch (c.Call) {
    case cRectangle:
      canvas->Rectangle(c.Left, c.Top, c.Right, c.Bottom);
      break;
    case cRoundRect:
      canvas->RoundRect(c.Left, c.Top, c.Right, c.Bottom, c.Corner, c.Corner);
      break;
    case cEllipse:
      canvas->Ellipse(c.Left, c.Top, c.Right, c.Bottom);
      break;
  }
  return PixelsOf(target);
}

class ShapeTest : public TFrameworkTest {};

TEST_F(ShapeTest, FiguresFollowSizePenAndKind) {
  const TFigureCase cases[] = {
      {596, 596, stRoundRect, 1, cRoundRect, 0, 0, 596, 596, 149},   // the card
      {600, 600, stRoundRect, 15, cRoundRect, 7, 7, 593, 593, 146},  // the frame
      {800, 800, stRoundRect, 15, cRoundRect, 7, 7, 793, 793, 196},
      {100, 50, stRoundSquare, 1, cRoundRect, 25, 0, 75, 50, 12},
      {100, 50, stRoundRect, 1, cRoundRect, 0, 0, 100, 50, 12},
      {40, 30, stRectangle, 0, cRectangle, 0, 0, 40, 30, 7},  // no +1 for the thinnest pen
      {40, 30, stEllipse, 2, cEllipse, 1, 1, 40, 30, 7},
      {40, 30, stSquare, 3, cRectangle, 6, 1, 34, 29, 7},
      {30, 41, stCircle, 1, cEllipse, 0, 5, 30, 35, 7},
  };
  for (const TFigureCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height) + " kind " +
                 std::to_string(int(c.Kind)) + " pen " + std::to_string(c.PenWidth));
    TShape shape(nullptr);
    shape.SetBounds(0, 0, c.Width, c.Height);
    shape.SetShape(c.Kind);
    shape.Pen()->SetWidth(c.PenWidth);
    shape.Pen()->SetColor(0x0048A4F8);
    shape.Brush()->SetColor(0x00E0F4FF);
    if (c.PenWidth == 15) shape.Brush()->SetStyle(bsClear);
    const TShape::TFigure f = shape.Figure();
    EXPECT_EQ((std::vector<int>{f.Left, f.Top, f.Right, f.Bottom, f.Corner}),
              (std::vector<int>{c.Left, c.Top, c.Right, c.Bottom, c.Corner}));
    std::string detail;
    EXPECT_EQ(CountDifferences(Painted(shape, c.Width, c.Height),
                               DrawnDirectly(c, *shape.Pen(), *shape.Brush()), detail),
              0)
        << detail;
  }
}

TEST_F(ShapeTest, NewShapesAreWhiteRectanglesWithABlackPen) {
  TShape shape(nullptr);
  EXPECT_EQ(shape.Width(), 65);
  EXPECT_EQ(shape.Height(), 65);
  EXPECT_EQ(shape.Shape(), stRectangle);
  EXPECT_EQ(shape.Pen()->Color(), clBlack);
  EXPECT_EQ(shape.Pen()->Width(), 1);
  EXPECT_EQ(shape.Brush()->Color(), clWhite);
  EXPECT_EQ(shape.Brush()->Style(), bsSolid);
  const TPixels pixels = Painted(shape, 65, 65);
  EXPECT_EQ(pixels.At(0, 0), 0u);
  EXPECT_EQ(pixels.At(64, 64), 0u);
  EXPECT_EQ(pixels.At(32, 32), 0xFFFFFFu);
}

TEST_F(ShapeTest, AssignedPensAndBrushesAreCopiedNotShared) {
  TShape shape(nullptr);
  TPen pen;
  pen.SetColor(clRed);
  pen.SetWidth(4);
  TBrush brush;
  brush.SetStyle(bsClear);
  shape.SetPen(&pen);
  shape.SetBrush(&brush);
  pen.SetColor(clBlue);
  EXPECT_EQ(shape.Pen()->Color(), clRed);
  EXPECT_EQ(shape.Pen()->Width(), 4);
  EXPECT_EQ(shape.Brush()->Style(), bsClear);
  EXPECT_EQ(shape.Brush()->Color(), clWhite);
}

}  // namespace
}  // namespace fw::testing
