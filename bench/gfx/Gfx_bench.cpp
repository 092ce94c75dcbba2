// The program's display of a camera picture: a 12- or 24-megapixel JPEG loaded into a JPEG
// image and drawn stretched into the main window's picture area (590 x 442), against the floors,
// plain decodes of the same bytes by the JPEG library with the same floating-point inverse DCT
// (streaming rows as djpeg does, and into a whole new picture). The ratios to both floors are
// reported with each run, all in processor time.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "bench/gfx/PhotoPictures.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Streams.h"
#include "gfx/JPEGImage.h"
#include "gfx/JpegCodec.h"
// The library's header defines TRUE and FALSE, so it comes after the platform's.
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

using namespace fw;

const std::vector<std::uint8_t>& PhotoOf(int megapixels) {
  static std::map<int, std::vector<std::uint8_t>> photos;
  auto& photo = photos[megapixels];
  if (photo.empty())
    photo = megapixels == 24 ? bench::MakePhotoJpeg(6000, 4000) : bench::MakePhotoJpeg(4000, 3000);
  return photo;
}

// Processor time of this process (user and system, page faults included): the machine running
// the benchmarks is shared, so wall time says little.
double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The library alone, float inverse DCT, blue-green-red rows: either one row buffer used again
// for every row, as djpeg streams its output, or a fresh buffer for the whole picture, as any
// decoder that keeps the picture needs (its first touch of every page is part of the cost).
enum TFloor { flRows, flWholePicture };

void PlainDecode(const std::vector<std::uint8_t>& bytes, TFloor floor) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_FLOAT;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  const std::size_t stride = std::size_t(info.output_width) * 3;
  const std::size_t rows = floor == flRows ? 1 : info.output_height;
  const std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[stride * rows]);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.get() + (floor == flRows ? 0 : stride * info.output_scanline);
    jpeg_read_scanlines(&info, &row, 1);
  }
  benchmark::DoNotOptimize(pixels.get());
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

double FloorSeconds(int megapixels, TFloor floor) {
  static std::map<std::pair<int, int>, double> floors;
  double& seconds = floors[{megapixels, int(floor)}];
  if (seconds == 0) {
    seconds = 1e9;
    for (int i = 0; i < 5; ++i) {
      const double start = ProcessSeconds();
      PlainDecode(PhotoOf(megapixels), floor);
      seconds = std::min(seconds, ProcessSeconds() - start);
    }
  }
  return seconds;
}

void BM_PlainLibraryDecode(benchmark::State& state) {
  const auto& bytes = PhotoOf(int(state.range(0)));
  const auto floor = TFloor(state.range(1));
  for (auto _ : state)
    PlainDecode(bytes, floor);
  state.SetLabel(std::string(floor == flRows ? "rows" : "whole picture") + ", " +
                 std::to_string(bytes.size() / 1024) + " KiB");
}
BENCHMARK(BM_PlainLibraryDecode)
    ->ArgsProduct({{12, 24}, {flRows, flWholePicture}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_LoadAndDrawStretched(benchmark::State& state) {
  const int megapixels = int(state.range(0));
  const auto& bytes = PhotoOf(megapixels);
  const double rowsFloor = FloorSeconds(megapixels, flRows);
  const double pictureFloor = FloorSeconds(megapixels, flWholePicture);
  TBitmap window;
  window.SetPixelFormat(pf32bit);
  window.SetSize(600, 600);
  TCanvas* canvas = window.Canvas();
  // The file as the program reads it: the image copies it from the stream into its own memory.
  TMemoryStream file;
  file.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  double total = 0;
  for (auto _ : state) {
    const double start = ProcessSeconds();
    file.SetPosition(0);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(file);
    canvas->StretchDraw(TRect{5, 90, 595, 532}, &jpeg);
    total += ProcessSeconds() - start;
  }
  const double perIteration = total / double(state.iterations());
  state.counters["rows_floor_ms"] = rowsFloor * 1000;
  state.counters["picture_floor_ms"] = pictureFloor * 1000;
  state.counters["x_rows_floor"] = perIteration / rowsFloor;
  state.counters["x_picture_floor"] = perIteration / pictureFloor;
}
BENCHMARK(BM_LoadAndDrawStretched)
    ->Arg(12)
    ->Arg(24)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Drawing a decoded picture again: the stretch alone, with no decoding.
void BM_RedrawDecodedPicture(benchmark::State& state) {
  TMemoryStream file;
  const auto& bytes = PhotoOf(12);
  file.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  file.SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(file);
  TBitmap window;
  window.SetPixelFormat(pf32bit);
  window.SetSize(600, 600);
  for (auto _ : state)
    window.Canvas()->StretchDraw(TRect{5, 90, 595, 532}, &jpeg);
}
BENCHMARK(BM_RedrawDecodedPicture)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
