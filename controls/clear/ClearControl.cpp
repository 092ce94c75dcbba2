// TClearControl's properties and life cycle: construction, the setters and what each change sets
// off, update batches, the bounds limit, loading, and the automatic sizing to caption and picture.
#include "controls/clear/ClearControl.h"

#include <algorithm>

#include "framework/ComponentMessages.h"
#include "framework/Exceptions.h"
#include "framework/GraphicsObjects.h"
#include "framework/ScopeExit.h"
#include "framework/TypeInfo.h"
#include "framework/WinControl.h"
#include "framework/platform/GdiObjects.h"
#include "framework/platform/Text.h"
#include "framework/platform/Window.h"

namespace clear {

namespace {

template <class V>
void DirectProperty(fw::TClassBuilder<TClearControl>& b, std::string_view name,
                    V (TClearControl::*get)() const, void (TClearControl::*set)(V)) {
  b.Property(name, get, set).Unpublished();
}

void EventProperty(fw::TClassBuilder<TClearControl>& b, std::string_view name,
                   fw::TNotifyEvent TClearControl::*member) {
  b.Property<fw::TNotifyEvent>(
       name, [member](const TClearControl& c) { return c.*member; },
       [member](TClearControl& c, fw::TNotifyEvent v) { c.*member = std::move(v); })
      .Unpublished();
}

}  // namespace

TOVU_IMPLEMENT_CLASS(TClearControl)

void TClearControl::DefineClass(fw::TClassBuilder<TClearControl>& b) {
  b.Publish("ParentColor").Default(false);
  b.Publish("Width").Default(260);
  b.Publish("Height").Default(48);
  b.Publish("ParentFont").Default(false);
  b.Publish("Cursor");
  b.Publish("Visible");

  // Declared here, published by the concrete classes in their own order.
  DirectProperty(b, "BorderStyle", &TClearControl::BorderStyle, &TClearControl::SetBorderStyle);
  b.Property("Picture", &TClearControl::Picture, &TClearControl::SetPicture).Unpublished();
  DirectProperty(b, "CaptionLeft", &TClearControl::CaptionLeft, &TClearControl::SetCaptionLeft);
  DirectProperty(b, "CaptionTop", &TClearControl::CaptionTop, &TClearControl::SetCaptionTop);
  DirectProperty(b, "Style", &TClearControl::Style, &TClearControl::SetStyle);
  b.Property("TransparentColor", &TClearControl::TransparentColor, &TClearControl::SetTransColor)
      .Idents(fw::ColorIdents())
      .Unpublished();
  DirectProperty(b, "HotTrack", &TClearControl::HotTrack, &TClearControl::SetHotTrack);
  DirectProperty(b, "HotLightDepth", &TClearControl::HotLightDepth,
                 &TClearControl::SetHotLightDepth);
  b.Property("ShadowColor", &TClearControl::ShadowColor, &TClearControl::SetShadowColor)
      .Idents(fw::ColorIdents())
      .Unpublished();
  b.Property("LightColor", &TClearControl::LightColor, &TClearControl::SetLightColor)
      .Idents(fw::ColorIdents())
      .Unpublished();
  DirectProperty(b, "Stretch", &TClearControl::Stretch, &TClearControl::SetStretch);
  DirectProperty(b, "ChildGraphicsTrans", &TClearControl::ChildGraphicsTrans,
                 &TClearControl::SetChildGraphicsTrans);
  DirectProperty(b, "FormTrans", &TClearControl::FormTrans, &TClearControl::SetFormTrans);
  DirectProperty(b, "ParentDrag", &TClearControl::ParentDrag, &TClearControl::SetParentDrag);
  EventProperty(b, "OnMouseEnter", &TClearControl::OnMouseEnter);
  EventProperty(b, "OnMouseLeave", &TClearControl::OnMouseLeave);

  b.Message(fw::CM_FONTCHANGED, &TClearControl::CMFontChanged);
  b.Message(fw::CM_COLORCHANGED, &TClearControl::CMColorChanged);
  b.Message(fw::CM_TEXTCHANGED, &TClearControl::CMTextChanged);
  b.Message(fw::CM_MOUSEENTER, &TClearControl::CMMouseEnter);
  b.Message(fw::CM_MOUSELEAVE, &TClearControl::CMMouseLeave);
  b.Message(fw::CM_CONTROLCHANGE, &TClearControl::CMControlChange);
  b.Message(fw::CM_SHOWINGCHANGED, &TClearControl::CMShowingChanged);
  b.Message(fw::CM_ENABLEDCHANGED, &TClearControl::CMEnabledChanged);
  b.Message(CM_UPDATERGN, &TClearControl::CMUpdateRgn);
}

TClearControl::TClearControl(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  FPicture = std::make_unique<fw::TPicture>();
  RouteNotification(true);
  FUpImage = std::make_unique<fw::TBitmap>();
  FDownImage = std::make_unique<fw::TBitmap>();
  FHotImage = std::make_unique<fw::TBitmap>();
  FGrayImage = std::make_unique<fw::TBitmap>();
  FAutoSize = true;
  SetParentColor(false);
  SetColor(fw::clBtnFace);
  FMaxSize = fw::TPoint{320, 320};
  SetWidth(260);
  SetHeight(48);
}

TClearControl::~TClearControl() {
  FPicture->OnChange = nullptr;
  if (FUpRgn != nullptr) win::DeleteObject(FUpRgn);
  if (FDownRgn != nullptr) win::DeleteObject(FDownRgn);
}

void TClearControl::RouteNotification(bool Connected) {
  if (Connected) {
    FPicture->OnChange = [this](fw::TObject* sender) { PictureChanged(sender); };
  } else {
    FPicture->OnChange = nullptr;
  }
}

void TClearControl::Rebuild() {
  MakeBtnImageAndRgn();
  Invalidate();
}

void TClearControl::BeginUpdate() {
  ++FUpdateDepth;
}

void TClearControl::EndUpdate() {
  FUpdateDepth = std::max(FUpdateDepth - 1, 0);
  if (FUpdateDepth == 0) Rebuild();
}

void TClearControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AutoSizeArrange();
}

void TClearControl::SetBorderStyle(fw::TBorderStyle Value) {
  if (Value != fw::bsNone && Value != fw::bsSingle)
    throw fw::EInvalidOperation("BorderStyle of a transparent control is bsNone or bsSingle");
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  AutoSizeArrange();
  Rebuild();
}

void TClearControl::SetCaptionLeft(int Value) {
  if (FCaptionLeft == Value) return;
  FCaptionLeft = Value;
  Rebuild();
}

void TClearControl::SetCaptionTop(int Value) {
  if (FCaptionTop == Value) return;
  FCaptionTop = Value;
  Rebuild();
}

void TClearControl::SetStyle(TTransBtnStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Rebuild();
}

void TClearControl::SetOptions(TTransImgOptions Value) {
  if (FOptions == Value) return;
  FOptions = Value;
  Rebuild();
}

void TClearControl::SetTransColor(fw::TColor Value) {
  if (FTransparentColor == Value) return;
  FTransparentColor = Value;
  // Quietly: the picture's notification would build once more, taking the colour over from the
  // bitmap as an RGB value.
  if (auto* bitmap = dynamic_cast<fw::TBitmap*>(FPicture->Graphic())) {
    RouteNotification(false);
    fw::RunThenFinally([&] { bitmap->SetTransparentColor(Value); },
                       [this] { RouteNotification(true); });
  }
  Rebuild();
}

void TClearControl::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  Invalidate();
}

void TClearControl::SetHotLightDepth(std::uint8_t Value) {
  if (FHotLightDepth == Value) return;
  FHotLightDepth = Value;
  Rebuild();
}

void TClearControl::SetLightColor(fw::TColor Value) {
  if (FLightColor == Value) return;
  FLightColor = Value;
  Rebuild();
}

void TClearControl::SetShadowColor(fw::TColor Value) {
  if (FShadowColor == Value) return;
  FShadowColor = Value;
  Rebuild();
}

void TClearControl::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  Rebuild();
}

void TClearControl::SetPicture(const fw::TPicture* Value) {
  FPicture->Assign(Value);
  PictureChanged(this);
  Invalidate();
}

void TClearControl::SetChildGraphicsTrans(bool Value) {
  if (FChildGraphicsTrans == Value) return;
  FChildGraphicsTrans = Value;
  UpdateRgn();
  Invalidate();
}

// Switching off gives back its whole area to the window that switching on cut: the top-level one.
void TClearControl::SetFormTrans(bool Value) {
  if (FFormTrans == Value) return;
  FFormTrans = Value;
  if (Value) {
    UpdateRgn();
  } else if (fw::TWinControl* top = TopLevelParent(); top != nullptr && top->HandleAllocated()) {
    win::SetWindowRgn(top->Handle(), nullptr, win::TRUE);
  }
}

fw::TWinControl* TClearControl::TopLevelParent() const {
  fw::TWinControl* top = Parent();
  while (top != nullptr && top->Parent() != nullptr)
    top = top->Parent();
  return top;
}

void TClearControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int oldLeft = Left();
  const int oldTop = Top();
  if (FMaxSize.X > 0 && AWidth > FMaxSize.X) AWidth = FMaxSize.X;
  if (FMaxSize.Y > 0 && AHeight > FMaxSize.Y) AHeight = FMaxSize.Y;
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Left() != oldLeft || Top() != oldTop) Invalidate();
}

void TClearControl::Resize() {
  Rebuild();
  inherited::Resize();
}

void TClearControl::Loaded() {
  inherited::Loaded();
  AutoSizeArrange();
  Rebuild();
}

void TClearControl::ReadState(fw::TReader& Reader) {
  if (!FCaptionCleared) {
    FCaptionCleared = true;
    SetCaption("");
  }
  inherited::ReadState(Reader);
}

void TClearControl::AutoSizeArrange() {
  if (!AutoSize() || IsLoading() || Parent() == nullptr) return;
  try {
    win::RECT content{0, 0, 16, 8};
    if (!Caption().empty()) {
      content = win::RECT{0, 0, 1000, 1000};
      Canvas()->SetFont(Font());
      Canvas()->RequiredState({fw::csHandleValid, fw::csFontValid});
      win::DrawTextA(Canvas()->Handle(), Caption().c_str(), -1, &content, win::DT_CALCRECT);
    }
    int width = content.right;
    int height = content.bottom;
    if (const fw::TGraphic* graphic = FPicture->Graphic(); graphic && !graphic->Empty()) {
      width = graphic->Width();
      height = graphic->Height();
    }
    width = std::max<int>(width, content.right) + 4 * B() + 4;
    height = std::max<int>(height, content.bottom) + 4 * B() + 4;
    if (width != Width() || height != Height()) DoAutoSizeArrange(width, height);
  } catch (const std::exception& e) {
    throw fw::Exception(std::string(e.what()) + " at AutoSizeArrange");
  }
}

void TClearControl::DoAutoSizeArrange(int AWidth, int AHeight) {
  SetBounds(Left(), Top(), AWidth, AHeight);
}

// Notifications: the framework's handling first, then the control's own follow-up.

void TClearControl::CMFontChanged(fw::TMessage& Message) {
  DispatchFrom(inherited::StaticClass(), Message);
  AutoSizeArrange();
  Rebuild();
}

void TClearControl::CMColorChanged(fw::TMessage& Message) {
  DispatchFrom(inherited::StaticClass(), Message);
  Rebuild();
}

void TClearControl::CMTextChanged(fw::TMessage& Message) {
  DefaultHandler(Message);
  AutoSizeArrange();
  Rebuild();
}

void TClearControl::CMEnabledChanged(fw::TMessage& Message) {
  DispatchFrom(inherited::StaticClass(), Message);
  Invalidate();
}

void TClearControl::CMShowingChanged(fw::TMessage& Message) {
  DispatchFrom(inherited::StaticClass(), Message);
  if (Visible()) UpdateRgn();
}

}  // namespace clear
