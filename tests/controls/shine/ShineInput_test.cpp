// The shine button under injected pointer and keyboard input on the headless backend: hot
// tracking and its fallback timer, pressing and releasing inside and outside (also in a group),
// other mouse buttons, groups shared with the framework's speed buttons, accelerators, double
// clicks, ClickDownHook and enabling.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/SpeedButton.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Input.h"
#include "tests/controls/shine/ShineTestSupport.h"

namespace shine::testing {
namespace {

using TLog = std::vector<std::string>;

// A windowless sibling that counts the button-pressed announcements it hears.
class TGroupListener : public fw::TGraphicControl {
  TOVU_CLASS(TGroupListener, fw::TGraphicControl)

 public:
  explicit TGroupListener(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner) {}
  int Heard = 0;

 protected:
  void CMButtonPressed(fw::TMessage&) { ++Heard; }
};

TOVU_IMPLEMENT_CLASS(TGroupListener)
void TGroupListener::DefineClass(fw::TClassBuilder<TGroupListener>& b) {
  b.Message(fw::CM_BUTTONPRESSED, &TGroupListener::CMButtonPressed);
}

// Buttons 40 x 30 at (10, 20), (60, 20) and (110, 20); (250, 200) is bare form.
class ShineInputTest : public TShineTest {
 protected:
  TShineSpeedButton* Shine(int Slot, const std::string& Name) {
    auto* button = Place(10 + 50 * Slot, 20, 40, 30);
    Record(button, Name);
    button->OnMouseEnter = [this, Name](fw::TObject*, fw::TShiftState, int, int) {
      FLog.push_back(Name + " enter");
    };
    button->OnMouseLeave = [this, Name](fw::TObject*, fw::TShiftState, int, int) {
      FLog.push_back(Name + " leave");
    };
    return button;
  }
  fw::TSpeedButton* Framework(int Slot, const std::string& Name) {
    auto* button = fw::NewComponent<fw::TSpeedButton>(FForm);
    button->SetBounds(10 + 50 * Slot, 20, 40, 30);
    button->SetParent(FForm);
    Record(button, Name);
    Pump();
    return button;
  }
  void Record(fw::TControl* Button, const std::string& Name) {
    Button->OnClick = [this, Name](fw::TObject*) { FLog.push_back(Name + " click"); };
    Button->OnDblClick = [this, Name](fw::TObject*) { FLog.push_back(Name + " double"); };
  }
  void Over(int Slot) { PointAt(30 + 50 * Slot, 35); }
  void Away() { PointAt(250, 200); }
  void Click(int Slot) {
    Over(Slot);
    Press();
    Release();
    Away();
    RunFor(1000);  // so that the next press is no double click
    FLog.clear();
  }
  // A group of a shine button, a framework speed button and a shine button.
  void MixedGroup(bool AllowAllUp) {
    FA = Shine(0, "A");
    FF = Framework(1, "F");
    FB = Shine(2, "B");
    for (TShineSpeedButton* b : {FA, FB})
      b->SetGroupIndex(1);
    FF->SetGroupIndex(1);
    FA->SetAllowAllUp(AllowAllUp);
  }
  std::vector<bool> Downs() const { return {FA->Down(), FF->Down(), FB->Down()}; }

  TLog FLog;
  TShineSpeedButton* FA = nullptr;
  fw::TSpeedButton* FF = nullptr;
  TShineSpeedButton* FB = nullptr;
};

TEST_F(ShineInputTest, ANewButtonIsASmallUpButtonWithItsOwnClickHandling) {
  Away();
  auto* button = Place(100, 100);
  EXPECT_EQ(button->Width(), 25);
  EXPECT_EQ(button->Height(), 25);
  EXPECT_EQ(button->State(), shUp);
  EXPECT_TRUE(button->Caption().empty());
  EXPECT_TRUE(button->Glyph()->Empty());
  EXPECT_EQ(button->ControlStyle(),
            (fw::TControlStyle{fw::csCaptureMouse, fw::csOpaque, fw::csDoubleClicks}));
  EXPECT_EQ(button->ActiveButtonTimer()->Interval(), 200u);
  EXPECT_FALSE(button->ActiveButtonTimer()->Enabled());
  button->SetTransparent(true);
  EXPECT_FALSE(button->ControlStyle().Contains(fw::csOpaque));
  button->SetTransparent(false);
  EXPECT_TRUE(button->ControlStyle().Contains(fw::csOpaque));
}

TEST_F(ShineInputTest, ItLightsUpUnderThePointerWhileItsTimerWatches) {
  TShineSpeedButton* a = Shine(0, "A");
  Over(0);
  EXPECT_EQ(a->State(), shActiveUp);
  EXPECT_TRUE(a->MouseInControl());
  EXPECT_TRUE(a->ActiveButtonTimer()->Enabled());
  RunFor(1000);  // the pointer stays: the ticks change nothing
  EXPECT_EQ(a->State(), shActiveUp);
  Away();
  EXPECT_EQ(a->State(), shUp);
  EXPECT_FALSE(a->ActiveButtonTimer()->Enabled());
  EXPECT_EQ(FLog, (TLog{"A enter", "A leave"}));
}

TEST_F(ShineInputTest, AMissedLeaveIsNoticedWithinTheTimersInterval) {
  TShineSpeedButton* a = Shine(0, "A");
  Away();
  // An enter notification whose leave never comes: the pointer is already elsewhere.
  a->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(a->State(), shActiveUp);
  RunFor(150);
  EXPECT_EQ(a->State(), shActiveUp);
  RunFor(100);
  EXPECT_EQ(a->State(), shUp);
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_FALSE(a->ActiveButtonTimer()->Enabled());
  EXPECT_EQ(FLog, (TLog{"A enter", "A leave"}));
}

TEST_F(ShineInputTest, AnUngroupedClickInsideClicksOnceAndLightsUpAgain) {
  TShineSpeedButton* a = Shine(0, "A");
  Over(0);
  Press();
  EXPECT_EQ(a->State(), shActiveDown);
  EXPECT_TRUE(a->Tracking());
  Release();
  EXPECT_FALSE(a->Down());
  EXPECT_FALSE(a->Tracking());
  EXPECT_EQ(a->State(), shActiveUp);
  EXPECT_EQ(FLog, (TLog{"A enter", "A click", "A enter"}));
}

TEST_F(ShineInputTest, WhileHeldTheLookFollowsThePointerAndAReleaseOutsideDoesNotClick) {
  TShineSpeedButton* a = Shine(0, "A");
  Over(0);
  Press();
  Away();
  EXPECT_EQ(a->State(), shUp);
  EXPECT_TRUE(a->MouseInControl()) << "tracking keeps the hot flag";
  Over(0);
  EXPECT_EQ(a->State(), shActiveDown);
  Away();
  Release();
  EXPECT_EQ(a->State(), shUp);
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_FALSE(a->ActiveButtonTimer()->Enabled());
  for (const std::string& line : FLog)
    EXPECT_NE(line, "A click");
}

TEST_F(ShineInputTest, AGroupMemberReleasedOutsideKeepsItsDownStateWithoutAClick) {
  MixedGroup(false);
  for (const bool down : {false, true}) {
    if (down) Click(0);
    Over(0);
    Press();
    Away();
    Release();
    EXPECT_EQ(FA->Down(), down);
    EXPECT_EQ(FA->State(), down ? shDown : shUp) << "hot after the release, then left";
    EXPECT_FALSE(FA->MouseInControl());
    // The leave while held raises the event only; the one after the release cools the look.
    EXPECT_EQ(FLog, (TLog{"A enter", "A leave", "A leave"})) << "no click; down " << down;
    RunFor(1000);
    FLog.clear();
  }
}

TEST_F(ShineInputTest, OtherMouseButtonsNeitherPressNorClick) {
  TShineSpeedButton* a = Shine(0, "A");
  for (const int other : {win::VK_RBUTTON, win::VK_MBUTTON}) {
    Over(0);
    Press(other);
    EXPECT_EQ(a->State(), shActiveUp);
    EXPECT_FALSE(a->Tracking());
    Release(other);
    EXPECT_EQ(a->State(), shActiveUp);
  }
  EXPECT_EQ(FLog, (TLog{"A enter"}));
}

TEST_F(ShineInputTest, AnExclusiveGroupMixesShineAndFrameworkButtons) {
  MixedGroup(false);
  Click(0);
  EXPECT_EQ(Downs(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(FA->State(), shDown);
  Click(1);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(FA->State(), shUp);
  Click(2);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
  Over(2);
  EXPECT_EQ(FB->State(), shActiveDown);
  Press();
  Release();
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true})) << "the down member stays down";
  EXPECT_EQ(FB->State(), shActiveDown);
  EXPECT_EQ(FLog, (TLog{"B enter", "B click", "B enter"}));
  Away();
  EXPECT_EQ(FB->State(), shDown);
  FB->SetDown(false);
  EXPECT_TRUE(FB->Down()) << "only another member going down raises it";
  FF->SetDown(true);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
}

TEST_F(ShineInputTest, AllowAllUpSpreadsThroughTheGroupAndLetsTheDownMemberRise) {
  MixedGroup(true);
  EXPECT_TRUE(FF->AllowAllUp());
  EXPECT_TRUE(FB->AllowAllUp());
  Click(2);
  EXPECT_TRUE(FB->Down());
  Click(2);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, false}));
  FF->SetAllowAllUp(false);
  EXPECT_FALSE(FA->AllowAllUp()) << "the framework button's announcement reaches shine members";
  EXPECT_FALSE(FB->AllowAllUp());
}

TEST_F(ShineInputTest, OutsideAGroupDownNeverSticks) {
  TShineSpeedButton* a = Shine(0, "A");
  a->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), shUp);
}

TEST_F(ShineInputTest, DisablingClearsDownSilentlyAndForgetsAPressInProgress) {
  MixedGroup(false);
  auto* listener = fw::NewComponent<TGroupListener>(FForm);
  listener->SetParent(FForm);
  Click(0);
  const int heard = listener->Heard;
  FA->SetEnabled(false);
  EXPECT_FALSE(FA->Down());
  EXPECT_EQ(listener->Heard, heard) << "the group is not told";
  Pump();
  EXPECT_EQ(FA->State(), shDisabled);

  Over(2);
  Press();
  FB->SetEnabled(false);  // the release below arrives before any paint
  Release();
  EXPECT_EQ(std::count(FLog.begin(), FLog.end(), "B click"), 0)
      << "a disabled button does not click";
  EXPECT_FALSE(FB->Down());
  EXPECT_EQ(FB->State(), shDisabled);

  FB->SetEnabled(true);  // under the pointer: up, then hot
  EXPECT_EQ(FB->State(), shActiveUp);
}

TEST_F(ShineInputTest, TheEnterEventComesEvenWhenAnotherWindowHoldsTheCapture) {
  TShineSpeedButton* a = Shine(0, "A");
  Away();
  win::SetCapture(FForm->Handle());
  Over(0);
  EXPECT_EQ(FLog, TLog{"A enter"});
  EXPECT_EQ(a->State(), shUp);
  EXPECT_FALSE(a->MouseInControl());
  win::ReleaseCapture();
}

TEST_F(ShineInputTest, ClickDownHookShowsThePressedLookWhileTheClickRuns) {
  TShineSpeedButton* a = Shine(0, "A");
  a->SetClickDownHook(true);
  a->PressedColors()->SetColor(fw::clRed);
  TShineState during = shUp;
  fw::TColor shown = fw::clNone;
  a->OnClick = [&](fw::TObject*) {
    during = a->State();
    shown = ShownAt(30, 35);
  };
  Over(0);
  Press();
  Release();
  EXPECT_EQ(during, shActiveDown);
  EXPECT_EQ(shown, fw::clRed) << "painted pressed before the handler ran";
  EXPECT_EQ(a->State(), shActiveUp);
  EXPECT_EQ(ShownAt(30, 35), ShownAt(12, 22)) << "the face is the up colour again";
}

TEST_F(ShineInputTest, TheAcceleratorClicksAndWithAccelCharDownTogglesWithinTheGroupRules) {
  MixedGroup(false);
  FA->SetCaption("&Go");
  Key('G');
  Pump();
  EXPECT_EQ(FLog, TLog{"A click"});
  EXPECT_FALSE(FA->Down());
  FA->SetAccelCharDown(true);
  Key('G');
  Pump();
  EXPECT_TRUE(FA->Down());
  Key('G');
  Pump();
  EXPECT_TRUE(FA->Down()) << "an exclusive group keeps its down member";
  EXPECT_EQ(FLog.size(), 3u);
  FA->SetEnabled(false);
  Key('G');
  Pump();
  EXPECT_EQ(FLog.size(), 3u) << "disabled";
}

TEST_F(ShineInputTest, OnlyADownButtonRaisesOnDblClick) {
  MixedGroup(false);
  FA->SetGroupIndex(0);
  Over(0);
  for (int i = 0; i < 2; ++i) {
    Press();
    Release();
  }
  EXPECT_EQ(FLog, (TLog{"A enter", "A click", "A enter", "A click", "A enter"}));
  RunFor(1000);
  Over(2);
  for (int i = 0; i < 2; ++i) {
    Press();
    Release();
  }
  EXPECT_TRUE(FB->Down());
  EXPECT_EQ(std::count(FLog.begin(), FLog.end(), "B double"), 1);
}

}  // namespace
}  // namespace shine::testing
