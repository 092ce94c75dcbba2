#include "tools/gdiscript/FixtureCompare.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "framework/ByteOrder.h"
#include "tools/gdiscript/BmpLoader.h"
#include "tools/gdiscript/ScriptEngine.h"

namespace tovu::gdiscript {
namespace {

std::string Hex(win::COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X", win::GetRValue(c), win::GetGValue(c),
                win::GetBValue(c));
  return text;
}

// The pixels of a 24-bit bottom-up BMP as 0x00BBGGRR, top row first.
struct TGolden {
  int Width = 0;
  int Height = 0;
  std::vector<win::COLORREF> Pixels;
};

TGolden ReadGolden(const std::string& path) {
  const auto file = ReadWholeFile(path);
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') Fail(path + ": not a BMP file");
  TGolden g;
  g.Width = int(fw::ReadLe32(&file[18]));
  g.Height = int(fw::ReadLe32(&file[22]));
  const std::uint32_t offset = fw::ReadLe32(&file[10]);
  if (fw::ReadLe16(&file[28]) != 24 || g.Width <= 0 || g.Height <= 0)
    Fail(path + ": not a 24-bit bottom-up BMP");
  const auto rowBytes = std::size_t(win::DibStride(g.Width, 24));
  if (file.size() < offset + rowBytes * std::size_t(g.Height)) Fail(path + ": truncated");
  g.Pixels.resize(std::size_t(g.Width) * std::size_t(g.Height));
  for (int y = 0; y < g.Height; ++y) {
    const std::uint8_t* row = file.data() + offset + std::size_t(g.Height - 1 - y) * rowBytes;
    for (int x = 0; x < g.Width; ++x) {
      g.Pixels[std::size_t(y) * std::size_t(g.Width) + std::size_t(x)] =
          win::RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
  }
  return g;
}

}  // namespace

std::string TComparison::Describe() const {
  std::ostringstream out;
  if (!Error.empty()) {
    out << Error;
    return out.str();
  }
  out << DifferentPixels << " of " << long(Width) * Height << " pixels differ";
  for (const TPixelDifference& d : FirstDifferences) {
    out << "\n  (" << d.X << ", " << d.Y << "): expected " << Hex(d.Expected) << ", got "
        << Hex(d.Actual);
  }
  return out.str();
}

TComparison ReplayAndCompare(const std::string& script, const std::string& golden,
                             std::size_t keep) {
  TComparison result;
  try {
    const std::filesystem::path path(script);
    std::ostringstream ignored;
    TScriptEngine engine(path.parent_path(), ignored);
    const auto text = ReadWholeFile(script);
    engine.RunText(std::string(text.begin(), text.end()), path.filename().string());
    engine.Dc();
    const TGolden expected = ReadGolden(golden);
    result.Width = engine.Width();
    result.Height = engine.Height();
    if (expected.Width != engine.Width() || expected.Height != engine.Height()) {
      result.Error = "size differs: golden " + std::to_string(expected.Width) + "x" +
                     std::to_string(expected.Height) + ", canvas " +
                     std::to_string(engine.Width()) + "x" + std::to_string(engine.Height());
      return result;
    }
    for (int y = 0; y < expected.Height; ++y) {
      for (int x = 0; x < expected.Width; ++x) {
        const win::COLORREF want =
            expected.Pixels[std::size_t(y) * std::size_t(expected.Width) + std::size_t(x)];
        const win::COLORREF got = engine.CanvasPixel(x, y);
        if (want == got) continue;
        ++result.DifferentPixels;
        if (result.FirstDifferences.size() < keep)
          result.FirstDifferences.push_back({x, y, want, got});
      }
    }
  } catch (const EScriptError& e) {
    result.Error = e.what();
  }
  return result;
}

}  // namespace tovu::gdiscript
