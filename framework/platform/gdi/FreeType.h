// FreeType objects: the one library instance of the process, and faces opened from it, each
// owned by a handle that releases it.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

namespace win::gdi {

struct TFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using TFaceHandle = std::unique_ptr<FT_FaceRec_, TFaceDeleter>;

// The process's FreeType library, created on first use; null if FreeType cannot start.
FT_Library FreeTypeLibrary();

// Opens face `index` of the font file; null when the file is missing or not a font.
TFaceHandle OpenFace(const std::string& file, int index);

}  // namespace win::gdi
