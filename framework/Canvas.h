// Drawing surfaces: a canvas draws on a device context with its own pen, brush and font, which it
// selects into the context lazily, just before a drawing call that needs them. It raises
// changing and changed notifications around every drawing call and can be locked against
// re-entrant drawing.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/Color.h"
#include "framework/EnumInfo.h"
#include "framework/Events.h"
#include "framework/GraphicsObjects.h"
#include "framework/Persistent.h"
#include "framework/Set.h"
#include "framework/Types.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TGraphic;

TOVU_ENUM(TCanvasStateFlag, std::uint8_t, csHandleValid, csFontValid, csPenValid, csBrushValid)
using TCanvasState = TSet<TCanvasStateFlag>;
inline constexpr TCanvasState csAllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};

class TCanvas : public TPersistent {
  TOVU_CLASS(TCanvas, TPersistent)

 public:
  TCanvas();
  ~TCanvas() override;

  // The device context, created when the canvas has none (a canvas that cannot create one
  // raises EInvalidOperation).
  win::HDC Handle();
  // Attaches a device context that someone else owns, or detaches with null; the pen, brush and
  // font are deselected from a context before it goes.
  void SetHandle(win::HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TCanvasState State() const { return FState; }

  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value) { FBrush->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  // Raster operation of block copies (CopyRect, Draw, StretchDraw); SRCCOPY by default.
  win::DWORD CopyMode() const { return FCopyMode; }
  void SetCopyMode(win::DWORD Value) { FCopyMode = Value; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }

  // Locking guards against re-entrant drawing on the one user-interface thread: TryLock fails
  // while the canvas is locked.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }

  // Makes the parts in `Required` valid: creates the handle, selects pen, brush or font.
  void RequiredState(TCanvasState Required);
  // Deselects pen, brush and font, so the next drawing call selects them again.
  void Refresh();

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  // Copies `Source` of `SourceCanvas` onto `Dest` with StretchBlt and CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* SourceCanvas, const TRect& Source);
  // Draws a graphic at its own size (a transparent bitmap through its mask).
  void Draw(int X, int Y, TGraphic* Graphic);
  // Draws a graphic scaled into `R`.
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  void TextOut(int X, int Y, std::string_view Text);
  // Text clipped to `R`, the rectangle filled first unless the brush is clear.
  void TextRect(const TRect& R, int X, int Y, std::string_view Text);
  TSize TextExtent(std::string_view Text);
  int TextWidth(std::string_view Text) { return TextExtent(Text).cx; }
  int TextHeight(std::string_view Text) { return TextExtent(Text).cy; }
  TRect ClipRect();

  // Raised before and after every drawing call.
  virtual void Changing();
  virtual void Changed();
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  // Creates (and attaches with SetHandle) a device context; the base has none to create.
  virtual void CreateHandle();

 private:
  void SelectPen();
  void SelectBrush();
  void SelectFont();
  void DeselectHandles();
  void Invalidate(TCanvasStateFlag part);

  win::HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  win::DWORD FCopyMode;
  TPoint FPenPos;
  int FLockCount = 0;
};

}  // namespace fw
