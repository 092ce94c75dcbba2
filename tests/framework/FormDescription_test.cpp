#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Events.h"
#include "framework/Exceptions.h"
#include "framework/Reader.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/Writer.h"
#include "framework/platform/CodePage.h"

// Test classes live outside namespace fw so that their enumeration values never meet the
// framework's own.
namespace formtest {

using namespace fw;

TOVU_ENUM(TTestAlign, std::uint8_t, taNone, taTop, taBottom, taClient)
TOVU_ENUM(TTestAnchor, std::uint8_t, tnLeft, tnTop, tnRight, tnBottom)
using TTestAnchors = TSet<TTestAnchor>;
TOVU_ENUM(TTestStyle, std::uint8_t, tsBold, tsItalic, tsUnderline)
using TTestStyles = TSet<TTestStyle>;

constexpr std::int32_t tcBlack = 0;
constexpr std::int32_t tcWhite = 0xFFFFFF;
constexpr std::int32_t tcFace = static_cast<std::int32_t>(0x8000000F);

const TIdentMap& TestColors() {
  static const TIdentMap map("TTestColor",
                             {{tcBlack, "tcBlack"}, {tcWhite, "tcWhite"}, {tcFace, "tcFace"}}, 8);
  return map;
}

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class TTestFont : public TPersistent {
  TOVU_CLASS(TTestFont, TPersistent)

 public:
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  std::int32_t Color() const { return FColor; }
  void SetColor(std::int32_t Value) { FColor = Value; }
  TTestStyles Style() const { return FStyle; }
  void SetStyle(TTestStyles Value) { FStyle = Value; }

 private:
  int FHeight = -11;
  std::string FName = "IPAPGothic";
  std::int32_t FColor = tcBlack;
  TTestStyles FStyle;
};

// Binary and plain values stored beside the published properties.
class TTestBlob : public TPersistent {
  TOVU_CLASS(TTestBlob, TPersistent)

 public:
  std::vector<std::uint8_t> Bytes;
  int Extra = 0;

 protected:
  void DefineProperties(TFiler& Filer) override {
    Filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
          Bytes.resize(static_cast<std::size_t>(s.Size()));
          if (!Bytes.empty()) s.ReadBuffer(Bytes.data(), s.Size());
        },
        [this](TStream& s) {
          s.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
        },
        !Bytes.empty());
    Filer.DefineProperty(
        "Extra", [this](TReader& r) { Extra = static_cast<int>(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(Extra); }, Extra != 0);
  }
};

class TTestControl : public TComponent {
  TOVU_CLASS(TTestControl, TComponent)

 public:
  explicit TTestControl(TComponent* AOwner) : TComponent(AOwner) {}

  int Left() const { return FLeft; }
  void SetLeft(int Value) {
    FLeft = Value;
    LoadingWhenSet = IsLoading();
  }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  std::uint8_t Opacity() const { return FOpacity; }
  void SetOpacity(std::uint8_t Value) { FOpacity = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TTestAlign Align() const { return FAlign; }
  void SetAlign(TTestAlign Value) { FAlign = Value; }
  TTestAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TTestAnchors Value) { FAnchors = Value; }
  std::int32_t Color() const { return FColor; }
  void SetColor(std::int32_t Value) { FColor = Value; }
  TTestFont* Font() const { return FFont.get(); }
  void SetFont(TTestFont* Value) { FFont->Assign(Value); }
  TTestBlob* Blob() const { return FBlob.get(); }
  TTestControl* Buddy() const { return FBuddy; }
  void SetBuddy(TTestControl* Value) { FBuddy = Value; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
  int Secret() const { return FSecret; }
  void SetSecret(int Value) { FSecret = Value; }

  TTestControl* ParentControl = nullptr;
  std::vector<TTestControl*> Children;
  bool LoadingWhenSet = false;
  bool LoadingInLoaded = false;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return ParentControl; }
  void SetParentComponent(TComponent* Value) override {
    ParentControl = dynamic_cast<TTestControl*>(Value);
    if (ParentControl != nullptr) ParentControl->Children.push_back(this);
  }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override {
    for (TTestControl* child : Children)
      if (child->Owner() == Root) Proc(child);
    if (Root == this)
      for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->HasParent()) Proc(Components(i));
  }
  void ReadState(TReader& Reader) override {
    Log().push_back("read " + Name());
    inherited::ReadState(Reader);
  }

 protected:
  void Loaded() override {
    LoadingInLoaded = IsLoading();
    inherited::Loaded();
    Log().push_back("loaded " + Name());
  }

 private:
  int FLeft = 0;
  int FWidth = 64;
  std::uint8_t FOpacity = 255;
  std::string FCaption;
  bool FVisible = true;
  TTestAlign FAlign = taNone;
  TTestAnchors FAnchors{tnLeft, tnTop};
  std::int32_t FColor = tcFace;
  std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
  std::unique_ptr<TTestBlob> FBlob = std::make_unique<TTestBlob>();
  TTestControl* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  int FSecret = 0;
};

// Publishes the ancestor's unpublished Secret and gives Width another default.
class TTestButton : public TTestControl {
  TOVU_CLASS(TTestButton, TTestControl)

 public:
  explicit TTestButton(TComponent* AOwner) : TTestControl(AOwner) { SetWidth(75); }
};

class TTestTimer : public TComponent {
  TOVU_CLASS(TTestTimer, TComponent)

 public:
  explicit TTestTimer(TComponent* AOwner) : TComponent(AOwner) {}
  int Interval() const { return FInterval; }
  void SetInterval(int Value) { FInterval = Value; }
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& Value) { FOnTimer = Value; }

 protected:
  void Loaded() override {
    inherited::Loaded();
    Log().push_back("loaded " + Name());
  }

 private:
  int FInterval = 1000;
  TNotifyEvent FOnTimer;
};

class TTestForm : public TTestControl {
  TOVU_CLASS(TTestForm, TTestControl)

 public:
  explicit TTestForm(TComponent* AOwner) : TTestControl(AOwner) {}
  TTestControl* Panel1 = nullptr;
  TTestButton* Button1 = nullptr;
  TTestTimer* Timer1 = nullptr;
  std::vector<std::string> Clicks;

 protected:
  void Button1Click(TObject* Sender) {
    Clicks.push_back(dynamic_cast<TComponent*>(Sender)->Name());
  }
  void Timer1Timer(TObject*) { Clicks.push_back("tick"); }
  void Measure(int) {}
};

TOVU_IMPLEMENT_CLASS(TTestFont)
void TTestFont::DefineClass(TClassBuilder<TTestFont>& b) {
  b.Property("Color", &TTestFont::Color, &TTestFont::SetColor)
      .Idents(TestColors())
      .Default(tcBlack);
  b.Property("Height", &TTestFont::Height, &TTestFont::SetHeight);
  b.Property("Name", &TTestFont::Name, &TTestFont::SetName).Default("IPAPGothic");
  b.Property("Style", &TTestFont::Style, &TTestFont::SetStyle).Default(TTestStyles{});
}

TOVU_IMPLEMENT_CLASS(TTestBlob)
void TTestBlob::DefineClass(TClassBuilder<TTestBlob>&) {}

TOVU_IMPLEMENT_CLASS(TTestControl)
void TTestControl::DefineClass(TClassBuilder<TTestControl>& b) {
  b.Property("Left", &TTestControl::Left, &TTestControl::SetLeft);
  b.Property("Width", &TTestControl::Width, &TTestControl::SetWidth).Default(64);
  b.Property("Opacity", &TTestControl::Opacity, &TTestControl::SetOpacity).Default(255);
  b.Property("Align", &TTestControl::Align, &TTestControl::SetAlign).Default(taNone);
  b.Property("Anchors", &TTestControl::Anchors, &TTestControl::SetAnchors)
      .Default(TTestAnchors{tnLeft, tnTop});
  b.Property("Caption", &TTestControl::Caption, &TTestControl::SetCaption).Default("");
  b.Property("Color", &TTestControl::Color, &TTestControl::SetColor)
      .Idents(TestColors())
      .Default(tcFace);
  b.Property("Font", &TTestControl::Font, &TTestControl::SetFont);
  b.Property("Blob", &TTestControl::Blob);
  b.Property("Visible", &TTestControl::Visible, &TTestControl::SetVisible).Default(true);
  b.Property("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy);
  b.Property("OnClick", &TTestControl::OnClick, &TTestControl::SetOnClick);
  b.Property("Secret", &TTestControl::Secret, &TTestControl::SetSecret).Unpublished();
}

TOVU_IMPLEMENT_CLASS(TTestButton)
void TTestButton::DefineClass(TClassBuilder<TTestButton>& b) {
  b.Publish("Width").Default(75);
  b.Publish("Secret").Default(0);
}

TOVU_IMPLEMENT_CLASS(TTestTimer)
void TTestTimer::DefineClass(TClassBuilder<TTestTimer>& b) {
  b.Property("Interval", &TTestTimer::Interval, &TTestTimer::SetInterval).Default(1000);
  b.Property("OnTimer", &TTestTimer::OnTimer, &TTestTimer::SetOnTimer);
}

TOVU_IMPLEMENT_CLASS(TTestForm)
void TTestForm::DefineClass(TClassBuilder<TTestForm>& b) {
  b.Field("Panel1", &TTestForm::Panel1);
  b.Field("Button1", &TTestForm::Button1);
  b.Field("Timer1", &TTestForm::Timer1);
  b.Method("Button1Click", &TTestForm::Button1Click);
  b.Method("Timer1Timer", &TTestForm::Timer1Timer);
  b.Method("Measure", &TTestForm::Measure);
}

const char* const kForm = R"(object Form1: TTestForm
  Left = 164
  Caption = 'Tovuザビロナ！'
  Color = tcWhite
  Font.Height = -12
  Font.Style = [tsBold, tsUnderline]
  object Panel1: TTestControl
    Width = 600
    Align = taClient
    Anchors = []
    Buddy = Button1
    object Button1: TTestButton
      Left = 264
      Caption = '保存'
      Visible = False
      OnClick = Button1Click
    end
  end
  object Timer1: TTestTimer
    Interval = 20
    OnTimer = Timer1Timer
  end
end
)";

class FormDescription : public ::testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    RegisterClasses({TTestControl::StaticClass(), TTestTimer::StaticClass()});
  }
};

TEST_F(FormDescription, ReadingBuildsTheTreeThroughTheSettersInTheLoadingState) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, kForm);

  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Left(), 164);
  EXPECT_EQ(form.Caption(), "Tovuザビロナ！");
  EXPECT_EQ(form.Color(), tcWhite);
  EXPECT_EQ(form.Font()->Height(), -12);
  EXPECT_EQ(form.Font()->Style(), (TTestStyles{tsBold, tsUnderline}));
  ASSERT_NE(form.Panel1, nullptr);
  ASSERT_NE(form.Button1, nullptr);
  ASSERT_NE(form.Timer1, nullptr);
  EXPECT_EQ(form.Panel1->Width(), 600);
  EXPECT_EQ(form.Panel1->Align(), taClient);
  EXPECT_TRUE(form.Panel1->Anchors().Empty());
  EXPECT_EQ(form.Panel1->Buddy(), form.Button1);  // a reference to a component read later
  EXPECT_EQ(form.Button1->ParentControl, form.Panel1);
  EXPECT_EQ(form.Button1->Owner(), &form);
  EXPECT_EQ(form.Button1->Width(), 75);
  EXPECT_FALSE(form.Button1->Visible());
  EXPECT_EQ(form.Timer1->Interval(), 20);

  EXPECT_TRUE(form.Button1->LoadingWhenSet);
  EXPECT_TRUE(form.LoadingInLoaded);
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(form.Button1->ComponentState().Contains(csReading));
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"read Form1", "read Panel1", "read Button1", "loaded Form1",
                                      "loaded Panel1", "loaded Button1", "loaded Timer1"}));

  // Handlers named in the description are the form's methods, bound to the form.
  form.Button1->OnClick()(form.Button1);
  form.Timer1->OnTimer()(form.Timer1);
  EXPECT_EQ(form.Clicks, (std::vector<std::string>{"Button1", "tick"}));
}

TEST_F(FormDescription, WritingLeavesOutDefaultsAndKeepsPublishingOrder) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, kForm);
  EXPECT_EQ(ComponentToText(&form), R"(object Form1: TTestForm
  Left = 164
  Caption = 'Tovuザビロナ！'
  Color = tcWhite
  Font.Height = -12
  Font.Style = [tsBold, tsUnderline]
  object Panel1: TTestControl
    Left = 0
    Width = 600
    Align = taClient
    Anchors = []
    Font.Height = -11
    Buddy = Button1
    object Button1: TTestButton
      Left = 264
      Caption = '保存'
      Font.Height = -11
      Visible = False
      OnClick = Button1Click
    end
  end
  object Timer1: TTestTimer
    Interval = 20
    OnTimer = Timer1Timer
  end
end
)");
}

TEST_F(FormDescription, AComponentWrittenWithDefaultsLeftOutReadsBackEqual) {
  TTestForm original(nullptr);
  original.SetName("Form1");
  original.SetCaption("it's\r\n\"odd\"\t表");
  original.SetColor(0x0048A4F8);
  original.SetOpacity(0);
  original.SetAnchors({tnRight, tnBottom});
  original.Font()->SetColor(tcFace);
  original.Font()->SetName("");
  original.Blob()->Bytes = {0x00, 0x42, 0xFF, 0x10};
  original.Blob()->Extra = -7;
  auto* button = NewComponent<TTestButton>(&original);
  button->SetName("Button1");
  button->SetParentComponent(&original);
  button->SetSecret(42);
  button->SetWidth(64);  // the ancestor's default, but not the button's: written

  const std::string text = ComponentToText(&original);
  TTestForm copy(nullptr);
  ReadComponentFromText(&copy, text);
  EXPECT_EQ(ComponentToText(&copy), text);
  EXPECT_EQ(copy.Caption(), original.Caption());
  EXPECT_EQ(copy.Color(), 0x0048A4F8);
  EXPECT_EQ(copy.Opacity(), 0);
  EXPECT_EQ(copy.Anchors(), (TTestAnchors{tnRight, tnBottom}));
  EXPECT_EQ(copy.Font()->Color(), tcFace);
  EXPECT_EQ(copy.Font()->Name(), "");
  EXPECT_EQ(copy.Blob()->Bytes, original.Blob()->Bytes);
  EXPECT_EQ(copy.Blob()->Extra, -7);
  ASSERT_NE(copy.Button1, nullptr);
  EXPECT_EQ(copy.Button1->Secret(), 42);
  EXPECT_EQ(copy.Button1->Width(), 64);
  EXPECT_NE(text.find("Color = $0048A4F8"), std::string::npos) << text;
  EXPECT_NE(text.find("Caption = 'it''s'#13#10'\"odd\"'#9'表'"), std::string::npos) << text;
}

TEST_F(FormDescription, PublishedListsFollowPublishingOrderWithRepublishedEntriesInPlace) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TTestButton::StaticClass()->Properties())
    names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Left", "Width", "Opacity", "Align",
                                             "Anchors", "Caption", "Color", "Font", "Blob",
                                             "Visible", "Buddy", "OnClick", "Secret"}));
  EXPECT_EQ(TTestButton::StaticClass()->FindProperty("width")->OrdDefault, 75);
  EXPECT_EQ(TTestControl::StaticClass()->FindProperty("Secret"), nullptr);
}

TEST_F(FormDescription, ValuesAcceptHexNegativeAndContinuedForms) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, R"(OBJECT Form1: TTestForm
    left = -$10
    Color = $8000000F
    Font.Color = 16777215
    Caption = 'a' +
      'b'#$41
  END)");
  EXPECT_EQ(form.Left(), -16);
  EXPECT_EQ(form.Color(), tcFace);
  EXPECT_EQ(form.Font()->Color(), tcWhite);
  EXPECT_EQ(form.Caption(), "abA");
}

TEST_F(FormDescription, StringsAreHandedOverInTheProcessCodePage) {
  win::TScopedCodePage sjis(win::CP_SHIFTJIS);
  TTestForm form(nullptr);
  ReadComponentFromText(&form, "object Form1: TTestForm\n  Caption = '表'\nend\n");
  EXPECT_EQ(form.Caption(), "\x95\x5C");
  EXPECT_EQ(ComponentToText(&form),
            "object Form1: TTestForm\n  Left = 0\n  Caption = '表'\n"
            "  Font.Height = -11\nend\n");
  try {
    ReadComponentFromText(&form, "object Form1: TTestForm\n\n  Caption = '\xF0\x9F\x98\x80'\nend");
    FAIL() << "an emoji has no Shift_JIS form";
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
}

struct TMalformed {
  const char* Text;
  int Line;
  const char* Reason;
};

class MalformedDescription : public FormDescription,
                             public ::testing::WithParamInterface<TMalformed> {};

TEST_P(MalformedDescription, FailsWithAnErrorNamingTheLineAndLeavesNothingBehind) {
  const TMalformed& c = GetParam();
  TTestForm form(nullptr);
  try {
    ReadComponentFromText(&form, c.Text);
    FAIL() << "no error for: " << c.Text;
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), c.Line) << e.Message();
    EXPECT_EQ(e.Reason(), c.Reason);
    EXPECT_NE(e.Message().find("(" + std::to_string(c.Line) + " 行目)"), std::string::npos);
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.Panel1, nullptr);
  EXPECT_FALSE(form.IsLoading());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedDescription,
    ::testing::Values(
        TMalformed{"", 1, "object が必要です"},
        TMalformed{"object Form1: TTestForm\n  Caption = 'open\nend", 2,
                   "文字列が閉じられていません"},
        TMalformed{"object Form1: TTestForm\n Caption = '\xC3\x28'\nend", 2,
                   "UTF-8 として不正なバイト列があります"},
        TMalformed{"object Form1: TTestForm\n Caption = '\xED\xA0\x80'\nend", 2,
                   "UTF-8 として不正なバイト列があります"},
        TMalformed{"object Form1: TTestForm\n\n Left = 99999999999999999999\nend", 3,
                   "数値 99999999999999999999 は不正です"},
        TMalformed{"object Form1: TTestForm\n Left = 4294967296\nend", 2,
                   "プロパティ Left の値 4294967296 は範囲外です"},
        TMalformed{"object Form1: TTestForm\n object P: TTestControl\n  Opacity = 256\n end\nend",
                   3, "プロパティ Opacity の値 256 は範囲外です"},
        TMalformed{"object Form1: TTestForm\n Lefty = 1\nend", 2,
                   "プロパティ Lefty は存在しません"},
        TMalformed{"object Form1: TTestForm\n Font.Size = 1\nend", 2,
                   "プロパティ Font.Size は存在しません"},
        TMalformed{"object Form1: TTestForm\n Secret = 1\nend", 2,
                   "プロパティ Secret は存在しません"},
        TMalformed{"object Form1: TTestForm\n object X: TNoSuchThing\n end\nend", 2,
                   "クラス TNoSuchThing が見つかりません"},
        TMalformed{"object Form1: TTestForm\n object X: TTestFont\n end\nend", 2,
                   "クラス TTestFont が見つかりません"},
        TMalformed{"object Form1: TTestForm\n object Button1: TTestTimer\n end\nend", 2,
                   "TTestTimer は Button1 の型と一致しません"},
        TMalformed{"object Form1: TTestForm\n Align = alClient\nend", 2,
                   "alClient は TTestAlign の値ではありません"},
        TMalformed{"object Form1: TTestForm\n Anchors = [tnLeft, akTop]\nend", 2,
                   "akTop は TTestAnchor の値ではありません"},
        TMalformed{"object Form1: TTestForm\n Caption = 12\nend", 2,
                   "プロパティ Caption の値が不正です"},
        TMalformed{"object Form1: TTestForm\n Font = 12\nend", 2, "プロパティ Font の値が不正です"},
        TMalformed{"object Form1: TTestForm\n Color = tcPurple\nend", 2,
                   "tcPurple は TTestColor の値ではありません"},
        TMalformed{"object Form1: TTestForm\n Left = \nend", 2, "値 が必要です"},
        TMalformed{"object Form1: TTestForm\n Left = 12abc\nend", 2, "数値 12abc は不正です"},
        TMalformed{"object Form1: TTestForm\n Left 5\nend", 2, "= が必要です"},
        TMalformed{"object Form1: TTestForm\n object P: TTestControl\n", 3,
                   "記述が途中で終わっています"},
        TMalformed{"object Form1: TTestForm\nend\nobject", 3,
                   "記述の終わりの後に余分なテキストがあります"},
        TMalformed{"object Form1: TTestForm\n Left = 1 ; \nend", 2,
                   "不正な文字 (コード 59) があります"},
        TMalformed{"object Form1: TTestForm\n Left = \xE8\xA1\xA8\nend", 2,
                   "不正な文字 (コード 232) があります"},
        TMalformed{"object Form1: TTestForm\n object A: TTestControl\n end\n"
                   " object a: TTestControl\n end\nend",
                   4, "a という名前のコンポーネントは既に存在します"},
        TMalformed{"object Form1: TTestForm\n OnClick = NoSuchHandler\nend", 2,
                   "メソッド NoSuchHandler は存在しません"},
        TMalformed{"object Form1: TTestForm\n OnClick = Measure\nend", 2,
                   "メソッド Measure の型はイベント OnClick と一致しません"},
        TMalformed{"object Form1: TTestForm\n Buddy = Nobody\nend", 2,
                   "コンポーネント Nobody が見つかりません"},
        TMalformed{"object Form1: TTestForm\n Blob.Data = {0A1}\nend", 2, "バイナリ値が不正です"},
        TMalformed{"object Form1: TTestForm\n Blob.Data = 5\nend", 2,
                   "プロパティ Data の値が不正です"},
        TMalformed{"object Form1: TTestForm\n Blob = 5\nend", 2,
                   "プロパティ Blob は読み取り専用です"},
        TMalformed{"object Form1: TTimerOfSomeOtherKind\nend", 1,
                   "TTestForm は TTimerOfSomeOtherKind の型と一致しません"},
        TMalformed{"object 1Form: TTestForm\nend", 1, "数値 1Form は不正です"},
        TMalformed{"object : TTestForm\nend", 1, "識別子 が必要です"}));

TEST_F(FormDescription, DeepNestingStopsAtTheLimitWithTheLineOfTheDeepestObject) {
  std::string text = "object Form1: TTestForm\n";
  for (int i = 1; i <= MaxObjectDepth; ++i)
    text += "object C" + std::to_string(i) + ": TTestControl\n";
  TTestForm form(nullptr);
  try {
    ReadComponentFromText(&form, text);
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), MaxObjectDepth + 1);
    EXPECT_EQ(e.Reason(), "入れ子が深すぎます");
  }
}

// Destroys, in its Loaded, the component of the form named by its caption.
class TTestKiller : public TTestControl {
  TOVU_CLASS(TTestKiller, TTestControl)

 public:
  using TTestControl::TTestControl;

 protected:
  void Loaded() override {
    inherited::Loaded();
    if (TComponent* victim = Owner()->FindComponent(Caption()))
      std::unique_ptr<TComponent>(victim).reset();
  }
};

TOVU_IMPLEMENT_CLASS(TTestKiller)
void TTestKiller::DefineClass(TClassBuilder<TTestKiller>&) {}

TEST_F(FormDescription, ComponentDestroyedByAnotherComponentsLoadedIsSkipped) {
  RegisterClass(TTestKiller::StaticClass());
  TTestForm form(nullptr);
  ReadComponentFromText(&form, R"(object Form1: TTestForm
  object Killer: TTestKiller
    Caption = 'Timer1'
  end
  object Timer1: TTestTimer
  end
end)");
  EXPECT_EQ(form.Timer1, nullptr);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"read Form1", "read Killer", "loaded Form1",
                                             "loaded Killer"}));
}

}  // namespace formtest
