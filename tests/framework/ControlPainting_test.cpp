#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Messages.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

using TLog = std::vector<std::string>;

// A windowless control that fills a rectangle of its own coordinates (by default its whole
// area, possibly more) and marks its origin with one pixel.
class TFiller : public TGraphicControl {
  TOVU_CLASS(TFiller, TGraphicControl)

 public:
  explicit TFiller(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TColor Fill = clRed;
  TRect Area = {-1000, -1000, 1000, 1000};  // more than its bounds: clipping must cut it
  TLog* Log = nullptr;

 protected:
  void Paint() override {
    if (Log != nullptr) Log->push_back(Name());
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(Area);
    Canvas()->SetPixels(0, 0, clBlack);
  }
};

TOVU_IMPLEMENT_CLASS(TFiller)
void TFiller::DefineClass(TClassBuilder<TFiller>&) {}

// A windowed control that paints itself green through PaintWindow and its canvas.
class TGreenControl : public TCustomControl {
  TOVU_CLASS(TGreenControl, TCustomControl)

 public:
  explicit TGreenControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(clLime);
    Canvas()->FillRect(Bounds(0, 0, Width(), Height()));
  }
};

TOVU_IMPLEMENT_CLASS(TGreenControl)
void TGreenControl::DefineClass(TClassBuilder<TGreenControl>&) {}

class ControlPaintingTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Form->SetBorderStyle(bsToolWindow);
    Form->SetColor(clWhite);
    Form->SetBounds(100, 100, 206, 224);  // 200 x 200 client area
    Form->OnPaint = [this](TObject*) { Log.push_back("form"); };
    A = Filler("A", Form, 10, 10, 50, 50, clRed);
    B = Filler("B", Form, 40, 40, 50, 50, clBlue);
  }
  TFiller* Filler(const std::string& name, TWinControl* parent, int l, int t, int w, int h,
                  TColor fill) {
    auto* f = NewComponent<TFiller>(Form);
    f->SetName(name);
    f->SetBounds(l, t, w, h);
    f->Fill = fill;
    f->Log = &Log;
    f->SetParent(parent);
    return f;
  }
  // The colour the window shows at a client point of the form, copied as the capture step
  // copies it (reading a window's context is not limited by the windows on top of it).
  TColor Shown(int x, int y) {
    TBitmap pixel;
    pixel.SetSize(1, 1);
    pixel.Canvas()->CopyRect(Bounds(0, 0, 1, 1), Form->Canvas(), Bounds(x, y, 1, 1));
    return pixel.Canvas()->Pixels(0, 0);
  }

  TForm* Form = nullptr;
  TFiller* A = nullptr;
  TFiller* B = nullptr;
  TLog Log;
};

TEST_F(ControlPaintingTest, WindowlessChildrenPaintInOrderClippedToTheirBounds) {
  Form->Show();
  Pump();
  EXPECT_EQ(Log, (TLog{"form", "A", "B"}));
  EXPECT_EQ(Shown(5, 5), clWhite) << "the form's background";
  EXPECT_EQ(Shown(20, 20), clRed);
  EXPECT_EQ(Shown(45, 45), clBlue) << "B lies above A";
  EXPECT_EQ(Shown(30, 59), clRed) << "B's fill reaches no further than its bounds";
  EXPECT_EQ(Shown(95, 95), clWhite);
  EXPECT_EQ(Shown(10, 10), clBlack) << "A's origin is its top-left corner";
  EXPECT_EQ(Shown(40, 40), clBlack);
}

TEST_F(ControlPaintingTest, HiddenChildrenAreNotPainted) {
  B->SetVisible(false);
  Form->Show();
  Pump();
  EXPECT_EQ(Log, (TLog{"form", "A"}));
  EXPECT_EQ(Shown(45, 45), clRed);
}

TEST_F(ControlPaintingTest, PaintWithADeviceContextDrawsIntoThatContext) {
  Form->Show();
  Pump();
  Log.clear();
  TBitmap bitmap;
  bitmap.SetSize(200, 200);
  Form->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(bitmap.Canvas()->Handle()), 0);
  EXPECT_EQ(Log, (TLog{"form", "A", "B"}));
  EXPECT_EQ(bitmap.Canvas()->Pixels(20, 20), clRed);
  EXPECT_EQ(bitmap.Canvas()->Pixels(45, 45), clBlue);
  EXPECT_EQ(bitmap.Canvas()->Pixels(95, 95), clWhite) << "a bitmap is white until painted";
}

TEST_F(ControlPaintingTest, OpaqueChildrenCoveringTheAreaSpareTheWindowItsPaint) {
  A->SetControlStyle(A->ControlStyle() + TControlStyle{csOpaque});
  Form->Show();
  Pump();
  Log.clear();
  A->Invalidate();
  Pump();
  EXPECT_EQ(Log, (TLog{"A", "B"})) << "A covers the whole invalid area";
  Log.clear();
  B->Invalidate();
  Pump();
  EXPECT_EQ(Log, (TLog{"form", "A", "B"})) << "B is not opaque";
}

TEST_F(ControlPaintingTest, InvalidateWaitsRepaintDoesNot) {
  Form->Show();
  Pump();
  Log.clear();
  A->Fill = clYellow;
  A->Invalidate();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Shown(20, 20), clRed);
  Pump();
  EXPECT_EQ(Shown(20, 20), clYellow);
  Log.clear();
  A->Fill = clAqua;
  A->Repaint();
  EXPECT_FALSE(Log.empty()) << "painted before any message was handled";
  EXPECT_EQ(Shown(20, 20), clAqua);
}

TEST_F(ControlPaintingTest, AWindowedControlPaintsItselfThenItsWindowlessChildren) {
  auto* host = NewComponent<TGreenControl>(Form);
  host->SetBounds(100, 100, 80, 80);
  host->SetParent(Form);
  auto* inner = Filler("C", host, 10, 10, 20, 20, clFuchsia);
  Form->Show();
  Pump();
  EXPECT_GT(host->Paints, 0);
  EXPECT_EQ(Shown(105, 105), clLime);
  EXPECT_EQ(Shown(115, 115), clFuchsia);
  EXPECT_EQ(Shown(110, 110), clBlack) << "C's origin inside the host";
  EXPECT_EQ(Shown(135, 115), clLime) << "C is clipped to its bounds";
  inner->SetLeft(50);
  Pump();
  EXPECT_EQ(Shown(115, 115), clLime) << "moving C repaints where it was";
  EXPECT_EQ(Shown(155, 115), clFuchsia);
}

TEST_F(ControlPaintingTest, TheFormCanvasReadsWhatTheWindowShows) {
  Form->Show();
  Pump();
  TBitmap copy;
  copy.SetSize(200, 200);
  copy.Canvas()->CopyRect(Bounds(0, 0, 200, 200), Form->Canvas(), Bounds(0, 0, 200, 200));
  EXPECT_EQ(copy.Canvas()->Pixels(20, 20), clRed);
  EXPECT_EQ(copy.Canvas()->Pixels(45, 45), clBlue);
  EXPECT_EQ(copy.Canvas()->Pixels(150, 150), clWhite);
}

}  // namespace
}  // namespace fw::testing
