// Golden pictures made by the GDI oracle (fills, mixes, blits, stretches, loads, monochrome
// conversions, figures, lines, and text drawn by TextOut and DrawText with the same font files we
// use), replayed on our GDI and compared pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/gdiscript/FixtureCompare.h"

namespace {

namespace fs = std::filesystem;

const char* const Families[] = {"fills", "mix",    "blit",  "stretch", "load",
                                "mono",  "shapes", "lines", "text",    "drawtext"};

// Every script of a family folder under tests/data/gdi that has its golden picture beside it.
std::vector<std::string> FixturesOf(const std::string& family) {
  std::vector<std::string> names;
  const fs::path folder = fs::path(TOVU_TEST_DATA) / "gdi" / family;
  if (!fs::is_directory(folder)) return names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".gdi" &&
        fs::exists(fs::path(entry.path()).replace_extension(".bmp"))) {
      names.push_back(family + "/" + entry.path().stem().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> AllFixtures() {
  std::vector<std::string> all;
  for (const char* family : Families) {
    for (const auto& name : FixturesOf(family))
      all.push_back(name);
  }
  return all;
}

class GdiFixture : public testing::TestWithParam<std::string> {};

TEST_P(GdiFixture, MatchesOracle) {
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

INSTANTIATE_TEST_SUITE_P(Oracle, GdiFixture, testing::ValuesIn(AllFixtures()), FixtureName);

TEST(GdiFixtureSet, EveryFamilyHasFixtures) {
  for (const char* family : Families) {
    EXPECT_FALSE(FixturesOf(family).empty()) << family;
  }
  EXPECT_GE(FixturesOf("text").size(), 5u);
}

}  // namespace
