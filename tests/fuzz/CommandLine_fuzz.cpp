// Fuzz target for command-line splitting and the rebuilding of the picture path. The first byte
// picks the code page (UTF-8 or CP932); the rest is used twice:
// - up to its first NUL byte, as a raw command line: ParamCount and ParamStr must agree with a
//   model written from the splitting rules over the line cut into characters first (so a trail
//   byte can never be seen as a blank or a quote), and with each other;
// - cut at its NUL bytes, as an argument vector: the raw command line rebuilt from it must split
//   back into the same arguments (quote characters, a lead byte without its trail byte and then
//   empty arguments left out), the joined picture path must be those arguments each followed by
//   one space, and its extension, name and folder must be found where the model finds them.
// Any mismatch, a crash or a sanitizer report is a finding.
//
// Built with libFuzzer (define TOVU_LIBFUZZER, link with -fsanitize=fuzzer) it fuzzes; built as
// a plain program it replays the files and folders given on its command line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/PicturePath.h"
#include "framework/CommandLine.h"
#include "framework/FilePaths.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/Process.h"
#include "tests/fuzz/FuzzReplay.h"

namespace fuzz {

int ArgumentCount = 0;  // inputs whose rebuilt command line carries at least one argument

using TCharacters = std::vector<std::string_view>;

// The text cut into characters of the process code page by the platform's CharNextA.
TCharacters Characters(const std::string& text) {
  TCharacters characters;
  for (const char* at = text.c_str(); *at != '\0';) {
    const char* next = win::CharNextA(at);
    characters.emplace_back(at, std::size_t(next - at));
    at = next;
  }
  return characters;
}

bool IsBlank(std::string_view c) {
  return c.size() == 1 && static_cast<unsigned char>(c[0]) >= 1 &&
         static_cast<unsigned char>(c[0]) <= 32;
}

// Every scan step of the splitting rules over whole characters, the program's path first, up to
// the first one that yields nothing.
std::vector<std::string> ModelSplit(const std::string& line) {
  const TCharacters c = Characters(line);
  std::vector<std::string> words;
  std::size_t i = 0;
  for (;;) {
    for (;;) {
      while (i < c.size() && IsBlank(c[i]))
        ++i;
      if (i + 1 < c.size() && c[i] == "\"" && c[i + 1] == "\"") {
        i += 2;
        continue;
      }
      break;
    }
    std::string word;
    for (bool quoted = false; i < c.size(); ++i) {
      if (c[i] == "\"") {
        quoted = !quoted;
      } else if (!quoted && IsBlank(c[i])) {
        break;
      } else {
        word += c[i];
      }
    }
    if (word.empty() && !words.empty()) return words;
    words.push_back(word);
    if (word.empty()) return words;
  }
}

void CheckSplitting(const std::string& line) {
  const std::vector<std::string> words = ModelSplit(line);
  const int count = fw::ParamCount(line);
  if (count != int(words.size()) - 1)
    Finding("argument count differs from the rules", line + " -> " + std::to_string(count));
  for (int i = 0; i <= count; ++i)
    if (fw::ParamStr(line, i) != words[std::size_t(i)])
      Finding("argument differs from the rules", line + " -> " + fw::ParamStr(line, i));
  if (!fw::ParamStr(line, count + 1).empty() || !fw::ParamStr(line, -1).empty())
    Finding("an argument beyond the count is not empty", line);
}

// What the rebuilt command line gives back of one argument: its characters without the quote
// characters and without a lead byte that has no trail byte.
std::string ModelExpressible(const std::string& argument) {
  std::string text;
  for (std::string_view character : Characters(argument)) {
    if (character == "\"") continue;
    if (character.size() == 1 && win::IsDBCSLeadByte(win::BYTE(character[0]))) continue;
    text += character;
  }
  return text;
}

// The extension as the rules find it: from the last character that is a dot or a delimiter, when
// that character is a dot.
std::string ModelExtension(const std::string& path, std::string_view delimiters) {
  std::size_t at = 0, last = std::string::npos;
  for (std::string_view character : Characters(path)) {
    if (character.size() == 1 &&
        (character[0] == '.' || delimiters.find(character[0]) != delimiters.npos))
      last = at;
    at += character.size();
  }
  return last != std::string::npos && path[last] == '.' ? path.substr(last) : std::string();
}

void CheckPathParts(const std::string& filePath) {
  for (const fw::TPathDelimiters& delimiters : {fw::PosixPathDelimiters, fw::DrivePathDelimiters}) {
    std::string withDot(delimiters.Separators);
    if (app::PictureExtension(filePath, delimiters) != ModelExtension(filePath, withDot))
      Finding("extension differs from the rules", filePath);
    if (fw::ExtractFilePath(filePath, delimiters) + fw::ExtractFileName(filePath, delimiters) !=
        filePath)
      Finding("folder and name do not make up the path", filePath);
  }
}

void CheckRebuilding(const std::string& bytes) {
  std::vector<std::string> arguments;
  for (std::size_t start = 0;;) {
    const std::size_t end = bytes.find('\0', start);
    arguments.push_back(bytes.substr(start, end == bytes.npos ? bytes.npos : end - start));
    if (end == bytes.npos) break;
    start = end + 1;
  }
  win::SetCommandLineArguments(arguments);
  const std::string line = win::GetCommandLineA();
  std::string joined;
  int expected = 0;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string text = ModelExpressible(arguments[i]);
    if (text.empty()) continue;
    ++expected;
    if (fw::ParamStr(line, expected) != text)
      Finding("rebuilt argument splits differently", line + " -> " + fw::ParamStr(line, expected));
    joined += text + " ";
  }
  if (fw::ParamCount() != expected) Finding("rebuilt command line has another count", line);
  if (fw::ParamStr(line, 0).empty()) Finding("rebuilt command line has no program path", line);
  if (app::JoinArguments() != joined) Finding("joined path differs", line);
  if (app::PathWithoutTrailingSpace(joined) !=
      joined.substr(0, joined.empty() ? 0 : joined.size() - 1))
    Finding("path without the trailing space differs", joined);
  CheckPathParts(joined);
  if (expected > 0) ++ArgumentCount;
}

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const win::TScopedCodePage codePage((data[0] & 1) != 0 ? win::CP_SHIFTJIS : win::CP_UTF8);
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzz::CheckSplitting(bytes.substr(0, bytes.find('\0')));
  fuzz::CheckRebuilding(bytes);
  return 0;
}

#ifndef TOVU_LIBFUZZER
int main(int argc, char** argv) {
  return fuzz::ReplayMain(argc, argv, fuzz::ArgumentCount, "with arguments");
}
#endif
