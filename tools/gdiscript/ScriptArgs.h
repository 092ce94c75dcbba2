// The arguments of one script line as the oracle's command language reads them: integers in C
// notation, colours as RRGGBB, names looked up in tables, the rest of the line as text.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/platform/GdiTypes.h"

namespace tovu::gdiscript {

// A script error; the message names what went wrong, the runner adds file and line.
class EScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& message);

class TScriptArgs {
 public:
  explicit TScriptArgs(std::vector<std::string> tokens) : FTokens(std::move(tokens)) {}

  const std::string& Command() const { return FTokens[0]; }
  bool More() const { return FPos < FTokens.size(); }
  std::size_t Left() const { return FTokens.size() - FPos; }
  const std::string& Word(const char* what);
  int Integer(const char* what);
  win::COLORREF Color(const char* what);
  // The rest of the line joined with single spaces.
  std::string Rest(const char* what);
  // A name from the table (case-insensitive) or a number.
  int Lookup(const std::map<std::string, int>& table, const char* what);
  win::DWORD Rop(const char* what);
  // Four integers L T R B.
  win::RECT Box();
  std::vector<win::POINT> Points();
  void Done() const;

 private:
  std::vector<std::string> FTokens;
  std::size_t FPos = 1;
};

std::string Lower(std::string s);
// Splits a line at blanks, dropping a comment from '#'.
std::vector<std::string> Tokenize(const std::string& line);

}  // namespace tovu::gdiscript
