// The transparent controls' data and regions: what each property change sets off, batches,
// bounds, coalesced region updates, regions equal to the pixels the children paint, pictures
// choosing the transparent colour, automatic sizing, and descriptions read and refused.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/clear/ClearColors.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/Panel.h"
#include "framework/Reader.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Window.h"
#include "gfx/Shape.h"
#include "tests/controls/clear/ClearTestSupport.h"

namespace clear::testing {
namespace {

TEST(ClearColors, ChannelArithmeticAndTheDisabledGrey) {
  EXPECT_EQ(LightenColor(0x102030, 0x30), fw::TColor(0x405060));
  EXPECT_EQ(LightenColor(0x102030, 0xE0), fw::TColor(0xF0FFFF)) << "capped at 255";
  EXPECT_EQ(DarkenColor(0x102030, 0x18), fw::TColor(0x000818));
  EXPECT_EQ(DisabledGray(fw::clBlack), fw::TColor(0x808080));
  EXPECT_EQ(DisabledGray(fw::clWhite), fw::TColor(0xC0C0C0));
  EXPECT_EQ(DisabledGray(0xC0A080), fw::TColor(0xA0A0A0)) << "channels 128, 160, 192 give 160";
  // A system colour is resolved first (button face 212, 208, 200).
  EXPECT_EQ(DarkenColor(fw::clBtnFace, 32), fw::TColor(0xA8B0B4));
}

class ClearControlTest : public TClearTest {
 protected:
  bool RepaintPending(fw::TWinControl* Control) {
    win::RECT r{};
    return win::GetUpdateRect(Control->Handle(), &r, win::FALSE) != 0;
  }
  // A panel showing a 40 x 20 picture: a red card at (10, 5)-(30, 15) in a lime margin.
  TClearPanel* CardPanel(int Left, int Top, int Width, int Height) {
    auto* panel = Place<TClearPanel>(Left, Top, Width, Height);
    panel->SetAutoSize(false);
    fw::TPicture picture;
    CardPicture(picture, 40, 20, fw::clLime, fw::clRed, fw::Rect(10, 5, 30, 15));
    panel->SetPicture(&picture);
    Pump();
    return panel;
  }
  static TPixelSet RectPixels(int Left, int Top, int Right, int Bottom) {
    TPixelSet pixels;
    for (int y = Top; y < Bottom; ++y)
      for (int x = Left; x < Right; ++x)
        pixels.insert({x, y});
    return pixels;
  }
};

struct TReaction {
  const char* Name;
  std::function<void(TClearButton&)> Change;
  bool Rebuilds;
  bool UpdatesRegion;
};

// Each setter compares first; a change either rebuilds the images (and with them the region) or,
// for HotTrack and ChildGraphicsTrans, only repaints or recomputes the region. The button has a
// bitmap picture, whose transparent colour follows TransparentColor without a second build.
TEST_F(ClearControlTest, EachChangeSetsOffItsFollowUpAndEqualValuesNothing) {
  auto* button = Place<TClearButton>(10, 10, 80, 40);
  button->SetAutoSize(false);
  button->SetCaption("OK");
  fw::TPicture card;
  CardPicture(card, 40, 20, fw::clYellow, fw::clBlue, fw::Rect(2, 2, 38, 18));
  button->SetPicture(&card);
  Pump();
  const std::vector<TReaction> reactions{
      {"BorderStyle", [](TClearButton& b) { b.SetBorderStyle(fw::bsNone); }, true, true},
      {"CaptionLeft", [](TClearButton& b) { b.SetCaptionLeft(3); }, true, true},
      {"CaptionTop", [](TClearButton& b) { b.SetCaptionTop(3); }, true, true},
      {"Style", [](TClearButton& b) { b.SetStyle(sbsFloatBtn); }, true, true},
      {"LightColor", [](TClearButton& b) { b.SetLightColor(fw::clYellow); }, true, true},
      {"ShadowColor", [](TClearButton& b) { b.SetShadowColor(fw::clNavy); }, true, true},
      {"Stretch", [](TClearButton& b) { b.SetStretch(true); }, true, true},
      {"HotLightDepth", [](TClearButton& b) { b.SetHotLightDepth(40); }, true, true},
      {"Options", [](TClearButton& b) { b.SetOptions({sioBorderAndShadow}); }, true, true},
      {"TransparentColor", [](TClearButton& b) { b.SetTransColor(fw::clLime); }, true, true},
      {"Color", [](TClearButton& b) { b.SetColor(fw::clAqua); }, true, true},
      {"Font", [](TClearButton& b) { b.Font()->SetColor(fw::clRed); }, true, true},
      {"Caption", [](TClearButton& b) { b.SetCaption("Go"); }, true, true},
      {"HotTrack", [](TClearButton& b) { b.SetHotTrack(false); }, false, false},
      {"ChildGraphicsTrans", [](TClearButton& b) { b.SetChildGraphicsTrans(true); }, false, true},
  };
  for (const TReaction& reaction : reactions) {
    for (const bool again : {false, true}) {
      Pump();
      const int builds = button->BuildCount();
      const int regions = button->RegionCount();
      reaction.Change(*button);
      const bool repaint = RepaintPending(button);
      Pump();
      const bool changed = !again;
      EXPECT_EQ(button->BuildCount() - builds, changed && reaction.Rebuilds ? 1 : 0)
          << reaction.Name << (again ? " set again" : "");
      EXPECT_EQ(button->RegionCount() > regions, changed && reaction.UpdatesRegion)
          << reaction.Name << (again ? " set again" : "");
      EXPECT_EQ(repaint, changed) << reaction.Name << (again ? " set again" : "");
    }
  }
  // Assigning a picture always rebuilds, even the same one.
  fw::TPicture picture;
  const int builds = button->BuildCount();
  button->SetPicture(&picture);
  EXPECT_GT(button->BuildCount(), builds);
}

TEST_F(ClearControlTest, BatchesRebuildOnceAtTheOutermostEndUpdate) {
  auto* button = Place<TClearButton>(10, 10, 80, 40);
  const int builds = button->BuildCount();
  button->BeginUpdate();
  button->BeginUpdate();
  button->SetCaptionLeft(1);
  button->SetStyle(sbsFloatBtn);
  button->SetStretch(true);
  button->EndUpdate();
  EXPECT_EQ(button->BuildCount(), builds);
  button->EndUpdate();
  EXPECT_EQ(button->BuildCount(), builds + 1);
  button->EndUpdate();
  EXPECT_EQ(button->BuildCount(), builds + 2) << "a stray EndUpdate rebuilds too";
}

// A build needs 2b + 3 pixels in each direction (b = 1 for bsSingle).
TEST_F(ClearControlTest, AControlTooSmallForItsBorderBuildsNothing) {
  struct TCase {
    fw::TBorderStyle Border;
    int Width, Height;
    bool Builds;
  };
  auto* button = Place<TClearButton>(10, 10, 40, 40);
  button->SetAutoSize(false);
  for (const TCase& c : {TCase{fw::bsSingle, 4, 40, false}, TCase{fw::bsSingle, 40, 4, false},
                         TCase{fw::bsSingle, 5, 5, true}, TCase{fw::bsNone, 2, 40, false},
                         TCase{fw::bsNone, 40, 2, false}, TCase{fw::bsNone, 3, 3, true}}) {
    button->SetBorderStyle(c.Border);
    button->SetBounds(10, 10, 40, 40);
    const int builds = button->BuildCount();
    button->SetBounds(10, 10, c.Width, c.Height);
    EXPECT_EQ(button->BuildCount() - builds, c.Builds ? 1 : 0)
        << c.Width << " x " << c.Height << (c.Border == fw::bsSingle ? " bsSingle" : " bsNone");
  }
}

TEST_F(ClearControlTest, BoundsAreLimitedForButtonsAndAMoveOnlyRepaints) {
  auto* button = Place<TClearButton>(10, 10, 500, 400);
  EXPECT_EQ(button->Width(), 320);
  EXPECT_EQ(button->Height(), 320);
  auto* panel = Place<TClearPanel>(0, 0, 500, 400);
  EXPECT_EQ(panel->Width(), 500);
  const int builds = button->BuildCount();
  button->SetBounds(20, 30, 320, 320);
  EXPECT_EQ(button->BuildCount(), builds) << "moved, not resized";
  button->SetBounds(20, 30, 100, 50);
  EXPECT_EQ(button->BuildCount(), builds + 1);
}

TEST_F(ClearControlTest, RegionRequestsArePostedAndCoalesced) {
  auto* panel = Place<TClearPanel>(0, 0, 100, 100);
  const int regions = panel->RegionCount();
  for (int i = 0; i < 10; ++i)
    win::PostMessageA(panel->Handle(), CM_UPDATERGN, 0, 0);
  EXPECT_EQ(panel->RegionCount(), regions);
  Pump();
  EXPECT_EQ(panel->RegionCount(), regions + 1);
}

// The far single pixel hides a control that paints nothing; with ChildGraphicsTrans a windowless
// child counts with exactly the pixels it paints, otherwise with its bounds, and a windowed child
// with its bounds while it is visible.
TEST_F(ClearControlTest, TheRegionIsWhatTheChildrenPaint) {
  auto* panel = Place<TClearPanel>(10, 10, 120, 100);
  panel->SetAutoSize(false);
  Pump();
  EXPECT_EQ(RegionPixels(panel->Handle()), (TPixelSet{{-3000, -3000}}));

  auto* shape = fw::NewComponent<fw::TShape>(FForm);
  shape->SetShape(fw::stRoundRect);
  shape->SetBounds(5, 5, 80, 60);
  shape->SetParent(panel);
  Pump();
  EXPECT_EQ(RegionPixels(panel->Handle()), RectPixels(5, 5, 85, 65));

  panel->SetChildGraphicsTrans(true);
  Pump();
  fw::TBitmap alone;
  alone.SetPixelFormat(fw::pf24bit);
  alone.SetSize(80, 60);
  alone.Canvas()->Brush()->SetColor(fw::clFuchsia);
  alone.Canvas()->FillRect(fw::Rect(0, 0, 80, 60));
  shape->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(alone.Canvas()->Handle()), 0);
  TPixelSet painted;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      if (alone.Canvas()->Pixels(x, y) != fw::clFuchsia) painted.insert({x + 5, y + 5});
  EXPECT_EQ(RegionPixels(panel->Handle()), painted);
  EXPECT_FALSE(painted.count({5, 5})) << "the rounded corner is left out";
  // The form shows through where the shape does not paint.
  EXPECT_EQ(ShownAt(15, 15), 0xFFFFFFu);
  EXPECT_EQ(ShownAt(50, 40), 0xFFFFFFu) << "the shape's white fill";

  auto* windowed = Place<fw::TPanel>(90, 70, 20, 20, panel);
  Pump();
  EXPECT_TRUE(RegionPixels(panel->Handle()).count({95, 75}));
  windowed->SetVisible(false);
  Pump();
  EXPECT_FALSE(RegionPixels(panel->Handle()).count({95, 75}));
  // Moving the shape moves the region with it, also while alignment is disabled.
  shape->SetLeft(30);
  Pump();
  EXPECT_TRUE(RegionPixels(panel->Handle()).count({100, 30}));
  panel->DisableAlign();
  shape->SetTop(30);
  panel->EnableAlign();
  Pump();
  EXPECT_TRUE(RegionPixels(panel->Handle()).count({100, 80}));
}

// FormTrans cuts the top-level window to the control's region, placed where the control's client
// area lies in that window, and switching it off gives that very window its whole area back, for
// a panel on the form and for one inside another clear panel, which keeps its own region.
TEST_F(ClearControlTest, FormTransCutsTheTopLevelWindowAndGivesItBack) {
  FForm->SetBorderStyle(fw::bsSingle);
  Pump();
  auto* outer = Place<TClearPanel>(100, 100, 150, 100);
  outer->SetAutoSize(false);
  auto* backdrop = fw::NewComponent<fw::TShape>(FForm);
  backdrop->SetBounds(0, 0, 150, 100);
  backdrop->SetParent(outer);
  for (fw::TWinControl* parent : std::initializer_list<fw::TWinControl*>{FForm, outer}) {
    auto* panel = Place<TClearPanel>(10, 20, 60, 40, parent);
    auto* shape = fw::NewComponent<fw::TShape>(FForm);
    shape->SetBounds(0, 0, 60, 40);
    shape->SetParent(panel);
    Pump();
    const TPixelSet outerShape = RegionPixels(outer->Handle());
    ASSERT_TRUE(outerShape.count({149, 99}));
    panel->SetFormTrans(true);
    Pump();
    const TPixelSet form = RegionPixels(FForm->Handle());
    win::RECT outerRect{};
    win::GetWindowRect(FForm->Handle(), &outerRect);
    const win::POINT origin = panel->ClientOrigin();
    const int dx = origin.x - outerRect.left;
    const int dy = origin.y - outerRect.top;
    const std::string where = parent == FForm ? "on the form" : "in a clear panel";
    EXPECT_EQ(form.size(), 60u * 40u) << where;
    EXPECT_TRUE(form.count({dx, dy})) << where;
    EXPECT_TRUE(form.count({dx + 59, dy + 39})) << where;
    panel->SetFormTrans(false);
    Pump();
    EXPECT_TRUE(RegionPixels(FForm->Handle()).empty()) << where;
    EXPECT_EQ(RegionPixels(outer->Handle()), outerShape) << where;
    panel->SetVisible(false);
  }
}

// A bitmap picture makes its bottom-left colour the transparent one; an empty picture brings
// back fuchsia.
TEST_F(ClearControlTest, APictureChoosesTheTransparentColour) {
  TClearPanel* panel = CardPanel(0, 0, 100, 100);
  EXPECT_EQ(panel->TransparentColor(), fw::clLime);
  // Drawn centred: the red part only is the panel's shape.
  EXPECT_EQ(RegionPixels(panel->Handle()), RectPixels(40, 45, 60, 55));
  fw::TPicture empty;
  panel->SetPicture(&empty);
  EXPECT_EQ(panel->TransparentColor(), fw::clFuchsia);
}

// A system colour or clNone as TransparentColor matches no pixel, so every pixel counts as drawn,
// with or without content; the value stays as set, over a bitmap picture too.
TEST_F(ClearControlTest, ANonExplicitTransparentColourDrawsTheWholeControl) {
  struct TCase {
    const char* Name;
    fw::TColor Color;
    bool Button;
    bool Picture;
  };
  for (const TCase& c : {TCase{"empty panel, clBtnFace", fw::clBtnFace, false, false},
                         TCase{"empty panel, clNone", fw::clNone, false, false},
                         TCase{"empty button, clBtnFace", fw::clBtnFace, true, false},
                         TCase{"empty button, clNone", fw::clNone, true, false},
                         TCase{"panel with a picture, clBtnFace", fw::clBtnFace, false, true}}) {
    TClearControl* control = c.Picture ? CardPanel(10, 10, 50, 30)
                             : c.Button
                                 ? static_cast<TClearControl*>(Place<TClearButton>(0, 0, 1, 1))
                                 : Place<TClearPanel>(0, 0, 1, 1);
    control->SetAutoSize(false);
    control->SetBounds(10, 10, 50, 30);
    control->SetTransColor(c.Color);
    Pump();
    EXPECT_EQ(control->TransparentColor(), c.Color) << c.Name;
    EXPECT_EQ(RegionPixels(control->Handle()), RectPixels(0, 0, 50, 30)) << c.Name;
    control->SetVisible(false);
  }
}

// A build that cannot get its bitmaps is reported; the control keeps the images and regions of
// its last good build, or shows nothing when it never had one.
TEST_F(ClearControlTest, ABuildTooLargeForItsBitmapsIsReportedAndKeepsTheLastGoodLook) {
  std::vector<std::string> errors;
  FApplication->OnException = [&](fw::TObject*, const fw::Exception& e) {
    errors.push_back(e.Message());
  };
  TClearPanel* panel = CardPanel(10, 10, 100, 60);
  fw::TBitmap* up = panel->UpImage();
  const TPixelSet upRgn = PixelsOf(panel->UpRgn());
  const TPixelSet shown = RegionPixels(panel->Handle());
  panel->SetBounds(10, 10, 17000, 17000);
  Pump();
  EXPECT_FALSE(errors.empty());
  EXPECT_EQ(panel->UpImage(), up);
  EXPECT_EQ(PixelsOf(panel->UpRgn()), upRgn);
  EXPECT_EQ(RegionPixels(panel->Handle()), shown);

  errors.clear();
  auto* slab = fw::NewComponent<TClearPanel>(FForm);
  slab->SetAutoSize(false);
  slab->SetCaption("Go");
  slab->SetBounds(150, 100, 17000, 17000);
  slab->SetParent(FForm);
  Pump();
  EXPECT_FALSE(errors.empty());
  EXPECT_EQ(ShownAt(200, 150), 0xFFFFFFu) << "the form, not the control's background";
  EXPECT_EQ(RegionPixels(slab->Handle()), (TPixelSet{{-3000, -3000}}));
}

// With a light colour equal to the transparent one the edge is drawn in 247 grey instead.
TEST_F(ClearControlTest, TheLightEdgeNeverTakesTheTransparentColour) {
  auto* button = Place<TClearButton>(0, 0, 40, 30);
  button->SetAutoSize(false);
  button->SetCaption("x");
  button->SetTransColor(fw::clWhite);
  button->SetLightColor(fw::clWhite);
  Pump();
  fw::TBitmap* up = button->UpImage();
  bool light = false;
  for (int y = 0; y < up->Height(); ++y)
    for (int x = 0; x < up->Width(); ++x)
      light = light || up->Canvas()->Pixels(x, y) == fw::TColor(0xF7F7F7);
  EXPECT_TRUE(light);
}

constexpr const char* ButtonAlone = R"(object Form1: TForm
  Width = 400
  Height = 300
  object Button1: TClearButton
    Left = 8
    Top = 8
  end
end
)";

// Automatic sizing: the content (caption, picture, or 16 x 8) plus 4b + 4, within the button's
// limit; the panel also encloses its children.
TEST_F(ClearControlTest, AutomaticSizesFollowTheContent) {
  fw::TForm* form = FormFrom(ButtonAlone);
  auto* button = static_cast<TClearButton*>(form->FindComponent("Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Width(), 24);
  EXPECT_EQ(button->Height(), 16);
  EXPECT_TRUE(button->Caption().empty()) << "a stored caption only; never the name";

  fw::TPicture picture;
  picture.Bitmap()->SetSize(400, 100);
  button->SetPicture(&picture);
  EXPECT_EQ(button->Width(), 320);
  EXPECT_EQ(button->Height(), 108);

  auto* panel = Place<TClearPanel>(0, 0, 10, 10);
  auto* shape = fw::NewComponent<fw::TShape>(FForm);
  shape->SetBounds(250, 170, 50, 30);
  shape->SetParent(panel);
  fw::TPicture small;
  small.Bitmap()->SetSize(50, 20);
  panel->SetPicture(&small);
  EXPECT_EQ(panel->Width(), 300);
  EXPECT_EQ(panel->Height(), 200);
}

// A button that cannot take the size it asks for stands for any failure while sizing.
class TUnsizableButton : public TClearButton {
 public:
  using TClearButton::TClearButton;

 protected:
  void DoAutoSizeArrange(int, int) override { throw fw::EInvalidOperation("no room"); }
};

TEST_F(ClearControlTest, SizingErrorsCarryTheirOrigin) {
  auto* button = Place<TUnsizableButton>(0, 0, 40, 30);
  try {
    button->SetCaption("Wider than forty");
    FAIL() << "no error";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), "no room at AutoSizeArrange");
  }
}

// Hostile descriptions fail with an error that names the line, and leave nothing behind.
TEST_F(ClearControlTest, AbsurdValuesInADescriptionAreRefusedWithTheirLine) {
  const std::vector<std::pair<std::string, int>> cases{
      {"object F1: TForm\n object B: TClearButton\n  HotLightDepth = 999\n end\nend\n", 3},
      {"object F2: TForm\n object B: TClearButton\n  Style = sbsNoSuch\n end\nend\n", 3},
      {"object F3: TForm\n object P: TClearPanel\n\n  Align = alSideways\n end\nend\n", 4},
      {"object F4: TForm\n object B: TClearButton\n  BorderStyle = bsDialog\n end\nend\n", 3},
  };
  for (const auto& [text, line] : cases) {
    auto* form = fw::TCustomForm::Create<fw::TForm>(FApplication.get());
    try {
      fw::ReadComponentFromText(form, text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const fw::EParserError& e) {
      EXPECT_EQ(e.Line(), line) << e.Message();
    }
    EXPECT_EQ(form->ComponentCount(), 0) << text;
  }
  // Huge and negative sizes are taken as sizes, not as reasons to fail or hang.
  fw::TForm* form = FormFrom(
      "object F5: TForm\n object B: TClearButton\n  Width = -40\n  Height = 100000\n end\n"
      " object P: TClearPanel\n  Left = -5000\n  Width = 30000\n  AutoSize = False\n end\nend\n");
  auto* button = static_cast<TClearButton*>(form->FindComponent("B"));
  ASSERT_NE(button, nullptr);
  EXPECT_LE(button->Height(), 320);
}

}  // namespace
}  // namespace clear::testing
