#include "app/Mainwindow1.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "app/Entrance.h"
#include "app/InformationPage.h"
#include "app/OutputPath.h"
#include "app/PicturePath.h"
#include "controls/clear/ClearCtrl.h"
#include "framework/Bitmap.h"
#include "framework/CommandLine.h"
#include "framework/Dialogs.h"
#include "framework/Picture.h"
#include "framework/PictureLimits.h"
#include "framework/ScopeExit.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Clock.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "framework/platform/Shell.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/WindowStyles.h"
#include "gfx/JPEGImage.h"

namespace app {

TMainForm1* MainForm1 = nullptr;

namespace {

// A bitmap whose file ends inside its pixel data is framed with what it has, and says so.
void SayIfPixelDataIsShort(const std::string& path, const fw::TGraphic* graphic) {
  const auto* bitmap = dynamic_cast<const fw::TBitmap*>(graphic);
  if (bitmap == nullptr || bitmap->PixelDataRead() >= bitmap->PixelDataExpected()) return;
  std::fprintf(stderr,
               "tovu: %s: the file ends inside its pixel data (%llu of %llu bytes); the pixels it "
               "lacks stay zero (black, or the first colour of its table)\n",
               path.c_str(), static_cast<unsigned long long>(bitmap->PixelDataRead()),
               static_cast<unsigned long long>(bitmap->PixelDataExpected()));
}

// What a loaded picture must pass before it is framed. The window and its capture are held to
// the picture limit. A JPEG's pixels are decoded on first use, which would be the first paint,
// too late to stop the save; decoded here, with the same settings, a file whose header reads but
// whose data does not is refused like any picture that does not load. What is decoded is what
// the picture area the window will fit asks for (a large picture shrunk into it needs only the
// pixels the stretch takes), and the image takes that area's bounds at once: the first paint
// comes before the fit, and at the layout's placeholder size it would need the whole picture.
void PrepareForFraming(fw::TPicture& picture, fw::TImage& image) {
  const TBounds client = RequestedClientArea(picture.Width(), picture.Height());
  fw::CheckWindowSize(client.Width, client.Height);
  if (auto* jpeg = dynamic_cast<fw::TJPEGImage*>(picture.Graphic())) {
    const TBounds area = RequestedPictureArea(picture.Width(), picture.Height());
    jpeg->DecodeForDrawing(area.Width, area.Height);
    image.SetBounds(area.Left, area.Top, area.Width, area.Height);
  }
}

int ScreenWidth() {
  return win::GetSystemMetrics(win::SM_CXSCREEN);
}
int ScreenHeight() {
  return win::GetSystemMetrics(win::SM_CYSCREEN);
}

// The minute of the local time, formatted as two digits and read back.
int CurrentMinute() {
  win::SYSTEMTIME now;
  win::GetLocalTime(&now);
  std::tm parts{};
  parts.tm_min = now.wMinute;
  char digits[3] = {};
  std::strftime(digits, sizeof digits, "%M", &parts);
  return MinuteFromDigits(digits);
}

// The form's client area as the fitting sees it: every size set is read back from the platform.
class TFormClientArea : public TClientArea {
 public:
  explicit TFormClientArea(fw::TForm& form) : FForm(form) {}
  int ClientWidth() const override { return FForm.ClientWidth(); }
  int ClientHeight() const override { return FForm.ClientHeight(); }
  void SetClientWidth(int value) override { FForm.SetClientWidth(value); }
  void SetClientHeight(int value) override { FForm.SetClientHeight(value); }

 private:
  fw::TForm& FForm;
};

void RegisterLayoutOnce() {
  static const bool registered = [] {
    // The layout names the transparent panel, which is not one of the standard controls.
    clear::RegisterClearControls();
    fw::RegisterFormDescription(TMainForm1::StaticClass(), Mainwindow1Layout);
    return true;
  }();
  (void)registered;
}

}  // namespace

TOVU_IMPLEMENT_CLASS(TMainForm1)
void TMainForm1::DefineClass(fw::TClassBuilder<TMainForm1>& b) {
  b.Field("ClearPanel1", &TMainForm1::ClearPanel1);
  b.Field("Image2", &TMainForm1::Image2);
  b.Field("Panel1", &TMainForm1::Panel1);
  b.Field("Image1", &TMainForm1::Image1);
  b.Field("Timer1", &TMainForm1::Timer1);
  b.Field("Button1", &TMainForm1::Button1);
  b.Field("Shape1", &TMainForm1::Shape1);
  b.Field("Shape2", &TMainForm1::Shape2);
  b.Method("Button1Click", &TMainForm1::Button1Click);
  b.Method("FormCreate", &TMainForm1::FormCreate);
  b.Method("Timer1Timer", &TMainForm1::Timer1Timer);
}

TMainForm1::TMainForm1(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  RegisterLayoutOnce();
  InitInheritedComponent();
  ChooseEdgeAndPlace();
}

TMainForm1::TMainForm1(fw::TComponent* AOwner, const std::string& picturePath)
    : TMainForm1(AOwner) {
  FOneOfSeveral = true;
  FFilePath = picturePath + " ";
}

TMainForm1::~TMainForm1() {
  DestroyComponents();
}

void TMainForm1::ChooseEdgeAndPlace() {
  FDirection = DirectionFromMinute(CurrentMinute());
  const TPlacement start = ConstructorPlacement(FDirection, ScreenWidth(), ScreenHeight());
  SetTop(start.Top);
  SetLeft(start.Left);
}

void TMainForm1::FormCreate(fw::TObject*) {
  if (!FOneOfSeveral && fw::ParamCount() == 0) {
    win::MessageBeep(0);
    fw::ShowMessage(
        win::FromUtf8("アイコン（実行ファイル）上に画像ファイルをドロップしてください。"));
    const int answer = fw::MessageDlg(win::FromUtf8("インフォメーションを参照しますか？"),
                                      fw::mtConfirmation, {fw::mbYes, fw::mbNo}, 0);
    if (answer != fw::mrYes) return;
    const std::string address = InformationAddress(fw::ParamStr(0));
    win::ShellExecuteA(Handle(), "OPEN", address.c_str(), "", "", win::SW_SHOW);
    return;
  }
  if (!FOneOfSeveral) FFilePath = JoinArguments();
  const std::string path = PathWithoutTrailingSpace(FFilePath);
  // A path that names no picture is refused without a dialog, as the platform does; a script
  // still learns why on standard error.
  if (const TPictureFileState state = PictureFileState(FFilePath); state != pfsFile) {
    RefuseToFrame(path, RefusalReason(state));
    return;
  }
  FFileExt = PictureExtension(FFilePath);
  if (!IsAcceptedExtension(FFileExt)) {
    RefuseToFrame(path, "the extension is not bmp, jpg or jpeg");
    return;
  }
  LoadPicture(path);
}

void TMainForm1::RefuseToFrame(const std::string& path, const std::string& reason) {
  FRefusal = reason;
  SayWhyNothingIsFramed(path, reason);
}

void TMainForm1::LoadPicture(const std::string& path) {
  fw::TPicture* picture = Image2->Picture();
  picture->LoadFromFile(path);
  if (picture->Width() <= 0 || picture->Height() <= 0) {
    // An empty JPEG fails only when drawn; nothing of it is kept to be drawn.
    picture->SetGraphic(nullptr);
    RefuseToFrame(path, "the file is empty");
    return;
  }
  try {
    PrepareForFraming(*picture, *Image2);
  } catch (...) {
    picture->SetGraphic(nullptr);
    throw;
  }
  SayIfPixelDataIsShort(path, picture->Graphic());
}

void TMainForm1::Timer1Timer(fw::TObject*) {
  if (!FOneOfSeveral && fw::ParamCount() == 0) {
    Close();
    return;
  }
  if (Timer1->Tag() == 0) {
    // Nothing to frame (no file, an extension not accepted, or a load error): the fitting would
    // divide by a zero side, so the window closes without saving. The timer stays on, as without
    // arguments: a tick while the load error is reported (the window still being created) only
    // hides the window, and the first tick after the message loop has started ends the program.
    if (Image2->Picture()->Width() <= 0 || Image2->Picture()->Height() <= 0) {
      Close();
      return;
    }
    FitToPictureAndPlaceAtEdge();
    Timer1->SetTag(1);
  }
  if (StepOrArrive()) return;
  Timer1->SetEnabled(false);
  FArrived = true;
  Button1Click(Timer1);
  Close();
}

void TMainForm1::FitToPictureAndPlaceAtEdge() {
  // The panel follows the client area, which changes height and width one after the other: its
  // images and region are built once, for the fitted card with the picture in place.
  ClearPanel1->BeginUpdate();
  fw::RunThenFinally(
      [&] {
        TFormClientArea area(*this);
        const TBounds image =
            FitToPicture(Image2->Picture()->Width(), Image2->Picture()->Height(), area);
        Image2->SetWidth(image.Width);
        Image2->SetHeight(image.Height);
        Image2->SetLeft(image.Left);
        Image2->SetTop(image.Top);
      },
      [&] { ClearPanel1->EndUpdate(); });
  const TPlacement start =
      EdgePlacement(FDirection, Width(), Height(), ScreenWidth(), ScreenHeight());
  SetTop(start.Top);
  SetLeft(start.Left);
}

bool TMainForm1::StepOrArrive() {
  TPlacement placement{Left(), Top()};
  if (!SlideStepTowardCentre(FDirection, placement, Width(), Height(), ScreenWidth(),
                             ScreenHeight())) {
    return false;
  }
  if (placement.Top != Top()) SetTop(placement.Top);
  if (placement.Left != Left()) SetLeft(placement.Left);
  return true;
}

void TMainForm1::Button1Click(fw::TObject*) {
  const int clientWidth = ClientWidth();
  const int clientHeight = ClientHeight();
  {
    auto jpeg = std::make_unique<fw::TJPEGImage>();
    auto bitmap = std::make_unique<fw::TBitmap>();
    Image1->Picture()->SetGraphic(nullptr);
    Image1->SetAutoSize(false);
    Image1->SetWidth(clientWidth);
    Image1->SetHeight(clientHeight);
    // The copy must see a completely painted client area, cut by a panel region that follows
    // the fitted picture. Normally the arrival tick comes one tick after the last move and its
    // repaint; but on a screen so wide or tall that the start from the right or bottom edge
    // already lies past the centre, the window arrives on the tick that fitted it, before the
    // fitted layout has been painted and the panel's region has followed it.
    ClearPanel1->FlushRgn();
    Update();
    const fw::TRect area = fw::Rect(0, 0, clientWidth, clientHeight);
    Image1->Canvas()->CopyRect(area, Canvas(), area);
    bitmap->Assign(Image1->Picture()->Bitmap());
    jpeg->Assign(bitmap.get());
    jpeg->SetJpegQuality(90);
    jpeg->SaveToFile(OutputPathFor(FFilePath));
  }
  FSaved = true;
  // The run has done its work: should the display go away from here on, it still succeeded. A
  // run of several pictures settles that, and reports them all, once every one is done.
  if (!FOneOfSeveral) win::SetExitCodeOnDisplayLoss(0);
  win::MessageBeep(0);
  if (!FOneOfSeveral) fw::ShowMessage(SizeReport(clientWidth, clientHeight));
}

}  // namespace app
