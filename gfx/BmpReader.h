// Reading of BMP files into bitmaps: uncompressed and bit-field pixels straight into a
// device-independent section, run-length encoded and other compressed data through a
// device-compatible bitmap that keeps the file for writing it back unchanged.
#pragma once

namespace fw {

class TBitmap;
class TStream;

// Reads a BMP file from the stream's position to its end into `Bitmap`. No bytes at all give an
// empty bitmap. A bad signature, header or size raises EInvalidGraphic, a file that ends inside
// its masks or colour table EReadError; `Bitmap` is left as it was on failure.
void ReadBitmapFile(TBitmap& Bitmap, TStream& Stream);

// Makes ReadBitmapFile the reader of TBitmap::LoadFromStream.
void InstallBmpReader();

}  // namespace fw
