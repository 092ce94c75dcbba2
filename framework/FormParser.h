// Parsing of the text form of a form description into a tree of objects and property values.
// The text is checked completely here, so that a malformed or hostile description fails with an
// EParserError naming its line before any component is touched.
//
//   object MainForm1: TMainForm1
//     Caption = 'Tovu'            strings in single quotes, '' for a quote, #13 for a code
//     Font.Height = -12           nested properties with dots; integers, also hex ($FF)
//     Anchors = [akLeft, akTop]   sets
//     Color = clWhite             identifiers: enumerations, booleans, colours, handlers
//     Picture.Data = {0A1B...}    binary data in hexadecimal
//     object Timer1: TTimer
//     end
//   end
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum TDescValueKind : std::uint8_t { dvInteger, dvIdent, dvString, dvSet, dvBinary };

struct TDescValue {
  TDescValueKind Kind = dvInteger;
  int Line = 0;
  std::int64_t Integer = 0;
  bool Hex = false;                   // the integer was written in hexadecimal
  std::string Text;                   // identifier (dotted for references) or string
  std::vector<std::string> Elements;  // set elements
  std::vector<std::uint8_t> Bytes;    // binary data
};

struct TDescProperty {
  std::vector<std::string> Path;  // "Font.Height" is {"Font", "Height"}
  TDescValue Value;
  int Line = 0;

  std::string PathText() const;
};

struct TDescObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TDescProperty> Properties;
  std::vector<TDescObject> Children;
};

// Limits that keep hostile input from exhausting the stack or building absurd values.
inline constexpr int MaxObjectDepth = 64;
inline constexpr int MaxPathParts = 16;
inline constexpr int MaxSetElements = 64;

// Parses a whole description; strings are returned in the process code page.
TDescObject ParseFormDescription(std::string_view text);

}  // namespace fw
