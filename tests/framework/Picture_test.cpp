#include "framework/Picture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Icon.h"
#include "framework/Metafile.h"
#include "framework/Reader.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/Writer.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

// A graphic read from a text file "width height"; the text "fail" is an invalid file.
class TTextGraphic : public TGraphic {
  TOVU_CLASS(TTextGraphic, TGraphic)

 public:
  bool Empty() const override { return FWidth == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { FWidth = Value; }
  void SetHeight(int Value) override { FHeight = Value; }
  void LoadFromStream(TStream& Stream) override {
    std::string text(static_cast<std::size_t>(Stream.Size() - Stream.Position()), '\0');
    Stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    if (text.rfind("fail", 0) == 0) throw EInvalidGraphic("unreadable");
    Progress(this, psStarting, 0, false, TRect{}, "");
    std::sscanf(text.c_str(), "%d %d", &FWidth, &FHeight);
    Changed(this);
  }
  void SaveToStream(TStream& Stream) override {
    const std::string text = std::to_string(FWidth) + " " + std::to_string(FHeight);
    Stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  }
  void Assign(const TPersistent* Source) override {
    if (const auto* g = dynamic_cast<const TTextGraphic*>(Source)) {
      FWidth = g->FWidth;
      FHeight = g->FHeight;
      Changed(this);
      return;
    }
    inherited::Assign(Source);
  }

 protected:
  void Draw(TCanvas*, const TRect&) override {}

 private:
  int FWidth = 0;
  int FHeight = 0;
};
TOVU_IMPLEMENT_CLASS(TTextGraphic)
void TTextGraphic::DefineClass(TClassBuilder<TTextGraphic>&) {}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tovu-picture-XXXXXX").string();
    FDir = ::mkdtemp(pattern.data());
    TPicture::RegisterFileFormat("txg", "text graphic", TTextGraphic::StaticClass());
  }
  void TearDown() override {
    TPicture::UnregisterGraphicClass(TTextGraphic::StaticClass());
    fs::remove_all(FDir);
  }
  std::string Write(const std::string& name, const std::string& content) const {
    const std::string path = (fs::path(FDir) / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  static std::string UnknownExtension(const std::string& extension) {
    return "拡張子 ." + extension + " の画像形式は処理できません";
  }

  std::string FDir;
};

TEST_F(PictureTest, BuiltInFormatsComeInRegistrationOrder) {
  const auto& entries = GetFileFormats().Entries();
  ASSERT_GE(entries.size(), 4u);
  EXPECT_EQ(entries[0].Extension, "wmf");
  EXPECT_EQ(entries[0].Description, "メタファイル");
  EXPECT_EQ(entries[1].Extension, "emf");
  EXPECT_EQ(entries[1].Description, "エンハンス メタファイル");
  EXPECT_EQ(entries[2].Extension, "ico");
  EXPECT_EQ(entries[2].GraphicClass, TIcon::StaticClass());
  EXPECT_EQ(entries[3].Extension, "bmp");
  EXPECT_EQ(entries[3].Description, "ビットマップ");
  EXPECT_EQ(entries[3].GraphicClass, TBitmap::StaticClass());
}

TEST_F(PictureTest, LookupIgnoresCaseAndTheLatestRegistrationWins) {
  EXPECT_EQ(GetFileFormats().FindExt("BMP"), TBitmap::StaticClass());
  TPicture::RegisterFileFormat("BMP", "override", TTextGraphic::StaticClass());
  EXPECT_EQ(GetFileFormats().Entries().back().Extension, "bmp");
  EXPECT_EQ(GetFileFormats().FindExt("bMp"), TTextGraphic::StaticClass());
  TPicture::UnregisterGraphicClass(TTextGraphic::StaticClass());
  EXPECT_EQ(GetFileFormats().FindExt("bmp"), TBitmap::StaticClass());
  EXPECT_EQ(GetFileFormats().FindExt("txg"), nullptr);
}

TEST_F(PictureTest, LoadsByExtensionInAnyCaseAndNotifiesOnce) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &picture);
    ++changes;
  };
  picture.LoadFromFile(Write("PHOTO.TXG", "400 200"));
  ASSERT_NE(dynamic_cast<TTextGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 400);
  EXPECT_EQ(picture.Height(), 200);
  EXPECT_EQ(changes, 1);
  picture.LoadFromFile(Write("a.b.txg", "3 1"));
  EXPECT_EQ(picture.Width(), 3);
}

TEST_F(PictureTest, UnknownOrMissingExtensionIsNamedInTheError) {
  TPicture picture;
  const auto messageFor = [&](const std::string& path) {
    try {
      picture.LoadFromFile(path);
    } catch (const EInvalidGraphic& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageFor(Write("photo.jpe", "")), UnknownExtension("jpe"));
  EXPECT_EQ(messageFor(Write("Photo.JFIF", "")), UnknownExtension("JFIF"));
  EXPECT_EQ(messageFor(Write("noextension", "")), UnknownExtension(""));
  EXPECT_EQ(messageFor(FDir + "/my.folder/file"), UnknownExtension(""));
  EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST_F(PictureTest, FailedLoadKeepsThePreviousGraphicAndSaysNothing) {
  TPicture picture;
  picture.LoadFromFile(Write("good.txg", "10 20"));
  TGraphic* before = picture.Graphic();
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  EXPECT_THROW(picture.LoadFromFile(Write("bad.txg", "fail")), EInvalidGraphic);
  const std::string missing = FDir + "/missing.txg";
  try {
    picture.LoadFromFile(missing);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + missing + " は開けません");
  }
  EXPECT_EQ(picture.Graphic(), before);
  EXPECT_EQ(picture.Width(), 10);
  EXPECT_EQ(changes, 0);
}

TEST_F(PictureTest, GraphicsProgressReachesThePicture) {
  TPicture picture;
  int reports = 0;
  picture.OnProgress = [&](TObject* sender, TProgressStage stage, std::uint8_t, bool, const TRect&,
                           const std::string&) {
    EXPECT_NE(dynamic_cast<TTextGraphic*>(sender), nullptr);
    EXPECT_EQ(stage, psStarting);
    ++reports;
  };
  picture.LoadFromFile(Write("p.txg", "1 1"));
  EXPECT_EQ(reports, 1);
}

TEST_F(PictureTest, BitmapAccessorReplacesAnotherGraphicByAnEmptyBitmap) {
  TPicture picture;
  picture.LoadFromFile(Write("p.txg", "5 5"));
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TBitmap* bitmap = picture.Bitmap();
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(picture.Graphic(), bitmap);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.Bitmap(), bitmap);  // already a bitmap: no change
  EXPECT_EQ(changes, 1);
  bitmap->SetSize(4, 3);
  EXPECT_EQ(changes, 2);
  bitmap->Canvas()->SetPixels(0, 0, clRed);  // drawing on it reaches the picture's listener
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(picture.Width(), 4);
}

TEST_F(PictureTest, SetGraphicAndAssignHoldCopies) {
  TBitmap source;
  source.SetSize(2, 2);
  TPicture a;
  a.SetGraphic(&source);
  source.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(a.Bitmap()->Canvas()->Pixels(0, 0), clWhite);
  TPicture b;
  b.Assign(&a);
  EXPECT_NE(b.Graphic(), a.Graphic());
  EXPECT_EQ(b.Width(), 2);
  b.Assign(nullptr);
  EXPECT_EQ(b.Graphic(), nullptr);
  TBitmap target;
  target.Assign(&a);  // a picture copies its graphic into a bitmap
  EXPECT_EQ(target.Width(), 2);
}

TEST_F(PictureTest, PictureDestroyedInItsOwnChangeNotificationIsSafe) {
  auto picture = std::make_unique<TPicture>();
  picture->OnChange = [&](TObject*) { picture.reset(); };
  picture->Bitmap();
  EXPECT_EQ(picture, nullptr);
}

// A component with a picture, to store one in a form description.
class TPictureHolder : public TComponent {
  TOVU_CLASS(TPictureHolder, TComponent)

 public:
  explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }

 private:
  std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};
TOVU_IMPLEMENT_CLASS(TPictureHolder)
void TPictureHolder::DefineClass(TClassBuilder<TPictureHolder>& b) {
  b.Property("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture);
}

TEST_F(PictureTest, BitmapStoredInAFormDescriptionReadsBackEqual) {
  TPictureHolder original(nullptr);
  TBitmap* bitmap = original.Picture()->Bitmap();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(3, 2);
  bitmap->Canvas()->SetPixels(2, 1, 0x00123456);
  const std::string text = ComponentToText(&original);
  EXPECT_NE(text.find("Picture.Data = {"), std::string::npos) << text;

  TPictureHolder copy(nullptr);
  ReadComponentFromText(&copy, text);
  auto* read = dynamic_cast<TBitmap*>(copy.Picture()->Graphic());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Width(), 3);
  EXPECT_EQ(read->Canvas()->Pixels(2, 1), 0x00123456);
  EXPECT_EQ(read->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(ComponentToText(&copy), text);

  TPictureHolder empty(nullptr);
  EXPECT_EQ(ComponentToText(&empty), "object TPictureHolder\nend\n");
}

TEST_F(PictureTest, PictureDataNamingAnUnknownClassIsAnError) {
  TPictureHolder holder(nullptr);
  // Data: class name "TNope" (length 5), then nothing.
  EXPECT_THROW(ReadComponentFromText(&holder,
                                     "object H: TPictureHolder\n"
                                     "  Picture.Data = {05544E6F7065}\nend"),
               EParserError);
  EXPECT_THROW(ReadComponentFromText(&holder,
                                     "object H: TPictureHolder\n"
                                     "  Picture.Data = {0A}\nend"),
               EParserError);
}

// A 2 x 2 icon, 24 bits: pixel (0, 0) is see-through (AND bit set), the others red.
std::string TwoByTwoIcon() {
  std::string f;
  auto u16 = [&](int v) {
    f += static_cast<char>(v & 0xFF);
    f += static_cast<char>(v >> 8);
  };
  auto u32 = [&](std::uint32_t v) {
    u16(static_cast<int>(v & 0xFFFF));
    u16(static_cast<int>(v >> 16));
  };
  u16(0);
  u16(1);
  u16(1);  // icon directory: one image
  f += '\x02';
  f += '\x02';
  f += '\0';
  f += '\0';
  u16(1);
  u16(24);
  u32(40 + 8 * 2 + 4 * 2);
  u32(22);
  u32(40);  // BITMAPINFOHEADER, height doubled
  u32(2);
  u32(4);
  u16(1);
  u16(24);
  for (int i = 0; i < 6; ++i)
    u32(0);
  // Colour rows bottom-up, 8 bytes each (6 + padding).
  f += std::string("\0\0\xFF\0\0\xFF\0\0", 8);
  f += std::string("\0\0\0\0\0\xFF\0\0", 8);
  // AND rows bottom-up: the top row has its first pixel set.
  f += std::string("\0\0\0\0", 4);
  f += std::string("\x80\0\0\0", 4);
  return f;
}

TEST_F(PictureTest, IconsLoadAndDrawThroughTheirMask) {
  TPicture picture;
  picture.LoadFromFile(Write("app.ICO", TwoByTwoIcon()));
  auto* icon = dynamic_cast<TIcon*>(picture.Graphic());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Width(), 2);
  EXPECT_THROW(icon->SetWidth(3), EInvalidGraphicOperation);
  TBitmap target;
  target.SetSize(2, 2);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 2, 2));
  target.Canvas()->Draw(0, 0, icon);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(1, 0), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(0, 1), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);

  std::string truncated = TwoByTwoIcon();
  truncated.resize(truncated.size() - 3);
  EXPECT_THROW(picture.LoadFromFile(Write("short.ico", truncated)), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), icon);
}

TEST_F(PictureTest, MetafilesReportTheSizeOfTheirHeader) {
  std::string emf(88, '\0');
  emf[0] = 1;                                  // EMR_HEADER
  emf[16] = 99;                                // bounds right
  emf[20] = 49;                                // bounds bottom
  emf.replace(40, 4, std::string(" EMF", 4));  // signature
  TPicture picture;
  picture.LoadFromFile(Write("drawing.emf", emf));
  auto* metafile = dynamic_cast<TMetafile*>(picture.Graphic());
  ASSERT_NE(metafile, nullptr);
  EXPECT_TRUE(metafile->Enhanced());
  EXPECT_EQ(picture.Width(), 100);
  EXPECT_EQ(picture.Height(), 50);
  EXPECT_THROW(picture.LoadFromFile(Write("junk.wmf", "not a metafile at all")), EInvalidGraphic);
}

}  // namespace
}  // namespace fw
