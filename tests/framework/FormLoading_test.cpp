#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "framework/TypeInfo.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

// A form whose layout comes from a description compiled into the program: the components are
// bound to published fields, the handlers to published methods.
class TDescribedForm : public TForm {
  TOVU_CLASS(TDescribedForm, TForm)

 public:
  explicit TDescribedForm(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
    // The constructor's own work sees the loaded layout.
    Order.push_back(Panel1 != nullptr && Timer1 != nullptr ? "constructor with layout"
                                                           : "constructor without layout");
  }
  ~TDescribedForm() override { DestroyComponents(); }

  TPanel* Panel1 = nullptr;
  TSpeedButton* Card = nullptr;
  TButton* Button1 = nullptr;
  TTimer* Timer1 = nullptr;
  std::vector<std::string> Order;
  int Ticks = 0;
  int Clicks = 0;

  void FormCreate(TObject*) { Order.push_back("FormCreate"); }
  void Timer1Timer(TObject*) { ++Ticks; }
  void Button1Click(TObject*) { ++Clicks; }
};

TOVU_IMPLEMENT_CLASS(TDescribedForm)
void TDescribedForm::DefineClass(TClassBuilder<TDescribedForm>& b) {
  b.Field("Panel1", &TDescribedForm::Panel1);
  b.Field("Card", &TDescribedForm::Card);
  b.Field("Button1", &TDescribedForm::Button1);
  b.Field("Timer1", &TDescribedForm::Timer1);
  b.Method("FormCreate", &TDescribedForm::FormCreate);
  b.Method("Timer1Timer", &TDescribedForm::Timer1Timer);
  b.Method("Button1Click", &TDescribedForm::Button1Click);
}

constexpr const char* Description = R"(object DescribedForm: TDescribedForm
  Left = 164
  Top = 9
  BorderStyle = bsToolWindow
  Caption = 'Tovuザビロナ！'
  ClientHeight = 600
  ClientWidth = 600
  Color = clWhite
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  FormStyle = fsStayOnTop
  HorzScrollBar.Visible = False
  VertScrollBar.Visible = False
  OldCreateOrder = False
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 12
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 600
    Height = 600
    Align = alClient
    BevelOuter = bvNone
    DesignWidth = 600
    DesignHeight = 600
    object Card: TSpeedButton
      Left = 2
      Top = 2
      Width = 596
      Height = 596
      Anchors = [akLeft, akTop, akRight, akBottom]
    end
    object Button1: TButton
      Left = 264
      Top = 290
      Width = 74
      Height = 20
      Anchors = []
      Caption = '保存'
      TabOrder = 0
      Visible = False
      OnClick = Button1Click
    end
  end
  object Timer1: TTimer
    Interval = 20
    OnTimer = Timer1Timer
  end
end
)";

class FormLoadingTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    RegisterFormDescription(TDescribedForm::StaticClass(), Description);
  }
};

TEST_F(FormLoadingTest, LayoutLoadsBeforeTheConstructorsOwnWorkAndOnCreateAfterIt) {
  TDescribedForm* form = nullptr;
  FApplication->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Order, (std::vector<std::string>{"constructor with layout", "FormCreate"}));
  EXPECT_EQ(FApplication->MainForm(), form);
  EXPECT_EQ(form->Caption(), "Tovuザビロナ！");
  EXPECT_EQ(form->BorderStyle(), bsToolWindow);
  EXPECT_EQ(form->FormStyle(), fsStayOnTop);
  EXPECT_EQ(form->Color(), clWhite);
  EXPECT_EQ(form->Font()->Height(), -12);
  EXPECT_FALSE(form->HorzScrollBar()->Visible());
  EXPECT_EQ(form->Left(), 164);
  EXPECT_EQ(form->ClientWidth(), 600);
  EXPECT_EQ(form->ClientHeight(), 600);
  EXPECT_EQ(form->Width(), 606);
  EXPECT_EQ(form->Height(), 624);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->Button1->Caption(), "保存");
  EXPECT_EQ(form->Button1->Parent(), form->Panel1);
  EXPECT_TRUE(form->Panel1->ParentFont());
  EXPECT_EQ(form->Panel1->Font()->Height(), -12);
  form->Button1->Click();
  EXPECT_EQ(form->Clicks, 1);
}

TEST_F(FormLoadingTest, TheTimerRunsFromTheMomentTheLayoutIsLoaded) {
  TDescribedForm* form = nullptr;
  FApplication->CreateForm(form);
  RunFor(100);
  EXPECT_EQ(form->Ticks, 5);
}

TEST_F(FormLoadingTest, AnchorsLaidOutAgainstTheDesignSizeFollowTheClientArea) {
  TDescribedForm* form = nullptr;
  FApplication->CreateForm(form);
  form->Show();
  form->SetClientWidth(800);
  form->SetClientHeight(800);
  EXPECT_EQ(form->Panel1->BoundsRect(), (win::RECT{0, 0, 800, 800}));
  EXPECT_EQ(form->Card->BoundsRect(), (win::RECT{2, 2, 798, 798}));
}

TEST_F(FormLoadingTest, AFormClassWithoutADescriptionCannotBeCreated) {
  RegisterFormDescription(TDescribedForm::StaticClass(), "object X: TOther\nend\n");
  EXPECT_THROW(TCustomForm::Create<TDescribedForm>(FApplication.get()), EParserError);
  EXPECT_EQ(FApplication->ComponentCount(), 0);
}

}  // namespace
}  // namespace fw::testing
