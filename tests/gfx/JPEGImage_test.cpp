// The JPEG image class: assignment and sharing, compression on demand with the image's settings,
// saving to files without losing an existing one, loading and decoding for display, progress
// and errors.
#include "gfx/JPEGImage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <filesystem>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Picture.h"
#include "framework/Streams.h"
#include "gfx/JpegCodec.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace fw {
namespace {

using testing::TScratchFolder;

class JPEGImage : public ::testing::Test {
 protected:
  void SetUp() override { InitializeJpegUnit(); }
};

// A 24-bit picture: pure red in the top-left 16 x 16 corner, gradients elsewhere.
void PaintPattern(TBitmap& bitmap, int width, int height) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const bool corner = x < 16 && y < 16;
      row[3 * x] = corner ? 0 : std::uint8_t(x * 255 / width);
      row[3 * x + 1] = corner ? 0 : std::uint8_t(y * 255 / height);
      row[3 * x + 2] = corner ? 255 : std::uint8_t(128);
    }
  }
}

std::vector<std::uint8_t> Saved(TJPEGImage& jpeg) {
  TMemoryStream stream;
  jpeg.SaveToStream(stream);
  return {stream.Memory(), stream.Memory() + stream.Size()};
}

std::vector<std::uint8_t> JpegOf(int width, int height, int quality = 90, bool gray = false) {
  TBitmap bitmap;
  PaintPattern(bitmap, width, height);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SetJpegQuality(TJPEGQualityRange(quality));
  jpeg.SetGrayscaleMode(gray);
  return Saved(jpeg);
}

void LoadBytes(TJPEGImage& jpeg, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream.SetPosition(0);
  jpeg.LoadFromStream(stream);
}

// The segment after the first marker `code` (0xC0 frame, 0xDB tables ...), without its length.
std::vector<std::uint8_t> Segment(const std::vector<std::uint8_t>& file, std::uint8_t code,
                                  int occurrence = 0) {
  std::size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xFF) {
    const std::size_t length = std::size_t(file[at + 2]) << 8 | file[at + 3];
    if (file[at + 1] == code && occurrence-- == 0)
      return {file.begin() + std::ptrdiff_t(at + 4),
              file.begin() + std::ptrdiff_t(at + 2 + length)};
    if (file[at + 1] == 0xDA) break;
    at += 2 + length;
  }
  return {};
}

TEST_F(JPEGImage, NewImagesTakeTheDefaultsAndAreEmpty) {
  const TJPEGDefaults saved = JpegDefaults;
  JpegDefaults.JpegQuality = 55;
  JpegDefaults.DecodeScale = jsQuarter;
  JpegDefaults.BlockSmoothing = false;
  TJPEGImage jpeg;
  JpegDefaults = saved;
  EXPECT_EQ(jpeg.JpegQuality(), 55);
  EXPECT_EQ(jpeg.DecodeScale(), jsQuarter);
  EXPECT_FALSE(jpeg.BlockSmoothing());
  EXPECT_TRUE(jpeg.Empty());
  EXPECT_EQ(jpeg.Width(), 0);
  EXPECT_FALSE(jpeg.ImageData().HasBytes());
  TJPEGImage plain;
  EXPECT_EQ(plain.JpegQuality(), 90);
  EXPECT_TRUE(plain.BlockSmoothing());
  EXPECT_EQ(plain.DecodePixelFormat(), jf24Bit);  // a 32-bit screen
}

TEST_F(JPEGImage, ACaptureSavesAsBaselineJfifWithTheQualityTablesAndSubsampling) {
  TBitmap capture;
  capture.SetSize(600, 600);  // device-compatible, white
  capture.Canvas()->Brush()->SetColor(0x00E0F4FF);
  capture.Canvas()->FillRect(TRect{2, 2, 598, 598});
  TJPEGImage jpeg;
  jpeg.Assign(&capture);
  EXPECT_FALSE(jpeg.Empty());
  EXPECT_FALSE(jpeg.ImageData().HasBytes());
  jpeg.SetJpegQuality(90);
  const std::vector<std::uint8_t> file = Saved(jpeg);
  ASSERT_GT(file.size(), 100u);
  EXPECT_EQ(jpeg.ImageData().Width(), 600);
  const std::vector<std::uint8_t> app0 = Segment(file, 0xE0);
  ASSERT_EQ(app0.size(), 14u);
  EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
  EXPECT_EQ(app0[5], 1);  // version 1.01
  EXPECT_EQ(app0[6], 1);
  const std::vector<std::uint8_t> frame = Segment(file, 0xC0);  // baseline
  ASSERT_EQ(frame.size(), 15u);
  EXPECT_EQ(frame[5], 3);     // components
  EXPECT_EQ(frame[7], 0x22);  // Y 2 x 2
  EXPECT_EQ(frame[10], 0x11);
  EXPECT_EQ(frame[13], 0x11);
  const std::vector<std::uint8_t> luminance = Segment(file, 0xDB, 0);
  const std::vector<std::uint8_t> chrominance = Segment(file, 0xDB, 1);
  ASSERT_FALSE(luminance.empty());
  ASSERT_FALSE(chrominance.empty());
  EXPECT_EQ(luminance[1], 3);      // 16 at 20 percent
  EXPECT_EQ(chrominance[1], 3);    // 17 at 20 percent
  EXPECT_EQ(chrominance[64], 20);  // the last entry, 99 at 20 percent
}

// Compression reads any bitmap as its 24-bit conversion would read, band by band; the height is
// not a whole number of bands and the source stays as it was.
TEST_F(JPEGImage, EveryPixelFormatCompressesAsItsTwentyFourBitConversion) {
  for (const TPixelFormat format :
       {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
    TBitmap source;
    PaintPattern(source, 37, 45);
    source.SetPixelFormat(format);
    TBitmap converted;
    converted.Assign(&source);
    converted.SetPixelFormat(pf24bit);
    std::vector<std::uint8_t> expected;
    CompressBgr(
        37, 45, [&converted](int y) { return converted.ScanLine(y); }, TJpegCompressSettings{},
        [&expected](const std::uint8_t* data, std::size_t count) {
          expected.insert(expected.end(), data, data + count);
          return count;
        });
    TJPEGImage jpeg;
    jpeg.Assign(&source);
    EXPECT_EQ(Saved(jpeg), expected) << "pixel format " << int(format);
    EXPECT_EQ(source.PixelFormat(), format);
  }
}

TEST_F(JPEGImage, QualityTakesEffectOnlyWhenThereAreNoBytesYet) {
  TBitmap bitmap;
  PaintPattern(bitmap, 64, 48);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  const std::vector<std::uint8_t> first = Saved(jpeg);
  jpeg.SetJpegQuality(50);
  EXPECT_EQ(Saved(jpeg), first);
  jpeg.Assign(&bitmap);
  const std::vector<std::uint8_t> again = Saved(jpeg);
  EXPECT_NE(again, first);
  EXPECT_EQ(again, JpegOf(64, 48, 50));
  EXPECT_EQ(Segment(again, 0xDB)[1], 16);  // quality 50 keeps the standard table
}

TEST_F(JPEGImage, GrayscaleModeWritesOneComponentAndDecodesToGrayLevels) {
  const std::vector<std::uint8_t> file = JpegOf(40, 30, 90, true);
  const std::vector<std::uint8_t> frame = Segment(file, 0xC0);
  ASSERT_EQ(frame.size(), 9u);
  EXPECT_EQ(frame[5], 1);
  EXPECT_EQ(frame[6], 1);     // identifier
  EXPECT_EQ(frame[7], 0x11);  // sampling
  EXPECT_EQ(frame[8], 0);     // table
  EXPECT_TRUE(Segment(file, 0xDB, 1).empty());
  TJPEGImage jpeg;
  LoadBytes(jpeg, file);
  EXPECT_TRUE(jpeg.ImageData().Grayscale());
  TBitmap* decoded = jpeg.Bitmap();
  EXPECT_EQ(decoded->PixelFormat(), pf8bit);
  ASSERT_NE(decoded->Palette(), nullptr);
  const TColor c = decoded->Canvas()->Pixels(30, 20);
  EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
  EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
}

TEST_F(JPEGImage, DecodingGivesTheLibrarysRowsTopFirstInA24BitBitmap) {
  const std::vector<std::uint8_t> file = JpegOf(50, 40);
  TJPEGImage jpeg;
  LoadBytes(jpeg, file);
  EXPECT_EQ(jpeg.Width(), 50);
  EXPECT_EQ(jpeg.Height(), 40);
  TBitmap* decoded = jpeg.Bitmap();
  ASSERT_EQ(decoded->PixelFormat(), pf24bit);
  std::vector<std::vector<std::uint8_t>> rows;
  DecodeJpeg(file, TJpegDecodeSettings{}, [&](const TJpegOutputLayout& layout) -> TJpegRowTarget {
    rows.assign(std::size_t(layout.Height),
                std::vector<std::uint8_t>(std::size_t(layout.Width) * 3));
    return [&rows](int y) { return rows[std::size_t(y)].data(); };
  });
  for (int y = 0; y < 40; ++y)
    ASSERT_EQ(std::vector<std::uint8_t>(decoded->ScanLine(y), decoded->ScanLine(y) + 150),
              rows[std::size_t(y)])
        << "row " << y;
  const TColor corner = decoded->Canvas()->Pixels(2, 2);
  EXPECT_GT(corner & 0xFF, 200);         // red
  EXPECT_LT((corner >> 16) & 0xFF, 60);  // blue
}

TEST_F(JPEGImage, DecodingSettingsShapeTheDecodedBitmap) {
  TJPEGImage jpeg;
  LoadBytes(jpeg, JpegOf(50, 40));
  jpeg.SetDecodeScale(jsQuarter);
  EXPECT_EQ(jpeg.Width(), 13);  // rounded up, as the library scales
  EXPECT_EQ(jpeg.Height(), 10);
  EXPECT_EQ(jpeg.Bitmap()->Width(), 13);
  jpeg.SetDecodeScale(jsFullSize);
  EXPECT_EQ(jpeg.Bitmap()->Width(), 50);
  jpeg.SetDecodePixelFormat(jf8Bit);
  EXPECT_EQ(jpeg.Bitmap()->PixelFormat(), pf8bit);
  EXPECT_NE(jpeg.Palette(), nullptr);
  jpeg.SetDecodeSpeed(dsBestSpeed);
  jpeg.SetDecodePixelFormat(jf24Bit);
  EXPECT_EQ(jpeg.Bitmap()->PixelFormat(), pf24bit);
  EXPECT_THROW(jpeg.SetWidth(10), EInvalidGraphicOperation);
  try {
    jpeg.SetHeight(10);
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "JPEG イメージのサイズは変更できません");
  }
}

TEST_F(JPEGImage, AssignmentSharesTheBytesAndCopiesTheBitmap) {
  TJPEGImage source;
  LoadBytes(source, JpegOf(20, 10));
  TJPEGImage copy;
  copy.Assign(&source);
  EXPECT_EQ(&copy.ImageData(), &source.ImageData());
  TBitmap* decoded = source.Bitmap();
  TJPEGImage second;
  second.Assign(&source);
  ASSERT_EQ(second.Width(), 20);
  EXPECT_NE(second.Bitmap(), decoded);
  TBitmap target;
  target.Assign(&second);
  EXPECT_EQ(target.Width(), 20);
  EXPECT_EQ(target.Canvas()->Pixels(3, 3), decoded->Canvas()->Pixels(3, 3));
  // A new compression of one copy leaves the other's bytes alone.
  const std::vector<std::uint8_t> before = Saved(source);
  copy.SetJpegQuality(20);
  copy.Compress();
  EXPECT_EQ(Saved(source), before);
  EXPECT_NE(Saved(copy), before);
}

TEST_F(JPEGImage, EmptyOrZeroSizedBitmapsSaveEmptyFiles) {
  TScratchFolder folder;
  TBitmap empty;
  TJPEGImage jpeg;
  jpeg.Assign(&empty);
  jpeg.SaveToFile(folder.File("empty.jpg"));
  EXPECT_EQ(std::filesystem::file_size(folder.File("empty.jpg")), 0u);
  TBitmap flat;
  flat.SetSize(5, 0);
  jpeg.Assign(&flat);
  EXPECT_TRUE(Saved(jpeg).empty());
  EXPECT_TRUE(jpeg.ImageData().HasBytes());
}

TEST_F(JPEGImage, AnEmptyFileLoadsAndFailsOnlyWhenDrawn) {
  TScratchFolder folder;
  testing::WriteFileBytes(folder.File("empty.jpg"), {});
  TPicture picture;
  picture.LoadFromFile(folder.File("empty.jpg"));
  auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_FALSE(jpeg->Empty());
  TBitmap canvas;
  canvas.SetSize(10, 10);
  try {
    canvas.Canvas()->StretchDraw(TRect{0, 0, 10, 10}, jpeg);
    ADD_FAILURE() << "drawing an empty JPEG succeeded";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.ErrorCode(), JERR_INPUT_EMPTY);
    EXPECT_EQ(e.Message(), "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY));
  }
}

// Draws the image stretched into (2, 2, 2 + w, 2 + h) of a bitmap of the given depth and answers
// its rows.
std::vector<std::uint8_t> Drawn(TGraphic& graphic, int w, int h, TPixelFormat format = pf32bit) {
  TBitmap target;
  target.SetPixelFormat(format);
  target.SetSize(w + 4, h + 4);
  target.Canvas()->StretchDraw(TRect{2, 2, 2 + w, 2 + h}, &graphic);
  std::vector<std::uint8_t> rows;
  const std::size_t stride = std::size_t(w + 4) * (format == pf32bit ? 4 : 1);
  for (int y = 0; y < h + 4; ++y)
    rows.insert(rows.end(), target.ScanLine(y), target.ScanLine(y) + stride);
  return rows;
}

// A shrinking stretch on a true-colour target is drawn from the pixels it takes alone, decoded
// once for that size, with the same result as the whole picture stretched. Asking for the bitmap,
// drawing at another size or on a target of 8 bits decodes the whole picture.
TEST_F(JPEGImage, ShrunkDrawingDecodesOnlyWhatTheStretchTakes) {
  for (const bool gray : {false, true}) {
    const std::vector<std::uint8_t> file = JpegOf(301, 203, 90, gray);
    TJPEGImage whole;
    LoadBytes(whole, file);
    whole.Bitmap();
    for (const auto& [w, h] : {std::pair{150, 100}, {300, 202}, {1, 1}, {37, 250}, {301, 64}}) {
      SCOPED_TRACE(::testing::Message() << (gray ? "gray " : "") << w << " x " << h);
      TJPEGImage shrunk;
      LoadBytes(shrunk, file);
      int decodings = 0;
      shrunk.OnProgress = [&](TObject*, TProgressStage Stage, std::uint8_t, bool, const TRect&,
                              const std::string&) { decodings += Stage == psStarting; };
      const std::vector<std::uint8_t> expected = Drawn(whole, w, h);
      EXPECT_EQ(Drawn(shrunk, w, h), expected);
      EXPECT_EQ(Drawn(shrunk, w, h), expected);
      EXPECT_EQ(decodings, 1);
      EXPECT_EQ(shrunk.Width(), 301);
      EXPECT_EQ(Drawn(shrunk, w + 1, h), Drawn(whole, w + 1, h));
      EXPECT_EQ(decodings, 2);
      EXPECT_EQ(shrunk.Bitmap()->Width(), 301);
      EXPECT_EQ(decodings, 2);
    }
  }
  const std::vector<std::uint8_t> file = JpegOf(64, 48);
  for (const TPixelFormat format : {pf8bit, pf32bit}) {
    TJPEGImage jpeg;
    LoadBytes(jpeg, file);
    jpeg.DecodeForDrawing(format == pf8bit ? 64 : 32, 24);
    Drawn(jpeg, 32, 24, format);
    // The samples serve only the true-colour target; the 8-bit one needed the whole picture.
    EXPECT_EQ(jpeg.Width(), 64);
    int decodings = 0;
    jpeg.OnProgress = [&](TObject*, TProgressStage Stage, std::uint8_t, bool, const TRect&,
                          const std::string&) { decodings += Stage == psStarting; };
    jpeg.Bitmap();
    EXPECT_EQ(decodings, format == pf8bit ? 0 : 1);
  }
}

TEST_F(JPEGImage, CorruptFilesFailAtLoadAndThePictureKeepsItsGraphic) {
  TScratchFolder folder;
  testing::WriteFileBytes(folder.File("good.JPG"), JpegOf(8, 8));
  testing::WriteFileBytes(folder.File("bad.jpeg"), {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34});
  TPicture picture;
  picture.LoadFromFile(folder.File("good.JPG"));
  ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  TGraphic* before = picture.Graphic();
  EXPECT_THROW(picture.LoadFromFile(folder.File("bad.jpeg")), EJPEG);
  EXPECT_EQ(picture.Graphic(), before);
  try {
    picture.LoadFromFile(folder.File("photo.jpe"));
    ADD_FAILURE() << "an unknown extension loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "拡張子 .jpe の画像形式は処理できません");
  }
}

TEST_F(JPEGImage, TheUnitRegistersBothExtensionsOnceAfterTheBuiltInFormats) {
  InitializeJpegUnit();
  std::vector<std::string> registered;
  for (const auto& entry : GetFileFormats().Entries()) {
    registered.push_back(entry.Extension);
    if (entry.GraphicClass == TJPEGImage::StaticClass()) {
      EXPECT_EQ(entry.Description, "JPEG イメージファイル");
    }
  }
  EXPECT_EQ(registered, (std::vector<std::string>{"wmf", "emf", "ico", "bmp", "jpeg", "jpg"}));
  FinalizeJpegUnit();
  EXPECT_EQ(GetFileFormats().FindExt("jpg"), nullptr);
  InitializeJpegUnit();
  EXPECT_EQ(GetFileFormats().FindExt("JPEG"), TJPEGImage::StaticClass());
}

TEST_F(JPEGImage, PicturesBeyondTheLimitFailAtLoadWithAClearMessage) {
  std::vector<std::uint8_t> file = JpegOf(16, 16);
  // The frame header's height and width become 65000 x 65000.
  for (std::size_t at = 2; at + 9 < file.size(); ++at) {
    if (file[at] == 0xFF && file[at + 1] == 0xC0) {
      file[at + 5] = file[at + 7] = 0xFD;
      file[at + 6] = file[at + 8] = 0xE8;
      break;
    }
  }
  TJPEGImage jpeg;
  try {
    LoadBytes(jpeg, file);
    ADD_FAILURE() << "a 65000 x 65000 picture loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("65000 x 65000"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(DecodeJpeg(file, TJpegDecodeSettings{.MaxPixels = 1000},
                          [](const TJpegOutputLayout&) -> TJpegRowTarget {
                            ADD_FAILURE() << "decoding began";
                            return {};
                          }),
               EJpegTooLarge);
}

TEST_F(JPEGImage, ProgressIsReportedAndAbortStopsSilently) {
  TJPEGImage jpeg;
  LoadBytes(jpeg, JpegOf(32, 32));
  std::vector<TProgressStage> stages;
  jpeg.OnProgress = [&](TObject* Sender, TProgressStage Stage, std::uint8_t Percent, bool,
                        const TRect&, const std::string&) {
    EXPECT_EQ(Sender, &jpeg);
    stages.push_back(Stage);
    if (Stage == psEnding) {
      EXPECT_EQ(Percent, 100);
    }
  };
  jpeg.Bitmap();
  EXPECT_EQ(stages, (std::vector<TProgressStage>{psStarting, psEnding}));

  TJPEGImage aborted;
  LoadBytes(aborted, JpegOf(32, 32));
  aborted.OnProgress = [](TObject*, TProgressStage Stage, std::uint8_t, bool, const TRect&,
                          const std::string&) {
    if (Stage == psStarting) throw EAbort();
  };
  EXPECT_NO_THROW(aborted.Bitmap());

  TBitmap bitmap;
  PaintPattern(bitmap, 16, 16);
  TJPEGImage compressing;
  compressing.Assign(&bitmap);
  compressing.OnProgress = aborted.OnProgress;
  EXPECT_NO_THROW(compressing.Compress());
  EXPECT_FALSE(compressing.ImageData().HasBytes());
}

// A JPEG image inside a picture stored in a form description: a 32-bit count, then the bytes.
class TExposedJPEGImage : public TJPEGImage {
 public:
  using TJPEGImage::ReadData;
  using TJPEGImage::WriteData;
};

TEST_F(JPEGImage, FormDataIsACountFollowedByTheBytes) {
  const std::vector<std::uint8_t> file = JpegOf(12, 9);
  TExposedJPEGImage jpeg;
  LoadBytes(jpeg, file);
  TMemoryStream stream;
  jpeg.WriteData(stream);
  ASSERT_EQ(stream.Size(), std::int64_t(file.size() + 4));
  const std::uint8_t* p = stream.Memory();
  EXPECT_EQ(std::size_t(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24), file.size());
  stream.SetPosition(0);
  TExposedJPEGImage back;
  back.ReadData(stream);
  EXPECT_EQ(back.Width(), 12);
  EXPECT_EQ(Saved(back), file);
  TExposedJPEGImage none;
  TMemoryStream empty;
  none.WriteData(empty);
  EXPECT_EQ(empty.Size(), 4);
  TMemoryStream shortData;
  shortData.WriteBuffer("\x10\0\0\0abc", 7);
  shortData.SetPosition(0);
  EXPECT_THROW(none.ReadData(shortData), EReadError);
}

// Saving to a file compresses first and replaces the target only with a complete file.
class JPEGImageFiles : public JPEGImage {
 protected:
  std::vector<std::string> FolderContent() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FFolder.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  TScratchFolder FFolder;
};

TEST_F(JPEGImageFiles, SavingReplacesAnExistingFileAndKeepsItsPermissions) {
  const std::string target = FFolder.File("Tovuザビロナ ～ cat.jpg");
  testing::WriteFileBytes(target, {1, 2, 3});
  ::chmod(target.c_str(), 0640);
  TBitmap bitmap;
  PaintPattern(bitmap, 30, 20);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SaveToFile(target);
  EXPECT_EQ(testing::ReadFileBytes(target), Saved(jpeg));
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(FolderContent(), std::vector<std::string>{"Tovuザビロナ ～ cat.jpg"});
}

TEST_F(JPEGImageFiles, AnEncodingFailureLeavesTheExistingFileUntouched) {
  const std::string target = FFolder.File("out.jpg");
  testing::WriteFileBytes(target, {7, 7, 7});
  TBitmap tooWide;  // beyond the 65500 pixels a JPEG side can have
  tooWide.SetPixelFormat(pf24bit);
  tooWide.SetSize(65501, 1);
  TJPEGImage jpeg;
  jpeg.Assign(&tooWide);
  try {
    jpeg.SaveToFile(target);
    ADD_FAILURE() << "a 65501-pixel-wide picture was saved";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.ErrorCode(), JERR_IMAGE_TOO_BIG);
  }
  EXPECT_EQ(testing::ReadFileBytes(target), (std::vector<std::uint8_t>{7, 7, 7}));
  EXPECT_EQ(FolderContent(), std::vector<std::string>{"out.jpg"});
  EXPECT_FALSE(jpeg.ImageData().HasBytes());
}

TEST_F(JPEGImageFiles, TargetsThatCannotBeCreatedNameThePathAndStayAsTheyWere) {
  TBitmap bitmap;
  PaintPattern(bitmap, 8, 8);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  auto failureOf = [&](const std::string& path) -> std::string {
    try {
      jpeg.SaveToFile(path);
    } catch (const EFCreateError& e) {
      return e.Message();
    }
    return "saved";
  };
  const std::string missing = FFolder.File("no/such/folder/a.jpg");
  EXPECT_EQ(failureOf(missing), "ファイル " + missing + " を作成できません");
  std::filesystem::create_directory(FFolder.File("taken.jpg"));
  EXPECT_EQ(failureOf(FFolder.File("taken.jpg")),
            "ファイル " + FFolder.File("taken.jpg") + " を作成できません");
  const std::string held = FFolder.File("held.jpg");
  testing::WriteFileBytes(held, {5});
  {
    TFileStream reader(held, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(failureOf(held), "ファイル " + held + " を作成できません");
  }
  EXPECT_EQ(testing::ReadFileBytes(held), std::vector<std::uint8_t>{5});
  if (::geteuid() != 0) {  // permissions do not hold the superuser back
    const std::string locked = FFolder.File("locked");
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    EXPECT_EQ(failureOf(locked + "/a.jpg"), "ファイル " + locked + "/a.jpg を作成できません");
    ::chmod(locked.c_str(), 0755);
  }
  EXPECT_EQ(FolderContent(), (std::vector<std::string>{"held.jpg", "taken.jpg"}));
}

}  // namespace
}  // namespace fw
