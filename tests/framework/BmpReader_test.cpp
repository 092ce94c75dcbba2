// BMP files load as the platform loads them: every accepted layout against the oracle's golden
// picture, the reading rules at the edges, and hostile files that must fail cleanly.
#include "framework/BmpReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Picture.h"
#include "framework/PictureLimits.h"
#include "framework/Streams.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace fw {
namespace {

using testing::CountDifferences;
using testing::PixelsOf;
using testing::TBytes;
using testing::TPixels;

class BmpReader : public ::testing::Test {
 protected:
  static void Load(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    bitmap.LoadFromStream(stream);
  }
};

TBytes FileHeader() {
  return TBytes().U8('B').U8('M').U32(0).U32(0).U32(0);
}

TBytes InfoFile(std::int32_t width, std::int32_t height, std::uint16_t bits,
                std::uint32_t compression = 0, std::uint32_t sizeImage = 0,
                std::uint32_t colorsUsed = 0, std::uint16_t planes = 1) {
  TBytes b = FileHeader();
  b.U32(40).U32(std::uint32_t(width)).U32(std::uint32_t(height)).U16(planes).U16(bits);
  b.U32(compression).U32(sizeImage).U32(0).U32(0).U32(colorsUsed).U32(0);
  return b;
}

// A 24-bit bottom-up file whose pixel (x, y) has blue x, green y and red 0x80.
TBytes Rgb24File(int width, int height) {
  TBytes b = InfoFile(width, height, 24);
  const int stride = (width * 3 + 3) / 4 * 4;
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x)
      b.U8(std::uint8_t(x)).U8(std::uint8_t(row)).U8(0x80);
    b.Fill(std::size_t(stride - width * 3));
  }
  return b;
}

template <class E>
std::string FailureOf(const std::vector<std::uint8_t>& bytes) {
  TBitmap bitmap;
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream.SetPosition(0);
  try {
    ReadBitmapFile(bitmap, stream);
  } catch (const E& e) {
    return e.Message();
  }
  return "no exception of the expected class";
}

TEST_F(BmpReader, EveryCorpusFileDrawsAsTheOracleLoadsIt) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testing::TestData("bmp"))) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".bmp" || name.ends_with(".golden.bmp")) continue;
    SCOPED_TRACE(name);
    ++files;
    const TPixels golden = testing::ReadGolden(
        (entry.path().parent_path() / (entry.path().stem().string() + ".golden.bmp")).string());
    TPicture picture;
    picture.LoadFromFile(entry.path().string());
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    TBitmap canvas;
    testing::MakeCanvas(canvas, golden.Width, golden.Height, 0x808080);
    canvas.Canvas()->Draw(2, 2, picture.Graphic());
    std::string detail;
    EXPECT_EQ(CountDifferences(PixelsOf(canvas), golden, detail), 0) << detail;
  }
  EXPECT_GE(files, 24);
}

TEST_F(BmpReader, EmptyFileGivesAnEmptyBitmap) {
  TBitmap bitmap;
  bitmap.SetSize(3, 3);
  Load(bitmap, {});
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
}

TEST_F(BmpReader, BadSignatureAndPlanesAreInvalidBitmaps) {
  TBytes notBm = Rgb24File(2, 2);
  notBm.Data[0] = 'M';
  notBm.Data[1] = 'B';
  EXPECT_EQ(FailureOf<EInvalidGraphic>(notBm.Data), "ビットマップイメージが不正です");
  TBytes planes = InfoFile(2, 2, 24, 0, 0, 0, 2).Fill(16);
  EXPECT_EQ(FailureOf<EInvalidGraphic>(planes.Data), "ビットマップイメージが不正です");
  TBytes smallHeader = FileHeader().U32(39).Fill(60);
  EXPECT_EQ(FailureOf<EInvalidGraphic>(smallHeader.Data), "ビットマップイメージが不正です");
}

TEST_F(BmpReader, TruncatedHeadersMasksAndColourTablesAreReadErrors) {
  const std::string readError = "ストリームからの読み込みエラー";
  EXPECT_EQ(FailureOf<EReadError>(TBytes().U8('B').U8('M').U32(0).Data), readError);
  TBytes masks = InfoFile(2, 2, 16, 3).U32(0xF800).U32(0x07E0);
  EXPECT_EQ(FailureOf<EReadError>(masks.Data), readError);
  TBytes table = InfoFile(2, 2, 8).Fill(4 * 255);
  EXPECT_EQ(FailureOf<EReadError>(table.Data), readError);
  // A table far larger than the file is refused before anything is allocated for it.
  TBytes hugeTable = InfoFile(2, 2, 8, 0, 0, 0x40000000).Fill(64);
  EXPECT_EQ(FailureOf<EReadError>(hugeTable.Data), readError);
  TBytes hugeHeader = FileHeader().U32(0xFFFFFFFF).Fill(100);
  EXPECT_EQ(FailureOf<EReadError>(hugeHeader.Data), readError);
}

TEST_F(BmpReader, PixelDataLengthIsThePaddedRowsWhenTheHeaderGivesNone) {
  TBytes file = Rgb24File(5, 3);
  const std::size_t fileLength = file.Data.size();
  file.Fill(7, 0xEE);  // bytes after the pixels stay unread
  TMemoryStream stream;
  stream.WriteBuffer(file.Data.data(), std::int64_t(file.Data.size()));
  stream.SetPosition(0);
  TBitmap bitmap;
  ReadBitmapFile(bitmap, stream);
  EXPECT_EQ(stream.Position(), std::int64_t(fileLength));  // 54 + 16 * 3
  EXPECT_EQ(fileLength, 54u + 16u * 3u);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(bitmap.Canvas()->Pixels(4, 0), TColor(0x040080));
}

TEST_F(BmpReader, PixelsTheFileLacksStayZero) {
  TBytes file = Rgb24File(4, 4);
  file.Data[34] = 48;             // header image size: all four rows of 12 bytes
  file.Data.resize(54 + 12 + 5);  // the bottom row and five bytes of the next
  TBitmap bitmap;
  Load(bitmap, file.Data);
  ASSERT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.PixelDataRead(), 17u);
  EXPECT_EQ(bitmap.PixelDataExpected(), 48u);
  TCanvas* c = bitmap.Canvas();
  EXPECT_EQ(c->Pixels(3, 3), TColor(0x030380));
  EXPECT_EQ(c->Pixels(0, 2), TColor(0x000280));
  EXPECT_EQ(c->Pixels(1, 2), TColor(0x010200));  // its red byte is missing
  EXPECT_EQ(c->Pixels(2, 2), TColor(0));
  EXPECT_EQ(c->Pixels(3, 0), TColor(0));
}

// Pixels placed where the file header's offset says, after padding, unused table entries or a
// colour profile, read as those of the same file without the gap.
TEST_F(BmpReader, PixelsAreReadFromTheFileHeadersOffset) {
  auto withGap = [](TBytes file, std::size_t at, std::size_t gap) {
    const std::uint32_t offset = std::uint32_t(at + gap);
    std::memcpy(file.Data.data() + 10, &offset, 4);
    file.Data.insert(file.Data.begin() + std::ptrdiff_t(at), gap, 0xA5);
    return file.Data;
  };
  TBytes rgb24 = Rgb24File(5, 3);
  TBytes rgb8 = InfoFile(4, 2, 8, 0, 0, 16);
  for (int i = 0; i < 16; ++i)
    rgb8.U8(std::uint8_t(i * 16)).U8(std::uint8_t(255 - i)).U8(std::uint8_t(i)).U8(0);
  rgb8.Append({1, 2, 3, 4, 5, 6, 7, 8});
  TBytes v5 = FileHeader();
  v5.U32(124).U32(2).U32(1).U16(1).U16(24).U32(0).U32(0).Fill(124 - 24).Append(
      {1, 2, 3, 4, 5, 6, 0, 0});
  const std::vector<std::tuple<const char*, TBytes, std::size_t, std::size_t>> cases = {
      {"two alignment bytes", rgb24, 54, 2},
      {"a 256-entry table of which 16 are used", rgb8, 54 + 16 * 4, 240 * 4},
      {"a colour profile before the pixels", v5, 14 + 124, 3000},
  };
  for (const auto& [name, file, at, gap] : cases) {
    SCOPED_TRACE(name);
    TBitmap plain, gapped;
    Load(plain, file.Data);
    Load(gapped, withGap(file, at, gap));
    std::string detail;
    EXPECT_EQ(CountDifferences(PixelsOf(gapped), PixelsOf(plain), detail), 0) << detail;
  }
  // An offset inside the headers or past the end is an old writer's mistake: ignored.
  for (const std::uint32_t offset : {0u, 20u, 100000u}) {
    TBytes wrong = Rgb24File(5, 3);
    std::memcpy(wrong.Data.data() + 10, &offset, 4);
    TBitmap plain, read;
    Load(plain, rgb24.Data);
    Load(read, wrong.Data);
    std::string detail;
    EXPECT_EQ(CountDifferences(PixelsOf(read), PixelsOf(plain), detail), 0) << offset << detail;
  }
}

// Files with nothing this program can draw are refused instead of being framed as a blank.
TEST_F(BmpReader, FilesWithoutPixelsToDrawAreRefused) {
  const std::string readError = "ストリームからの読み込みエラー";
  const TBytes rgb24 = Rgb24File(4, 4);
  for (const std::size_t cut : {2, 14, 16, 30, 53}) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(FailureOf<EReadError>({rgb24.Data.begin(), rgb24.Data.begin() + cut}), readError);
  }
  EXPECT_EQ(FailureOf<EReadError>(InfoFile(4, 4, 24).Data), readError) << "headers only";
  EXPECT_EQ(FailureOf<EReadError>(InfoFile(4, 4, 8).Fill(1024).Data), readError)
      << "ends after its colour table";
  EXPECT_EQ(FailureOf<EReadError>(InfoFile(4, 4, 8, 1, 40).Fill(1024).Data), readError)
      << "run lengths without data";
  for (const std::uint16_t bits : {0, 8, 24}) {
    for (const std::uint32_t compression : {4u, 5u}) {
      SCOPED_TRACE(std::to_string(bits) + " bits, compression " + std::to_string(compression));
      EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(4, 4, bits, compression, 64).Fill(64).Data),
                LoadResString(SEmbeddedPicture));
    }
  }
}

// A compressed file is kept only up to the end of its run-length data, not with whatever
// follows, however large.
TEST_F(BmpReader, ACompressedFileIsKeptOnlyUpToTheEndOfItsData) {
  const std::vector<std::uint8_t> runs = {4, 9, 0, 0, 4, 9, 0, 1};
  TBytes file = InfoFile(4, 2, 8, 1, 0xFFFFFF00u).Fill(1024).Append(runs);
  const std::size_t dataEnd = file.Data.size();
  file.Fill(4 << 20, 0x55);
  TBitmap bitmap;
  Load(bitmap, file.Data);
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  EXPECT_EQ(saved.Size(), std::int64_t(dataEnd));
  EXPECT_EQ(bitmap.PixelDataRead(), runs.size());
  EXPECT_EQ(bitmap.PixelDataExpected(), runs.size()) << "complete at its end code";
  // Without an end code the data runs to the file's end, short of the header's image size.
  TBytes unfinished = InfoFile(4, 2, 8, 1, 100).Fill(1024).Append({4, 9, 0, 0});
  Load(bitmap, unfinished.Data);
  EXPECT_EQ(bitmap.PixelDataRead(), 4u);
  EXPECT_EQ(bitmap.PixelDataExpected(), 100u);
}

TEST_F(BmpReader, CoreHeaderColoursEqualTheInfoHeaderEquivalent) {
  TBytes core = FileHeader().U32(12).U16(16).U16(1).U16(1).U16(8);
  TBytes info = InfoFile(16, 1, 8);
  for (int i = 0; i < 256; ++i) {
    core.U8(std::uint8_t(i)).U8(std::uint8_t(255 - i)).U8(std::uint8_t(i * 7));
    info.U8(std::uint8_t(i)).U8(std::uint8_t(255 - i)).U8(std::uint8_t(i * 7)).U8(0);
  }
  for (int x = 0; x < 16; ++x) {
    core.U8(std::uint8_t(x * 16 + 3));
    info.U8(std::uint8_t(x * 16 + 3));
  }
  TBitmap fromCore, fromInfo;
  Load(fromCore, core.Data);
  Load(fromInfo, info.Data);
  EXPECT_TRUE(fromCore.CoreHeader());
  EXPECT_FALSE(fromInfo.CoreHeader());
  std::string detail;
  EXPECT_EQ(CountDifferences(PixelsOf(fromCore), PixelsOf(fromInfo), detail), 0) << detail;
  EXPECT_EQ(fromCore.Canvas()->Pixels(1, 0),
            TColor((0x13 * 7 & 0xFF) | (0xEC << 8) | (0x13 << 16)));
}

// A top-down file gives the same picture as its bottom-up twin, also in a copy that is drawn on
// (copies of a bitmap are made as bottom-up sections).
TEST_F(BmpReader, TopDownRowsKeepTheirOrderInCopies) {
  TBitmap bottomUp, topDown;
  Load(bottomUp, testing::ReadFileBytes(testing::TestData("bmp/rgb24.bmp")));
  Load(topDown, testing::ReadFileBytes(testing::TestData("bmp/rgb24-topdown.bmp")));
  TBitmap copy;
  copy.Assign(&topDown);
  copy.Canvas()->SetPixels(0, 0, clBlack);
  bottomUp.Canvas()->SetPixels(0, 0, clBlack);
  std::string detail;
  EXPECT_EQ(CountDifferences(PixelsOf(copy), PixelsOf(bottomUp), detail), 0) << detail;
  EXPECT_EQ(CountDifferences(PixelsOf(topDown), PixelsOf(bottomUp), detail), 1) << detail;
}

TEST_F(BmpReader, RunLengthFileIsKeptAndWrittenBackUnchanged) {
  const std::vector<std::uint8_t> file = testing::ReadFileBytes(testing::TestData("bmp/rle8.bmp"));
  TBitmap bitmap;
  Load(bitmap, file);
  EXPECT_EQ(bitmap.HandleType(), bmDDB);
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  const std::vector<std::uint8_t> written(saved.Memory(), saved.Memory() + saved.Size());
  EXPECT_EQ(written, file);
}

TEST_F(BmpReader, FailedLoadKeepsThePreviousPicture) {
  testing::TScratchFolder folder;
  testing::WriteFileBytes(folder.File("good.bmp"), Rgb24File(3, 2).Data);
  testing::WriteFileBytes(folder.File("bad.bmp"), InfoFile(2, 2, 8).Fill(10).Data);
  TPicture picture;
  picture.LoadFromFile(folder.File("good.bmp"));
  TGraphic* before = picture.Graphic();
  EXPECT_THROW(picture.LoadFromFile(folder.File("bad.bmp")), EReadError);
  EXPECT_EQ(picture.Graphic(), before);
  EXPECT_EQ(picture.Width(), 3);
}

// Hostile files: sizes that overflow or exceed what can be allocated end in EInvalidGraphic
// before any allocation of their size.
TEST_F(BmpReader, HugeOrOverflowingSizesFailBeforeAllocating) {
  for (const auto& [width, height] : std::vector<std::pair<std::int32_t, std::int32_t>>{
           {INT_MAX, INT_MAX}, {65535, 65535}, {20000, -6000}, {1, INT_MIN}, {INT_MIN, 1}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    for (const std::uint32_t compression : {0u, 1u, 3u}) {
      TBytes file = InfoFile(width, height, compression == 1 ? 8 : 32, compression).Fill(1024 + 12);
      const std::string message = FailureOf<EInvalidGraphic>(file.Data);
      EXPECT_NE(message.find("100000000"), std::string::npos) << message;
    }
  }
  EXPECT_TRUE(PictureSizeAllowed(10000, -10000));
  EXPECT_FALSE(PictureSizeAllowed(10000, 10001));
}

TEST_F(BmpReader, HeadersThePlatformRefusesAreInvalidBitmaps) {
  for (const std::uint16_t bits : {0, 2, 7, 64}) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(4, 4, bits).Fill(64).Data),
              "ビットマップイメージが不正です");
  }
  EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(-4, 4, 24).Fill(64).Data),
            "ビットマップイメージが不正です");
  EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(0, 4, 24).Fill(64).Data),
            "ビットマップイメージが不正です");
  EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(4, 0, 8, 1).Fill(1024 + 8).Data),
            "ビットマップイメージが不正です");
  for (const std::uint16_t bits : {16, 32}) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(FailureOf<EInvalidGraphic>(InfoFile(4, 4, bits, 3).Fill(12 + 64).Data),
              "ビットマップイメージが不正です")
        << "bit fields with three zero masks";
  }
  TBytes between = FileHeader();
  between.U32(44).U32(4).U32(4).U16(1).U16(32).U32(3).Fill(20 + 4 + 64);
  EXPECT_EQ(FailureOf<EInvalidGraphic>(between.Data), "ビットマップイメージが不正です")
      << "bit fields after a header too long for masks after it and too short for masks inside";
}

// Pixel data the platform cannot read fails the load instead of giving a black picture: run
// lengths top-down, without a size, or at a depth they do not exist for, and unknown compressions.
TEST_F(BmpReader, PixelDataThePlatformCannotReadIsAnInvalidBitmap) {
  const std::vector<std::uint8_t> runs = {4, 9, 0, 0, 4, 9, 0, 0, 4, 9, 0, 1};
  auto withTable = [&](TBytes b, int entries) {
    b.Fill(std::size_t(4 * entries));
    return b.Append(runs).Data;
  };
  const std::uint32_t size = std::uint32_t(runs.size());
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"top-down RLE8", withTable(InfoFile(4, -3, 8, 1, size), 256)},
      {"RLE8 without a size", withTable(InfoFile(4, 3, 8, 1, 0), 256)},
      {"RLE8 at 4 bits", withTable(InfoFile(4, 3, 4, 1, size), 16)},
      {"RLE4 at 8 bits", withTable(InfoFile(4, 3, 8, 2, size), 256)},
      {"RLE8 at 24 bits", withTable(InfoFile(4, 3, 24, 1, size), 0)},
      {"compression 99", withTable(InfoFile(4, 3, 24, 99, size), 0)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(FailureOf<EInvalidGraphic>(bytes), "ビットマップイメージが不正です");
  }
  TBitmap bitmap;
  Load(bitmap, withTable(InfoFile(4, 3, 8, 1, size), 256));
  EXPECT_EQ(bitmap.Width(), 4) << "the same runs, bottom-up at 8 bits, load";
}

// Run-length data that leaves the row or the image, ends early, or claims far more data than the
// file holds, decodes what lies inside the picture and ignores the rest.
TEST_F(BmpReader, HostileRunLengthDataStaysInsideThePicture) {
  auto rle8 = [](std::uint32_t sizeImage, const std::vector<std::uint8_t>& data) {
    TBytes b = InfoFile(4, 3, 8, 1, sizeImage);
    for (int i = 0; i < 256; ++i)
      b.U8(std::uint8_t(i)).U8(std::uint8_t(i)).U8(std::uint8_t(i)).U8(0);
    return b.Append(data);
  };
  const std::vector<std::vector<std::uint8_t>> cases = {
      {200, 9, 0, 0, 0, 1},                        // a run of 200 in a 4-pixel row
      {0, 2, 255, 255, 7, 7, 0, 1},                // a delta far beyond the image
      {0, 200, 1, 2},                              // a literal run longer than the data
      {2, 5, 0, 0, 2, 6, 0, 0, 2, 7, 0, 0, 2, 8},  // more rows than the picture has
      {3},                                         // a lone byte
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    for (const std::uint32_t sizeImage : {std::uint32_t(cases[i].size()), 0xFFFFFFF0u}) {
      TBitmap bitmap;
      Load(bitmap, rle8(sizeImage, cases[i]).Data);
      ASSERT_EQ(bitmap.Width(), 4);
      ASSERT_EQ(bitmap.Height(), 3);
    }
  }
  TBitmap bitmap;
  Load(bitmap, rle8(6, cases[0]).Data);
  EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), TColor(0x090909));
  EXPECT_EQ(bitmap.Canvas()->Pixels(3, 1), TColor(0));
}

}  // namespace
}  // namespace fw
