#include "framework/GraphicsObjects.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/Text.h"

namespace fw {

namespace detail {

struct TPenData {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  auto Key() const { return std::tuple(Color, Width, Style); }
  friend bool operator<(const TPenData& a, const TPenData& b) { return a.Key() < b.Key(); }
};

struct TBrushData {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  win::HBITMAP Pattern = nullptr;
  auto Key() const { return std::tuple(Color, Style, Pattern); }
  friend bool operator<(const TBrushData& a, const TBrushData& b) { return a.Key() < b.Key(); }
};

struct TFontData {
  int Height = -12;
  int Orientation = 0;
  TFontPitch Pitch = fpDefault;
  std::uint64_t Style = 0;
  TFontCharset Charset = 128;
  std::string Name = "ＭＳ Ｐゴシック";
  auto Key() const { return std::tie(Height, Orientation, Pitch, Style, Charset, Name); }
  friend bool operator<(const TFontData& a, const TFontData& b) { return a.Key() < b.Key(); }
};

// One platform object and the values it was made from; deleted with the last user.
template <class TData, class THandle>
struct TResource {
  TData Data;
  mutable THandle Handle = nullptr;
  explicit TResource(TData data) : Data(std::move(data)) {}
  ~TResource() {
    if (Handle != nullptr) win::DeleteObject(Handle);
  }
  TResource(const TResource&) = delete;
  TResource& operator=(const TResource&) = delete;
};

struct TPenResource : TResource<TPenData, win::HPEN> {
  using TResource::TResource;
};
struct TBrushResource : TResource<TBrushData, win::HBRUSH> {
  using TResource::TResource;
};
struct TFontResource : TResource<TFontData, win::HFONT> {
  using TResource::TResource;
};

// Hands out one resource per distinct value; users share it through shared_ptr.
template <class TRes, class TData>
std::shared_ptr<TRes> Acquire(const TData& data) {
  static std::map<TData, std::weak_ptr<TRes>> table;
  auto& slot = table[data];
  if (std::shared_ptr<TRes> existing = slot.lock()) return existing;
  auto created = std::make_shared<TRes>(data);
  slot = created;
  std::erase_if(table, [](const auto& entry) { return entry.second.expired(); });
  return created;
}

}  // namespace detail

using detail::Acquire;

int PenModeToROP2(TPenMode mode) {
  static constexpr int kModes[] = {
      win::R2_BLACK,       win::R2_WHITE,      win::R2_NOP,         win::R2_NOT,
      win::R2_COPYPEN,     win::R2_NOTCOPYPEN, win::R2_MERGEPENNOT, win::R2_MASKPENNOT,
      win::R2_MERGENOTPEN, win::R2_MASKNOTPEN, win::R2_MERGEPEN,    win::R2_NOTMERGEPEN,
      win::R2_MASKPEN,     win::R2_NOTMASKPEN, win::R2_XORPEN,      win::R2_NOTXORPEN};
  return kModes[std::min<std::size_t>(mode, std::size(kModes) - 1)];
}

int PenStyleToPS(TPenStyle style) {
  static constexpr int kStyles[] = {win::PS_SOLID,      win::PS_DASH,       win::PS_DOT,
                                    win::PS_DASHDOT,    win::PS_DASHDOTDOT, win::PS_NULL,
                                    win::PS_INSIDEFRAME};
  return kStyles[std::min<std::size_t>(style, std::size(kStyles) - 1)];
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap map("TFontCharset", {{0, "ANSI_CHARSET"},
                                              {1, "DEFAULT_CHARSET"},
                                              {2, "SYMBOL_CHARSET"},
                                              {77, "MAC_CHARSET"},
                                              {128, "SHIFTJIS_CHARSET"},
                                              {129, "HANGEUL_CHARSET"},
                                              {130, "JOHAB_CHARSET"},
                                              {134, "GB2312_CHARSET"},
                                              {136, "CHINESEBIG5_CHARSET"},
                                              {161, "GREEK_CHARSET"},
                                              {162, "TURKISH_CHARSET"},
                                              {177, "HEBREW_CHARSET"},
                                              {178, "ARABIC_CHARSET"},
                                              {186, "BALTIC_CHARSET"},
                                              {204, "RUSSIAN_CHARSET"},
                                              {222, "THAI_CHARSET"},
                                              {238, "EASTEUROPE_CHARSET"},
                                              {255, "OEM_CHARSET"}});
  return map;
}

// --- TGraphicsObject -------------------------------------------------------------------------

TOVU_IMPLEMENT_CLASS(TGraphicsObject)
void TGraphicsObject::DefineClass(TClassBuilder<TGraphicsObject>&) {}

void TGraphicsObject::Changed() {
  CallEvent(OnChange, this);
}

// --- TPen ------------------------------------------------------------------------------------

TOVU_IMPLEMENT_CLASS(TPen)
void TPen::DefineClass(TClassBuilder<TPen>& b) {
  b.Property("Color", &TPen::Color, &TPen::SetColor).Idents(ColorIdents()).Default(clBlack);
  b.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  b.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  b.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

TPen::TPen() : FResource(Acquire<detail::TPenResource>(detail::TPenData{})) {}
TPen::~TPen() = default;

TColor TPen::Color() const {
  return FResource->Data.Color;
}
int TPen::Width() const {
  return FResource->Data.Width;
}
TPenStyle TPen::Style() const {
  return FResource->Data.Style;
}

void TPen::SetData(TColor color, int width, TPenStyle style) {
  const detail::TPenData data{color, width, style};
  if (!(data < FResource->Data) && !(FResource->Data < data)) return;
  FResource = Acquire<detail::TPenResource>(data);
  Changed();
}

void TPen::SetColor(TColor Value) {
  SetData(Value, Width(), Style());
}

void TPen::SetWidth(int Value) {
  if (Value < 0) return;
  SetData(Color(), Value, Style());
}

void TPen::SetStyle(TPenStyle Value) {
  SetData(Color(), Width(), Value);
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

win::HPEN TPen::Handle() const {
  if (FResource->Handle == nullptr) {
    win::LOGPEN pen;
    pen.lopnStyle = static_cast<win::UINT>(PenStyleToPS(Style()));
    pen.lopnWidth.x = Width();
    pen.lopnColor = ColorToRGB(Color());
    FResource->Handle = win::CreatePenIndirect(&pen);
    if (FResource->Handle == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
  }
  return FResource->Handle;
}

void TPen::Assign(const TPersistent* Source) {
  if (const auto* pen = dynamic_cast<const TPen*>(Source)) {
    if (pen->FResource == FResource && pen->FMode == FMode) return;
    FResource = pen->FResource;
    FMode = pen->FMode;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

// --- TBrush ----------------------------------------------------------------------------------

TOVU_IMPLEMENT_CLASS(TBrush)
void TBrush::DefineClass(TClassBuilder<TBrush>& b) {
  b.Property("Color", &TBrush::Color, &TBrush::SetColor).Idents(ColorIdents()).Default(clWhite);
  b.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

TBrush::TBrush() : FResource(Acquire<detail::TBrushResource>(detail::TBrushData{})) {}
TBrush::~TBrush() = default;

TColor TBrush::Color() const {
  return FResource->Data.Color;
}
TBrushStyle TBrush::Style() const {
  return FResource->Data.Style;
}

void TBrush::SetData(TColor color, TBrushStyle style) {
  detail::TBrushData data{color, style, FResource->Data.Pattern};
  if (!(data < FResource->Data) && !(FResource->Data < data)) return;
  FResource = Acquire<detail::TBrushResource>(data);
  Changed();
}

void TBrush::SetColor(TColor Value) {
  SetData(Value, Style() == bsClear ? bsSolid : Style());
}

void TBrush::SetStyle(TBrushStyle Value) {
  SetData(Value == bsClear ? clWhite : Color(), Value);
}

void TBrush::SetBitmap(const TBitmap* Value) {
  std::unique_ptr<TBitmap> copy;
  win::HBITMAP pattern = nullptr;
  if (Value != nullptr && !Value->Empty()) {
    copy = std::make_unique<TBitmap>();
    copy->Assign(Value);
    pattern = copy->Handle();
  }
  const detail::TBrushData data{Color(), Style(), pattern};
  FResource = Acquire<detail::TBrushResource>(data);
  FBitmap = std::move(copy);
  Changed();
}

win::HBRUSH TBrush::Handle() const {
  if (FResource->Handle == nullptr) {
    const detail::TBrushData& d = FResource->Data;
    win::LOGBRUSH brush;
    brush.lbColor = ColorToRGB(d.Color);
    if (d.Pattern != nullptr) {
      brush.lbStyle = win::BS_PATTERN;
      brush.lbHatch = reinterpret_cast<std::uintptr_t>(d.Pattern);
    } else if (d.Style == bsSolid) {
      brush.lbStyle = win::BS_SOLID;
    } else if (d.Style == bsClear) {
      brush.lbStyle = win::BS_HOLLOW;
    } else {
      brush.lbStyle = win::BS_HATCHED;
      brush.lbHatch = static_cast<std::uintptr_t>(d.Style - bsHorizontal);
    }
    FResource->Handle = win::CreateBrushIndirect(&brush);
    if (FResource->Handle == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
  }
  return FResource->Handle;
}

void TBrush::Assign(const TPersistent* Source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(Source)) {
    if (brush == this) return;
    if (brush->FBitmap != nullptr) {
      SetBitmap(brush->FBitmap.get());
      SetData(brush->Color(), brush->Style());
      return;
    }
    if (brush->FResource == FResource) return;
    FResource = brush->FResource;
    FBitmap.reset();
    Changed();
    return;
  }
  inherited::Assign(Source);
}

// --- TFont -----------------------------------------------------------------------------------

TOVU_IMPLEMENT_CLASS(TFont)
void TFont::DefineClass(TClassBuilder<TFont>& b) {
  b.Property("Charset", &TFont::Charset, &TFont::SetCharset).Idents(CharsetIdents());
  b.Property("Color", &TFont::Color, &TFont::SetColor).Idents(ColorIdents());
  b.Property("Height", &TFont::Height, &TFont::SetHeight);
  b.Property("Name", &TFont::Name, &TFont::SetName);
  b.Property("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
  b.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  b.Property("Size", &TFont::Size, &TFont::SetSize).Stored([](const TObject&) { return false; });
  b.Property("Style", &TFont::Style, &TFont::SetStyle);
}

TFont::TFont()
    : FResource(Acquire<detail::TFontResource>(detail::TFontData{})), FColor(clWindowText) {
  // The default face name is held in UTF-8 like every literal; hand it over in the process
  // code page.
  const std::string name = win::FromUtf8(FResource->Data.Name);
  if (name != FResource->Data.Name) {
    detail::TFontData data = FResource->Data;
    data.Name = name;
    FResource = Acquire<detail::TFontResource>(data);
  }
}
TFont::~TFont() = default;

template <class F>
void TFont::Change(F&& edit) {
  detail::TFontData data = FResource->Data;
  edit(data);
  if (!(data < FResource->Data) && !(FResource->Data < data)) return;
  FResource = Acquire<detail::TFontResource>(data);
  Changed();
}

int TFont::Height() const {
  return FResource->Data.Height;
}
void TFont::SetHeight(int Value) {
  Change([&](detail::TFontData& d) { d.Height = Value; });
}

namespace {
int MulDiv(int number, int numerator, int denominator) {
  const long long product = static_cast<long long>(number) * numerator;
  // Rounds half away from zero, as the platform's MulDiv does.
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}
}  // namespace

int TFont::Size() const {
  return -MulDiv(Height(), 72, FPixelsPerInch);
}
void TFont::SetSize(int Value) {
  SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

const std::string& TFont::Name() const {
  return FResource->Data.Name;
}
void TFont::SetName(const std::string& Value) {
  if (Value.empty()) return;
  Change([&](detail::TFontData& d) { d.Name = Value; });
}

TFontStyles TFont::Style() const {
  return TFontStyles::FromBits(FResource->Data.Style);
}
void TFont::SetStyle(TFontStyles Value) {
  Change([&](detail::TFontData& d) { d.Style = Value.Bits(); });
}

TFontCharset TFont::Charset() const {
  return FResource->Data.Charset;
}
void TFont::SetCharset(TFontCharset Value) {
  Change([&](detail::TFontData& d) { d.Charset = Value; });
}

TFontPitch TFont::Pitch() const {
  return FResource->Data.Pitch;
}
void TFont::SetPitch(TFontPitch Value) {
  Change([&](detail::TFontData& d) { d.Pitch = Value; });
}

int TFont::Orientation() const {
  return FResource->Data.Orientation;
}
void TFont::SetOrientation(int Value) {
  Change([&](detail::TFontData& d) { d.Orientation = Value; });
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

win::HFONT TFont::Handle() const {
  if (FResource->Handle == nullptr) {
    const detail::TFontData& d = FResource->Data;
    win::LOGFONTA font;
    font.lfHeight = d.Height;
    font.lfEscapement = d.Orientation;
    font.lfOrientation = d.Orientation;
    const TFontStyles style = TFontStyles::FromBits(d.Style);
    font.lfWeight = style.Contains(fsBold) ? win::FW_BOLD : win::FW_NORMAL;
    font.lfItalic = style.Contains(fsItalic) ? 1 : 0;
    font.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
    font.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
    font.lfCharSet = d.Charset;
    font.lfOutPrecision = win::OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = win::CLIP_DEFAULT_PRECIS;
    font.lfQuality = win::DEFAULT_QUALITY;
    font.lfPitchAndFamily = d.Pitch == fpFixed      ? win::FIXED_PITCH
                            : d.Pitch == fpVariable ? win::VARIABLE_PITCH
                                                    : win::DEFAULT_PITCH;
    // The face name is cut at a character boundary to fit the structure.
    std::size_t n = 0;
    while (n < d.Name.size()) {
      const std::size_t step = win::CharLength(win::GetACP(), std::string_view(d.Name).substr(n));
      if (n + step > win::LF_FACESIZE - 1) break;
      n += step;
    }
    std::memcpy(font.lfFaceName, d.Name.data(), n);
    font.lfFaceName[n] = '\0';
    FResource->Handle = win::CreateFontIndirectA(&font);
    if (FResource->Handle == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
  }
  return FResource->Handle;
}

void TFont::Assign(const TPersistent* Source) {
  if (const auto* font = dynamic_cast<const TFont*>(Source)) {
    if (font == this) return;
    if (font->FResource == FResource && font->FColor == FColor) return;
    FResource = font->FResource;
    FColor = font->FColor;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

}  // namespace fw
