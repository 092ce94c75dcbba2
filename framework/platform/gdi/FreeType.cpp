#include "framework/platform/gdi/FreeType.h"

namespace win::gdi {

FT_Library FreeTypeLibrary() {
  // Created once and deliberately never released: faces held by objects with static storage
  // (stock fonts, caches) are released during exit in an order we do not control, and each one
  // needs the library alive. It stays reachable, so leak checkers do not count it.
  static const FT_Library library = [] {
    FT_Library created = nullptr;
    return FT_Init_FreeType(&created) == 0 ? created : nullptr;
  }();
  return library;
}

TFaceHandle OpenFace(const std::string& file, int index) {
  FT_Library library = FreeTypeLibrary();
  if (library == nullptr) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
  return TFaceHandle(face);
}

}  // namespace win::gdi
