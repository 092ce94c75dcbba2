// TControl: the common base of windowed and windowless controls: bounds, alignment and anchors,
// visibility, enabling, caption, colour, hints, cursor, drag settings, mouse handling and events.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/platform/WinTypes.h"

namespace fw {

// The click and mouse events that controls publish together, in their publishing order.
inline constexpr std::string_view ClickAndMouseEvents[] = {"OnClick", "OnDblClick", "OnMouseDown",
                                                           "OnMouseMove", "OnMouseUp"};

class TWinControl;
class TCustomForm;
class TBasicAction;
class TFont;
class TSizeConstraints;

class TControl : public TComponent {
  TOVU_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // The window procedure of the control: every message for it passes through here, and from
  // here through the message table. Perform sends a message this way.
  virtual void WndProc(TMessage& Message);
  win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  void SetName(const std::string& NewName) override;
  bool HasParent() const override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value);
  void SetTop(int Value);
  void SetWidth(int Value);
  void SetHeight(int Value);
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  win::RECT BoundsRect() const;
  void SetBoundsRect(const win::RECT& Rect);

  // The client area in the control's own coordinates; its size is what ClientWidth and
  // ClientHeight answer.
  virtual win::RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  virtual void SetClientSize(int AWidth, int AHeight);
  // Screen position of the client area's top-left corner.
  virtual win::POINT ClientOrigin() const;
  win::POINT ClientToScreen(win::POINT Point) const;
  win::POINT ScreenToClient(win::POINT Point) const;

  // Whether the control sizes itself to its content (each class says what that is).
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  // The smallest and largest size SetBounds lets the control take.
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(const TSizeConstraints* Value);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Visible itself and inside a parent chain that is showing.
  virtual bool IsShowing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& Value) { SetText(Value); }
  const std::string& Text() const { return FText; }
  virtual void SetText(const std::string& Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);

  // The control's font; a control with ParentFont takes its parent's.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // The reading order of right-to-left scripts; a control with ParentBiDiMode takes its
  // parent's. It is stored for the form descriptions; the drawing is left to right.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }

  // A reference to the control's context menu; the control forgets it when it is destroyed.
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  // The action whose execution a click runs when no OnClick handler of the control's own is set.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // Invalidate asks for a later, coalesced repaint; Update has pending repaints done now;
  // Repaint redraws at once.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  void BringToFront();
  void SendToBack();

  virtual void Click();
  virtual void DblClick();

  // The form the control sits on (the top of its parent chain when that is a form).
  TCustomForm* ParentForm() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  void Loaded() override;
  void ReadState(TReader& Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Resize();
  // Sizes the control to its content while AutoSize is on; the base has no content to fit.
  virtual void AdjustSize() {}
  // The parent re-lays out its children after this control's place or size changed.
  void RequestAlign();
  // Records the distances that the anchors keep, against the parent's present size.
  void UpdateAnchorRules();
  // Marks the control's area on its parent for repainting.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  // Called when the bounds were changed (after the fields hold the new values).
  virtual void BoundsChanged(bool Moved, bool Sized);
  // The colour a ParentColor control takes from its parent.
  void SetColorFromParent(TColor Value);
  void FontChanged();

  // Message handlers.
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMParentBiDiModeChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);

  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TControlStyle FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  bool FAutoSize = false;
  TControlState FControlState;

 private:
  friend class TWinControl;

  void DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(const TMessage& Message, TMouseButton Button);
  void ButtonDown(TMessage& Message, TMouseButton Button, bool Double);
  // Anchor placement for a parent client area of this size.
  win::RECT AnchoredBounds(int ParentWidth, int ParentHeight) const;
  win::SIZE ParentSizeForAnchors() const;

  TWinControl* FParent = nullptr;
  TAlign FAlign = alNone;
  TAnchors FAnchors = {akLeft, akTop};
  // What the anchors keep: left and top, the distances to the right and bottom edges, the
  // centre, and the parent size these were measured against.
  win::RECT FAnchorRules;
  win::SIZE FOriginalParentSize;
  bool FAnchorMove = false;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  std::unique_ptr<TSizeConstraints> FConstraints;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = -12;
  TComponent* FPopupMenu = nullptr;
  TBasicAction* FAction = nullptr;
};

// Shift state from the key flags of a mouse message plus the Alt key.
TShiftState KeysToShiftState(win::WPARAM Keys);
// Shift state of the keys and mouse buttons held as of the last input message.
TShiftState CurrentShiftState();

}  // namespace fw
