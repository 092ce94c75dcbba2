// Fuzz target for JPEG loading and decoding: any input either loads (reading its header) and
// decodes with the default settings and with scaled, 8-bit, fast and progressive settings into
// bitmaps of the size the image announced, or fails with EJPEG or EInvalidGraphic. Anything
// else (another exception, a crash, a sanitizer report) is a finding. Pictures of more than
// FullSizePixels are decoded at an eighth of their size only: a full decode of up to 100
// megapixels costs seconds per input and would starve the fuzzer, and what it costs the program
// is measured by the resource tests instead.
//
// Built with libFuzzer (define TOVU_LIBFUZZER, link with -fsanitize=fuzzer) it fuzzes; built as
// a plain program it replays the files and folders given on its command line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "gfx/JPEGImage.h"
#include "tests/fuzz/FuzzReplay.h"

namespace fuzz {

using namespace fw;

int DecodedCount = 0;
constexpr std::int64_t FullSizePixels = 1 << 22;

void CheckDecodedSize(TJPEGImage& jpeg) {
  const int width = jpeg.Width(), height = jpeg.Height();
  TBitmap* bitmap = jpeg.Bitmap();
  if (bitmap->Width() != width || bitmap->Height() != height)
    Finding("decoded size differs from the announced size",
            std::to_string(bitmap->Width()) + "x" + std::to_string(bitmap->Height()) + " for " +
                std::to_string(width) + "x" + std::to_string(height));
}

void Exercise(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, std::int64_t(size));
  stream.SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(stream);
  if (std::int64_t(jpeg.Width()) * jpeg.Height() > FullSizePixels) jpeg.SetDecodeScale(jsEighth);
  CheckDecodedSize(jpeg);
  ++DecodedCount;
  jpeg.SetDecodeScale(jsQuarter);
  jpeg.SetDecodePixelFormat(jf8Bit);
  jpeg.SetDecodeSpeed(dsBestSpeed);
  jpeg.SetProgressiveDecode(true);
  CheckDecodedSize(jpeg);
}

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fw;
  try {
    fuzz::Exercise(data, size);
  } catch (const EJPEG&) {
  } catch (const EInvalidGraphic&) {
  } catch (const std::exception& e) {
    fuzz::Finding("unexpected exception", e.what());
  }
  return 0;
}

#ifndef TOVU_LIBFUZZER
int main(int argc, char** argv) {
  return fuzz::ReplayMain(argc, argv, fuzz::DecodedCount, "decoded");
}
#endif
