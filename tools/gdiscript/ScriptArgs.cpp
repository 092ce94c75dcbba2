#include "tools/gdiscript/ScriptArgs.h"

#include <cstdlib>
#include <sstream>

namespace tovu::gdiscript {

void Fail(const std::string& message) {
  throw EScriptError(message);
}

std::string Lower(std::string s) {
  for (char& c : s)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> Tokenize(const std::string& line) {
  std::string s = line;
  const std::size_t hash = s.find('#');
  if (hash != std::string::npos) s.erase(hash);
  std::istringstream in(s);
  std::vector<std::string> tokens;
  std::string t;
  while (in >> t)
    tokens.push_back(t);
  return tokens;
}

const std::string& TScriptArgs::Word(const char* what) {
  if (!More()) Fail(std::string("missing argument: ") + what);
  return FTokens[FPos++];
}

int TScriptArgs::Integer(const char* what) {
  const std::string& s = Word(what);
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 0);
  if (end == s.c_str() || *end) Fail(std::string("bad integer for ") + what + ": " + s);
  return int(v);
}

win::RECT TScriptArgs::Box() {
  win::RECT box;
  box.left = Integer("L");
  box.top = Integer("T");
  box.right = Integer("R");
  box.bottom = Integer("B");
  return box;
}

win::COLORREF TScriptArgs::Color(const char* what) {
  std::string s = Word(what);
  if (!s.empty() && s[0] == '#') s.erase(0, 1);
  char* end = nullptr;
  const unsigned long v = std::strtoul(s.c_str(), &end, 16);
  if (s.size() != 6 || *end) Fail(std::string("bad colour (want RRGGBB) for ") + what + ": " + s);
  return win::RGB(win::BYTE((v >> 16) & 0xFF), win::BYTE((v >> 8) & 0xFF), win::BYTE(v & 0xFF));
}

std::string TScriptArgs::Rest(const char* what) {
  if (!More()) Fail(std::string("missing argument: ") + what);
  std::string r;
  while (More()) {
    if (!r.empty()) r += ' ';
    r += FTokens[FPos++];
  }
  return r;
}

int TScriptArgs::Lookup(const std::map<std::string, int>& table, const char* what) {
  const std::string& key = Word(what);
  const auto it = table.find(Lower(key));
  if (it != table.end()) return it->second;
  char* end = nullptr;
  const long v = std::strtol(key.c_str(), &end, 0);
  if (end != key.c_str() && !*end) return int(v);
  Fail(std::string("unknown ") + what + ": " + key);
}

win::DWORD TScriptArgs::Rop(const char* what) {
  static const std::map<std::string, win::DWORD> names = {
      {"srccopy", win::SRCCOPY},         {"srcpaint", win::SRCPAINT},
      {"srcand", win::SRCAND},           {"srcinvert", win::SRCINVERT},
      {"srcerase", win::SRCERASE},       {"notsrccopy", win::NOTSRCCOPY},
      {"notsrcerase", win::NOTSRCERASE}, {"mergecopy", win::MERGECOPY},
      {"mergepaint", win::MERGEPAINT},   {"patcopy", win::PATCOPY},
      {"patpaint", win::PATPAINT},       {"patinvert", win::PATINVERT},
      {"dstinvert", win::DSTINVERT},     {"blackness", win::BLACKNESS},
      {"whiteness", win::WHITENESS}};
  const std::string& s = Word(what);
  const auto it = names.find(Lower(s));
  if (it != names.end()) return it->second;
  char* end = nullptr;
  const unsigned long v = std::strtoul(s.c_str(), &end, 16);
  if (end == s.c_str() || *end) Fail("bad raster operation (want hex like 00CC0020): " + s);
  return win::DWORD(v);
}

std::vector<win::POINT> TScriptArgs::Points() {
  if (Left() < 4 || Left() % 2) Fail("want an even number of coordinates, at least two points");
  std::vector<win::POINT> points;
  while (More()) {
    win::POINT p;
    p.x = Integer("x");
    p.y = Integer("y");
    points.push_back(p);
  }
  return points;
}

void TScriptArgs::Done() const {
  if (More()) Fail("unexpected extra argument: " + FTokens[FPos]);
}

}  // namespace tovu::gdiscript
