#include "framework/EnumInfo.h"

#include <cstdio>
#include <cstdlib>

namespace fw {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\n' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameIdent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

TEnumTypeInfo::TEnumTypeInfo(std::string_view typeName, std::string_view names)
    : FTypeName(typeName) {
  while (!names.empty()) {
    const std::size_t comma = names.find(',');
    const std::string_view name = Trim(names.substr(0, comma));
    if (name.empty() || name.find('=') != std::string_view::npos) {
      // A value list with initialisers cannot be named by position: a programming error.
      std::fprintf(stderr, "enumeration %s: value list must be plain names\n", FTypeName.c_str());
      std::abort();
    }
    FNames.emplace_back(name);
    if (comma == std::string_view::npos) break;
    names.remove_prefix(comma + 1);
  }
}

std::optional<int> TEnumTypeInfo::Value(std::string_view name) const {
  for (std::size_t i = 0; i < FNames.size(); ++i)
    if (SameIdent(FNames[i], name)) return static_cast<int>(i);
  return std::nullopt;
}

const TEnumTypeInfo& BooleanTypeInfo() {
  static const TEnumTypeInfo info("Boolean", "False, True");
  return info;
}

TIdentMap::TIdentMap(std::string_view typeName, std::vector<TEntry> entries, int hexDigits)
    : FTypeName(typeName), FEntries(std::move(entries)), FHexDigits(hexDigits) {}

std::optional<std::int64_t> TIdentMap::ToValue(std::string_view name) const {
  for (const TEntry& e : FEntries)
    if (SameIdent(e.Name, name)) return e.Value;
  return std::nullopt;
}

std::optional<std::string_view> TIdentMap::ToName(std::int64_t value) const {
  for (const TEntry& e : FEntries)
    if (e.Value == value) return e.Name;
  return std::nullopt;
}

}  // namespace fw
