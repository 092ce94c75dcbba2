// Images place their picture (natural size, stretched, proportional, centred), draw it with the
// platform's stretch modes, size themselves to it, and give the capture a bitmap to copy into.
#include "gfx/Image.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "framework/Picture.h"
#include "framework/Reader.h"
#include "framework/Streams.h"
#include "framework/Writer.h"
#include "framework/platform/Gdi.h"
#include "gfx/GfxUnits.h"
#include "gfx/JPEGImage.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace fw::testing {
namespace {

// A picture of distinct colours: blue x, green y, red (x + y) mod 256.
void Pattern(TBitmap& bitmap, int width, int height) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = std::uint8_t(x);
      row[3 * x + 1] = std::uint8_t(y);
      row[3 * x + 2] = std::uint8_t(x + y);
    }
  }
}

TRect PlacedAt(TImage& image, int pictureWidth, int pictureHeight) {
  TBitmap picture;
  picture.SetSize(pictureWidth, pictureHeight);
  image.Picture()->SetGraphic(&picture);
  return image.DestRect();
}

TEST(ImagePlacement, StretchProportionalAndCentre) {
  TImage image(nullptr);
  EXPECT_EQ(image.Width(), 105);
  EXPECT_EQ(image.Height(), 105);
  image.SetBounds(0, 0, 300, 300);
  image.SetStretch(true);
  EXPECT_EQ(PlacedAt(image, 400, 200), (TRect{0, 0, 300, 300}));
  image.SetProportional(true);
  EXPECT_EQ(PlacedAt(image, 400, 200), (TRect{0, 0, 300, 150}));
  EXPECT_EQ(PlacedAt(image, 200, 400), (TRect{0, 0, 150, 300}));
  image.SetCenter(true);
  EXPECT_EQ(PlacedAt(image, 400, 200), (TRect{0, 75, 300, 225}));
  image.SetCenter(false);
  image.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(PlacedAt(image, 3, 1), (TRect{0, 0, 100, 33}));  // 100 / 3 truncated
  EXPECT_EQ(PlacedAt(image, 1, 3), (TRect{0, 0, 33, 100}));
  image.SetStretch(false);
  EXPECT_EQ(PlacedAt(image, 3, 1), (TRect{0, 0, 3, 1}));  // not larger than the image
  EXPECT_EQ(PlacedAt(image, 250, 100), (TRect{0, 0, 100, 40}));
  image.SetProportional(false);
  EXPECT_EQ(PlacedAt(image, 250, 100), (TRect{0, 0, 250, 100}));  // natural size, clipped
  image.SetCenter(true);
  EXPECT_EQ(PlacedAt(image, 250, 100), (TRect{-75, 0, 175, 100}));
}

TEST(ImagePlacement, AutoSizeTakesThePictureSizeAndOpacityFollowsCoverage) {
  TImage image(nullptr);
  image.SetAutoSize(true);
  EXPECT_EQ(PlacedAt(image, 40, 30), (TRect{0, 0, 40, 30}));
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 30);
  EXPECT_TRUE(image.ControlStyle().Contains(csOpaque));
  image.SetAutoSize(false);
  image.SetBounds(0, 0, 50, 50);
  image.Picture()->SetGraphic(image.Picture()->Graphic());  // the change runs the step again
  EXPECT_FALSE(image.ControlStyle().Contains(csOpaque)) << "the picture leaves part uncovered";
  image.SetStretch(true);
  EXPECT_TRUE(image.ControlStyle().Contains(csOpaque));
  image.SetTransparent(true);
  EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
  EXPECT_FALSE(image.ControlStyle().Contains(csOpaque));
  image.Picture()->SetGraphic(nullptr);
  EXPECT_FALSE(image.ControlStyle().Contains(csOpaque));
  // With the alignment fixing the width, only the height follows the picture.
  image.SetAlign(alTop);
  image.SetAutoSize(true);
  PlacedAt(image, 20, 10);
  EXPECT_EQ(image.Height(), 10);
}

class ImageOnForm : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    InitializeGfxUnits();
    Form = TCustomForm::Create<TForm>(FApplication.get());
    Form->SetBorderStyle(bsToolWindow);
    Form->SetColor(clWhite);
    Form->SetClientWidth(200);
    Form->SetClientHeight(160);
    Image = NewComponent<TImage>(Form);
    Image->SetParent(Form);
    Image->SetBounds(10, 20, 150, 100);
    Form->Show();
    Pump();
  }
  TPixels Shown() {
    TBitmap copy;
    copy.SetSize(Form->ClientWidth(), Form->ClientHeight());
    const TRect all{0, 0, Form->ClientWidth(), Form->ClientHeight()};
    copy.Canvas()->CopyRect(all, Form->Canvas(), all);
    return PixelsOf(copy);
  }
  // The form as it should look: white, with `source` stretched into `rect` by the platform
  // with the given stretch mode, clipped to the image's bounds.
  TPixels Expected(TBitmap& source, const TRect& rect, int stretchMode) {
    TBitmap expected;
    MakeCanvas(expected, Form->ClientWidth(), Form->ClientHeight(), 0xFFFFFF);
    const win::HDC dc = expected.Canvas()->Handle();
    const win::HRGN clip = win::CreateRectRgn(10, 20, 160, 120);
    win::SelectClipRgn(dc, clip);
    win::DeleteObject(clip);
    win::SetStretchBltMode(dc, stretchMode);
    gdihandles::TMemoryDC sourceDC;
    gdihandles::TSelected selected(sourceDC.Get(), source.Handle());
    win::StretchBlt(dc, 10 + rect.Left, 20 + rect.Top, rect.Width(), rect.Height(), sourceDC.Get(),
                    0, 0, source.Width(), source.Height(), win::SRCCOPY);
    return PixelsOf(expected);
  }
  TForm* Form = nullptr;
  TImage* Image = nullptr;
};

TEST_F(ImageOnForm, AStretchedPictureIsDrawnByDroppingAndRepeatingPixels) {
  TBitmap picture;
  Pattern(picture, 333, 77);  // shrunk across, enlarged down
  Image->SetStretch(true);
  Image->Picture()->SetGraphic(&picture);
  Pump();
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), Expected(picture, TRect{0, 0, 150, 100}, win::COLORONCOLOR),
                             detail),
            0)
      << detail;
}

TEST_F(ImageOnForm, AnUnstretchedPictureIsClippedToTheImage) {
  TBitmap picture;
  Pattern(picture, 400, 30);
  Image->SetCenter(true);
  Image->Picture()->SetGraphic(&picture);
  Pump();
  std::string detail;
  EXPECT_EQ(CountDifferences(
                Shown(), Expected(picture, TRect{-125, 35, 275, 65}, win::COLORONCOLOR), detail),
            0)
      << detail;
}

TEST_F(ImageOnForm, AJpegPictureIsDecodedOnceAndStretchedLikeItsBitmap) {
  TBitmap source;
  Pattern(source, 64, 48);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  TScratchFolder folder;
  jpeg.SaveToFile(folder.File("PHOTO.JPG"));
  Image->SetStretch(true);
  Image->Picture()->LoadFromFile(folder.File("PHOTO.JPG"));
  auto* loaded = dynamic_cast<TJPEGImage*>(Image->Picture()->Graphic());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Image->Picture()->Width(), 64);
  Pump();
  TBitmap* decoded = loaded->Bitmap();
  Image->Invalidate();
  Pump();
  EXPECT_EQ(loaded->Bitmap(), decoded);
  std::string detail;
  EXPECT_EQ(CountDifferences(Shown(), Expected(*decoded, TRect{0, 0, 150, 100}, win::COLORONCOLOR),
                             detail),
            0)
      << detail;
}

TEST_F(ImageOnForm, TransparentPicturesLetTheFormShowThrough) {
  TBitmap picture;
  picture.SetSize(150, 100);  // white, with a black block; white is the bottom-left colour
  picture.Canvas()->Brush()->SetColor(clBlack);
  picture.Canvas()->FillRect(TRect{50, 30, 100, 70});
  Form->SetColor(clYellow);
  Image->SetTransparent(true);
  Image->Picture()->SetGraphic(&picture);
  Pump();
  const TPixels shown = Shown();
  EXPECT_EQ(shown.At(15, 25), 0x00FFFFu) << "transparent white shows the yellow form";
  EXPECT_EQ(shown.At(80, 70), 0u);
}

TEST_F(ImageOnForm, TheImageCanvasGivesAnEmptyPictureAWhiteBitmapForTheCapture) {
  // The capture: empty the picture, switch auto-size off, size the image, copy the window.
  Image->SetAutoSize(true);
  Image->Picture()->SetGraphic(nullptr);
  Image->SetAutoSize(false);
  Image->SetWidth(Form->ClientWidth());
  Image->SetHeight(Form->ClientHeight());
  int changes = 0;
  Image->Picture()->OnChange = [&](TObject*) { ++changes; };
  TCanvas* canvas = Image->Canvas();
  EXPECT_EQ(changes, 1);
  auto* bitmap = dynamic_cast<TBitmap*>(Image->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(canvas, bitmap->Canvas());
  EXPECT_EQ(bitmap->PixelFormat(), pfDevice);
  EXPECT_EQ(bitmap->Width(), 200);
  EXPECT_EQ(bitmap->Height(), 160);
  EXPECT_EQ(PixelsOf(*bitmap).At(199, 159), 0xFFFFFFu);
  // Something to see: a picture in the form's own image is copied with it.
  TBitmap picture;
  Pattern(picture, 60, 40);
  TImage* shownImage = NewComponent<TImage>(Form);
  shownImage->SetParent(Form);
  shownImage->SetBounds(0, 0, 60, 40);
  shownImage->Picture()->SetGraphic(&picture);
  Image->SetVisible(false);
  Pump();
  const TRect all{0, 0, 200, 160};
  Image->Canvas()->CopyRect(all, Form->Canvas(), all);
  std::string detail;
  EXPECT_EQ(CountDifferences(PixelsOf(*bitmap), Shown(), detail), 0) << detail;
  EXPECT_EQ(PixelsOf(*bitmap).At(59, 39), 0x3B2762u);  // blue 59, green 39, red 98
}

TEST_F(ImageOnForm, OnlyBitmapPicturesHaveACanvas) {
  TBitmap source;
  Pattern(source, 8, 8);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  Image->Picture()->SetGraphic(&jpeg);
  try {
    Image->Canvas();
    ADD_FAILURE() << "a JPEG picture gave a canvas";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "ビットマップを持っている時のみイメージの変更が可能です");
  }
}

// HALFTONE is for devices of 8 bits or fewer. A memory context reports the screen's depth (32
// bits here), so even an 8-bit bitmap is drawn into with COLORONCOLOR.
TEST(ImageDrawing, TrueColourDevicesStretchWithColorOnColorWhateverTheBitmapsDepth) {
  TBitmap picture;
  Pattern(picture, 90, 70);
  const TRect rect{3, 4, 43, 34};
  for (const TPixelFormat format : {pf8bit, pf32bit}) {
    SCOPED_TRACE(int(format));
    TBitmap drawn, direct;
    for (TBitmap* target : {&drawn, &direct}) {
      target->SetPixelFormat(format);
      target->SetSize(50, 40);
    }
    drawn.Canvas()->StretchDraw(rect, &picture);
    const win::HDC dc = direct.Canvas()->Handle();
    win::SetStretchBltMode(dc, win::COLORONCOLOR);
    gdihandles::TMemoryDC sourceDC;
    gdihandles::TSelected selected(sourceDC.Get(), picture.Handle());
    win::StretchBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), sourceDC.Get(), 0, 0, 90,
                    70, win::SRCCOPY);
    std::string detail;
    EXPECT_EQ(CountDifferences(PixelsOf(drawn), PixelsOf(direct), detail), 0) << detail;
  }
}

// An image with a JPEG picture stored in a form description reads back with the same bytes.
TEST(ImageStreaming, AJpegPictureTravelsThroughAFormDescription) {
  InitializeGfxUnits();
  TBitmap source;
  Pattern(source, 16, 12);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  TMemoryStream bytes;
  jpeg.SaveToStream(bytes);
  TImage image(nullptr);
  image.SetName("Image2");
  image.SetStretch(true);
  image.Picture()->SetGraphic(&jpeg);
  const std::string text = ComponentToText(&image);
  EXPECT_NE(text.find("Picture.Data"), std::string::npos) << text;
  TImage back(nullptr);
  ReadComponentFromText(&back, text);
  EXPECT_TRUE(back.Stretch());
  auto* read = dynamic_cast<TJPEGImage*>(back.Picture()->Graphic());
  ASSERT_NE(read, nullptr);
  TMemoryStream again;
  read->SaveToStream(again);
  ASSERT_EQ(again.Size(), bytes.Size());
  EXPECT_EQ(std::memcmp(again.Memory(), bytes.Memory(), std::size_t(bytes.Size())), 0);
}

}  // namespace
}  // namespace fw::testing
