#include "tools/gdiscript/ScriptEngine.h"

#include <cstring>
#include <ostream>
#include <sstream>

#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/SurfaceDc.h"
#include "tools/gdiscript/BmpLoader.h"

namespace tovu::gdiscript {

using namespace win;

TScriptEngine::TScriptEngine(std::filesystem::path baseDir, std::ostream& out)
    : FBaseDir(std::move(baseDir)), FOut(out) {
  FScreen = gdi::CreateSurfaceDC(gdi::CreateFramebuffer(1, 1), POINT{0, 0},
                                 gdi::TRegion(RECT{0, 0, 1, 1}));
}

TScriptEngine::~TScriptEngine() {
  ResetObjects();
  ReleaseCanvas();
  for (auto& [name, source] : FSources) {
    SelectObject(source.Dc, source.Previous);
    DeleteDC(source.Dc);
    DeleteObject(source.Bitmap);
  }
  DeleteDC(FScreen);
}

HDC TScriptEngine::Dc() const {
  if (!FCanvas) Fail("no canvas yet (use: canvas W H RRGGBB)");
  return FCanvas;
}

std::string TScriptEngine::Resolve(const std::string& path) const {
  const std::filesystem::path p(path);
  return (p.is_absolute() ? p : FBaseDir / p).string();
}

void TScriptEngine::ResetObjects() {
  if (FCanvas) {
    SelectObject(FCanvas, GetStockObject(BLACK_PEN));
    SelectObject(FCanvas, GetStockObject(WHITE_BRUSH));
    SelectObject(FCanvas, GetStockObject(SYSTEM_FONT));
  }
  for (HGDIOBJ* object : {reinterpret_cast<HGDIOBJ*>(&FPen), reinterpret_cast<HGDIOBJ*>(&FBrush),
                          reinterpret_cast<HGDIOBJ*>(&FFont)}) {
    if (*object) DeleteObject(*object);
    *object = nullptr;
  }
}

void TScriptEngine::ReleaseCanvas() {
  if (FCanvas) {
    SelectObject(FCanvas, FCanvasPrevious);
    DeleteDC(FCanvas);
  }
  if (FCanvasBitmap) DeleteObject(FCanvasBitmap);
  FCanvas = nullptr;
  FCanvasBitmap = nullptr;
  FBits = nullptr;
}

void TScriptEngine::NewCanvas(int width, int height, COLORREF color, int bitCount) {
  if (width <= 0 || height <= 0) Fail("bitmap size must be positive");
  if (bitCount != 24 && bitCount != 32) Fail("bit depth must be 24 or 32");
  ResetObjects();
  ReleaseCanvas();
  BITMAPINFO info{};
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = WORD(bitCount);
  FCanvasBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &FBits, nullptr, 0);
  if (!FCanvasBitmap || !FBits) Fail("CreateDIBSection failed");
  FCanvas = CreateCompatibleDC(nullptr);
  FCanvasPrevious = SelectObject(FCanvas, FCanvasBitmap);
  FWidth = width;
  FHeight = height;
  FBitCount = bitCount;
  const auto stride = std::size_t(DibStride(width, bitCount));
  for (int y = 0; y < height; ++y) {
    auto* p = static_cast<std::uint8_t*>(FBits) + std::size_t(y) * stride;
    for (int x = 0; x < width; ++x, p += bitCount / 8) {
      p[0] = GetBValue(color);
      p[1] = GetGValue(color);
      p[2] = GetRValue(color);
      if (bitCount == 32) p[3] = 0;
    }
  }
}

COLORREF TScriptEngine::CanvasPixel(int x, int y) const {
  const std::size_t bytes = std::size_t(FBitCount) / 8;
  const auto stride = std::size_t(DibStride(FWidth, FBitCount));
  const auto* p =
      static_cast<const std::uint8_t*>(FBits) + std::size_t(y) * stride + std::size_t(x) * bytes;
  return RGB(p[2], p[1], p[0]);
}

std::vector<std::uint8_t> TScriptEngine::EncodeCanvas() const {
  if (!FCanvas) Fail("nothing to save: no canvas");
  return EncodeBmp24(FWidth, FHeight, [this](int x, int y) { return CanvasPixel(x, y); });
}

void TScriptEngine::ReplacePen(HPEN pen) {
  if (!pen) Fail("pen creation failed");
  SelectObject(Dc(), pen);
  if (FPen) DeleteObject(FPen);
  FPen = pen;
}

void TScriptEngine::ReplaceBrush(HBRUSH brush) {
  if (!brush) Fail("brush creation failed");
  SelectObject(Dc(), brush);
  if (FBrush) DeleteObject(FBrush);
  FBrush = brush;
}

void TScriptEngine::ReplaceFont(HFONT font) {
  if (!font) Fail("font creation failed");
  SelectObject(Dc(), font);
  if (FFont) DeleteObject(FFont);
  FFont = font;
}

void TScriptEngine::SetSource(const std::string& name, HBITMAP bitmap, int bitCount) {
  TSourceBitmap source;
  if (bitCount == 0) {
    source.Bitmap = bitmap;
  } else {
    // Copied into a top-down DIB section of the asked depth.
    BITMAP bm{};
    GetObject(bitmap, sizeof(bm), &bm);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    void* bits = nullptr;
    source.Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!source.Bitmap) {
      DeleteObject(bitmap);
      Fail("CreateDIBSection failed");
    }
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, source.Bitmap);
    const BOOL ok = BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(bitmap);
    if (!ok) {
      DeleteObject(source.Bitmap);
      Fail("BitBlt (format conversion) failed");
    }
  }
  source.Dc = CreateCompatibleDC(nullptr);
  source.Previous = SelectObject(source.Dc, source.Bitmap);
  const auto it = FSources.find(name);
  if (it != FSources.end()) {
    SelectObject(it->second.Dc, it->second.Previous);
    DeleteDC(it->second.Dc);
    DeleteObject(it->second.Bitmap);
  }
  FSources[name] = source;
}

const TSourceBitmap& TScriptEngine::Source(const std::string& name) const {
  const auto it = FSources.find(name);
  if (it == FSources.end()) Fail("unknown bitmap name: " + name + " (use: load NAME file.bmp)");
  return it->second;
}

void TScriptEngine::Run(const std::string& line) {
  std::vector<std::string> tokens = Tokenize(line);
  if (tokens.empty()) return;
  TScriptArgs args(std::move(tokens));
  const std::string name = Lower(args.Command());
  const TCommand* command = FindCommand(name);
  if (!command) Fail("unknown command: " + args.Command());
  command->Handler(*this, args);
}

void TScriptEngine::RunText(const std::string& text, const std::string& name) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      Run(line);
    } catch (const EScriptError& e) {
      throw EScriptError(name + ":" + std::to_string(number) + ": " + e.what());
    }
  }
}

}  // namespace tovu::gdiscript
