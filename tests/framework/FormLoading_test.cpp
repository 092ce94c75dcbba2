// Forms load the layout registered for their class before the constructor's own work, OnCreate
// runs after it, and the loaded components work; written out, the form reads back the same:
// tried on the main window's own layout.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/GraphicsObjects.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "framework/TypeInfo.h"
#include "framework/Writer.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

// Stand-ins for the graphics layer's shape and image, which the framework's tests cannot create:
// windowless controls of the same class names with the properties the layout gives them.
TOVU_ENUM(TStandInShapeType, std::uint8_t, stRectangle, stRoundRect)

class TShape : public TGraphicControl {
  TOVU_CLASS(TShape, TGraphicControl)

 public:
  explicit TShape(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value) { FBrush->Assign(Value); }
  TStandInShapeType Shape() const { return FShape; }
  void SetShape(TStandInShapeType Value) { FShape = Value; }

 private:
  std::unique_ptr<TPen> FPen = std::make_unique<TPen>();
  std::unique_ptr<TBrush> FBrush = std::make_unique<TBrush>();
  TStandInShapeType FShape = stRectangle;
};

TOVU_IMPLEMENT_CLASS(TShape)
void TShape::DefineClass(TClassBuilder<TShape>& b) {
  b.Publish("Align");
  b.Publish("Anchors");
  b.Property("Brush", &TShape::Brush, &TShape::SetBrush);
  b.Property("Pen", &TShape::Pen, &TShape::SetPen);
  b.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
}

class TImage : public TGraphicControl {
  TOVU_CLASS(TImage, TGraphicControl)

 public:
  explicit TImage(TComponent* AOwner) : TGraphicControl(AOwner) {}
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }

 private:
  bool FStretch = false;
};

TOVU_IMPLEMENT_CLASS(TImage)
void TImage::DefineClass(TClassBuilder<TImage>& b) {
  b.Publish("AutoSize");
  b.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
}

// A stand-in for the transparent panel: a panel with the properties the layout gives it.
class TClearPanel : public TPanel {
  TOVU_CLASS(TClearPanel, TPanel)

 public:
  explicit TClearPanel(TComponent* AOwner) : TPanel(AOwner) {}
  int Value(const char* Name) const { return FValues.count(Name) ? FValues.at(Name) : -1; }

 private:
  std::map<std::string, int> FValues;
  template <class V>
  static void Stored(TClassBuilder<TClearPanel>& b, const char* Name) {
    b.Property<V>(
        Name, [Name](const TClearPanel& p) { return V(p.Value(Name)); },
        [Name](TClearPanel& p, V v) { p.FValues[Name] = int(v); });
  }
  friend void DefineStandIn(TClassBuilder<TClearPanel>& b);
};

void DefineStandIn(TClassBuilder<TClearPanel>& b) {
  b.Publish("AutoSize");
  for (const char* name : {"CaptionLeft", "CaptionTop", "HotLightDepth"})
    TClearPanel::Stored<int>(b, name);
  for (const char* name : {"ChildGraphicsTrans", "FormTrans", "HotTrack", "ParentDrag"})
    TClearPanel::Stored<bool>(b, name);
}

TOVU_IMPLEMENT_CLASS(TClearPanel)
void TClearPanel::DefineClass(TClassBuilder<TClearPanel>& b) {
  DefineStandIn(b);
}

// The main window's class as far as its layout names it: the components bound to published
// fields, the handlers to published methods, each recording what happens.
class TMainForm1 : public TForm {
  TOVU_CLASS(TMainForm1, TForm)

 public:
  explicit TMainForm1(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
    // The constructor's own work sees the loaded layout.
    Order.push_back(ClearPanel1 != nullptr && Timer1 != nullptr ? "constructor with layout"
                                                                : "constructor without layout");
  }
  ~TMainForm1() override { DestroyComponents(); }

  TClearPanel* ClearPanel1 = nullptr;
  TShape* Shape1 = nullptr;
  TImage* Image2 = nullptr;
  TShape* Shape2 = nullptr;
  TButton* Button1 = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* Image1 = nullptr;
  TTimer* Timer1 = nullptr;
  std::vector<std::string> Order;
  int Ticks = 0;
  int Clicks = 0;

  void FormCreate(TObject*) { Order.push_back("FormCreate"); }
  void Timer1Timer(TObject*) { ++Ticks; }
  void Button1Click(TObject*) { ++Clicks; }
};

TOVU_IMPLEMENT_CLASS(TMainForm1)
void TMainForm1::DefineClass(TClassBuilder<TMainForm1>& b) {
  b.Field("ClearPanel1", &TMainForm1::ClearPanel1);
  b.Field("Shape1", &TMainForm1::Shape1);
  b.Field("Image2", &TMainForm1::Image2);
  b.Field("Shape2", &TMainForm1::Shape2);
  b.Field("Button1", &TMainForm1::Button1);
  b.Field("Panel1", &TMainForm1::Panel1);
  b.Field("Image1", &TMainForm1::Image1);
  b.Field("Timer1", &TMainForm1::Timer1);
  b.Method("FormCreate", &TMainForm1::FormCreate);
  b.Method("Timer1Timer", &TMainForm1::Timer1Timer);
  b.Method("Button1Click", &TMainForm1::Button1Click);
}

// The layout the program compiles in, as the source tree holds it.
std::string MainWindowLayout() {
  std::ifstream in(TOVU_MAINWINDOW1_LAYOUT, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FormLoadingTest : public TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    const std::string layout = MainWindowLayout();
    ASSERT_FALSE(layout.empty()) << TOVU_MAINWINDOW1_LAYOUT;
    RegisterFormDescription(TMainForm1::StaticClass(), layout);
  }
};

TEST_F(FormLoadingTest, LayoutLoadsBeforeTheConstructorsOwnWorkAndOnCreateAfterIt) {
  TMainForm1* form = nullptr;
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
  EXPECT_EQ(form->Button1->Parent(), form->ClearPanel1);
  EXPECT_TRUE(form->ClearPanel1->ParentFont());
  EXPECT_EQ(form->ClearPanel1->Font()->Height(), -12);
  EXPECT_EQ(form->ClearPanel1->Value("ChildGraphicsTrans"), 1);
  EXPECT_EQ(form->ClearPanel1->Value("HotLightDepth"), 0);
  form->Button1->Click();
  EXPECT_EQ(form->Clicks, 1);
}

TEST_F(FormLoadingTest, TheTimerRunsFromTheMomentTheLayoutIsLoaded) {
  TMainForm1* form = nullptr;
  FApplication->CreateForm(form);
  RunFor(100);
  EXPECT_EQ(form->Ticks, 5);
}

TEST_F(FormLoadingTest, AnchorsLaidOutAgainstTheDesignSizeFollowTheClientArea) {
  TMainForm1* form = nullptr;
  FApplication->CreateForm(form);
  form->Show();
  form->SetClientWidth(800);
  form->SetClientHeight(800);
  EXPECT_EQ(form->ClearPanel1->BoundsRect(), (win::RECT{0, 0, 800, 800}));
  EXPECT_EQ(form->Shape1->BoundsRect(), (win::RECT{2, 2, 798, 798}));
}

TEST_F(FormLoadingTest, WrittenOutTheFormStoresItsControlsInTheirParentsAndReadsBackTheSame) {
  std::string written;
  {
    const std::unique_ptr<TMainForm1> form(TCustomForm::Create<TMainForm1>(FApplication.get()));
    NewComponent<TTimer>(form.get())->SetSubComponent(true);  // the form's own helper
    NewComponent<TTimer>(form->Panel1);                       // the panel's, not the form's
    written = ComponentToText(form.get());
  }
  for (const char* nested :
       {"\n  object ClearPanel1: TClearPanel\n", "\n    object Button1: TButton\n",
        "\n    object Image1: TImage\n", "\n  object Timer1: TTimer\n"})
    EXPECT_NE(written.find(nested), std::string::npos) << nested << written;
  std::size_t objects = 0;
  for (std::size_t at = written.find("object "); at != std::string::npos;
       at = written.find("object ", at + 1))
    ++objects;
  EXPECT_EQ(objects, 9u) << "the form and its eight components\n" << written;

  RegisterFormDescription(TMainForm1::StaticClass(), written);
  auto* copy = TCustomForm::Create<TMainForm1>(FApplication.get());
  EXPECT_EQ(ComponentToText(copy), written);
  EXPECT_EQ(copy->Button1->Parent(), copy->ClearPanel1);
}

TEST_F(FormLoadingTest, AFormClassWithoutADescriptionCannotBeCreated) {
  RegisterFormDescription(TMainForm1::StaticClass(), "object X: TOther\nend\n");
  EXPECT_THROW(TCustomForm::Create<TMainForm1>(FApplication.get()), EParserError);
  EXPECT_EQ(FApplication->ComponentCount(), 0);
}

}  // namespace
}  // namespace fw::testing
