// The replay engine's text commands: `font` (CreateFont, non-antialiased) and `text` (TextOut of
// the UTF-8 string in the process code page).
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

}  // namespace tovu::gdiscript
