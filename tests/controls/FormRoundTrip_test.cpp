// Forms of both control families written out and read back: a toolbar of shine buttons (one of
// them a framework speed button of the same group) and nested transparent panels with shapes and
// a picture button, their glyph and picture loaded from files by form-render's X.File lines. The
// written description stores the bitmaps as Data, the child controls inside their parents and no
// internal components; read back, it writes the same text and shows the same pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/Writer.h"
#include "tests/controls/shine/ShineTestSupport.h"
#include "tests/framework/GraphicsTestSupport.h"
#include "tools/formrender/FormRender.h"

namespace shine::testing {
namespace {

class FormRoundTrip : public TShineTest {
 protected:
  void SetUp() override {
    TShineTest::SetUp();
    tovu::formrender::RegisterRenderableClasses();
  }
  // The description of the form read from `Path`, and what the form shows.
  static std::string WriteOut(const std::string& Path, tovu::formrender::TPicture& Shown) {
    const std::unique_ptr<fw::TCustomForm> form = tovu::formrender::ReadForm(Path);
    const std::string text = fw::ComponentToText(form.get());
    Shown = tovu::formrender::ShowForm(*form, {});
    return text;
  }
};

TEST_F(FormRoundTrip, AToolbarAndNestedClearPanelsWriteOutAndReadBackTheSame) {
  tovu::formrender::TPicture first, second;
  const std::string written = WriteOut(fw::testing::TestData("forms/toolbar.txt"), first);
  for (const char* stored :
       {"    object Open1: TShineSpeedButton\n", "    object Speed1: TSpeedButton\n",
        "      object Go1: TClearButton\n", "      Glyph.Data = {", "        Picture.Data = {"})
    EXPECT_NE(written.find(stored), std::string::npos) << stored << "\n" << written;
  const std::size_t glyph = written.find("Glyph.Data = {\n") + 16;
  EXPECT_EQ(written.substr(written.find_first_not_of(' ', glyph) + 8, 4), "424D")
      << "a 4-byte length, then the BMP file";
  for (const char* left : {"TTimer", ".File"})
    EXPECT_EQ(written.find(left), std::string::npos) << left << "\n" << written;

  const fw::testing::TScratchFolder scratch;
  std::ofstream(scratch.File("written.txt"), std::ios::binary) << written;
  EXPECT_EQ(WriteOut(scratch.File("written.txt"), second), written);
  EXPECT_EQ(second.Width, first.Width);
  EXPECT_EQ(second.Height, first.Height);
  EXPECT_TRUE(second.Pixels == first.Pixels) << "form-render shows the form read back otherwise";
}

}  // namespace
}  // namespace shine::testing
