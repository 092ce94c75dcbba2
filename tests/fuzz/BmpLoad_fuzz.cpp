// Fuzz target for BMP loading: any input either loads into a bitmap that draws, writes itself
// back as a BMP file and loads again at the same size, or fails with EReadError,
// EInvalidGraphic or EOutOfResources. Anything else (another exception, a crash, a sanitizer
// report) is a finding. While fuzzing, pictures of more than FuzzedPixels that the size limit
// still accepts are skipped: each costs up to seconds (hundreds of megabytes decoded, drawn,
// written and read again) and would starve the fuzzer, while the code they run is the same as for
// smaller ones; what they cost the program is measured by the resource tests. The replay program
// runs every input in full.
//
// Built with libFuzzer (define TOVU_LIBFUZZER, link with -fsanitize=fuzzer) it fuzzes; built as
// a plain program it replays the files and folders given on its command line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "framework/Bitmap.h"
#include "framework/BmpLayout.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/PictureLimits.h"
#include "framework/Streams.h"
#include "tests/fuzz/FuzzReplay.h"

namespace fuzz {

using namespace fw;

int LoadedCount = 0;

#ifdef TOVU_LIBFUZZER
constexpr std::int64_t FuzzedPixels = 1 << 18;
#else
constexpr std::int64_t FuzzedPixels = MaxPicturePixels;
#endif

bool Skipped(const std::uint8_t* data, std::size_t size) {
  TBmpLayout layout;
  if (ReadBmpLayout(std::span<const std::uint8_t>(data, size), layout) != brrOk) return false;
  const std::int64_t pixels = std::abs(std::int64_t(layout.Width) * layout.Height);
  return pixels > FuzzedPixels && PictureSizeAllowed(layout.Width, layout.Height);
}

void Load(TBitmap& bitmap, const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, std::int64_t(size));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

void Exercise(const std::uint8_t* data, std::size_t size) {
  if (Skipped(data, size)) return;
  TBitmap bitmap;
  Load(bitmap, data, size);
  ++LoadedCount;
  TBitmap canvas;
  canvas.SetPixelFormat(pf32bit);
  canvas.SetSize(16, 16);
  canvas.Canvas()->StretchDraw(TRect{0, 0, 16, 16}, &bitmap);
  TMemoryStream written;
  bitmap.SaveToStream(written);
  TBitmap again;
  Load(again, written.Memory(), std::size_t(written.Size()));
  if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height())
    Finding("the written file loads at another size",
            std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()));
}

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fw;
  try {
    fuzz::Exercise(data, size);
  } catch (const EReadError&) {
  } catch (const EInvalidGraphic&) {
  } catch (const EOutOfResources&) {
  } catch (const std::exception& e) {
    fuzz::Finding("unexpected exception", e.what());
  }
  return 0;
}

#ifndef TOVU_LIBFUZZER
int main(int argc, char** argv) {
  return fuzz::ReplayMain(argc, argv, fuzz::LoadedCount, "loaded");
}
#endif
