#include "tests/e2e/DecodedJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace tovu::e2e {

namespace {

struct TErrorManager {
  jpeg_error_mgr Public{};
  std::jmp_buf Return;
};

// The library's fatal errors come back here instead of ending the test program.
[[noreturn]] void LeaveOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Return, 1);
}

// Kept apart from DecodeJpegFile so that no object with a destructor lives in the frame that
// setjmp returns to twice.
bool Decode(const std::vector<std::uint8_t>& bytes, TDecodedJpeg& image) {
  jpeg_decompress_struct info{};
  TErrorManager error;
  info.err = jpeg_std_error(&error.Public);
  error.Public.error_exit = LeaveOnError;
  if (setjmp(error.Return) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.Width = int(info.output_width);
  image.Height = int(info.output_height);
  image.Rgb.resize(std::size_t(image.Width) * std::size_t(image.Height) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row =
        image.Rgb.data() + std::size_t(info.output_scanline) * std::size_t(image.Width) * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  const bool whole = error.Public.num_warnings == 0;
  jpeg_destroy_decompress(&info);
  return whole;
}

}  // namespace

std::optional<TDecodedJpeg> DecodeJpegFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                        std::istreambuf_iterator<char>()};
  if (bytes.empty()) return std::nullopt;
  TDecodedJpeg image;
  if (!Decode(bytes, image)) return std::nullopt;
  return image;
}

}  // namespace tovu::e2e
