#include "framework/SpeedButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Form.h"
#include "framework/TypeInfo.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

struct TAnnouncement {
  int Group;
  TSpeedButton* Sender;
  bool Down;
  bool AllowAllUp;
  friend bool operator==(const TAnnouncement&, const TAnnouncement&) = default;
};

// A windowless sibling that records the button-pressed messages it hears, reading the sender's
// state at that moment.
class TGroupListener : public TGraphicControl {
  TOVU_CLASS(TGroupListener, TGraphicControl)

 public:
  explicit TGroupListener(TComponent* AOwner) : TGraphicControl(AOwner) {}
  std::vector<TAnnouncement> Heard;

 protected:
  void CMButtonPressed(TMessage& Message) {
    auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    Heard.push_back(TAnnouncement{static_cast<int>(Message.WParam), sender, sender->Down(),
                                  sender->AllowAllUp()});
  }
};

TOVU_IMPLEMENT_CLASS(TGroupListener)
void TGroupListener::DefineClass(TClassBuilder<TGroupListener>& b) {
  b.Message(CM_BUTTONPRESSED, &TGroupListener::CMButtonPressed);
}

// Three speed buttons side by side on a shown form whose client area starts at (103, 121).
class SpeedButtonTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Form->SetBorderStyle(bsToolWindow);
    Form->SetBounds(100, 100, 306, 124);
    for (int i = 0; i < 3; ++i) {
      auto* b = NewComponent<TSpeedButton>(Form);
      b->SetBounds(10 + 30 * i, 10, 23, 22);
      b->SetParent(Form);
      b->OnClick = [this, i](TObject*) { Clicks.push_back(i); };
      Buttons.push_back(b);
    }
    Listener = NewComponent<TGroupListener>(Form);
    Listener->SetParent(Form);
    Form->Show();
    Pump();
  }
  void ClickButton(int i) { ClickAt(103 + 10 + 30 * i + 5, 121 + 15); }
  std::vector<bool> DownStates() const {
    std::vector<bool> result;
    for (TSpeedButton* b : Buttons)
      result.push_back(b->Down());
    return result;
  }
  void Group(int index, bool allowAllUp = false) {
    for (TSpeedButton* b : Buttons) {
      b->SetGroupIndex(index);
      b->SetAllowAllUp(allowAllUp);
    }
  }

  TForm* Form = nullptr;
  std::vector<TSpeedButton*> Buttons;
  TGroupListener* Listener = nullptr;
  std::vector<int> Clicks;
};

TEST_F(SpeedButtonTest, AnnouncementsCarryTheGroupTheSenderAndItsState) {
  TSpeedButton* b = Buttons[0];
  b->SetGroupIndex(3);
  b->SetAllowAllUp(true);
  b->SetDown(true);
  b->SetDown(false);  // raising announces nothing
  b->SetAllowAllUp(true);
  const std::vector<TAnnouncement> expected{
      {3, b, false, false}, {3, b, false, true}, {3, b, true, true}};
  EXPECT_EQ(Listener->Heard, expected);
}

TEST_F(SpeedButtonTest, UngroupedButtonsClickButNeverStayDown) {
  Buttons[0]->SetDown(true);
  EXPECT_FALSE(Buttons[0]->Down());
  ClickButton(0);
  EXPECT_FALSE(Buttons[0]->Down());
  EXPECT_EQ(Clicks, std::vector<int>{0});
  EXPECT_TRUE(Listener->Heard.empty());
}

TEST_F(SpeedButtonTest, AnExclusiveGroupKeepsOneButtonDown) {
  Group(1);
  ClickButton(0);
  EXPECT_EQ(DownStates(), (std::vector<bool>{true, false, false}));
  ClickButton(2);
  EXPECT_EQ(DownStates(), (std::vector<bool>{false, false, true}));
  ClickButton(2);  // the down member stays down and still clicks
  EXPECT_EQ(DownStates(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(Clicks, (std::vector<int>{0, 2, 2}));
  Buttons[2]->SetDown(false);
  EXPECT_TRUE(Buttons[2]->Down()) << "only another member going down raises it";
}

TEST_F(SpeedButtonTest, AllowAllUpSpreadsThroughTheGroupAndLetsTheDownButtonRise) {
  Group(1);
  Buttons[2]->SetGroupIndex(2);
  Buttons[0]->SetAllowAllUp(true);
  EXPECT_TRUE(Buttons[1]->AllowAllUp()) << "same group";
  EXPECT_FALSE(Buttons[2]->AllowAllUp()) << "another group";
  ClickButton(1);
  EXPECT_TRUE(Buttons[1]->Down());
  ClickButton(1);
  EXPECT_EQ(DownStates(), (std::vector<bool>{false, false, false}));
}

TEST_F(SpeedButtonTest, ATemporaryMemberAnnouncingDownRaisesTheOthers) {
  // A button that is not a TSpeedButton joins a group through a short-lived speed button that
  // carries its state: inserted, set up, announced, removed.
  Group(4);
  Buttons[1]->SetDown(true);
  {
    auto proxy = std::make_unique<TSpeedButton>(nullptr);
    Form->InsertControl(proxy.get());
    proxy->SetGroupIndex(4);
    proxy->SetAllowAllUp(true);
    proxy->SetDown(true);
    EXPECT_TRUE(Listener->Heard.back().AllowAllUp);
    Form->RemoveControl(proxy.get());
  }
  EXPECT_EQ(DownStates(), (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(Buttons[0]->AllowAllUp());
  // Three joined the group, one went down, and the proxy spoke three times: its group, its
  // AllowAllUp and its going down.
  ASSERT_EQ(Listener->Heard.size(), 7u);
  EXPECT_FALSE(Listener->Heard[4].Down);
  EXPECT_FALSE(Listener->Heard[4].AllowAllUp);
  EXPECT_TRUE(Listener->Heard[6].Down);
}

TEST_F(SpeedButtonTest, PressedOutsideAndReleasedOutsideDoesNotClick) {
  Group(1);
  MoveTo(103 + 15, 121 + 15);
  Press();
  EXPECT_EQ(Buttons[0]->State(), bsDown);
  MoveTo(103 + 200, 121 + 80);
  EXPECT_EQ(Buttons[0]->State(), bsUp);
  Release();
  EXPECT_TRUE(Clicks.empty());
  EXPECT_FALSE(Buttons[0]->Down());
}

TEST_F(SpeedButtonTest, DoubleClicksReachOnlyADownButton) {
  int doubles = 0;
  Buttons[0]->OnDblClick = [&](TObject*) { ++doubles; };
  ClickButton(0);
  Press();
  Release();
  EXPECT_EQ(doubles, 0) << "ungrouped, so up";
  Group(1);
  FBackend->AdvanceClock(1000);
  ClickButton(0);
  Press();
  Release();
  EXPECT_EQ(doubles, 1);
}

TEST_F(SpeedButtonTest, TheCaptionsAcceleratorClicks) {
  Buttons[1]->SetCaption("&Go");
  TMessage message{CM_DIALOGCHAR, 'g', 0, 0};
  Form->Broadcast(message);
  EXPECT_EQ(message.Result, 1);
  EXPECT_EQ(Clicks, std::vector<int>{1});
  Buttons[1]->SetEnabled(false);
  TMessage again{CM_DIALOGCHAR, 'G', 0, 0};
  Form->Broadcast(again);
  EXPECT_EQ(again.Result, 0) << "disabled";
}

}  // namespace
}  // namespace fw::testing
