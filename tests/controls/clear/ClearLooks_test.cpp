// The transparent controls' looks as form-render pictures them, window regions applied: a picture
// button raised, pressed, hot and disabled, with and without its border, flat (float) and as an
// image that is never pressed; a button without content on a system transparent colour; a caption
// in place and one centred; a panel's picture stretched and one cropped. All but the hot and
// disabled looks (goldens of our own) are the GDI oracle's drawings of the same scenes. A build
// that fails fails the picture.
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
                      TLook{"button-float.txt", {Away}, "button-float-up.bmp"},
                      TLook{"button-float.txt", {Over, Press}, "button-float-down.bmp"},
                      TLook{"button-image.txt", {Away}, "button-image.bmp"},
                      TLook{"button-image.txt", {Over, Press}, "button-image.bmp"},
                      TLook{"button-btnface.txt", {Away}, "button-btnface.bmp"},
                      TLook{"caption.txt", {}, "caption.bmp"},
                      TLook{"caption-centred.txt", {Away}, "caption-centred.bmp"},
                      TLook{"panel-stretch.txt", {Away}, "panel-stretch.bmp"},
                      TLook{"panel-crop.txt", {Away}, "panel-crop.bmp"}),
    [](const ::testing::TestParamInfo<TLook>& param) {
      std::string name = controls::testing::GoldenTestName(param.param.Golden);
      return param.param.Actions.size() > 1 ? name + "_pressed" : name;
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
