// The replay engine: its errors, its output and the fixture comparison.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/ByteOrder.h"
#include "tools/gdiscript/BmpLoader.h"
#include "tools/gdiscript/FixtureCompare.h"
#include "tools/gdiscript/ScriptEngine.h"

namespace {

using namespace tovu::gdiscript;
namespace fs = std::filesystem;

std::string ErrorOf(const std::string& script) {
  std::ostringstream out;
  TScriptEngine engine(fs::temp_directory_path(), out);
  try {
    engine.RunText(script, "t.gdi");
  } catch (const EScriptError& e) {
    return e.what();
  }
  return "";
}

TEST(ScriptEngine, ReportsErrorsWithFileAndLine) {
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\nfrobnicate 1\n"), "t.gdi:2: unknown command: frobnicate");
  EXPECT_EQ(ErrorOf("fillrect 0 0 1 1 FF0000\n"),
            "t.gdi:1: no canvas yet (use: canvas W H RRGGBB)");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFF\n"), "t.gdi:1: bad colour (want RRGGBB) for RRGGBB: FFF");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF 16\n"), "t.gdi:1: bit depth must be 24 or 32");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\nbitblt 0 0 1 1 nobody 0 0 SRCCOPY\n"),
            "t.gdi:2: unknown bitmap name: nobody (use: load NAME file.bmp)");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\nsetpixel 9 9 000000\n"),
            "t.gdi:2: SetPixel failed (outside the canvas?)");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\npatblt 0 0 1 1 nonsense\n"),
            "t.gdi:2: bad raster operation (want hex like 00CC0020): nonsense");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\nrop2 0 1\n"), "t.gdi:2: unexpected extra argument: 1");
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF # comment\n\n  # only a comment\nbkmode opaque\n"), "");
}

TEST(ScriptEngine, CommandsWithoutTheirDrawingCallSayNotSupportedYet) {
  // Arcs have no drawing call in our GDI.
  EXPECT_EQ(ErrorOf("canvas 4 4 FFFFFF\narc 0 0 4 4 0 0 4 4\n"), "t.gdi:2: arc: not supported yet");
}

TEST(ScriptEngine, PrintsPixelsAndEncodesTheCanvasAsTheOracleDoes) {
  std::ostringstream out;
  TScriptEngine engine(fs::temp_directory_path(), out);
  engine.RunText("canvas 3 2 102030 24\nsetpixel 2 1 A0B0C0\npixel 2 1\npixel 0 0\n", "t.gdi");
  EXPECT_EQ(out.str(), "pixel 2 1 A0B0C0\npixel 0 0 102030\n");
  const auto bmp = engine.EncodeCanvas();
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(fw::ReadLe32(&bmp[2]), 54u + 24);
  EXPECT_EQ(fw::ReadLe32(&bmp[34]), 24u);
  // Bottom-up: the last row comes first, pixels blue, green, red.
  EXPECT_EQ(bmp[54 + 6], 0xC0);
  EXPECT_EQ(bmp[54 + 8], 0xA0);
  EXPECT_EQ(bmp[54 + 12], 0x30);
}

TEST(FixtureCompare, CountsDifferingPixelsAndNamesTheFirstOnes) {
  const fs::path folder = fs::temp_directory_path() / "tovu-fixture-compare";
  fs::create_directories(folder);
  {
    std::ofstream(folder / "a.gdi")
        << "canvas 4 2 FFFFFF\nsetpixel 1 0 FF0000\nsetpixel 3 1 00FF00\n";
  }
  WriteFile((folder / "a.bmp").string(), EncodeBmp24(4, 2, [](int x, int y) {
              return x == 1 && y == 0 ? win::RGB(255, 0, 0) : win::RGB(255, 255, 255);
            }));
  const auto result = ReplayAndCompare((folder / "a.gdi").string(), (folder / "a.bmp").string());
  EXPECT_FALSE(result.Matches());
  EXPECT_EQ(result.DifferentPixels, 1);
  ASSERT_EQ(result.FirstDifferences.size(), 1u);
  EXPECT_EQ(result.FirstDifferences[0].X, 3);
  EXPECT_EQ(result.Describe(), "1 of 8 pixels differ\n  (3, 1): expected FFFFFF, got 00FF00");
  const auto missing =
      ReplayAndCompare((folder / "a.gdi").string(), (folder / "none.bmp").string());
  EXPECT_FALSE(missing.Error.empty());
  fs::remove_all(folder);
}

}  // namespace
