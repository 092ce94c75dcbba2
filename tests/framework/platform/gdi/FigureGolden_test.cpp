// The figure and line fixtures (tests/data/gdi/shapes and tests/data/gdi/lines) replayed on our
// GDI with the replay engine and compared pixel for pixel with the oracle's pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/gdiscript/FixtureCompare.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FigureFixtures() {
  std::vector<std::string> names;
  for (const char* family : {"shapes", "lines"}) {
    const fs::path folder = fs::path(TOVU_TEST_DATA) / "gdi" / family;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = std::string(family) + "/" + entry.path().stem().string();
      if (entry.path().extension() == ".gdi") names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FigureFixture : public testing::TestWithParam<std::string> {};

TEST_P(FigureFixture, MatchesOracle) {
  const fs::path base = fs::path(TOVU_TEST_DATA) / "gdi" / GetParam();
  const auto result =
      tovu::gdiscript::ReplayAndCompare(base.string() + ".gdi", base.string() + ".bmp");
  EXPECT_TRUE(result.Matches()) << GetParam() << ": " << result.Describe();
}

std::string FixtureName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Oracle, FigureFixture, testing::ValuesIn(FigureFixtures()), FixtureName);

}  // namespace
