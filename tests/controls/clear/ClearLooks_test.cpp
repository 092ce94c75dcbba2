// The transparent controls' looks as form-render pictures them: a picture button raised, pressed,
// hot and disabled, with and without its border, and a caption in place, window regions applied.
// The raised and pressed buttons and the caption are the GDI oracle's drawings of the same
// scenes; the hot and disabled looks are goldens of our own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Consts.h"
#include "framework/Exceptions.h"
#include "tests/controls/LooksTestSupport.h"
#include "tests/controls/clear/ClearTestSupport.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace clear::testing {
namespace {

using tovu::formrender::TAction;

struct TLook {
  const char* Description;
  std::vector<TAction> Actions;
  const char* Golden;
};

void PrintTo(const TLook& look, std::ostream* out) {
  *out << look.Golden;
}

const TAction Away{TAction::akMove, 115, 55};
const TAction Over{TAction::akMove, 40, 25};
const TAction Press{TAction::akPress};

class ClearLooks : public TClearTest, public ::testing::WithParamInterface<TLook> {};

TEST_P(ClearLooks, FormRenderShowsTheLookOfTheGolden) {
  const TLook& look = GetParam();
  std::string detail;
  EXPECT_EQ(controls::testing::DifferencesFromGolden(std::string("clear/") + look.Description,
                                                     look.Actions,
                                                     std::string("clear/") + look.Golden, detail),
            0)
      << detail;
}

INSTANTIATE_TEST_SUITE_P(
    Looks, ClearLooks,
    ::testing::Values(TLook{"button-single.txt", {Away}, "button-single-up.bmp"},
                      TLook{"button-single.txt", {Over, Press}, "button-single-down.bmp"},
                      TLook{"button-single.txt", {Over}, "button-single-hot.bmp"},
                      TLook{"button-none.txt", {Away}, "button-none-up.bmp"},
                      TLook{"button-none.txt", {Over, Press}, "button-none-down.bmp"},
                      TLook{"button-none.txt", {Over}, "button-none-hot.bmp"},
                      TLook{"button-disabled.txt", {Away}, "button-disabled.bmp"},
                      TLook{"caption.txt", {}, "caption.bmp"}),
    [](const ::testing::TestParamInfo<TLook>& param) {
      return controls::testing::GoldenTestName(param.param.Golden);
    });

using ClearRender = TClearTest;

TEST_F(ClearRender, ABuildThatFailsFailsThePictureWithItsMessage) {
  try {
    tovu::formrender::RenderForm(fw::testing::TestData("clear/too-large.txt"), {});
    FAIL() << "a 17000 x 17000 panel was pictured";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), fw::LoadResString(fw::SOutOfResources));
  }
}

}  // namespace
}  // namespace clear::testing
