// TShineSpeedButton: a windowless push or toggle button that paints everything itself (a flat or
// gradient face, one of three bevel frames, a glyph recomputed for its state with a shine or a
// disabled look, and a caption with an optional shadow and highlight), lights up under the mouse
// with a fallback timer for a missed leave, and goes down inside groups that it shares with the
// framework's own speed buttons.
#pragma once

#include <memory>

#include "controls/shine/ShineBtnColors.h"
#include "controls/shine/ShineTypes.h"
#include "framework/Bitmap.h"
#include "framework/ControlTypes.h"
#include "framework/GraphicControl.h"
#include "framework/GraphicsObjects.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "framework/Types.h"

namespace shine {

class TShineSpeedButton : public fw::TGraphicControl {
  TOVU_CLASS(TShineSpeedButton, fw::TGraphicControl)

 public:
  explicit TShineSpeedButton(fw::TComponent* AOwner);
  ~TShineSpeedButton() override;

  // Buttons of one parent with the same GroupIndex (other than 0) form a group, together with
  // the framework's speed buttons of that index: going down raises the member that was down.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // A button outside a group never goes down; a down member of a group without AllowAllUp is
  // raised only by another member going down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  // The button looks pressed while its click handler runs.
  bool ClickDownHook() const { return FClickDownHook; }
  void SetClickDownHook(bool Value);
  // The caption's accelerator key also toggles Down.
  bool AccelCharDown() const { return FAccelCharDown; }
  void SetAccelCharDown(bool Value);

  TFrameType FrameType() const { return FFrameType; }
  void SetFrameType(TFrameType Value);
  // No face: the parent shows through, and the button draws straight onto it.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Whether the frame is drawn while hot, while up or disabled, and while down.
  bool ActiveFrame() const { return FActiveFrame; }
  void SetActiveFrame(bool Value);
  bool UpFrame() const { return FUpFrame; }
  void SetUpFrame(bool Value);
  bool DownFrame() const { return FDownFrame; }
  void SetDownFrame(bool Value);
  TActiveImageType ActiveImage() const { return FActiveImage; }
  void SetActiveImage(TActiveImageType Value);
  TDisabledImageType DisabledImage() const { return FDisabledImage; }
  void SetDisabledImage(TDisabledImageType Value);
  fw::TColor DisabledHighlight() const { return FDisabledHighlight; }
  void SetDisabledHighlight(fw::TColor Value);
  fw::TColor DisabledShadow() const { return FDisabledShadow; }
  void SetDisabledShadow(fw::TColor Value);
  // Colours of the up, hot and disabled looks, and of the down looks; setting copies.
  TShineBtnColors* Colors() const { return FColors.get(); }
  void SetColors(const TShineBtnColors* Value);
  TShineBtnColors* PressedColors() const { return FPressedColors.get(); }
  void SetPressedColors(const TShineBtnColors* Value);
  fw::TColor ShineColor() const { return FShineColor; }
  void SetShineColor(fw::TColor Value);
  // The caption font of the down, up and disabled looks; it takes the place of the control's
  // inherited font. Setting copies; null is ignored.
  fw::TFont* Font() const { return FFont.get(); }
  void SetFont(const fw::TFont* Value);
  // Copies of the caption one pixel left and up, and right and down; clNone for none.
  fw::TColor FontHighlight() const { return FFontHighlight; }
  void SetFontHighlight(fw::TColor Value);
  fw::TColor FontShadow() const { return FFontShadow; }
  void SetFontShadow(fw::TColor Value);
  // The caption font of the hot looks.
  fw::TFont* ActiveFont() const { return FActiveFont.get(); }
  void SetActiveFont(const fw::TFont* Value);
  fw::TButtonLayout Layout() const { return FLayout; }
  void SetLayout(fw::TButtonLayout Value);
  // Distance of the content from the edge the layout names; negative centres it.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  // The picture beside the caption, held as a 32-bit device-independent bitmap whose
  // bottom-left colour is see-through. Setting copies; null empties it.
  fw::TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const fw::TBitmap* Value);

  // Raised on every enter and leave notification, even when the look does not change.
  fw::TMouseMoveEvent OnMouseEnter;
  fw::TMouseMoveEvent OnMouseLeave;

  TShineState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  // A left-button press on the button is in progress.
  bool Tracking() const { return FTracking; }
  // Polls the pointer every 200 ms while the button is hot, for a leave that never came.
  fw::TTimer* ActiveButtonTimer() const { return FActiveButtonTimer.get(); }

  void Click() override;

  // The drawing passes, each on any canvas: the face, the glyph and caption, the frame.
  void BackDraw(fw::TCanvas& Canvas);
  void ImageDraw(fw::TCanvas& Canvas);
  void FrameDraw(fw::TCanvas& Canvas);
  // The glyph as it looks in the current state (transparent), or none for an empty glyph.
  std::unique_ptr<fw::TBitmap> CreateStateGlyph();
  // The glyph's top-left corner and the caption's box in client coordinates, the caption
  // measured with the canvas's current font.
  void CalcDrawPosition(fw::TCanvas& Canvas, fw::TPoint& GlyphPos, fw::TRect& TextRect);

 protected:
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  // The mouse came over the button or went: the events, then the hot look.
  virtual void MouseEnter(fw::TShiftState Shift, int X, int Y);
  virtual void MouseLeave(fw::TShiftState Shift, int X, int Y);

  void WMLButtonDblClick(fw::TMessage& Message);
  void CMDialogChar(fw::TMessage& Message);
  void CMEnabledChanged(fw::TMessage& Message);
  void CMFontChanged(fw::TMessage& Message);
  void CMTextChanged(fw::TMessage& Message);
  void CMMouseEnter(fw::TMessage& Message);
  void CMMouseLeave(fw::TMessage& Message);
  void CMButtonPressed(fw::TMessage& Message);
  void CMSysColorChange(fw::TMessage& Message);

  TShineState FState = shUp;

 private:
  // Repaint of the font, colour and glyph notifications.
  void FontsAndColorsOnChange(fw::TObject* Sender);
  // Keeps the glyph a 32-bit device-independent bitmap.
  void GlyphOnChange(fw::TObject* Sender);
  void ConnectGlyph(bool Connected);
  void ActiveButtonTimerOnTimer(fw::TObject* Sender);
  // Brings the hot look in line with the control under the pointer, with the events.
  void UpdateTracking();
  // Stores the group index and tells the parent's children, in the framework speed button's
  // words, of this button's group, AllowAllUp and Down.
  void GroupUpdateStatus(int Index);
  bool Inside(int X, int Y) const;
  fw::TPoint CursorInClient() const;
  const TShineBtnColors& StateColors() const;
  bool ShiftedLook() const { return FState == shActiveDown || FState == shDown; }
  bool HotLook() const { return FState == shActiveDown || FState == shActiveUp; }
  void DrawCaption(fw::TCanvas& Canvas, const fw::TRect& TextRect);
  // The part of the client area that the paint under way can change.
  fw::TRect VisiblePart();

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FClickDownHook = false;
  bool FAccelCharDown = false;
  TFrameType FFrameType = ftNormalFrame;
  bool FTransparent = false;
  bool FActiveFrame = true;
  bool FUpFrame = true;
  bool FDownFrame = true;
  TActiveImageType FActiveImage = aiFrameLight;
  TDisabledImageType FDisabledImage = diDefault;
  fw::TColor FDisabledHighlight = fw::clBtnHighlight;
  fw::TColor FDisabledShadow = fw::clBtnShadow;
  fw::TColor FShineColor = fw::clYellow;
  fw::TColor FFontHighlight = fw::clNone;
  fw::TColor FFontShadow = fw::clNone;
  fw::TButtonLayout FLayout = fw::blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FMouseInControl = false;
  bool FTracking = false;
  // Exists only while a group change is announced.
  fw::TSpeedButton* FGroupProxy = nullptr;
  std::unique_ptr<TShineBtnColors> FColors;
  std::unique_ptr<TShineBtnColors> FPressedColors;
  std::unique_ptr<fw::TFont> FFont;
  std::unique_ptr<fw::TFont> FActiveFont;
  std::unique_ptr<fw::TBitmap> FGlyph;
  std::unique_ptr<fw::TTimer> FActiveButtonTimer;
};

}  // namespace shine
