// Choosing the font file for a requested face name and style with fontconfig, in a configuration
// of our own: the system's configuration plus the alias rules for the platform's Japanese faces.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace win::gdi {

struct TFontQuery {
  std::string Family;  // UTF-8; empty: the default face
  int Weight = 400;    // platform weight, 1..1000
  bool Italic = false;
  bool Japanese = false;  // prefer a face that covers Japanese
  double PixelSize = 12;
};

struct TFontMatch {
  std::string File;
  int Index = 0;
  std::string Family;          // the face's own (first) family name, UTF-8
  bool FamilyMatched = false;  // the requested family, or one of its aliases, was found
};

// The fontconfig fragment loaded on top of the system configuration: the platform's Japanese UI
// faces stand for the IPA gothic faces.
std::string FontAliasRules();
// The face that stands for `family` by those rules; empty when none does.
std::string_view FontAliasTarget(std::string_view family);

class TFontMatcher {
 public:
  // The process's matcher, built on first use.
  static TFontMatcher& Instance();

  // The best face for the query; nothing only when fontconfig knows no font at all.
  std::optional<TFontMatch> Match(const TFontQuery& query) const;
  // The face that best covers the character, for characters the chosen face lacks.
  std::optional<TFontMatch> MatchCharacter(const TFontQuery& query, char32_t code) const;

  TFontMatcher(const TFontMatcher&) = delete;
  TFontMatcher& operator=(const TFontMatcher&) = delete;

 private:
  TFontMatcher();

  struct TConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
  };
  std::unique_ptr<FcConfig, TConfigDeleter> FConfig;
};

}  // namespace win::gdi
