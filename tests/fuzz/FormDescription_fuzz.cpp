// Fuzz target for form descriptions: any input either reads into a component tree that writes
// back to a text which reads again to the same text, or fails with an EParserError naming a
// line. Anything else (another exception, a crash, a sanitizer report) is a finding.
//
// Built with libFuzzer (define TOVU_LIBFUZZER, link with -fsanitize=fuzzer) it fuzzes; built as
// a plain program it replays the files and folders given on its command line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Events.h"
#include "framework/Exceptions.h"
#include "framework/Picture.h"
#include "framework/Reader.h"
#include "framework/TypeInfo.h"
#include "framework/Writer.h"
#include "tests/fuzz/FuzzReplay.h"

namespace fuzz {

using namespace fw;

TOVU_ENUM(TFuzzKind, std::uint8_t, fkOne, fkTwo, fkThree)
using TFuzzKinds = TSet<TFuzzKind>;

const TIdentMap& FuzzColors() {
  static const TIdentMap map(
      "TFuzzColor",
      {{0, "fcBlack"}, {0xFFFFFF, "fcWhite"}, {static_cast<std::int32_t>(0x8000000F), "fcFace"}},
      8);
  return map;
}

class TFuzzFont : public TPersistent {
  TOVU_CLASS(TFuzzFont, TPersistent)

 public:
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

 private:
  int FHeight = -12;
  std::string FName;
};

class TFuzzControl : public TComponent {
  TOVU_CLASS(TFuzzControl, TComponent)

 public:
  explicit TFuzzControl(TComponent* AOwner) : TComponent(AOwner) {}

  std::int32_t Left() const { return FLeft; }
  void SetLeft(std::int32_t Value) { FLeft = Value; }
  std::uint8_t Depth() const { return FDepth; }
  void SetDepth(std::uint8_t Value) { FDepth = Value; }
  std::int64_t Big() const { return FBig; }
  void SetBig(std::int64_t Value) { FBig = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TFuzzKind Kind() const { return FKind; }
  void SetKind(TFuzzKind Value) { FKind = Value; }
  TFuzzKinds Kinds() const { return FKinds; }
  void SetKinds(TFuzzKinds Value) { FKinds = Value; }
  std::int32_t Color() const { return FColor; }
  void SetColor(std::int32_t Value) { FColor = Value; }
  TFuzzFont* Font() const { return FFont.get(); }
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  TFuzzControl* Buddy() const { return FBuddy; }
  void SetBuddy(TFuzzControl* Value) {
    FBuddy = Value;
    if (Value != nullptr) Value->FreeNotification(this);
  }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }

  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* Value) override {
    FParent = dynamic_cast<TFuzzControl*>(Value);
    if (FParent != nullptr) FParent->FChildren.push_back(this);
  }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override {
    for (TFuzzControl* child : FChildren)
      if (child->Owner() == Root) Proc(child);
    if (Root == this)
      for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->HasParent()) Proc(Components(i));
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FBuddy) FBuddy = nullptr;
    std::erase(FChildren, AComponent);
  }

 private:
  std::int32_t FLeft = 0;
  std::uint8_t FDepth = 0;
  std::int64_t FBig = 0;
  std::string FCaption;
  bool FVisible = true;
  TFuzzKind FKind = fkOne;
  TFuzzKinds FKinds;
  std::int32_t FColor = 0;
  std::unique_ptr<TFuzzFont> FFont = std::make_unique<TFuzzFont>();
  std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
  TFuzzControl* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  TFuzzControl* FParent = nullptr;
  std::vector<TFuzzControl*> FChildren;
};

class TFuzzTimer : public TComponent {
  TOVU_CLASS(TFuzzTimer, TComponent)

 public:
  explicit TFuzzTimer(TComponent* AOwner) : TComponent(AOwner) {}
  int Interval() const { return FInterval; }
  void SetInterval(int Value) { FInterval = Value; }

 private:
  int FInterval = 1000;
};

class TFuzzForm : public TFuzzControl {
  TOVU_CLASS(TFuzzForm, TFuzzControl)

 public:
  explicit TFuzzForm(TComponent* AOwner) : TFuzzControl(AOwner) {}
  ~TFuzzForm() override { DestroyComponents(); }
  TFuzzControl* Panel1 = nullptr;

 protected:
  void FormClick(TObject*) {}
  void Resize(int) {}
};

TOVU_IMPLEMENT_CLASS(TFuzzFont)
void TFuzzFont::DefineClass(TClassBuilder<TFuzzFont>& b) {
  b.Property("Height", &TFuzzFont::Height, &TFuzzFont::SetHeight).Default(-12);
  b.Property("Name", &TFuzzFont::Name, &TFuzzFont::SetName).Default("");
}

TOVU_IMPLEMENT_CLASS(TFuzzControl)
void TFuzzControl::DefineClass(TClassBuilder<TFuzzControl>& b) {
  b.Property("Left", &TFuzzControl::Left, &TFuzzControl::SetLeft).Default(0);
  b.Property("Depth", &TFuzzControl::Depth, &TFuzzControl::SetDepth).Default(0);
  b.Property("Big", &TFuzzControl::Big, &TFuzzControl::SetBig).Default(0);
  b.Property("Caption", &TFuzzControl::Caption, &TFuzzControl::SetCaption).Default("");
  b.Property("Visible", &TFuzzControl::Visible, &TFuzzControl::SetVisible).Default(true);
  b.Property("Kind", &TFuzzControl::Kind, &TFuzzControl::SetKind).Default(fkOne);
  b.Property("Kinds", &TFuzzControl::Kinds, &TFuzzControl::SetKinds).Default(TFuzzKinds{});
  b.Property("Color", &TFuzzControl::Color, &TFuzzControl::SetColor)
      .Idents(FuzzColors())
      .Default(0);
  b.Property("Font", &TFuzzControl::Font);
  b.Property("Picture", &TFuzzControl::Picture, &TFuzzControl::SetPicture);
  b.Property("Buddy", &TFuzzControl::Buddy, &TFuzzControl::SetBuddy);
  b.Property("OnClick", &TFuzzControl::OnClick, &TFuzzControl::SetOnClick);
}

TOVU_IMPLEMENT_CLASS(TFuzzTimer)
void TFuzzTimer::DefineClass(TClassBuilder<TFuzzTimer>& b) {
  b.Property("Interval", &TFuzzTimer::Interval, &TFuzzTimer::SetInterval).Default(1000);
}

TOVU_IMPLEMENT_CLASS(TFuzzForm)
void TFuzzForm::DefineClass(TClassBuilder<TFuzzForm>& b) {
  b.Field("Panel1", &TFuzzForm::Panel1);
  b.Method("FormClick", &TFuzzForm::FormClick);
  b.Method("Resize", &TFuzzForm::Resize);
}

int ReadCount = 0;  // inputs that read without error

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fuzz;
  static const bool registered = [] {
    RegisterClasses({TFuzzControl::StaticClass(), TFuzzTimer::StaticClass()});
    return true;
  }();
  (void)registered;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    TFuzzForm form(nullptr);
    ReadComponentFromText(&form, text);
    const std::string written = ComponentToText(&form);
    TFuzzForm again(nullptr);
    ReadComponentFromText(&again, written);
    if (ComponentToText(&again) != written) Finding("written text does not read back", written);
    ++ReadCount;
  } catch (const EParserError& e) {
    if (e.Line() < 1) Finding("error without a line", e.Message());
  }
  return 0;
}

#ifndef TOVU_LIBFUZZER
int main(int argc, char** argv) {
  return fuzz::ReplayMain(argc, argv, fuzz::ReadCount, "valid descriptions");
}
#endif
