// Tries the transparent controls by hand on either backend: picture buttons with captions over a
// checkered form (the checks show through wherever a button paints nothing, they light up under
// the pointer and press), and a panel shaped like its rounded card that drags the window. Each
// click is printed; headless, the demo ends once nothing is left to do.
#include <cstdio>

#include "controls/clear/ClearCtrl.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/StandardControls.h"
#include "gfx/GfxUnits.h"
#include "gfx/Image.h"
#include "gfx/Shape.h"
#include "tools/DemoRun.h"

namespace {

using namespace fw;

// A checkered background, so that every cut-away pixel of the controls is easy to see.
void Checker(TBitmap& Bitmap, int Width, int Height) {
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetSize(Width, Height);
  for (int y = 0; y < Height; y += 16)
    for (int x = 0; x < Width; x += 16) {
      Bitmap.Canvas()->Brush()->SetColor(((x + y) / 16) % 2 ? TColor(0xD0E8F0) : TColor(0x90B8C8));
      Bitmap.Canvas()->FillRect(Rect(x, y, x + 16, y + 16));
    }
}

// A button picture: a coloured ball on fuchsia, the bottom-left colour, which becomes empty.
void Ball(TPicture& Picture, TColor Color) {
  TBitmap* ball = Picture.Bitmap();
  ball->SetPixelFormat(pf24bit);
  ball->SetSize(48, 48);
  TCanvas* canvas = ball->Canvas();
  canvas->Brush()->SetColor(clFuchsia);
  canvas->FillRect(Rect(0, 0, 48, 48));
  canvas->Brush()->SetColor(Color);
  canvas->Pen()->SetColor(clBlack);
  canvas->Ellipse(2, 2, 46, 46);
}

class TClearDemoForm : public TForm {
 public:
  explicit TClearDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Tovu transparent controls");
    SetBorderStyle(bsSingle);
    SetClientSize(420, 260);
    auto* background = NewComponent<TImage>(this);
    background->SetAlign(alClient);
    background->SetParent(this);
    Checker(*background->Picture()->Bitmap(), 420, 260);
    AddButton("Red", clRed, 20, 20);
    AddButton("Green", clLime, 150, 20);
    AddButton("Blue", clBlue, 280, 20);

    auto* panel = NewComponent<clear::TClearPanel>(this);
    panel->SetParent(this);
    panel->SetAutoSize(false);
    panel->SetChildGraphicsTrans(true);
    panel->SetParentDrag(true);
    panel->SetBounds(60, 130, 300, 110);
    auto* card = NewComponent<TShape>(this);
    card->SetShape(stRoundRect);
    card->Brush()->SetColor(TColor(0xE0F4FF));
    card->Pen()->SetColor(TColor(0x48A4F8));
    card->Pen()->SetWidth(6);
    card->SetBounds(0, 0, 300, 110);
    card->SetEnabled(false);  // the panel under it takes the pointer and drags the window
    card->SetParent(panel);
  }

 private:
  void AddButton(const char* Caption, TColor Color, int Left, int Top) {
    auto* button = NewComponent<clear::TClearButton>(this);
    button->SetParent(this);
    TPicture ball;
    Ball(ball, Color);
    button->SetPicture(&ball);
    button->Font()->SetHeight(-14);
    button->Font()->SetColor(clBlack);
    button->SetCaption(Caption);
    button->SetLeft(Left);
    button->SetTop(Top);
    button->OnClick = [Caption](TObject*) {
      std::printf("clicked %s\n", Caption);
      std::fflush(stdout);
    };
  }
};

}  // namespace

int main() {
  RegisterStandardControls();
  InitializeGfxUnits();
  clear::RegisterClearControls();
  TApplication application(nullptr);
  application.SetTitle("Tovu transparent controls");
  try {
    demo::RunShownForm(application, *NewComponent<TClearDemoForm>(&application));
  } catch (...) {
    application.HandleException(nullptr);
  }
  return 0;
}
