// The shine button's looks as form-render pictures them, in each drawing state of four
// configurations (a flat face with a shadowed caption, gradient faces with an enclosed frame and
// a highlighted caption, a transparent flat-framed button, gradient faces narrower than their
// strip without the frames of the hot, up and disabled looks and with an accelerator caption),
// each beside a disabled copy of itself and plain buttons. Every
// golden is the GDI oracle's drawing of a script worked out from the drawing rules by
// make-oracle-scripts.py, which places the captions with the extents that the first test checks
// against the program's own measurement.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "tests/controls/LooksTestSupport.h"
#include "tests/controls/shine/ShineTestSupport.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace shine::testing {
namespace {

using tovu::formrender::TAction;

TEST_F(TShineTest, CaptionsMeasureAsTheOracleScriptsPlaceThem) {
  std::ifstream extents(fw::testing::TestData("shine/extents.txt"));
  ASSERT_TRUE(extents);
  auto* button = Place(0, 0, 200, 40);
  button->Font()->SetName("IPAPGothic");
  button->Font()->SetHeight(-12);
  int checked = 0;
  for (std::string line; std::getline(extents, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string caption;
    int width = 0, height = 0;
    fields >> caption >> width >> height;
    button->SetCaption(caption);
    button->Canvas()->SetFont(button->Font());
    fw::TPoint glyph;
    fw::TRect text;
    button->CalcDrawPosition(*button->Canvas(), glyph, text);
    EXPECT_EQ(text.Width(), width) << caption;
    EXPECT_EQ(text.Height(), height) << caption;
    ++checked;
  }
  EXPECT_EQ(checked, 5);
}

struct TLook {
  const char* Configuration;
  const char* State;
  std::vector<TAction> Actions;
};

void PrintTo(const TLook& look, std::ostream* out) {
  *out << look.Configuration << "-" << look.State;
}

class ShineLooks : public TShineTest, public ::testing::WithParamInterface<TLook> {};

TEST_P(ShineLooks, FormRenderShowsTheOraclesDrawing) {
  const TLook& look = GetParam();
  const std::string stem = std::string("shine/") + look.Configuration;
  std::string detail;
  EXPECT_EQ(controls::testing::DifferencesFromGolden(stem + ".txt", look.Actions,
                                                     stem + "-" + look.State + ".bmp", detail),
            0)
      << detail;
}

// The pointer away from every button and over the first one, per configuration.
struct TPlaces {
  const char* Configuration;
  TAction Away;
  TAction Over;
};

std::vector<TLook> Looks() {
  const TAction press{TAction::akPress}, release{TAction::akRelease};
  std::vector<TLook> looks;
  for (const TPlaces& p :
       {TPlaces{"flat", {TAction::akMove, 110, 55}, {TAction::akMove, 40, 17}},
        TPlaces{"gradient", {TAction::akMove, 145, 60}, {TAction::akMove, 32, 32}},
        TPlaces{"transparent", {TAction::akMove, 115, 15}, {TAction::akMove, 52, 17}},
        TPlaces{"frameless", {TAction::akMove, 120, 70}, {TAction::akMove, 50, 17}}}) {
    looks.push_back({p.Configuration, "up", {p.Away}});
    looks.push_back({p.Configuration, "hot", {p.Over}});
    looks.push_back({p.Configuration, "pressed", {p.Over, press}});
    looks.push_back({p.Configuration, "down", {p.Over, press, release, p.Away}});
  }
  return looks;
}

INSTANTIATE_TEST_SUITE_P(Looks, ShineLooks, ::testing::ValuesIn(Looks()),
                         [](const ::testing::TestParamInfo<TLook>& param) {
                           return controls::testing::GoldenTestName(
                               std::string(param.param.Configuration) + "-" + param.param.State);
                         });

}  // namespace
}  // namespace shine::testing
