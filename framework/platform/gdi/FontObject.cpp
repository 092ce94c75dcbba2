#include "framework/platform/gdi/FontObject.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/gdi/FontCache.h"
#include "framework/platform/gdi/StockObjects.h"

namespace win::gdi {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The face name stops at its terminator or at the end of the field, whichever comes first.
std::string_view FaceNameBytes(const LOGFONTA& logFont) {
  const char* name = logFont.lfFaceName;
  const auto* end = static_cast<const char*>(std::memchr(name, '\0', LF_FACESIZE));
  return std::string_view(name, end != nullptr ? static_cast<std::size_t>(end - name)
                                               : static_cast<std::size_t>(LF_FACESIZE));
}

LOGFONTA MakeLogFont(LONG height, LONG weight, BYTE charSet, std::string_view face) {
  LOGFONTA font;
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = charSet;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(font.lfFaceName, face.data(), length);
  return font;
}

// Every stock font selected into a context is made by this module; registering the factory when
// the library starts means no context ever sees a placeholder.
[[maybe_unused]] const bool gStockFontsRegistered = [] {
  SetStockFontFactory(MakeStockFont);
  return true;
}();

}  // namespace

TFontObject::TFontObject(const LOGFONTA& logFont) : FLogFont(logFont) {}

int TFontObject::GetObjectData(int size, void* buffer) const {
  if (buffer == nullptr) return static_cast<int>(sizeof(LOGFONTA));
  if (size <= 0) return 0;
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(size), sizeof(LOGFONTA));
  std::memcpy(buffer, &FLogFont, count);
  return static_cast<int>(count);
}

std::shared_ptr<const TFontFace> TFontObject::Face() const {
  if (!FFace) FFace = TFontCache::Instance().Realize(RequestFromLogFont(FLogFont));
  return FFace;
}

TFontRequest RequestFromLogFont(const LOGFONTA& logFont) {
  TFontRequest request;
  for (const char32_t code : DecodeLossy(FaceNameBytes(logFont), CP_ACP))
    AppendUtf8(request.Family, code);
  request.Height = logFont.lfHeight;
  request.Width = logFont.lfWidth < 0 ? -logFont.lfWidth : logFont.lfWidth;
  request.Weight = logFont.lfWeight;
  request.Italic = logFont.lfItalic != 0;
  request.Underline = logFont.lfUnderline != 0;
  request.StrikeOut = logFont.lfStrikeOut != 0;
  request.CharSet = logFont.lfCharSet;
  return request;
}

LOGFONTA StockLogFont(int index) {
  switch (index) {
    case DEFAULT_GUI_FONT:
      return MakeLogFont(-12, FW_NORMAL, SHIFTJIS_CHARSET, "MS Shell Dlg");
    case ANSI_VAR_FONT:
      return MakeLogFont(12, FW_NORMAL, ANSI_CHARSET, "MS Sans Serif");
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: {
      LOGFONTA fixed = MakeLogFont(16, FW_NORMAL, SHIFTJIS_CHARSET, "MS Gothic");
      fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      return fixed;
    }
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    default:
      return MakeLogFont(16, FW_NORMAL, SHIFTJIS_CHARSET, "System");
  }
}

std::shared_ptr<TGdiObject> MakeStockFont(int index) {
  return std::make_shared<TFontObject>(StockLogFont(index));
}

std::shared_ptr<const TFontFace> SelectedFace(const TDeviceContext& dc) {
  const auto* font = dynamic_cast<const TFontObject*>(dc.State().Font.get());
  if (font != nullptr) return font->Face();
  static const TFontObject fallback(StockLogFont(SYSTEM_FONT));
  return fallback.Face();
}

}  // namespace win::gdi
