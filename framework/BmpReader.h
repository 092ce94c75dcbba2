// Reading of BMP files into bitmaps, for TBitmap::LoadFromStream: uncompressed and bit-field pixels
// straight into a device-independent section, run-length encoded and other compressed data
// through a device-compatible bitmap that keeps the file for writing it back unchanged.
#pragma once

#include "framework/Consts.h"

namespace fw {

// Bitmap files can carry a JPEG or PNG picture as their pixel data, for printers; they are not
// framed.
inline constexpr TResString SEmbeddedPicture{"JPEG や PNG を収めたビットマップは処理できません"};

class TBitmap;
class TStream;

// Reads a BMP file from the stream's position to its end into `Bitmap`. No bytes at all give an
// empty bitmap. A bad signature, header or size, and an embedded JPEG or PNG, raise
// EInvalidGraphic; a file that ends inside its headers, masks or colour table, or that has no
// pixel bytes after them, EReadError. Pixel data that is merely short leaves the rest zero, and
// the bitmap notes it (TBitmap::PixelDataRead). `Bitmap` is left as it was on failure.
void ReadBitmapFile(TBitmap& Bitmap, TStream& Stream);

}  // namespace fw
