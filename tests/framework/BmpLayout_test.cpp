// The headers, masks and colour table of BMP files read up to their pixel data, and where
// run-length data ends.
#include "framework/BmpLayout.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/framework/GraphicsTestSupport.h"

namespace fw {
namespace {

using testing::TBytes;

TBytes FileHeader() {
  return TBytes().U8('B').U8('M').U32(0).U32(0).U32(0);
}

TBytes InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bits,
                  std::uint32_t compression = BmpRgb, std::uint32_t sizeImage = 0,
                  std::uint32_t colorsUsed = 0, std::uint16_t planes = 1) {
  TBytes b = FileHeader();
  b.U32(40).U32(std::uint32_t(width)).U32(std::uint32_t(height)).U16(planes).U16(bits);
  b.U32(compression).U32(sizeImage).U32(2835).U32(2835).U32(colorsUsed).U32(0);
  return b;
}

TBmpReadResult Read(const TBytes& bytes, TBmpLayout& layout, std::size_t* consumed = nullptr) {
  std::size_t at = 0;
  const TBmpRead read = [&](void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes.Data.size() - at);
    std::memcpy(buffer, bytes.Data.data() + at, n);
    at += n;
    return n;
  };
  const TBmpReadResult result = ReadBmpLayout(read, bytes.Data.size(), layout);
  if (consumed) *consumed = at;
  return result;
}

TEST(BmpLayout, InfoHeader24BitComputesThePaddedPixelLength) {
  TBytes b = InfoHeader(5, -3, 24);
  b.Fill(16 * 3 + 10, 0xAB);  // more bytes than the pixels need
  TBmpLayout layout;
  std::size_t consumed = 0;
  ASSERT_EQ(Read(b, layout, &consumed), brrOk);
  EXPECT_EQ(consumed, 54u);
  EXPECT_EQ(layout.Width, 5);
  EXPECT_EQ(layout.Height, -3);
  EXPECT_EQ(layout.ColorCount, 0u);
  EXPECT_EQ(layout.PixelBytes, 48u);  // (5 * 24 + 31) div 32 * 4 = 16 bytes, 3 rows
  EXPECT_EQ(layout.Info.size(), 40u);
}

TEST(BmpLayout, CoreHeaderIsWidenedAndItsThreeByteColoursToo) {
  TBytes b = FileHeader();
  b.U32(12).U16(4).U16(2).U16(1).U16(8);
  for (int i = 0; i < 256; ++i)
    b.U8(std::uint8_t(i)).U8(2).U8(3);
  b.Fill(8);
  TBmpLayout layout;
  ASSERT_EQ(Read(b, layout), brrOk);
  EXPECT_TRUE(layout.CoreHeader);
  ASSERT_EQ(layout.Info.size(), 40u + 256u * 4u);
  EXPECT_EQ(layout.Info[0], 40);
  EXPECT_EQ(layout.Info[4], 4);   // width
  EXPECT_EQ(layout.Info[8], 2);   // height
  EXPECT_EQ(layout.Info[14], 8);  // bits
  const std::uint8_t* entry7 = layout.Info.data() + 40 + 7 * 4;
  EXPECT_EQ(entry7[0], 7);
  EXPECT_EQ(entry7[1], 2);
  EXPECT_EQ(entry7[2], 3);
  EXPECT_EQ(entry7[3], 0);
  EXPECT_EQ(layout.PixelBytes, 8u);
}

TEST(BmpLayout, MasksFollowOnlyA40ByteBitFieldHeader) {
  TBytes b = InfoHeader(2, 2, 16, BmpBitFields);
  b.U32(0xF800).U32(0x07E0).U32(0x001F).Fill(8);
  TBmpLayout layout;
  ASSERT_EQ(Read(b, layout), brrOk);
  ASSERT_EQ(layout.Info.size(), 52u);
  EXPECT_EQ(layout.Info[40], 0x00);
  EXPECT_EQ(layout.Info[41], 0xF8);

  // A 124-byte header carries its masks inside; nothing more is read before the pixels.
  TBytes v5 = FileHeader();
  v5.U32(124).U32(1).U32(1).U16(1).U16(32).U32(BmpBitFields).U32(4).Fill(124 - 24).U32(0x11223344);
  ASSERT_EQ(Read(v5, layout), brrOk);
  EXPECT_EQ(layout.Info.size(), 124u);
  EXPECT_EQ(layout.PixelBytes, 4u);
}

TEST(BmpLayout, ColoursUsedAndImageSizeFromTheHeader) {
  TBytes b = InfoHeader(8, 1, 8, BmpRle8, 6, 3);
  b.Fill(12, 0x55).Fill(100);
  TBmpLayout layout;
  ASSERT_EQ(Read(b, layout), brrOk);
  EXPECT_EQ(layout.ColorCount, 3u);
  EXPECT_EQ(layout.Compression, BmpRle8);
  EXPECT_EQ(layout.PixelBytes, 6u);
}

TEST(BmpLayout, ShortPixelDataIsCutToWhatTheFileHolds) {
  TBytes b = InfoHeader(100, 100, 24, BmpRgb, 30000);
  b.Fill(10);
  TBmpLayout layout;
  ASSERT_EQ(Read(b, layout), brrOk);
  EXPECT_EQ(layout.PixelBytes, 10u);
}

TEST(BmpLayout, BadFilesAreRefusedWithTheRightKindOfError) {
  TBmpLayout layout;
  EXPECT_EQ(Read(TBytes(), layout), brrEmpty);
  EXPECT_EQ(Read(TBytes().U8('B').U8('M').U32(0), layout), brrReadError);
  EXPECT_EQ(Read(TBytes().U8('P').U8('K').Fill(60), layout), brrInvalid);
  EXPECT_EQ(Read(InfoHeader(1, 1, 24, BmpRgb, 0, 0, 2).Fill(4), layout), brrInvalid);  // planes
  EXPECT_EQ(Read(FileHeader().U32(16).Fill(60), layout), brrInvalid);  // no such header
  // Colour table or masks beyond the end of the file.
  EXPECT_EQ(Read(InfoHeader(1, 1, 8).Fill(100), layout), brrReadError);
  EXPECT_EQ(Read(InfoHeader(1, 1, 24, BmpRgb, 0, 0xFFFFFFFF).Fill(8), layout), brrReadError);
  EXPECT_EQ(Read(InfoHeader(1, 1, 32, BmpBitFields).U32(1), layout), brrReadError);
  // A file cut inside its headers, and one that holds nothing after them.
  EXPECT_EQ(Read(FileHeader().U32(40).U32(5), layout), brrReadError);
  EXPECT_EQ(Read(FileHeader().U32(40), layout), brrReadError);
  EXPECT_EQ(Read(FileHeader(), layout), brrReadError);
  EXPECT_EQ(Read(FileHeader().U32(12).U16(4), layout), brrReadError);
  EXPECT_EQ(Read(InfoHeader(1, 1, 24), layout), brrReadError);
  EXPECT_EQ(Read(InfoHeader(1, 1, 8, BmpRle8, 2).Fill(1024), layout), brrReadError);
  // A JPEG or PNG inside, whatever the bit count.
  for (const std::uint16_t bits : {0, 8, 24})
    for (const std::uint32_t compression : {BmpJpeg, BmpPng})
      EXPECT_EQ(Read(InfoHeader(4, 4, bits, compression, 8).Fill(8), layout), brrEmbedded);
  // A huge header size asks for more header than the file holds.
  EXPECT_EQ(Read(FileHeader().U32(0x7FFFFFFF).U32(1).U32(1).U16(1).U16(24).Fill(200), layout),
            brrReadError);
}

// The file header's offset of the pixel data counts when it points at or after the end of the
// colour table and inside the file; otherwise the pixels follow the table.
TEST(BmpLayout, ThePixelDataOffsetGivesTheGapBeforeThePixels) {
  auto withOffset = [](std::uint32_t offset) {
    TBytes b = InfoHeader(2, 2, 8, BmpRgb, 0, 16);
    b.Data[10] = std::uint8_t(offset);
    b.Data[11] = std::uint8_t(offset >> 8);
    return b.Fill(16 * 4).Fill(240 * 4).Fill(16);  // a 256-entry table of which 16 are used
  };
  const std::uint32_t tableEnd = 54 + 16 * 4;
  const std::vector<std::pair<std::uint32_t, std::uint64_t>> cases = {
      {54 + 256 * 4, 240 * 4},       // after the whole table
      {tableEnd, 0},                 // right after the entries used
      {tableEnd - 4, 0},             // inside the table: ignored
      {0, 0},                        // not written
      {tableEnd + 240 * 4 + 16, 0},  // at the end of the file
  };
  for (const auto& [offset, gap] : cases) {
    SCOPED_TRACE(offset);
    TBmpLayout layout;
    ASSERT_EQ(Read(withOffset(offset), layout), brrOk);
    EXPECT_EQ(layout.DataGap, gap);
    EXPECT_EQ(layout.PixelBytes, 8u);
  }
}

// Where the decoder stops reading run-length data: after its end-of-bitmap code, past literal
// runs (padded to 16-bit words) and deltas whose bytes may look like that code.
TEST(BmpLayout, RunLengthDataEndsAtItsEndOfBitmapCode) {
  const std::vector<std::uint8_t> rle8 = {2, 7, 0, 3, 0, 1, 9, 0, 0, 2, 0, 1, 0, 0, 0, 1, 5, 5};
  TBmpRunLengthEnd end8(BmpRle8);
  EXPECT_EQ(end8.Take(rle8.data(), 5), 5u);
  EXPECT_FALSE(end8.Ended());
  EXPECT_EQ(end8.Take(rle8.data() + 5, rle8.size() - 5), 11u);
  EXPECT_TRUE(end8.Ended());
  EXPECT_EQ(end8.Take(rle8.data(), 2), 0u);
  // Five 4-bit pixels take three bytes, padded to four.
  const std::vector<std::uint8_t> rle4 = {0, 5, 0x12, 0x34, 0x50, 0x01, 0, 1, 7, 7};
  TBmpRunLengthEnd end4(BmpRle4);
  EXPECT_EQ(end4.Take(rle4.data(), rle4.size()), 8u);
  EXPECT_TRUE(end4.Ended());
}

TEST(BmpLayout, HugeDimensionsDoNotOverflowTheLengthComputation) {
  TBytes b = InfoHeader(0x7FFFFFFF, std::int32_t(0x80000000), 32);
  b.Fill(16);
  TBmpLayout layout;
  ASSERT_EQ(Read(b, layout), brrOk);
  EXPECT_EQ(layout.PixelBytes, 16u);
  EXPECT_EQ(BmpRowBytes(0x7FFFFFFF, 32), 0x7FFFFFFFull * 4);
  EXPECT_EQ(BmpRowBytes(-1, 24), 0u);
}

}  // namespace
}  // namespace fw
