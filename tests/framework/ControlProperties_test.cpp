#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/SizeConstraints.h"
#include "framework/TypeInfo.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

using TLog = std::vector<std::string>;

// A container that logs the child and showing notifications it receives.
class TWatchingPanel : public TPanel {
  TOVU_CLASS(TWatchingPanel, TPanel)

 public:
  explicit TWatchingPanel(TComponent* AOwner) : TPanel(AOwner) {}
  TLog Log;

 protected:
  void CMControlChange(TMessage& Message) {
    auto* child = reinterpret_cast<TControl*>(Message.WParam);
    // Inserted children are in the list already; removed ones still are.
    Log.push_back(std::string(Message.LParam ? "insert " : "remove ") + child->Name() +
                  (child->Parent() == this ? " (child)" : " (not a child)"));
  }
  void CMShowingChanged(TMessage& Message) {
    TPanel::CMShowingChanged(Message);
    Log.push_back(Showing() ? "shown" : "hidden");
  }
};

TOVU_IMPLEMENT_CLASS(TWatchingPanel)
void TWatchingPanel::DefineClass(TClassBuilder<TWatchingPanel>& b) {
  b.Message(CM_CONTROLCHANGE, &TWatchingPanel::CMControlChange);
  b.Message(CM_SHOWINGCHANGED, &TWatchingPanel::CMShowingChanged);
}

class ControlPropertiesTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Panel = NewComponent<TWatchingPanel>(Form);
    Panel->SetName("Panel");
    Panel->SetParent(Form);
  }
  TForm* Form = nullptr;
  TWatchingPanel* Panel = nullptr;
};

TEST_F(ControlPropertiesTest, ChildChangesAreAnnouncedAfterInsertionAndBeforeRemoval) {
  auto* label = NewComponent<TLabel>(Form);
  label->SetName("Label");
  label->SetParent(Panel);
  label->SetParent(Form);
  EXPECT_EQ(Panel->Log, (TLog{"insert Label (child)", "remove Label (child)"}));
}

TEST_F(ControlPropertiesTest, ShowingFollowsTheParentChain) {
  Form->Show();
  EXPECT_EQ(Panel->Log, TLog{"shown"});
  EXPECT_TRUE(Panel->IsShowing());
  Form->Hide();
  EXPECT_FALSE(Panel->IsShowing()) << "its form is hidden";
  Panel->SetVisible(false);
  EXPECT_EQ(Panel->Log, (TLog{"shown", "hidden"}));
}

TEST_F(ControlPropertiesTest, FontsAndColoursComeFromTheParentUntilSetOwn) {
  auto* label = NewComponent<TLabel>(Form);
  label->SetParent(Panel);
  Form->Font()->SetHeight(-20);
  EXPECT_EQ(Panel->Font()->Height(), -20);
  EXPECT_EQ(label->Font()->Height(), -20);
  label->Font()->SetHeight(-9);
  EXPECT_FALSE(label->ParentFont());
  Form->Font()->SetHeight(-30);
  EXPECT_EQ(label->Font()->Height(), -9);
  label->SetParentFont(true);
  EXPECT_EQ(label->Font()->Height(), -30);

  Panel->SetColor(clAqua);
  EXPECT_EQ(label->Color(), clAqua);
  label->SetColor(clRed);
  Panel->SetColor(clLime);
  EXPECT_EQ(label->Color(), clRed);
  label->SetParentColor(true);
  EXPECT_EQ(label->Color(), clLime);
}

TEST_F(ControlPropertiesTest, ReadingOrderComesFromTheParentUntilSetOwn) {
  auto* label = NewComponent<TLabel>(Form);
  label->SetParent(Panel);
  Form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
  label->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(label->ParentBiDiMode());
  Form->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(label->BiDiMode(), bdLeftToRight);
  label->SetParentBiDiMode(true);
  EXPECT_EQ(label->BiDiMode(), bdRightToLeftReadingOnly);
}

TEST_F(ControlPropertiesTest, ConstraintsHoldTheSizeWithinTheirLimits) {
  auto* label = NewComponent<TLabel>(Form);
  label->SetParent(Panel);
  label->SetBounds(5, 5, 100, 40);
  label->Constraints()->SetMaxWidth(60);  // applied at once
  EXPECT_EQ(label->Width(), 60);
  label->Constraints()->SetMinHeight(50);
  EXPECT_EQ(label->Height(), 50);
  label->SetBounds(7, 8, 10, 200);
  EXPECT_EQ(label->BoundsRect(), (win::RECT{7, 8, 17, 208})) << "no limit below or above";
  label->Constraints()->SetMinWidth(80);
  EXPECT_EQ(label->Width(), 80) << "a minimum above the maximum wins";
}

TEST_F(ControlPropertiesTest, AutoSizedLabelsFollowTheirCaption) {
  auto* label = NewComponent<TLabel>(Form);
  label->SetParent(Form);
  label->SetCaption("a");
  const int narrow = label->Width();
  label->SetCaption("インフォメーション");
  EXPECT_GT(label->Width(), narrow);
  EXPECT_GT(label->Height(), 8);
  label->SetAutoSize(false);
  label->SetCaption("a");
  EXPECT_GT(label->Width(), narrow) << "no longer sized";
}

TEST_F(ControlPropertiesTest, NamesBecomeCaptionsOnlyWhileTheyMatch) {
  auto* button = NewComponent<TButton>(Form);
  button->SetName("Button1");
  EXPECT_EQ(button->Caption(), "Button1");
  button->SetName("Save");
  EXPECT_EQ(button->Caption(), "Save");
  button->SetCaption("保存");
  button->SetName("Other");
  EXPECT_EQ(button->Caption(), "保存");
  auto* label = NewComponent<TLabel>(Form);
  label->SetControlStyle(label->ControlStyle() - TControlStyle{csSetCaption});
  label->SetName("Label1");
  EXPECT_EQ(label->Caption(), "");
}

TEST_F(ControlPropertiesTest, ClicksRunTheActionWithoutAHandlerOfTheirOwn) {
  auto* action = NewComponent<TBasicAction>(Form);
  int executed = 0, clicked = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  auto* button = NewComponent<TButton>(Form);
  button->SetAction(action);
  button->Click();
  EXPECT_EQ(executed, 1);
  button->OnClick = [&](TObject*) { ++clicked; };
  button->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(clicked, 1);
  delete action;
  EXPECT_EQ(button->Action(), nullptr) << "forgotten when it goes";
  auto* menu = NewComponent<TComponent>(Form);
  button->SetPopupMenu(menu);
  delete menu;
  EXPECT_EQ(button->PopupMenu(), nullptr);
}

TEST_F(ControlPropertiesTest, BroadcastStopsAtTheFirstAnswer) {
  auto* first = NewComponent<TButton>(Panel);
  first->SetCaption("&First");
  first->SetParent(Panel);
  auto* second = NewComponent<TButton>(Panel);
  second->SetCaption("&Fine");
  second->SetParent(Panel);
  int clicks = 0;
  first->OnClick = second->OnClick = [&](TObject* sender) { clicks += sender == first ? 1 : 10; };
  Form->Show();
  TMessage message{CM_DIALOGCHAR, 'f', 0, 0};
  Form->Broadcast(message);
  EXPECT_EQ(message.Result, 1);
  EXPECT_EQ(clicks, 1) << "the first taker ends the broadcast";
}

}  // namespace
}  // namespace fw::testing
