// Names of enumeration values and of integer constants, used by the form-description reader and
// writer: enumerations are written by name (psSolid), some integers by a name when they have one
// (clWhite for a colour).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// The value names of one enumeration, in value order (value n has name n).
class TEnumTypeInfo {
 public:
  // `names` is the enumeration's value list as written in its declaration ("psSolid, psDash").
  TEnumTypeInfo(std::string_view typeName, std::string_view names);

  const std::string& TypeName() const { return FTypeName; }
  int Count() const { return static_cast<int>(FNames.size()); }
  const std::string& Name(int value) const { return FNames.at(static_cast<std::size_t>(value)); }
  // Value of `name`, compared without regard to ASCII case; nothing when it is not a value name.
  std::optional<int> Value(std::string_view name) const;

 private:
  std::string FTypeName;
  std::vector<std::string> FNames;
};

// Boolean: False and True.
const TEnumTypeInfo& BooleanTypeInfo();

// Names of some values of an integer type (colours, cursors), both ways.
class TIdentMap {
 public:
  struct TEntry {
    std::int64_t Value;
    std::string_view Name;
  };
  // `hexDigits` > 0 writes values without a name in hexadecimal with that many digits ($00FF00FF).
  TIdentMap(std::string_view typeName, std::vector<TEntry> entries, int hexDigits = 0);

  const std::string& TypeName() const { return FTypeName; }
  std::optional<std::int64_t> ToValue(std::string_view name) const;
  std::optional<std::string_view> ToName(std::int64_t value) const;
  int HexDigits() const { return FHexDigits; }

 private:
  std::string FTypeName;
  std::vector<TEntry> FEntries;
  int FHexDigits;
};

// ASCII case-insensitive comparison of identifiers.
bool SameIdent(std::string_view a, std::string_view b);

}  // namespace fw

// Declares an enumeration of the framework (unscoped, values from 0 without initialisers, as the
// value names are read back from the list) together with its name table for streaming.
#define TOVU_ENUM(Name, Base, ...)                              \
  enum Name : Base { __VA_ARGS__ };                             \
  inline const ::fw::TEnumTypeInfo& EnumTypeInfo(Name) {        \
    static const ::fw::TEnumTypeInfo Info(#Name, #__VA_ARGS__); \
    return Info;                                                \
  }
