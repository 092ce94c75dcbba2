// Fuzz target for JPEG loading and decoding: any input either loads (reading its header) and
// decodes with the default settings and with scaled, 8-bit, fast and progressive settings into
// bitmaps of the size the image announced, or fails with EJPEG or EInvalidGraphic; its sampled
// decoding keeps exactly the full decoding's pixels. Anything
// else (another exception, a crash, a sanitizer report) is a finding. While fuzzing, pictures of
// more than FuzzedPixels are decoded at an eighth of their size first, and those of more than 4
// times that only loaded: a scaled decode still walks every block of every scan (a progressive
// file may have 100), so a large one costs seconds per input and would starve the fuzzer, while
// the code it runs is the same as for smaller ones; what it costs the program is measured by the
// resource tests. The replay program decodes every input in full.
//
// Built with libFuzzer (define TOVU_LIBFUZZER, link with -fsanitize=fuzzer) it fuzzes; built as
// a plain program it replays the files and folders given on its command line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/PictureLimits.h"
#include "framework/Streams.h"
#include "gfx/JPEGImage.h"
#include "gfx/JpegCodec.h"
#include "tests/fuzz/FuzzReplay.h"

namespace fuzz {

using namespace fw;

int DecodedCount = 0;

#ifdef TOVU_LIBFUZZER
constexpr std::int64_t FuzzedPixels = 1 << 18;
#else
constexpr std::int64_t FuzzedPixels = MaxPicturePixels;
#endif

void CheckDecodedSize(TJPEGImage& jpeg) {
  const int width = jpeg.Width(), height = jpeg.Height();
  TBitmap* bitmap = jpeg.Bitmap();
  if (bitmap->Width() != width || bitmap->Height() != height)
    Finding("decoded size differs from the announced size",
            std::to_string(bitmap->Width()) + "x" + std::to_string(bitmap->Height()) + " for " +
                std::to_string(width) + "x" + std::to_string(height));
}

// The sampled decoding (every third column and every other row here) keeps exactly the full
// decoding's pixels, and fails where the full decoding fails; nothing else is expected of an
// input that decodes in full.
std::optional<std::vector<std::uint8_t>> DecodeOrNothing(std::span<const std::uint8_t> bytes,
                                                         const TJpegSamples* samples) {
  std::vector<std::uint8_t> pixels;
  auto begin = [&](const TJpegOutputLayout& layout) {
    const std::size_t stride = std::size_t(layout.Width) * std::size_t(layout.BitsPerPixel / 8);
    pixels.assign(stride * std::size_t(layout.Height), 0);
    return [&pixels, stride](int y) { return pixels.data() + stride * std::size_t(y); };
  };
  try {
    if (samples)
      DecodeJpegSamples(bytes, {}, *samples, begin);
    else
      DecodeJpeg(bytes, {}, begin);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  return pixels;
}

void CheckSampledDecoding(std::span<const std::uint8_t> bytes, int width, int height) {
  TJpegSamples samples;
  for (int x = 0; x < width; x += 3)
    samples.Columns.push_back(x);
  for (int y = 0; y < height; y += 2)
    samples.Rows.push_back(y);
  const auto full = DecodeOrNothing(bytes, nullptr);
  const auto sampled = DecodeOrNothing(bytes, &samples);
  if (!full) {
    if (sampled) Finding("sampled decoding succeeds where the full one fails", "");
    return;
  }
  if (!sampled) Finding("sampled decoding fails where the full one succeeds", "");
  // Gray pictures are quantised to a palette: one byte a pixel.
  const std::size_t pixel = full->size() / (std::size_t(width) * std::size_t(height));
  std::vector<std::uint8_t> expected;
  for (const int y : samples.Rows)
    for (const int x : samples.Columns) {
      const std::uint8_t* p = full->data() + (std::size_t(y) * std::size_t(width) + x) * pixel;
      expected.insert(expected.end(), p, p + pixel);
    }
  if (*sampled != expected) Finding("sampled decoding differs from the full decoding", "");
}

void Exercise(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, std::int64_t(size));
  stream.SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(stream);
  const std::int64_t pixels = std::int64_t(jpeg.Width()) * jpeg.Height();
  if (pixels > 4 * FuzzedPixels) return;
  const bool large = pixels > FuzzedPixels;
  if (!large) CheckSampledDecoding({data, size}, jpeg.Width(), jpeg.Height());
  if (large) jpeg.SetDecodeScale(jsEighth);
  CheckDecodedSize(jpeg);
  ++DecodedCount;
  if (!large) jpeg.SetDecodeScale(jsQuarter);
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
