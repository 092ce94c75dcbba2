// The main window's stored layout before any picture is fitted: the card and the frame come out
// as the oracle draws them, follow the client area, and repaint on changes, not on equal values.
#include <gtest/gtest.h>

#include "../framework/FrameworkTestSupport.h"
#include "../framework/GraphicsTestSupport.h"
#include "app/Mainwindow1.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"

namespace app {
namespace {

using fw::testing::CountDifferences;
using fw::testing::ReadGolden;
using fw::testing::TestData;
using fw::testing::TPixels;

class MainWindowLayoutTest : public fw::testing::TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    fw::InitializeGfxUnits();
    // A picture that does not exist: the window is created and left alone, nothing is fitted.
    win::SetCommandLineArguments({"tovu", "/nonexistent/picture.bmp"});
    FApplication->CreateForm(Form);
    Form->Show();
    Pump();
  }
  void TearDown() override {
    win::SetCommandLineArguments({"tovu"});
    TFrameworkTest::TearDown();
    fw::FinalizeGfxUnits();
  }
  // The client area as displayed, copied as the capture copies it.
  TPixels Shown() {
    fw::TBitmap copy;
    copy.SetSize(Form->ClientWidth(), Form->ClientHeight());
    const fw::TRect all{0, 0, Form->ClientWidth(), Form->ClientHeight()};
    copy.Canvas()->CopyRect(all, Form->Canvas(), all);
    return fw::testing::PixelsOf(copy);
  }
  TMainForm1* Form = nullptr;
};

TEST_F(MainWindowLayoutTest, TheLayoutGivesTheCardAndTheFrame) {
  EXPECT_EQ(Form->Shape1->Shape(), fw::stRoundRect);
  EXPECT_EQ(Form->Shape1->Pen()->Color(), fw::TColor(0x00E0F4FF));
  EXPECT_EQ(Form->Shape1->Brush()->Color(), fw::TColor(0x00E0F4FF));
  EXPECT_EQ(Form->Shape2->Pen()->Width(), 15);
  EXPECT_EQ(Form->Shape2->Brush()->Style(), fw::bsClear);
  EXPECT_EQ(Form->Shape2->Brush()->Color(), fw::clWhite);
  EXPECT_TRUE(Form->Image2->Stretch());
  EXPECT_EQ(Form->Shape1->BoundsRect(), (win::RECT{2, 2, 598, 598}));
  EXPECT_EQ(Form->Image2->BoundsRect(), (win::RECT{30, 30, 80, 80}));
}

TEST_F(MainWindowLayoutTest, CardAndFrameMatchTheOracleAt600) {
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), ReadGolden(TestData("shape/frame600.golden.bmp")), detail), 0)
      << detail;
}

TEST_F(MainWindowLayoutTest, CardAndFrameFollowTheClientAreaTo800) {
  Form->SetClientWidth(800);
  Form->SetClientHeight(800);
  Pump();
  EXPECT_EQ(Form->Shape1->BoundsRect(), (win::RECT{2, 2, 798, 798}));
  EXPECT_EQ(Form->Shape2->BoundsRect(), (win::RECT{0, 0, 800, 800}));
  EXPECT_EQ(Form->ClearPanel1->BoundsRect(), (win::RECT{0, 0, 800, 800}));
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), ReadGolden(TestData("shape/frame800.golden.bmp")), detail), 0)
      << detail;
}

TEST_F(MainWindowLayoutTest, ChangesRepaintAndEqualValuesDoNot) {
  const win::HWND window = Form->ClearPanel1->Handle();
  auto pending = [&] {
    win::RECT r{};
    return win::GetUpdateRect(window, &r, win::FALSE) != 0;
  };
  ASSERT_FALSE(pending());
  Form->Shape2->SetShape(fw::stRoundRect);
  EXPECT_FALSE(pending());
  Form->Shape2->SetShape(fw::stEllipse);
  EXPECT_TRUE(pending());
  Pump();
  Form->Shape1->Pen()->SetColor(fw::clRed);
  EXPECT_TRUE(pending());
  Pump();
  Form->Shape1->Brush()->SetStyle(fw::bsDiagCross);
  EXPECT_TRUE(pending());
  Pump();
  // The hatched card lets the white background show between its lines once the transparent
  // panel's region follows what its children now paint.
  win::PostMessageA(Form->ClearPanel1->Handle(), clear::CM_UPDATERGN, 0, 0);
  Pump();
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
}  // namespace app
