#include "controls/clear/ClearPanel.h"

#include <algorithm>

#include "framework/TypeInfo.h"

namespace clear {

TOVU_IMPLEMENT_CLASS(TClearPanel)

void TClearPanel::DefineClass(fw::TClassBuilder<TClearPanel>& b) {
  b.Publish("Align");
  b.Publish("AutoSize").Default(true);
  b.Publish("Caption");
  b.Publish("CaptionLeft").Default(-1);
  b.Publish("CaptionTop").Default(-1);
  b.Publish("ChildGraphicsTrans").NoDefault();
  b.Publish("DragMode");
  b.Publish("Enabled");
  b.Publish("FormTrans").NoDefault();
  b.Publish("HotTrack").Default(true);
  b.Publish("HotLightDepth").Default(128);
  b.Publish("Stretch").Default(false);
  b.Publish("TransparentColor").Default(fw::clFuchsia);
  b.Publish("ParentDrag").NoDefault();
  b.Publish(
      {"Font", "Picture", "PopupMenu", "ShowHint", "ParentShowHint", "DragCursor", "DragKind"});
  b.Publish(fw::ClickAndMouseEvents);
  b.Publish({"OnMouseEnter", "OnMouseLeave"});
}

TClearPanel::TClearPanel(fw::TComponent* AOwner) : TClearControl(AOwner) {
  FStyle = sbsImage;
  FControlStyle.Include(fw::csAcceptsControls);
  FOptions = {sioHotTrackImage};
  FMaxSize = fw::TPoint{0, 0};
  FBorderStyle = fw::bsNone;
}

void TClearPanel::DoAutoSizeArrange(int AWidth, int AHeight) {
  for (int i = 0; i < ControlCount(); ++i) {
    const fw::TControl* child = Controls(i);
    AWidth = std::max(AWidth, child->Left() + child->Width());
    AHeight = std::max(AHeight, child->Top() + child->Height());
  }
  TClearControl::DoAutoSizeArrange(AWidth, AHeight);
}

}  // namespace clear
