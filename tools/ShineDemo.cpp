// Tries the shine speed button by hand on either backend: a toolbar whose first row is one group
// of three shine buttons and a framework speed button, then buttons of each frame type with flat
// and gradient faces and each hot glyph effect, disabled buttons with each disabled look, and
// captions with a shadow and a highlight, a transparent button and the glyph above and below.
// It prints where the group's buttons are on the screen, then "shown", then each click with the
// group's Down states (A, B, C, F); headless, it ends once nothing is left to do.
#include <cstdio>
#include <string>
#include <vector>

#include "controls/shine/ShineSpdBtn.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/SpeedButton.h"
#include "framework/StandardControls.h"
#include "tools/DemoRun.h"

namespace {

using namespace fw;
using shine::TShineBtnColors;
using shine::TShineSpeedButton;

enum class TShape { Disc, Square, Diamond };

// A 16 x 16 glyph: a shape in two colours on fuchsia, the bottom-left colour, which stays
// see-through.
void PaintGlyph(TBitmap& Glyph, TShape Shape, TColor Color) {
  Glyph.SetPixelFormat(pf24bit);
  Glyph.SetSize(16, 16);
  TCanvas& canvas = *Glyph.Canvas();
  canvas.Brush()->SetColor(clFuchsia);
  canvas.FillRect(Rect(0, 0, 16, 16));
  canvas.Brush()->SetColor(Color);
  canvas.Pen()->SetColor(clBlack);
  switch (Shape) {
    case TShape::Disc:
      canvas.Ellipse(1, 1, 15, 15);
      break;
    case TShape::Square:
      canvas.Rectangle(2, 2, 14, 14);
      break;
    case TShape::Diamond:
      for (int y = 0; y < 16; ++y) {
        const int half = y < 8 ? y : 15 - y;
        canvas.FillRect(Rect(8 - half, y, 8 + half, y + 1));
      }
      break;
  }
  canvas.Brush()->SetColor(clWhite);
  canvas.FillRect(Rect(5, 5, 8, 8));
}

class TShineDemoForm : public TForm {
 public:
  explicit TShineDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Tovu shine buttons");
    SetBorderStyle(bsToolWindow);
    SetFormStyle(fsStayOnTop);
    SetColor(TColor(0x00E8D8C8));
    SetBounds(60, 60, 100, 100);
    SetClientWidth(460);
    SetClientHeight(200);
    GroupRow();
    EffectRow();
    DisabledRow();
    CaptionRow();
  }

  // Where a group member's client area lies on the screen.
  void PrintPlaces() const {
    for (const TControl* member : FGroup) {
      const win::POINT at = member->ClientToScreen(win::POINT{0, 0});
      std::printf("button %s %d %d %d %d\n", member->Name().c_str(), int(at.x), int(at.y),
                  member->Width(), member->Height());
    }
  }

 private:
  TShineSpeedButton* Add(const std::string& Caption, int Left, int Top, int Width, int Height) {
    auto* button = NewComponent<TShineSpeedButton>(this);
    button->SetBounds(Left, Top, Width, Height);
    button->SetCaption(Caption);
    button->Font()->SetHeight(-12);
    button->ActiveFont()->SetHeight(-12);
    button->SetParent(this);
    return button;
  }
  static void Glyph(TShineSpeedButton& Button, TShape Shape, TColor Color) {
    TBitmap glyph;
    PaintGlyph(glyph, Shape, Color);
    Button.SetGlyph(&glyph);
  }
  static void Gradient(TShineBtnColors& Colors, TColor From, TColor To, bool Vertical) {
    Colors.SetColor(From);
    Colors.SetGradColor(To);
    Colors.SetGradVertical(Vertical);
    Colors.SetGradation(true);
  }

  // One group: three shine buttons toggled by click or accelerator and a framework button.
  void GroupRow() {
    const char* captions[] = {"左(&L)", "中(&C)", "右(&R)"};
    const TShape shapes[] = {TShape::Disc, TShape::Square, TShape::Diamond};
    for (int i = 0; i < 3; ++i) {
      TShineSpeedButton* b = Add(captions[i], 10 + 80 * i, 10, 74, 30);
      b->SetName(std::string(1, char('A' + i)));
      b->SetGroupIndex(1);
      b->SetAccelCharDown(true);
      b->SetActiveImage(shine::aiXorLight);
      b->SetShineColor(clWhite);
      b->PressedColors()->SetColor(TColor(0x0080F0FF));
      Glyph(*b, shapes[i], TColor(0x00A04020 + 0x3020 * i));
      Watch(b);
    }
    auto* framework = NewComponent<TSpeedButton>(this);
    framework->SetName("F");
    framework->SetCaption("Fw");
    framework->SetBounds(250, 10, 40, 30);
    framework->SetGroupIndex(1);
    framework->SetParent(this);
    Watch(framework);
  }

  void EffectRow() {
    struct TEffect {
      const char* Caption;
      shine::TFrameType Frame;
      shine::TActiveImageType Effect;
      bool Gradient;
      bool Vertical;
    };
    const TEffect effects[] = {
        {"Flat", shine::ftFlatFrame, shine::aiHalfLight, true, false},
        {"Normal", shine::ftNormalFrame, shine::aiFrameLight, false, false},
        {"Enclosed", shine::ftEnclosedFrame, shine::aiFrameLight2, true, true},
        {"Add", shine::ftNormalFrame, shine::aiAddLight, true, false},
        {"Quarter", shine::ftFlatFrame, shine::aiQuaterLight, false, false},
        {"Mask", shine::ftEnclosedFrame, shine::aiMaskLight, true, true},
    };
    int left = 10;
    for (const TEffect& e : effects) {
      TShineSpeedButton* b = Add(e.Caption, left, 50, 72, 32);
      b->SetFrameType(e.Frame);
      b->SetActiveImage(e.Effect);
      if (e.Gradient) {
        Gradient(*b->Colors(), TColor(0x00FFF0E0), TColor(0x00C08040), e.Vertical);
        Gradient(*b->PressedColors(), TColor(0x0040A0FF), TColor(0x00E0F8FF), !e.Vertical);
      }
      Glyph(*b, TShape::Disc, clRed);
      left += 74;
    }
  }

  void DisabledRow() {
    const shine::TDisabledImageType looks[] = {shine::diDefault, shine::diGrayscale,
                                               shine::diAlphaHalfTrans, shine::diAlphaQuaterTrans,
                                               shine::diMaskTrans};
    const char* captions[] = {"Emboss", "Gray", "Half", "Quarter", "Mask"};
    for (int i = 0; i < 5; ++i) {
      TShineSpeedButton* b = Add(captions[i], 10 + 80 * i, 90, 76, 32);
      b->SetDisabledImage(looks[i]);
      Glyph(*b, TShape::Square, TColor(0x002080E0));
      b->SetEnabled(false);
    }
  }

  void CaptionRow() {
    TShineSpeedButton* both = Add("影と光", 10, 132, 90, 56);
    both->SetFontShadow(clGray);
    both->SetFontHighlight(clWhite);
    both->SetLayout(blGlyphTop);
    Glyph(*both, TShape::Diamond, clTeal);
    TShineSpeedButton* see = Add("透明", 110, 132, 90, 56);
    see->SetTransparent(true);
    see->SetFrameType(shine::ftFlatFrame);
    see->SetLayout(blGlyphBottom);
    Glyph(*see, TShape::Disc, clNavy);
    TShineSpeedButton* lines = Add("二行の\r\n見出し", 210, 132, 110, 56);
    lines->SetFontShadow(clYellow);
    lines->SetLayout(blGlyphRight);
    lines->SetMargin(6);
    Glyph(*lines, TShape::Square, clGreen);
  }

  void Watch(TControl* Member) {
    FGroup.push_back(Member);
    Member->OnClick = [this, Member](TObject*) { PrintClick(*Member); };
  }
  void PrintClick(const TControl& Member) const {
    std::string line = "clicked " + Member.Name() + " down";
    for (const TControl* member : FGroup) {
      const bool down = dynamic_cast<const TShineSpeedButton*>(member) != nullptr
                            ? static_cast<const TShineSpeedButton*>(member)->Down()
                            : static_cast<const TSpeedButton*>(member)->Down();
      line += down ? " 1" : " 0";
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }

  std::vector<TControl*> FGroup;
};

}  // namespace

int main() {
  RegisterStandardControls();
  shine::RegisterShineControls();
  TApplication application(nullptr);
  application.SetTitle("Tovu shine buttons");
  try {
    auto* form = NewComponent<TShineDemoForm>(&application);
    demo::RunShownForm(application, *form, [&] {
      application.ProcessMessages();
      form->PrintPlaces();
    });
  } catch (...) {
    application.HandleException(nullptr);
  }
  return 0;
}
