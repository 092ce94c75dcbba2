// gdi-replay: runs a script of the GDI oracle's language on our own GDI and saves the canvas as
// the oracle would. Usage: gdi-replay SCRIPT [OUT.bmp]. Relative paths inside the script
// resolve against the script's folder.
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "tools/gdiscript/BmpLoader.h"
#include "tools/gdiscript/ScriptEngine.h"

int main(int argc, char** argv) {
  using namespace tovu::gdiscript;
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: gdi-replay SCRIPT [OUT.bmp]\n");
    return 2;
  }
  const std::filesystem::path script(argv[1]);
  std::vector<std::uint8_t> text;
  try {
    text = ReadWholeFile(script.string());
  } catch (const EScriptError&) {
    std::fprintf(stderr, "gdi-replay: cannot open script %s\n", argv[1]);
    return 2;
  }
  try {
    TScriptEngine engine(script.parent_path(), std::cout);
    engine.RunText(std::string(text.begin(), text.end()), argv[1]);
    if (argc == 3) WriteFile(argv[2], engine.EncodeCanvas());
  } catch (const EScriptError& e) {
    std::fprintf(stderr, "gdi-replay: %s\n", e.what());
    return 1;
  }
  std::cout.flush();
  return 0;
}
