#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/Panel.h"
#include "framework/TypeInfo.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

using TLog = std::vector<std::string>;

// A windowless control that logs what reaches it.
class TInputProbe : public TGraphicControl {
  TOVU_CLASS(TInputProbe, TGraphicControl)

 public:
  explicit TInputProbe(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TLog* Log = nullptr;

  void WndProc(TMessage& Message) override {
    if (Log != nullptr) {
      if (Message.Msg == CM_MOUSEENTER) Log->push_back(Name() + " enter");
      if (Message.Msg == CM_MOUSELEAVE) Log->push_back(Name() + " leave");
    }
    TGraphicControl::WndProc(Message);
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Record("down", X, Y);
    TGraphicControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Record("move", X, Y);
    TGraphicControl::MouseMove(Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Record("up", X, Y);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
  }

 private:
  void Record(const char* what, int X, int Y) {
    if (Log != nullptr)
      Log->push_back(Name() + " " + what + " " + std::to_string(X) + "," + std::to_string(Y));
  }
};

TOVU_IMPLEMENT_CLASS(TInputProbe)
void TInputProbe::DefineClass(TClassBuilder<TInputProbe>&) {}

// A shown tool window at (100, 100): its client area starts at (103, 121) on the screen. A panel
// at (200, 0) holds a probe of its own; two probes lie on the form.
class ControlInputTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Form->SetBorderStyle(bsToolWindow);
    Form->SetBounds(100, 100, 406, 324);
    A = Probe("A", Form, 10, 10, 50, 50);
    B = Probe("B", Form, 40, 40, 50, 50);  // overlaps A, above it
    Panel = NewComponent<TPanel>(Form);
    Panel->SetBounds(200, 0, 150, 150);
    Panel->SetParent(Form);
    C = Probe("C", Panel, 10, 10, 30, 30);
    Form->Show();
    Pump();
    Log.clear();
  }
  TInputProbe* Probe(const std::string& name, TWinControl* parent, int l, int t, int w, int h) {
    auto* probe = NewComponent<TInputProbe>(Form);
    probe->SetName(name);
    probe->SetBounds(l, t, w, h);
    probe->SetParent(parent);
    probe->Log = &Log;
    return probe;
  }
  // Screen point of a client point of the form.
  static win::POINT OnForm(int x, int y) { return win::POINT{103 + x, 121 + y}; }

  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  TInputProbe* A = nullptr;
  TInputProbe* B = nullptr;
  TInputProbe* C = nullptr;
  TLog Log;
};

TEST_F(ControlInputTest, ControlUnderAPointIsTheInnermostAndTheTopmost) {
  EXPECT_EQ(FindDragTarget(OnForm(15, 15), false), A);
  EXPECT_EQ(FindDragTarget(OnForm(45, 45), false), B) << "B lies above A";
  EXPECT_EQ(FindDragTarget(OnForm(215, 15), false), C) << "inside the panel's window";
  EXPECT_EQ(FindDragTarget(OnForm(300, 100), false), Panel);
  EXPECT_EQ(FindDragTarget(OnForm(150, 200), false), Form);
  EXPECT_EQ(FindDragTarget(win::POINT{5, 5}, false), nullptr) << "outside every window";
}

TEST_F(ControlInputTest, DisabledControlsAreFoundOnlyWhenAskedFor) {
  B->SetEnabled(false);
  EXPECT_EQ(FindDragTarget(OnForm(45, 45), false), A);
  EXPECT_EQ(FindDragTarget(OnForm(45, 45), true), B);
  // A disabled window: the platform's hit test passes over it to the form.
  Panel->SetEnabled(false);
  EXPECT_EQ(FindDragTarget(OnForm(300, 100), false), Form);
  EXPECT_EQ(FindDragTarget(OnForm(300, 100), true), Panel);
  EXPECT_EQ(FindDragTarget(OnForm(215, 15), true), C);
}

TEST_F(ControlInputTest, EnterAndLeaveFollowThePointer) {
  MoveTo(OnForm(15, 15).x, OnForm(15, 15).y);
  MoveTo(OnForm(45, 45).x, OnForm(45, 45).y);
  MoveTo(OnForm(215, 15).x, OnForm(215, 15).y);
  MoveTo(5, 5);
  const TLog expected{"A enter", "A move 5,5", "A leave",    "B enter", "B move 5,5",
                      "B leave", "C enter",    "C move 5,5", "C leave"};
  EXPECT_EQ(Log, expected);
}

TEST_F(ControlInputTest, DisabledControlsHearEnterAndLeaveButNoMouse) {
  A->SetEnabled(false);
  MoveTo(OnForm(15, 15).x, OnForm(15, 15).y);
  Press();
  Release();
  MoveTo(5, 5);
  EXPECT_EQ(Log, (TLog{"A enter", "A leave"}));
}

TEST_F(ControlInputTest, APressCapturesTheMouseUntilRelease) {
  int clicks = 0;
  A->OnClick = [&](TObject*) { ++clicks; };
  MoveTo(OnForm(15, 15).x, OnForm(15, 15).y);
  Press();
  EXPECT_TRUE(A->MouseCapture());
  MoveTo(OnForm(150, 200).x, OnForm(150, 200).y);
  MoveTo(700, 700);  // outside the window: still A's
  Release();
  EXPECT_FALSE(A->MouseCapture());
  EXPECT_EQ(clicks, 0) << "released outside";
  // The pointer left A while A held the capture: A hears it, and still gets the moves.
  const TLog expected{"A enter",        "A move 5,5",     "A down 5,5",  "A leave",
                      "A move 140,190", "A move 587,569", "A up 587,569"};
  EXPECT_EQ(Log, expected);
  ClickAt(OnForm(20, 20).x, OnForm(20, 20).y);
  EXPECT_EQ(clicks, 1) << "pressed and released inside";
}

TEST_F(ControlInputTest, DoubleClicksNeedTheStyleFlag) {
  int clicks = 0, doubles = 0;
  A->OnClick = [&](TObject*) { ++clicks; };
  A->OnDblClick = [&](TObject*) { ++doubles; };
  ClickAt(OnForm(15, 15).x, OnForm(15, 15).y);
  Press();
  Release();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
  A->SetControlStyle(A->ControlStyle() - TControlStyle{csDoubleClicks});
  FBackend->AdvanceClock(1000);
  ClickAt(OnForm(15, 15).x, OnForm(15, 15).y);
  Press();
  Release();
  EXPECT_EQ(clicks, 3) << "the second press counts as a press of its own";
  EXPECT_EQ(doubles, 1);
}

TEST_F(ControlInputTest, AControlDestroyedInItsOwnClickIsSafe) {
  A->OnClick = [&](TObject*) {
    delete A;
    A = nullptr;
  };
  ClickAt(OnForm(15, 15).x, OnForm(15, 15).y);
  EXPECT_EQ(A, nullptr);
  EXPECT_EQ(Form->ControlCount(), 2);
  MoveTo(OnForm(30, 30).x, OnForm(30, 30).y);
  EXPECT_EQ(FindDragTarget(OnForm(15, 15), false), Form);
}

TEST_F(ControlInputTest, ChildrenGoWithTheirParent) {
  const TWeakRef<TControl> c(C);
  delete Panel;
  EXPECT_FALSE(c) << "the panel destroyed its child";
  EXPECT_EQ(Form->ControlCount(), 2);
}

}  // namespace
}  // namespace fw::testing
