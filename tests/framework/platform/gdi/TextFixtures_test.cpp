// Text drawn by the oracle with the same font files we use (IPAPGothic, IPAGothic and DejaVu Sans
// named directly), replayed on our GDI and compared pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/gdiscript/FixtureCompare.h"

namespace {

namespace fs = std::filesystem;

const fs::path TextFolder = fs::path(TOVU_TEST_DATA) / "gdi" / "text";

std::vector<std::string> TextFixtures() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(TextFolder)) {
    const std::string name = entry.path().stem().string();
    if (entry.path().extension() == ".gdi" &&
        fs::exists(fs::path(entry.path()).replace_extension(".bmp")))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

tovu::gdiscript::TComparison Replay(const std::string& name) {
  const fs::path base = TextFolder / name;
  return tovu::gdiscript::ReplayAndCompare(base.string() + ".gdi", base.string() + ".bmp");
}

class TextFixture : public testing::TestWithParam<std::string> {};

TEST_P(TextFixture, MatchesOracle) {
  const auto result = Replay(GetParam());
  EXPECT_TRUE(result.Matches()) << GetParam() << ": " << result.Describe();
}

std::string FixtureName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Text, TextFixture, testing::ValuesIn(TextFixtures()), FixtureName);

TEST(TextFixtureSet, HasExactFixtures) {
  EXPECT_GE(TextFixtures().size(), 5u);
}

}  // namespace
