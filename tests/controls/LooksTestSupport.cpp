#include "tests/controls/LooksTestSupport.h"

#include <filesystem>

#include "tests/framework/GraphicsTestSupport.h"

namespace controls::testing {

long DifferencesFromGolden(const std::string& Description,
                           const std::vector<tovu::formrender::TAction>& Actions,
                           const std::string& Golden, std::string& Detail) {
  const tovu::formrender::TPicture shown =
      tovu::formrender::RenderForm(fw::testing::TestData(Description), Actions);
  fw::testing::TPixels actual{shown.Width, shown.Height, {}};
  for (const std::uint32_t rgb : shown.Pixels)  // 0x00RRGGBB to the goldens' 0x00BBGGRR
    actual.Colors.push_back(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
  return fw::testing::CountDifferences(
      actual, fw::testing::ReadGolden(fw::testing::TestData(Golden)), Detail);
}

std::string GoldenTestName(const std::string& Golden) {
  std::string name = std::filesystem::path(Golden).stem().string();
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

}  // namespace controls::testing
