// The replay engine's text commands: `font` (CreateFont, non-antialiased), `text` (TextOut of
// the UTF-8 string in the process code page), and the oracle's DrawText commands `drawtext` and
// `calcrect` (DrawTextA, "\n" in the text standing for a CR LF line break).
#include <cstdio>
#include <ostream>

#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/Text.h"
#include "tools/gdiscript/ScriptCommands.h"

namespace tovu::gdiscript {

using namespace win;

void CmdFont(TScriptEngine& engine, TScriptArgs& args) {
  const int height = args.Integer("HEIGHT");
  const int weight = args.Integer("WEIGHT");
  const std::string face = FromUtf8(args.Rest("FACE"));
  engine.ReplaceFont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                 DEFAULT_PITCH, face.c_str()));
}

void CmdText(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X"), y = args.Integer("Y");
  const std::string text = FromUtf8(args.Rest("STRING"));
  if (!TextOutA(engine.Dc(), x, y, text.c_str(), static_cast<int>(text.size())))
    Fail("TextOutA failed");
}

namespace {

// The text of a DrawText command in the process code page, "\n" turned into CR LF.
std::string DrawTextText(TScriptArgs& args) {
  const std::string utf8 = args.Rest("TEXT");
  std::string text;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'n') {
      text += "\r\n";
      ++i;
    } else {
      text += utf8[i];
    }
  }
  return FromUtf8(text);
}

}  // namespace

void CmdDrawText(TScriptEngine& engine, TScriptArgs& args) {
  RECT rect = args.Box();
  const UINT flags = static_cast<UINT>(args.Integer("FLAGS"));
  const std::string text = DrawTextText(args);
  if (DrawTextA(engine.Dc(), text.c_str(), static_cast<int>(text.size()), &rect, flags) == 0)
    Fail("DrawTextA failed");
}

void CmdCalcRect(TScriptEngine& engine, TScriptArgs& args) {
  RECT rect = args.Box();
  const UINT flags = static_cast<UINT>(args.Integer("FLAGS")) | DT_CALCRECT;
  const std::string text = DrawTextText(args);
  if (DrawTextA(engine.Dc(), text.c_str(), static_cast<int>(text.size()), &rect, flags) == 0)
    Fail("DrawTextA (calcrect) failed");
  char line[96];
  std::snprintf(line, sizeof line, "calcrect %ld %ld %ld %ld\n", static_cast<long>(rect.left),
                static_cast<long>(rect.top), static_cast<long>(rect.right),
                static_cast<long>(rect.bottom));
  engine.Out() << line;
}

}  // namespace tovu::gdiscript
