#include <gtest/gtest.h>

#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/Panel.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

win::RECT Bounds(int l, int t, int w, int h) {
  return win::RECT{l, t, l + w, t + h};
}

// The main window's layout: a panel filling the client area, a card anchored to all sides, a
// picture with the default anchors, a frame filling the panel and a hidden button without
// anchors.
class AlignmentTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Form->SetBorderStyle(bsToolWindow);
    Form->SetClientWidth(600);
    Form->SetClientHeight(600);
    Panel = NewComponent<TPanel>(Form);
    Panel->SetBevelOuter(bvNone);
    Panel->SetBounds(0, 0, 600, 600);
    Panel->SetAlign(alClient);
    Panel->SetParent(Form);
    Card = Child(2, 2, 596, 596);
    Card->SetAnchors({akLeft, akTop, akRight, akBottom});
    Picture = Child(30, 30, 50, 50);
    Frame = Child(0, 0, 600, 600);
    Frame->SetAlign(alClient);
    Button = NewComponent<TButton>(Form);
    Button->SetBounds(264, 290, 74, 20);
    Button->SetAnchors({});
    Button->SetVisible(false);
    Button->SetParent(Panel);
  }
  TGraphicControl* Child(int l, int t, int w, int h) {
    auto* c = NewComponent<TGraphicControl>(Form);
    c->SetBounds(l, t, w, h);
    c->SetParent(Panel);
    return c;
  }

  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  TGraphicControl* Card = nullptr;
  TGraphicControl* Picture = nullptr;
  TGraphicControl* Frame = nullptr;
  TButton* Button = nullptr;
};

TEST_F(AlignmentTest, ToolWindowFrameSurroundsTheClientArea) {
  EXPECT_EQ(Form->ClientWidth(), 600);
  EXPECT_EQ(Form->ClientHeight(), 600);
  EXPECT_EQ(Form->Width(), 606);
  EXPECT_EQ(Form->Height(), 624);
  Form->Show();
  EXPECT_EQ(Form->ClientWidth(), 600) << "read back from the window";
  EXPECT_EQ(Form->Width(), 606);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(0, 0, 600, 600));
  EXPECT_EQ(Card->BoundsRect(), Bounds(2, 2, 596, 596));
  EXPECT_EQ(Picture->BoundsRect(), Bounds(30, 30, 50, 50));
}

TEST_F(AlignmentTest, ChildrenFollowALargerClientArea) {
  for (bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "with a window" : "before the window exists");
    if (shown) {
      Form->SetClientWidth(600);
      Form->SetClientHeight(600);
      Form->Show();
    }
    Form->SetClientWidth(800);
    Form->SetClientHeight(800);
    EXPECT_EQ(Form->ClientWidth(), 800);
    EXPECT_EQ(Form->Width(), 806);
    EXPECT_EQ(Panel->BoundsRect(), Bounds(0, 0, 800, 800));
    EXPECT_EQ(Frame->BoundsRect(), Bounds(0, 0, 800, 800));
    EXPECT_EQ(Card->BoundsRect(), Bounds(2, 2, 796, 796));
    EXPECT_EQ(Picture->BoundsRect(), Bounds(30, 30, 50, 50));
    // Without anchors the centre keeps its share of the parent: 301 of 600 is 401 of 800.
    EXPECT_EQ(Button->BoundsRect(), Bounds(364, 390, 74, 20));
  }
}

TEST_F(AlignmentTest, AnchorsKeepTheirDistancesAfterAnExplicitMove) {
  Form->Show();
  Card->SetBounds(10, 10, 500, 500);  // 90 pixels to the right and bottom edges now
  Form->SetClientWidth(700);
  Form->SetClientHeight(650);
  EXPECT_EQ(Card->BoundsRect(), Bounds(10, 10, 600, 550));
  Form->SetClientWidth(400);
  Form->SetClientHeight(400);
  EXPECT_EQ(Card->BoundsRect(), Bounds(10, 10, 300, 300));
}

TEST_F(AlignmentTest, RightAndBottomAnchorsMoveWithoutResizing) {
  Form->Show();
  Picture->SetAnchors({akRight, akBottom});
  Form->SetClientWidth(700);
  Form->SetClientHeight(620);
  EXPECT_EQ(Picture->BoundsRect(), Bounds(130, 50, 50, 50));
}

TEST_F(AlignmentTest, EdgeAlignmentsStackInPositionOrder) {
  Frame->SetAlign(alNone);
  Form->Show();
  auto* top2 = Child(0, 100, 10, 20);
  auto* top1 = Child(0, 50, 10, 30);
  top1->SetAlign(alTop);
  top2->SetAlign(alTop);
  auto* bottom = Child(0, 0, 10, 40);
  bottom->SetAlign(alBottom);
  auto* left = Child(0, 0, 60, 10);
  left->SetAlign(alLeft);
  auto* right = Child(0, 0, 70, 10);
  right->SetAlign(alRight);
  auto* client = Child(0, 0, 1, 1);
  client->SetAlign(alClient);
  EXPECT_EQ(top1->BoundsRect(), Bounds(0, 0, 600, 30));
  EXPECT_EQ(top2->BoundsRect(), Bounds(0, 30, 600, 20));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 560, 600, 40));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 50, 60, 510));
  EXPECT_EQ(right->BoundsRect(), Bounds(530, 50, 70, 510));
  EXPECT_EQ(client->BoundsRect(), Bounds(60, 50, 470, 510));
  // An aligned control moved above another one takes its place in the stack.
  top2->SetTop(-5);
  EXPECT_EQ(top2->BoundsRect(), Bounds(0, 0, 600, 20));
  EXPECT_EQ(top1->BoundsRect(), Bounds(0, 20, 600, 30));
  // A hidden control gives its place up.
  top1->SetVisible(false);
  EXPECT_EQ(top2->BoundsRect(), Bounds(0, 0, 600, 20));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 20, 60, 540));
  EXPECT_EQ(client->BoundsRect(), Bounds(60, 20, 470, 540));
}

TEST_F(AlignmentTest, PanelBevelsNarrowTheAreaOfAlignedChildren) {
  Panel->SetBevelOuter(bvRaised);
  Panel->SetBorderWidth(2);
  EXPECT_EQ(Frame->BoundsRect(), Bounds(3, 3, 594, 594));
}

TEST_F(AlignmentTest, TooSmallAClientAreaIsReadBackAsTheWindowGotIt) {
  Form->Show();
  Form->SetClientWidth(50);
  Form->SetClientHeight(50);
  EXPECT_GE(Form->ClientWidth(), 50);
  EXPECT_EQ(Form->Width() - Form->ClientWidth(), 6);
  EXPECT_EQ(Form->Height() - Form->ClientHeight(), 24);
  EXPECT_EQ(Panel->Width(), Form->ClientWidth()) << "the aligned panel follows what the window got";
}

}  // namespace
}  // namespace fw::testing
