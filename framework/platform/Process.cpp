#include "framework/platform/Process.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

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

bool NeedsQuotes(const std::string& argument) {
  return std::any_of(argument.begin(), argument.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return std::string();
  path.resize(std::size_t(length));
  return path;
}

}  // namespace

std::string BuildCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  bool first = true;
  for (const std::string& argument : arguments) {
    std::string text;
    std::copy_if(argument.begin(), argument.end(), std::back_inserter(text),
                 [](char c) { return c != '"'; });
    if (text.empty()) continue;
    if (!first) line += ' ';
    first = false;
    if (NeedsQuotes(text)) {
      line += '"' + text + '"';
    } else {
      line += text;
    }
  }
  return line;
}

void SetCommandLineArguments(const std::vector<std::string>& arguments) {
  Store().FArguments = arguments;
  Store().FBuilt = false;
}

LPCSTR GetCommandLineA() {
  TCommandLineStore& store = Store();
  if (!store.FBuilt) {
    store.FText = BuildCommandLine(store.FArguments ? *store.FArguments : ProcessArguments());
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
