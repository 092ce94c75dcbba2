#include "framework/platform/Process.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

#include "framework/platform/CodePage.h"
#include "framework/platform/LastError.h"

namespace win {

namespace {

struct TCommandLineStore {
  std::optional<std::vector<std::string>> FArguments;
  std::string FText;
  bool FBuilt = false;
};

TCommandLineStore& Store() {
  static TCommandLineStore store;
  return store;
}

std::vector<std::string> ProcessArguments() {
  std::ifstream file("/proc/self/cmdline", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  std::size_t start = 0;
  while (start < raw.size()) {
    const std::size_t end = raw.find('\0', start);
    arguments.push_back(
        raw.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return arguments;
}

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return std::string();
  path.resize(std::size_t(length));
  return path;
}

// An argument as the splitting rules can give it back, stepped by characters of the process code
// page: quote characters are dropped, and so is a lead byte that ends the argument without its
// trail byte (it would take the blank or quote written after it as its trail). A 0x22 trail byte
// belongs to its character and stays. `needsQuotes` tells whether a blank or control character
// is left, which only a quoted stretch keeps.
std::string Expressible(std::string_view argument, bool& needsQuotes) {
  std::string text;
  needsQuotes = false;
  for (std::size_t at = 0; at < argument.size();) {
    const std::string_view character = argument.substr(at, CharLength(CP_ACP, argument.substr(at)));
    at += character.size();
    if (character == "\"") continue;
    if (character.size() == 1 && IsDBCSLeadByte(BYTE(character[0])) && at == argument.size())
      continue;
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) <= 32) needsQuotes = true;
    text += character;
  }
  return text;
}

// The argument vector a test set, or else the process's own.
std::vector<std::string> Arguments() {
  return Store().FArguments ? *Store().FArguments : ProcessArguments();
}

}  // namespace

std::string BuildCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    bool needsQuotes = false;
    std::string text = Expressible(arguments[i], needsQuotes);
    // The first word is always the program's path: one that cannot be expressed would make the
    // first argument take its place, so the executable's own path stands in for it.
    if (i == 0 && text.empty()) text = Expressible(ExecutablePath(), needsQuotes);
    if (text.empty()) continue;
    if (!line.empty()) line += ' ';
    line += needsQuotes ? '"' + text + '"' : text;
  }
  return line;
}

std::optional<std::string> ArgumentTheCommandLineCannotCarry() {
  const std::vector<std::string> arguments = Arguments();
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    bool needsQuotes = false;
    if (Expressible(arguments[i], needsQuotes) != arguments[i]) return arguments[i];
  }
  return std::nullopt;
}

void SetCommandLineArguments(const std::vector<std::string>& arguments) {
  Store().FArguments = arguments;
  Store().FBuilt = false;
}

LPCSTR GetCommandLineA() {
  TCommandLineStore& store = Store();
  if (!store.FBuilt) {
    store.FText = BuildCommandLine(Arguments());
    store.FBuilt = true;
  }
  return store.FText.c_str();
}

DWORD GetModuleFileNameA(HINSTANCE module, LPSTR buffer, DWORD size) {
  if (module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string path = ExecutablePath();
  if (path.size() < size) {
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return DWORD(path.size());
  }
  std::memcpy(buffer, path.data(), size - 1);
  buffer[size - 1] = '\0';
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}

}  // namespace win
