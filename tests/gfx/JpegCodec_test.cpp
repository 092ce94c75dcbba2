#include "gfx/JpegCodec.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
// clang-format off
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <stdexcept>
#include <utility>
#include <variant>

#include "framework/platform/GdiBlit.h"

namespace fw {
namespace {

// A blue-green-red picture with a pure red top-left corner and gradients elsewhere.
struct TPicture {
  int Width, Height;
  std::vector<std::uint8_t> Pixels;
  TPicture(int width, int height) : Width(width), Height(height), Pixels(width * height * 3) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = Row(y) + 3 * x;
        p[0] = std::uint8_t(x * 255 / width);        // blue
        p[1] = std::uint8_t(y * 255 / height);       // green
        p[2] = std::uint8_t(255 - x * 255 / width);  // red
        if (x < 16 && y < 16) {
          p[0] = 0;
          p[1] = 0;
          p[2] = 255;
        }
      }
    }
  }
  std::uint8_t* Row(int y) { return Pixels.data() + std::size_t(y) * Width * 3; }
};

std::vector<std::uint8_t> Compress(TPicture& picture, const TJpegCompressSettings& settings = {}) {
  std::vector<std::uint8_t> bytes;
  CompressBgr(
      picture.Width, picture.Height, [&](int y) { return picture.Row(y); }, settings,
      [&](const std::uint8_t* data, std::size_t count) {
        bytes.insert(bytes.end(), data, data + count);
        return count;
      });
  return bytes;
}

struct TDecoded {
  TJpegOutputLayout Layout;
  std::vector<std::uint8_t> Pixels;
};

TDecoded Decode(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings = {}) {
  TDecoded decoded;
  DecodeJpeg(data, settings, [&](const TJpegOutputLayout& layout) -> TJpegRowTarget {
    decoded.Layout = layout;
    const std::size_t stride = std::size_t(layout.Width) * layout.BitsPerPixel / 8;
    decoded.Pixels.resize(stride * layout.Height);
    return [&decoded, stride](int y) { return decoded.Pixels.data() + stride * y; };
  });
  return decoded;
}

// The payloads (after the length) of all marker segments of the given type, joined, up to the
// start of the entropy-coded data.
std::vector<std::uint8_t> Segment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
  std::vector<std::uint8_t> payload;
  for (std::size_t i = 2; i + 4 <= jpeg.size();) {
    if (jpeg[i] != 0xFF) break;
    const std::size_t length = std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (jpeg[i + 1] == marker) {
      payload.insert(payload.end(), jpeg.begin() + i + 4,
                     jpeg.begin() + std::min(jpeg.size(), i + 2 + length));
    }
    if (jpeg[i + 1] == 0xDA) break;
    i += 2 + length;
  }
  return payload;
}

TEST(JpegCodec, WritesABaselineJfifFileWithTheQualityTablesAndSubsampling) {
  TPicture picture(600, 600);
  const auto jpeg = Compress(picture);
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);

  const auto app0 = Segment(jpeg, 0xE0);
  ASSERT_EQ(app0.size(), 14u);  // segment length 16
  EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
  EXPECT_EQ(app0[5], 1);  // version 1.01
  EXPECT_EQ(app0[6], 1);
  EXPECT_EQ(app0[7], 0);   // density unit: aspect ratio only
  EXPECT_EQ(app0[9], 1);   // horizontal density 1
  EXPECT_EQ(app0[11], 1);  // vertical density 1

  const auto dqt = Segment(jpeg, 0xDB);
  ASSERT_EQ(dqt.size(), 2u * 65u);  // two tables of 8-bit entries
  EXPECT_EQ(dqt[0], 0x00);
  EXPECT_EQ(dqt[1], 3);  // luminance 16 at 20 percent
  EXPECT_EQ(dqt[65], 0x01);
  EXPECT_EQ(dqt[66], 3);        // chrominance 17 at 20 percent
  EXPECT_EQ(dqt[65 + 64], 20);  // chrominance 99 at 20 percent

  const auto sof0 = Segment(jpeg, 0xC0);  // baseline
  ASSERT_EQ(sof0.size(), 15u);
  EXPECT_EQ(sof0[5], 3);
  const std::uint8_t components[9] = {1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
  EXPECT_TRUE(std::equal(components, components + 9, sof0.begin() + 6));
  EXPECT_TRUE(Segment(jpeg, 0xDD).empty());  // no restart interval
}

TEST(JpegCodec, MatchesTheLibrarysOwnCompressorByteForByte) {
  TPicture picture(123, 77);
  const auto ours = Compress(picture);

  const auto dir = std::filesystem::temp_directory_path() / "tovu-jpeg-test";
  std::filesystem::create_directories(dir);
  {
    std::ofstream ppm(dir / "in.ppm", std::ios::binary);
    ppm << "P6\n" << picture.Width << " " << picture.Height << "\n255\n";
    for (int y = 0; y < picture.Height; ++y) {
      for (int x = 0; x < picture.Width; ++x) {
        const std::uint8_t* p = picture.Row(y) + 3 * x;
        ppm.put(char(p[2])).put(char(p[1])).put(char(p[0]));
      }
    }
  }
  const std::string command = "cjpeg -quality 90 -dct float -outfile '" +
                              (dir / "out.jpg").string() + "' '" + (dir / "in.ppm").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(dir / "out.jpg", std::ios::binary);
  const std::vector<std::uint8_t> theirs{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove_all(dir);
  EXPECT_EQ(ours, theirs);
}

TEST(JpegCodec, DecodingKeepsTheColourOrder) {
  TPicture picture(64, 48);
  const auto decoded = Decode(Compress(picture));
  ASSERT_EQ(decoded.Layout.Width, 64);
  ASSERT_EQ(decoded.Layout.Height, 48);
  ASSERT_EQ(decoded.Layout.BitsPerPixel, 24);
  const std::uint8_t* topLeft = decoded.Pixels.data();
  EXPECT_GT(topLeft[2], 230);  // red
  EXPECT_LT(topLeft[0], 30);   // blue
  long difference = 0;
  for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
    difference += std::abs(int(picture.Pixels[i]) - int(decoded.Pixels[i]));
  }
  EXPECT_LT(double(difference) / double(picture.Pixels.size()), 3.0);
}

TEST(JpegCodec, GrayscaleFilesHaveOneComponentAndDecodeToGrayPalettes) {
  TPicture picture(40, 30);
  TJpegCompressSettings settings;
  settings.Grayscale = true;
  const auto jpeg = Compress(picture, settings);
  const auto sof0 = Segment(jpeg, 0xC0);
  ASSERT_EQ(sof0.size(), 9u);
  EXPECT_EQ(sof0[5], 1);
  EXPECT_EQ(sof0[6], 1);
  EXPECT_EQ(sof0[7], 0x11);
  EXPECT_EQ(Segment(jpeg, 0xDB).size(), 65u);  // no chrominance table
  EXPECT_TRUE(ReadJpegHeader(jpeg).Grayscale);

  const auto decoded = Decode(jpeg);
  EXPECT_EQ(decoded.Layout.BitsPerPixel, 8);
  ASSERT_FALSE(decoded.Layout.Palette.empty());
  EXPECT_LE(decoded.Layout.Palette.size(), 236u);
  for (std::uint32_t entry : decoded.Layout.Palette) {
    EXPECT_EQ(entry & 0xFF, (entry >> 8) & 0xFF);
    EXPECT_EQ(entry & 0xFF, (entry >> 16) & 0xFF);
  }
}

TEST(JpegCodec, HeaderScaleAndProgressiveDecoding) {
  TPicture picture(100, 60);
  TJpegCompressSettings progressive;
  progressive.Progressive = true;
  const auto jpeg = Compress(picture, progressive);
  const TJpegHeaderInfo header = ReadJpegHeader(jpeg);
  EXPECT_EQ(header.Width, 100);
  EXPECT_EQ(header.Height, 60);
  EXPECT_TRUE(header.MultiScan);

  TJpegDecodeSettings quarter;
  quarter.ScaleShift = 2;
  EXPECT_EQ(Decode(jpeg, quarter).Layout.Width, 25);

  TJpegDecodeSettings buffered;
  buffered.ProgressiveDecode = true;
  const auto scanByScan = Decode(jpeg, buffered);
  EXPECT_EQ(scanByScan.Pixels, Decode(jpeg).Pixels);  // the last pass is the full-quality one
}

TEST(JpegCodec, LibraryErrorsBecomeExceptionsWithTheirCodes) {
  TPicture picture(32, 32);
  try {
    CompressBgr(
        32, 32, [&](int y) { return picture.Row(y); }, {},
        [](const std::uint8_t*, std::size_t count) { return count - 1; });
    FAIL() << "a short write must fail";
  } catch (const EJpegFailure& e) {
    EXPECT_EQ(e.Code(), JERR_FILE_WRITE);
  }

  try {
    Decode({});
    FAIL() << "empty input must fail";
  } catch (const EJpegFailure& e) {
    EXPECT_EQ(e.Code(), JERR_INPUT_EMPTY);
  }

  const std::vector<std::uint8_t> garbage(100, 0x42);
  EXPECT_THROW(ReadJpegHeader(garbage), EJpegFailure);
}

// A file compressed in memory: `configure` sets what differs from the library's defaults, `fill`
// writes the samples of each row in turn.
std::vector<std::uint8_t> CompressInMemory(
    int width, int height, int components, J_COLOR_SPACE space,
    const std::function<void(jpeg_compress_struct&)>& configure,
    const std::function<void(int, std::vector<std::uint8_t>&)>& fill) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  configure(info);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(std::size_t(width) * std::size_t(components));
  while (info.next_scanline < info.image_height) {
    fill(int(info.next_scanline), row);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> bytes(out, out + size);
  std::free(out);
  jpeg_destroy_compress(&info);
  return bytes;
}

// A four-colour file as print software writes it, the inks of each pixel as the file stores
// them (inverted under the Adobe marker's convention).
std::vector<std::uint8_t> CompressInks(int width, int height, const std::uint8_t (&left)[4],
                                       const std::uint8_t (&right)[4], J_COLOR_SPACE space,
                                       bool adobeMarker) {
  return CompressInMemory(
      width, height, 4, JCS_CMYK,
      [&](jpeg_compress_struct& info) {
        jpeg_set_colorspace(&info, space);
        info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
        jpeg_set_quality(&info, 95, TRUE);
      },
      [&](int, std::vector<std::uint8_t>& row) {
        for (int x = 0; x < width; ++x)
          std::copy(std::begin(x < width / 2 ? left : right),
                    std::end(x < width / 2 ? left : right), row.begin() + 4 * x);
      });
}

// CMYK and YCCK files come out as 24-bit blue-green-red in their colours: magenta and yellow ink
// give red, half black gives middle gray.
TEST(JpegCodec, FourColourFilesDecodeToTheirColours) {
  const std::uint8_t red[4] = {0, 255, 255, 0}, halfBlack[4] = {0, 0, 0, 128};
  const std::uint8_t redInverted[4] = {255, 0, 0, 255}, halfBlackInverted[4] = {255, 255, 255, 127};
  const std::vector<std::vector<std::uint8_t>> files = {
      CompressInks(32, 16, redInverted, halfBlackInverted, JCS_CMYK, true),
      CompressInks(32, 16, redInverted, halfBlackInverted, JCS_YCCK, true),
      CompressInks(32, 16, red, halfBlack, JCS_CMYK, false),
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    TJpegDecodeSettings eightBit;
    eightBit.EightBitOutput = true;
    for (const TJpegDecodeSettings& settings : {TJpegDecodeSettings{}, eightBit}) {
      const TDecoded decoded = Decode(files[i], settings);
      ASSERT_EQ(decoded.Layout.BitsPerPixel, 24);
      auto near = [&](int x, int b, int g, int r) {
        const std::uint8_t* p = decoded.Pixels.data() + (8 * 32 + x) * 3;
        return std::abs(p[0] - b) <= 3 && std::abs(p[1] - g) <= 3 && std::abs(p[2] - r) <= 3;
      };
      EXPECT_TRUE(near(4, 0, 0, 255));
      EXPECT_TRUE(near(28, 127, 127, 127));
    }
  }
}

TEST(JpegCodec, TruncatedDataDecodesWithTheMissingPartFilledIn) {
  TPicture picture(256, 256);
  auto jpeg = Compress(picture);
  jpeg.resize(jpeg.size() * 2 / 3);
  const auto decoded = Decode(jpeg);
  EXPECT_EQ(decoded.Layout.Height, 256);
  // The top rows decode as before; the lost bottom rows come out flat.
  const auto full = Decode(Compress(picture));
  EXPECT_TRUE(
      std::equal(full.Pixels.begin(), full.Pixels.begin() + 256 * 3 * 16, decoded.Pixels.begin()));
  EXPECT_NE(full.Pixels, decoded.Pixels);
}

TEST(JpegCodec, ExceptionsFromCallbacksPassThroughUnchanged) {
  TPicture picture(32, 32);
  EXPECT_THROW(CompressBgr(
                   32, 32, [](int) -> const std::uint8_t* { throw std::logic_error("rows"); }, {},
                   [](const std::uint8_t*, std::size_t count) { return count; }),
               std::logic_error);
  const auto jpeg = Compress(picture);
  EXPECT_THROW(DecodeJpeg(jpeg, {},
                          [](const TJpegOutputLayout&) -> TJpegRowTarget {
                            throw std::out_of_range("no room");
                          }),
               std::out_of_range);
  int stages = 0;
  EXPECT_THROW(DecodeJpeg(
                   jpeg, {},
                   [](const TJpegOutputLayout&) -> TJpegRowTarget {
                     return [](int) -> std::uint8_t* { throw std::runtime_error("row"); };
                   },
                   [&](TJpegProgressStage stage, int percent, const win::RECT&) {
                     if (stage == jpsEnding) {
                       EXPECT_EQ(percent, 0);
                     }
                     ++stages;
                   }),
               std::runtime_error);
  EXPECT_EQ(stages, 2);  // starting, then ending with 0 percent
}

// A file of the given layout: `components` of 1 (gray), 3 (YCbCr) or 4 (CMYK), the first with
// sampling factors h x v; a restart marker every `restartRows` MCU rows (0: none); progressive or
// baseline. The content is fine noise over gradients, so that upsampling has work to do.
struct TLayout {
  int Components = 3;
  int H = 2, V = 2;
  int RestartRows = 0;
  bool Progressive = false;
};

std::vector<std::uint8_t> CompressLayout(int width, int height, const TLayout& layout) {
  const J_COLOR_SPACE space = layout.Components == 1   ? JCS_GRAYSCALE
                              : layout.Components == 4 ? JCS_CMYK
                                                       : JCS_RGB;
  std::uint32_t noise = 12345;
  return CompressInMemory(
      width, height, layout.Components, space,
      [&](jpeg_compress_struct& info) {
        info.comp_info[0].h_samp_factor = layout.H;
        info.comp_info[0].v_samp_factor = layout.V;
        info.restart_in_rows = layout.RestartRows;
        jpeg_set_quality(&info, 90, TRUE);
        if (layout.Progressive) jpeg_simple_progression(&info);
      },
      [&](int y, std::vector<std::uint8_t>& row) {
        for (std::size_t i = 0; i < row.size(); ++i) {
          noise = noise * 1103515245u + 12345u;
          const int x = int(i) / layout.Components, c = int(i) % layout.Components;
          row[i] = std::uint8_t((x * 7 + y * (3 + c) + c * 60) % 200 + (noise >> 16) % 56);
        }
      });
}

// Ways of picking the offsets kept along one axis of `size` pixels: the stretch's choice at a
// few shrinking sizes, every one, every third from the second, and the last alone.
std::vector<std::vector<int>> Pickings(int size) {
  std::vector<std::vector<int>> pickings;
  for (const int target : {1, size / 2, (size * 2) / 3, size - 1}) {
    if (target <= 0 || target >= size) continue;
    for (const bool rows : {false, true}) {
      // Empty where the platform does not name its choice (the real GDI).
      const std::vector<win::LONG> chosen = win::StretchSourceOffsets(size, target, rows);
      if (!chosen.empty()) pickings.emplace_back(chosen.begin(), chosen.end());
    }
  }
  std::vector<int> all, third;
  for (int i = 0; i < size; ++i) {
    all.push_back(i);
    if (i % 3 == 1) third.push_back(i);
  }
  pickings.push_back(all);
  if (!third.empty()) pickings.push_back(third);
  pickings.push_back({size - 1});
  return pickings;
}

// Checks every way of sampling the file against its full decoding, pixel for pixel.
void ExpectSamplesOfFullDecoding(const std::vector<std::uint8_t>& jpeg,
                                 const TJpegDecodeSettings& settings = {}) {
  const TDecoded full = Decode(jpeg, settings);
  const int width = full.Layout.Width, height = full.Layout.Height;
  const std::size_t pixel = std::size_t(full.Layout.BitsPerPixel / 8);
  for (const std::vector<int>& rows : Pickings(height)) {
    for (const std::vector<int>& columns : Pickings(width)) {
      const TJpegSamples samples{columns, rows};
      std::vector<std::uint8_t> kept;
      DecodeJpegSamples(jpeg, settings, samples, [&](const TJpegOutputLayout& layout) {
        EXPECT_EQ(layout.Width, int(columns.size()));
        EXPECT_EQ(layout.Height, int(rows.size()));
        EXPECT_EQ(layout.Palette, full.Layout.Palette);
        const std::size_t stride = columns.size() * pixel;
        kept.resize(stride * rows.size());
        return [&kept, stride](int y) { return kept.data() + stride * std::size_t(y); };
      });
      std::vector<std::uint8_t> expected;
      for (const int y : rows)
        for (const int x : columns) {
          const std::uint8_t* p = full.Pixels.data() + (std::size_t(y) * width + x) * pixel;
          expected.insert(expected.end(), p, p + pixel);
        }
      ASSERT_EQ(kept, expected) << width << " x " << height << ", " << columns.size() << " x "
                                << rows.size() << " samples";
    }
  }
}

// Sampled decoding skips rows through the library; what it keeps must be the full decoding's
// pixels for every sampling layout (the upsampling reads neighbouring rows), restart markers,
// progressive files (decoded with block smoothing), gray and four-colour files (quantised or
// converted row by row), odd sizes, and pictures cut short.
TEST(JpegCodec, SampledDecodingKeepsExactlyTheFullDecodingsPixels) {
  const TLayout layouts[] = {{3, 2, 2},    {3, 2, 1},          {3, 1, 2},
                             {3, 1, 1},    {1, 1, 1},          {4, 1, 1},
                             {3, 2, 2, 1}, {3, 2, 2, 0, true}, {3, 1, 2, 0, true}};
  for (const TLayout& layout : layouts) {
    SCOPED_TRACE(testing::Message() << layout.Components << " components " << layout.H << "x"
                                    << layout.V << " restart " << layout.RestartRows
                                    << (layout.Progressive ? " progressive" : ""));
    for (const auto& [w, h] : {std::pair{1, 1}, {2, 33}, {33, 2}, {17, 9}, {31, 33}, {300, 45}})
      ExpectSamplesOfFullDecoding(CompressLayout(w, h, layout));
  }
  // Every size up to 33 x 33 in the camera layout.
  for (int h = 1; h <= 33; ++h)
    for (int w = 1; w <= 33; w += (h % 4 == 0 ? 1 : 5)) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      ExpectSamplesOfFullDecoding(CompressLayout(w, h, {}));
    }
  TJpegDecodeSettings eightBit;
  eightBit.EightBitOutput = true;
  ExpectSamplesOfFullDecoding(CompressLayout(45, 37, {}), eightBit);
  std::vector<std::uint8_t> cut = CompressLayout(64, 200, {});
  cut.resize(cut.size() / 2);
  ExpectSamplesOfFullDecoding(cut);
}

// What a sampled decoding keeps, or the library's message code when it fails.
std::variant<std::vector<std::uint8_t>, int> SampleOrFailure(std::span<const std::uint8_t> jpeg,
                                                             const TJpegSamples& samples) {
  std::vector<std::uint8_t> kept;
  try {
    DecodeJpegSamples(jpeg, {}, samples, [&](const TJpegOutputLayout& layout) {
      const std::size_t stride = std::size_t(layout.Width) * 3;
      kept.resize(stride * std::size_t(layout.Height));
      return [&kept, stride](int y) { return kept.data() + stride * std::size_t(y); };
    });
  } catch (const EJpegFailure& failure) {
    return failure.Code();
  }
  return kept;
}

std::variant<std::vector<std::uint8_t>, int> FullOrFailure(std::span<const std::uint8_t> jpeg,
                                                           const TJpegSamples& samples) {
  TDecoded full;
  try {
    full = Decode(jpeg);
  } catch (const EJpegFailure& failure) {
    return failure.Code();
  }
  std::vector<std::uint8_t> expected;
  for (const int y : samples.Rows)
    for (const int x : samples.Columns) {
      const std::uint8_t* p = full.Pixels.data() + (std::size_t(y) * full.Layout.Width + x) * 3;
      expected.insert(expected.end(), p, p + 3);
    }
  return expected;
}

// The scan's data starts after the start-of-scan marker's segment.
std::size_t ScanDataStart(const std::vector<std::uint8_t>& jpeg) {
  for (std::size_t i = 0; i + 3 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) return i + 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
  return jpeg.size();
}

// Damaged scan data (a marker or the file's end where bits are needed, codes no table has, runs
// past a block's end, restart markers out of place or behind stray bytes) is sampled exactly as
// the library decodes it, and fails where the library's decoding fails; fill bytes before a
// restart marker are no damage.
TEST(JpegCodec, DamagedScanDataIsSampledAsTheLibraryDecodesIt) {
  const int width = 64, height = 48;
  const TJpegSamples samples{{0, 5, 6, 31, 32, 63}, {0, 1, 17, 30, 47}};
  for (const TLayout& layout : {TLayout{3, 2, 2}, TLayout{3, 2, 1, 1}}) {
    const std::vector<std::uint8_t> jpeg = CompressLayout(width, height, layout);
    const std::size_t start = ScanDataStart(jpeg), end = jpeg.size() - 2;
    std::vector<std::vector<std::uint8_t>> damaged;
    for (std::size_t at = start; at < end; at += 11) {
      for (const std::uint8_t value : {std::uint8_t(0x00), std::uint8_t(0xFF)}) {
        std::vector<std::uint8_t> bad = jpeg;
        bad[at] = value;
        damaged.push_back(bad);
      }
      std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(at));
      damaged.push_back(cut);
    }
    for (std::size_t at = start; at + 1 < end; ++at) {
      if (jpeg[at] != 0xFF || (jpeg[at + 1] & 0xF8) != 0xD0) continue;
      for (const std::vector<std::uint8_t>& insert :
           {std::vector<std::uint8_t>{0xFF}, std::vector<std::uint8_t>{0x12},
            std::vector<std::uint8_t>{0xFF, 0x00}}) {
        std::vector<std::uint8_t> bad = jpeg;
        bad.insert(bad.begin() + std::ptrdiff_t(at), insert.begin(), insert.end());
        damaged.push_back(bad);
      }
      for (const int shift : {1, 3, 7}) {
        std::vector<std::uint8_t> renumbered = jpeg;
        renumbered[at + 1] = std::uint8_t(0xD0 | ((jpeg[at + 1] + shift) & 7));
        damaged.push_back(renumbered);
      }
    }
    ASSERT_GT(damaged.size(), 100u);
    for (std::size_t i = 0; i < damaged.size(); ++i)
      ASSERT_EQ(SampleOrFailure(damaged[i], samples), FullOrFailure(damaged[i], samples))
          << "variant " << i << " of " << layout.RestartRows << " restart rows";
  }
}

// Pictures of a megapixel or more are sampled on two threads: the same pixels, at the main
// window's kind of shrink and at every row and column.
TEST(JpegCodec, LargePicturesSampleTheSamePixelsOnTwoThreads) {
  const int width = 1203, height = 1001;
  for (const TLayout& layout : {TLayout{3, 2, 2, 3}, TLayout{3, 2, 1}, TLayout{3, 1, 2}}) {
    const std::vector<std::uint8_t> jpeg = CompressLayout(width, height, layout);
    const TDecoded full = Decode(jpeg);
    auto offsets = [](int size, int target) {
      std::vector<int> kept;
      for (const win::LONG at : win::StretchSourceOffsets(size, target, false))
        kept.push_back(at);
      if (kept.empty())  // the real GDI names no choice: every third pixel
        for (int i = 0; i < size; i += 3)
          kept.push_back(i);
      return kept;
    };
    std::vector<int> allRows(height);
    std::iota(allRows.begin(), allRows.end(), 0);
    for (const TJpegSamples& samples : {TJpegSamples{offsets(width, 590), offsets(height, 491)},
                                        TJpegSamples{offsets(width, 300), allRows}}) {
      std::vector<std::uint8_t> kept, expected;
      const std::size_t stride = samples.Columns.size() * 3;
      DecodeJpegSamples(jpeg, {}, samples, [&](const TJpegOutputLayout&) {
        kept.resize(stride * samples.Rows.size());
        return [&kept, stride](int y) { return kept.data() + stride * std::size_t(y); };
      });
      for (const int y : samples.Rows)
        for (const int x : samples.Columns) {
          const std::uint8_t* p = full.Pixels.data() + (std::size_t(y) * width + x) * 3;
          expected.insert(expected.end(), p, p + 3);
        }
      ASSERT_EQ(kept, expected) << layout.H << "x" << layout.V << ", " << samples.Rows.size()
                                << " rows";
    }
  }
}

}  // namespace
}  // namespace fw
