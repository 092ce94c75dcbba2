// Shapes fit their figure into their bounds with the pen's width and draw it with the platform's
// figure calls: the main window's card and frame come out as the oracle draws them.
#include "gfx/Shape.h"

#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Messages.h"
#include "framework/platform/Paint.h"
#include "gfx/GfxUnits.h"
#include "gfx/Image.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/gfx/GfxTestSupport.h"

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

// A form holding the main window's card, picture area and frame, laid out from a description.
class TFrameForm : public TForm {
  TOVU_CLASS(TFrameForm, TForm)

 public:
  explicit TFrameForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(); }
  ~TFrameForm() override { DestroyComponents(); }
  TShape* Shape1 = nullptr;
  TImage* Image2 = nullptr;
  TShape* Shape2 = nullptr;
};

TOVU_IMPLEMENT_CLASS(TFrameForm)
void TFrameForm::DefineClass(TClassBuilder<TFrameForm>& b) {
  b.Field("Shape1", &TFrameForm::Shape1);
  b.Field("Image2", &TFrameForm::Image2);
  b.Field("Shape2", &TFrameForm::Shape2);
}

constexpr const char* FrameDescription = R"(object FrameForm: TFrameForm
  Left = 164
  Top = 9
  BorderStyle = bsToolWindow
  ClientHeight = 600
  ClientWidth = 600
  Color = clWhite
  object Shape1: TShape
    Left = 2
    Top = 2
    Width = 596
    Height = 596
    Anchors = [akLeft, akTop, akRight, akBottom]
    Brush.Color = $00E0F4FF
    Pen.Color = $00E0F4FF
    Shape = stRoundRect
  end
  object Image2: TImage
    Left = 30
    Top = 30
    Width = 50
    Height = 50
    Stretch = True
  end
  object Shape2: TShape
    Left = 0
    Top = 0
    Width = 600
    Height = 600
    Align = alClient
    Brush.Style = bsClear
    Pen.Color = $0048A4F8
    Pen.Width = 15
    Shape = stRoundRect
  end
end
)";

class FrameFormTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    InitializeGfxUnits();
    RegisterFormDescription(TFrameForm::StaticClass(), FrameDescription);
    FApplication->CreateForm(Form);
    Form->Show();
    Pump();
  }
  // The client area as displayed, copied as the capture copies it.
  TPixels Shown() {
    TBitmap copy;
    copy.SetSize(Form->ClientWidth(), Form->ClientHeight());
    const TRect all{0, 0, Form->ClientWidth(), Form->ClientHeight()};
    copy.Canvas()->CopyRect(all, Form->Canvas(), all);
    return PixelsOf(copy);
  }
  TFrameForm* Form = nullptr;
};

TEST_F(FrameFormTest, TheDescriptionGivesTheCardAndTheFrame) {
  EXPECT_EQ(Form->Shape1->Shape(), stRoundRect);
  EXPECT_EQ(Form->Shape1->Pen()->Color(), TColor(0x00E0F4FF));
  EXPECT_EQ(Form->Shape1->Brush()->Color(), TColor(0x00E0F4FF));
  EXPECT_EQ(Form->Shape2->Pen()->Width(), 15);
  EXPECT_EQ(Form->Shape2->Brush()->Style(), bsClear);
  EXPECT_EQ(Form->Shape2->Brush()->Color(), clWhite);
  EXPECT_TRUE(Form->Image2->Stretch());
}

TEST_F(FrameFormTest, CardAndFrameMatchTheOracleAt600) {
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), ReadGolden(TestData("shape/frame600.golden.bmp")), detail), 0)
      << detail;
}

TEST_F(FrameFormTest, CardAndFrameFollowTheClientAreaTo800) {
  Form->SetClientWidth(800);
  Form->SetClientHeight(800);
  Pump();
  EXPECT_EQ(Form->Shape1->BoundsRect(), (win::RECT{2, 2, 798, 798}));
  EXPECT_EQ(Form->Shape2->BoundsRect(), (win::RECT{0, 0, 800, 800}));
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), ReadGolden(TestData("shape/frame800.golden.bmp")), detail), 0)
      << detail;
}

TEST_F(FrameFormTest, ChangesRepaintAndEqualValuesDoNot) {
  const win::HWND window = Form->Handle();
  auto pending = [&] {
    win::RECT r{};
    return win::GetUpdateRect(window, &r, win::FALSE) != 0;
  };
  ASSERT_FALSE(pending());
  Form->Shape2->SetShape(stRoundRect);
  EXPECT_FALSE(pending());
  Form->Shape2->SetShape(stEllipse);
  EXPECT_TRUE(pending());
  Pump();
  Form->Shape1->Pen()->SetColor(clRed);
  EXPECT_TRUE(pending());
  Pump();
  Form->Shape1->Brush()->SetStyle(bsDiagCross);
  EXPECT_TRUE(pending());
  Pump();
  // The hatched card lets the white background show between its lines.
  const TPixels shown = Shown();
  int white = 0, cream = 0;
  for (int x = 100; x < 500; ++x) {
    white += shown.At(x, 300) == 0xFFFFFFu;
    cream += shown.At(x, 300) == 0xE0F4FFu;
  }
  EXPECT_GT(white, 100);
  EXPECT_GT(cream, 20);
}

}  // namespace
}  // namespace fw::testing
