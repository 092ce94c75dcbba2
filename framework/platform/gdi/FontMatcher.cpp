#include "framework/platform/gdi/FontMatcher.h"

#include <array>
#include <utility>

namespace win::gdi {
namespace {

struct TFontAlias {
  std::string_view Family;
  std::string_view Target;
};

// Debian's fontconfig knows none of these names and would answer DejaVu Sans for them.
constexpr std::array<TFontAlias, 9> FontAliases{{
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS PGothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
    {"MS UI Gothic", "IPAPGothic"},
    {"MS Shell Dlg", "IPAPGothic"},
    {"MS Shell Dlg 2", "IPAPGothic"},
    {"MS Sans Serif", "IPAPGothic"},
    {"System", "IPAPGothic"},
}};

struct TPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

struct TCharSetDeleter {
  void operator()(FcCharSet* charSet) const { FcCharSetDestroy(charSet); }
};

const FcChar8* Bytes(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

// Family names compare as fontconfig compares them: ASCII letter case and blanks do not count.
std::string FamilyKey(std::string_view family) {
  std::string key;
  for (const char c : family) {
    if (c == ' ') continue;
    key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

bool SameFamily(std::string_view a, std::string_view b) {
  return FamilyKey(a) == FamilyKey(b);
}

std::string StringOf(const FcPattern* pattern, const char* object, int index = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch || value == nullptr)
    return {};
  return reinterpret_cast<const char*>(value);
}

int IntegerOf(const FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  if (FcPatternGetInteger(pattern, object, 0, &value) != FcResultMatch) return fallback;
  return value;
}

bool HasFamily(const FcPattern* face, std::string_view family) {
  for (int i = 0;; ++i) {
    const std::string name = StringOf(face, FC_FAMILY, i);
    if (name.empty()) return false;
    if (SameFamily(name, family)) return true;
  }
}

TPattern QueryPattern(const TFontQuery& query) {
  TPattern pattern(FcPatternCreate());
  if (!pattern) return pattern;
  const std::string family = query.Family.empty() ? std::string("MS PGothic") : query.Family;
  FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(query.Weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, query.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, query.PixelSize);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (query.Japanese) FcPatternAddString(pattern.get(), FC_LANG, Bytes("ja"));
  return pattern;
}

std::optional<TFontMatch> MatchPattern(FcConfig* config, FcPattern* pattern,
                                       std::string_view requested) {
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  TPattern face(FcFontMatch(config, pattern, &result));
  if (!face) return std::nullopt;
  TFontMatch match;
  match.File = StringOf(face.get(), FC_FILE);
  if (match.File.empty()) return std::nullopt;
  match.Index = IntegerOf(face.get(), FC_INDEX, 0);
  match.Family = StringOf(face.get(), FC_FAMILY);
  const std::string_view target = FontAliasTarget(requested);
  match.FamilyMatched = !requested.empty() && (HasFamily(face.get(), requested) ||
                                               (!target.empty() && HasFamily(face.get(), target)));
  return match;
}

}  // namespace

std::string FontAliasRules() {
  std::string xml = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
  for (const TFontAlias& alias : FontAliases) {
    xml += "  <alias binding=\"strong\">\n    <family>";
    xml += alias.Family;
    xml += "</family>\n    <prefer><family>";
    xml += alias.Target;
    xml += "</family></prefer>\n  </alias>\n";
  }
  xml += "</fontconfig>\n";
  return xml;
}

std::string_view FontAliasTarget(std::string_view family) {
  for (const TFontAlias& alias : FontAliases) {
    if (SameFamily(alias.Family, family)) return alias.Target;
  }
  return {};
}

TFontMatcher& TFontMatcher::Instance() {
  static TFontMatcher matcher;
  return matcher;
}

TFontMatcher::TFontMatcher() : FConfig(FcInitLoadConfigAndFonts()) {
  if (!FConfig) FConfig.reset(FcConfigCreate());
  if (!FConfig) return;
  const std::string rules = FontAliasRules();
  FcConfigParseAndLoadFromMemory(FConfig.get(), Bytes(rules), FcTrue);
}

std::optional<TFontMatch> TFontMatcher::Match(const TFontQuery& query) const {
  if (!FConfig) return std::nullopt;
  TPattern pattern = QueryPattern(query);
  if (!pattern) return std::nullopt;
  return MatchPattern(FConfig.get(), pattern.get(), query.Family);
}

std::optional<TFontMatch> TFontMatcher::MatchCharacter(const TFontQuery& query,
                                                       char32_t code) const {
  if (!FConfig) return std::nullopt;
  TPattern pattern = QueryPattern(query);
  std::unique_ptr<FcCharSet, TCharSetDeleter> charSet(FcCharSetCreate());
  if (!pattern || !charSet) return std::nullopt;
  FcCharSetAddChar(charSet.get(), static_cast<FcChar32>(code));
  FcPatternAddCharSet(pattern.get(), FC_CHARSET, charSet.get());
  std::optional<TFontMatch> match = MatchPattern(FConfig.get(), pattern.get(), query.Family);
  return match;
}

}  // namespace win::gdi
