#include "framework/CommandLine.h"

#include "framework/platform/CodePage.h"
#include "framework/platform/Process.h"

namespace fw {
namespace {

bool IsBlank(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

std::size_t Step(std::string_view text, std::size_t at) {
  return at + win::CharLength(win::CP_ACP, text.substr(at));
}

// Reads one argument starting at `at` and leaves `at` after it. Blanks before it are skipped, and
// so are pairs of double quotes standing right before it.
std::string NextParam(std::string_view text, std::size_t& at) {
  for (;;) {
    while (at < text.size() && IsBlank(text[at]))
      ++at;
    if (text.substr(at, 2) != "\"\"") break;
    at += 2;
  }
  std::string param;
  bool quoted = false;
  while (at < text.size()) {
    const auto code = static_cast<unsigned char>(text[at]);
    if (!quoted && code <= 32) break;
    const std::size_t next = Step(text, at);
    if (text[at] == '"') {
      quoted = !quoted;
    } else {
      param.append(text.substr(at, next - at));
    }
    at = next;
  }
  return param;
}

}  // namespace

int ParamCount(std::string_view commandLine) {
  std::size_t at = 0;
  NextParam(commandLine, at);  // the program's own path
  int count = 0;
  while (!NextParam(commandLine, at).empty())
    ++count;
  return count;
}

std::string ParamStr(std::string_view commandLine, int index) {
  if (index < 0) return {};
  std::size_t at = 0;
  std::string param = NextParam(commandLine, at);
  for (int i = 0; i < index; ++i) {
    param = NextParam(commandLine, at);
    if (param.empty()) break;
  }
  return param;
}

int ParamCount() {
  return ParamCount(win::GetCommandLineA());
}

std::string ParamStr(int index) {
  if (index != 0) return ParamStr(win::GetCommandLineA(), index);
  char path[261] = {};
  const win::DWORD length = win::GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : sizeof path - 1);
}

}  // namespace fw
