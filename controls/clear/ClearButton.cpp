#include "controls/clear/ClearButton.h"

#include "framework/GraphicsObjects.h"
#include "framework/ScopeExit.h"
#include "framework/TypeInfo.h"

namespace clear {

TOVU_IMPLEMENT_CLASS(TClearButton)

void TClearButton::DefineClass(fw::TClassBuilder<TClearButton>& b) {
  b.Publish("AutoSize").Default(true);
  b.Publish("BorderStyle").Default(fw::bsSingle);
  b.Publish("Picture");
  b.Publish("CaptionLeft").Default(-1);
  b.Publish("CaptionTop").Default(-1);
  b.Publish("Style").NoDefault();
  b.Publish("TransparentColor").Default(fw::clFuchsia);
  b.Publish("HotTrack").Default(true);
  b.Publish("HotLightDepth").Default(128);
  b.Publish("ShadowColor").Default(fw::clBtnShadow);
  b.Publish("LightColor").Default(fw::clBtnHighlight);
  b.Publish("Stretch").Default(false);
  b.Publish("Color").Default(fw::clBtnFace);
  b.Publish({"Caption", "Font", "PopupMenu", "ShowHint", "ParentShowHint", "DragCursor", "Anchors",
             "DragKind", "DragMode", "Enabled"});
  b.Publish(fw::ClickAndMouseEvents);
  b.Publish({"OnMouseEnter", "OnMouseLeave"});
}

TClearButton::TClearButton(fw::TComponent* AOwner) : TClearControl(AOwner) {
  FStyle = sbsPushBtn;
  FOptions = {sioDisableImage, sioHotTrackImage, sioTransAtDesigning, sioBorderAndShadow};
  SetParentFont(false);
  BeginUpdate();
  fw::RunThenFinally(
      [this] {
        Font()->SetSize(20);
        Font()->SetColor(fw::clGreen);
        Font()->SetStyle({fw::fsBold});
      },
      [this] { EndUpdate(); });
}

}  // namespace clear
