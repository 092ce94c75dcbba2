// Every oracle script under tests/data/gdi/shapes and tests/data/gdi/lines replayed on the figure
// geometry and compared pixel for pixel with the oracle's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/framework/platform/gdi/GoldenPicture.h"
#include "tests/framework/platform/gdi/ShapeScript.h"

namespace win::gdi::testing {
namespace {

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const char* folder : {"shapes", "lines"}) {
    const std::filesystem::path dir = std::filesystem::path(TOVU_TEST_DATA) / "gdi" / folder;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() == ".gdi") {
        names.push_back(std::string(folder) + "/" + entry.path().stem().string());
      }
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FigureGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(FigureGolden, MatchesTheOraclePixelForPixel) {
  const std::string base = std::string(TOVU_TEST_DATA) + "/gdi/" + GetParam();
  const TPicture expected = ReadBmp24(base + ".bmp");
  const TPicture actual = TShapeScript::Render(base + ".gdi");
  EXPECT_EQ(CountDifferences(actual, expected), 0u) << "differing pixels in " << GetParam();
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Oracle, FigureGolden, ::testing::ValuesIn(Scripts()), TestName);

TEST(FigureGoldenSet, HoldsTheProgramsFigures) {
  const std::vector<std::string> scripts = Scripts();
  EXPECT_NE(std::find(scripts.begin(), scripts.end(), "shapes/frame-600"), scripts.end());
  EXPECT_NE(std::find(scripts.begin(), scripts.end(), "shapes/card-596-distinct"), scripts.end());
}

}  // namespace
}  // namespace win::gdi::testing
