// The transparent controls under the pointer: hot tracking, pressing with the pressed look
// following the drawn pixels, releasing outside without a click, panels that are never pressed,
// dragging the parent, and the disabled look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/Picture.h"
#include "framework/platform/VirtualKeys.h"
#include "gfx/Shape.h"
#include "tests/controls/clear/ClearTestSupport.h"

namespace clear::testing {
namespace {

class ClearInputTest : public TClearTest {
 protected:
  // A 60 x 30 button at (20, 20) whose picture is a blue card in a lime margin (lime, its
  // bottom-left colour, is then the transparent one), and a record of its events.
  TClearButton* Button() {
    auto* button = Place<TClearButton>(20, 20, 60, 30);
    button->SetAutoSize(false);
    fw::TPicture picture;
    CardPicture(picture, 52, 22, fw::clLime, fw::clBlue, fw::Rect(1, 1, 51, 21));
    button->SetPicture(&picture);
    button->OnClick = [this](fw::TObject*) { FEvents.push_back("click"); };
    button->OnMouseUp = [this](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
      FEvents.push_back("up");
    };
    button->OnMouseEnter = [this](fw::TObject*) { FEvents.push_back("enter"); };
    button->OnMouseLeave = [this](fw::TObject*) { FEvents.push_back("leave"); };
    Pump();
    return button;
  }
  // Whether the form shows the image's pixel at a point of the control (control coordinates).
  bool Shows(fw::TBitmap* Image, fw::TControl* Control, int X, int Y) const {
    const fw::TColor c = Image->Canvas()->Pixels(X, Y);
    const std::uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return ShownAt(Control->Left() + X, Control->Top() + Y) == rgb;
  }
  std::vector<std::string> FEvents;
};

// A pixel of the blue card, in every state image.
constexpr int FaceX = 30, FaceY = 15;

TEST_F(ClearInputTest, TheButtonLightsUpUnderThePointerAndPressesWhileOverItsPixels) {
  TClearButton* button = Button();
  PointAt(150, 150);
  ASSERT_TRUE(Shows(button->UpImage(), button, FaceX, FaceY));
  PointAt(20 + FaceX, 20 + FaceY);
  EXPECT_TRUE(Shows(button->HotImage(), button, FaceX, FaceY));
  EXPECT_NE(button->HotImage()->Canvas()->Pixels(FaceX, FaceY),
            button->UpImage()->Canvas()->Pixels(FaceX, FaceY));

  Press();
  EXPECT_TRUE(button->Pressed());
  EXPECT_TRUE(button->DownShown());
  EXPECT_TRUE(Shows(button->DownImage(), button, FaceX, FaceY));
  EXPECT_EQ(RegionPixels(button->Handle()), PixelsOf(button->DownRgn()));

  PointAt(150, 150);  // off the button: the up look and the up region
  EXPECT_FALSE(button->DownShown());
  EXPECT_EQ(RegionPixels(button->Handle()), PixelsOf(button->UpRgn()));
  PointAt(20 + FaceX, 20 + FaceY);  // back onto it
  EXPECT_TRUE(button->DownShown());
  EXPECT_EQ(RegionPixels(button->Handle()), PixelsOf(button->DownRgn()));

  PointAt(150, 150);
  Release();
  EXPECT_FALSE(button->Pressed());
  EXPECT_EQ(FEvents, (std::vector<std::string>{"enter", "leave", "enter", "leave"}))
      << "released outside: neither a click nor a mouse-up";

  RunFor(1000);  // so that the next press is not taken for a double click
  PointAt(20 + FaceX, 20 + FaceY);
  Press();
  Release();
  EXPECT_EQ(FEvents.back(), "up");
  EXPECT_EQ(FEvents.at(FEvents.size() - 2), "click");
}

// Without the generated border a push or float button pressed shows its up image and region moved
// one pixel right and down, and clicks.
TEST_F(ClearInputTest, AButtonWithoutItsBorderPressesItsContentDownAndRight) {
  for (const TTransBtnStyle style : {sbsPushBtn, sbsFloatBtn}) {
    TClearButton* button = Button();
    button->SetStyle(style);
    button->SetOptions({sioHotTrackImage, sioDisableImage});
    Pump();
    TPixelSet shifted;
    for (const auto& [x, y] : PixelsOf(button->UpRgn()))
      shifted.insert({x + 1, y + 1});
    EXPECT_EQ(PixelsOf(button->DownRgn()), shifted) << int(style);
    FEvents.clear();
    RunFor(1000);
    PointAt(20 + FaceX, 20 + FaceY);
    Press();
    EXPECT_TRUE(button->DownShown()) << int(style);
    EXPECT_EQ(RegionPixels(button->Handle()), shifted) << int(style);
    EXPECT_TRUE(Shows(button->DownImage(), button, FaceX, FaceY)) << int(style);
    Release();
    EXPECT_EQ(FEvents, (std::vector<std::string>{"enter", "click", "up"})) << int(style);
    PointAt(150, 150);
    button->SetVisible(false);
  }
}

// Inside a batch the hot and grey images of newly set options do not exist yet: the control
// shows its up image until the batch ends and builds them.
TEST_F(ClearInputTest, OptionsChangedInABatchShowTheUpImageUntilTheBatchEnds) {
  TClearButton* button = Button();
  button->SetOptions({sioBorderAndShadow});
  Pump();
  button->BeginUpdate();
  button->SetOptions({sioBorderAndShadow, sioHotTrackImage, sioDisableImage});
  PointAt(20 + FaceX, 20 + FaceY);
  EXPECT_TRUE(Shows(button->UpImage(), button, FaceX, FaceY)) << "no hot image yet";
  button->SetEnabled(false);
  Pump();
  EXPECT_TRUE(Shows(button->UpImage(), button, FaceX, FaceY)) << "no grey image yet";
  button->EndUpdate();
  Pump();
  ASSERT_NE(button->GrayImage(), nullptr);
  EXPECT_TRUE(Shows(button->GrayImage(), button, FaceX, FaceY));
}

TEST_F(ClearInputTest, WithoutHotTrackingNothingChangesButTheEventsStillCome) {
  TClearButton* button = Button();
  button->SetHotTrack(false);
  Pump();
  PointAt(20 + FaceX, 20 + FaceY);
  EXPECT_TRUE(Shows(button->UpImage(), button, FaceX, FaceY));
  PointAt(150, 150);
  EXPECT_EQ(FEvents, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(ClearInputTest, ADisabledButtonShowsItsGreyImage) {
  TClearButton* button = Button();
  button->SetEnabled(false);
  Pump();
  EXPECT_TRUE(Shows(button->GrayImage(), button, FaceX, FaceY));
  const fw::TColor grey = button->GrayImage()->Canvas()->Pixels(FaceX, FaceY);
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_GE(grey & 0xFF, 0x80);
  EXPECT_LE(grey & 0xFF, 0xC0);
}

TEST_F(ClearInputTest, APanelIsNeverPressedAndItsClickNeedsThePointerOnItself) {
  auto* panel = Place<TClearPanel>(0, 0, 200, 200);
  panel->SetAutoSize(false);
  auto* shape = fw::NewComponent<fw::TShape>(FForm);
  shape->SetBounds(0, 0, 200, 100);
  shape->SetParent(panel);
  Pump();
  std::vector<std::string> events;
  panel->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    events.push_back("down");
  };
  panel->OnClick = [&](fw::TObject*) { events.push_back("click"); };
  shape->OnClick = [&](fw::TObject*) { events.push_back("shape click"); };
  PointAt(50, 50);
  Press();
  EXPECT_FALSE(panel->Pressed());
  Release();
  EXPECT_EQ(events, (std::vector<std::string>{"shape click"}))
      << "the windowless child under the pointer takes the click";
}

// Dragging with the left button moves the parent so that the grabbed point stays under the
// pointer; the right button only reports its press.
TEST_F(ClearInputTest, AParentDragPanelMovesItsFormWithThePointer) {
  auto* panel = Place<TClearPanel>(10, 10, 100, 60);
  panel->SetAutoSize(false);
  panel->SetParentDrag(true);
  panel->SetColor(fw::clRed);
  auto* shape = fw::NewComponent<fw::TShape>(FForm);
  shape->SetBounds(0, 0, 100, 60);
  shape->SetEnabled(false);  // the pointer finds the panel through it
  shape->SetParent(panel);
  Pump();
  int downs = 0;
  panel->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; };
  const int formLeft = FForm->Left(), formTop = FForm->Top();
  PointAt(30, 30);
  Press(win::VK_RBUTTON);
  Release(win::VK_RBUTTON);
  EXPECT_FALSE(panel->ParentDragging());
  EXPECT_EQ(downs, 1);

  const win::POINT grabbed{FForm->ClientOrigin().x + 30, FForm->ClientOrigin().y + 30};
  MoveTo(grabbed.x, grabbed.y);
  Press();
  EXPECT_TRUE(panel->ParentDragging());
  MoveTo(grabbed.x + 40, grabbed.y + 25);
  EXPECT_EQ(FForm->Left(), formLeft + 40);
  EXPECT_EQ(FForm->Top(), formTop + 25);
  Release();
  EXPECT_FALSE(panel->ParentDragging());
  EXPECT_FALSE(panel->Pressed());
  EXPECT_EQ(downs, 2);
}

}  // namespace
}  // namespace clear::testing
