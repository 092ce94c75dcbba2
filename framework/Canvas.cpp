#include "framework/Canvas.h"

#include "framework/Exceptions.h"
#include "framework/Graphic.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/Shapes.h"
#include "framework/platform/Text.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TCanvas)
void TCanvas::DefineClass(TClassBuilder<TCanvas>&) {}

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()),
      FCopyMode(win::SRCCOPY) {
  FPen->OnChange = [this](TObject*) { Invalidate(csPenValid); };
  FBrush->OnChange = [this](TObject*) { Invalidate(csBrushValid); };
  FFont->OnChange = [this](TObject*) { Invalidate(csFontValid); };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
}

win::HDC TCanvas::Handle() {
  RequiredState({csHandleValid});
  return FHandle;
}

void TCanvas::SetHandle(win::HDC Value) {
  if (FHandle == Value) return;
  if (FHandle != nullptr) {
    DeselectHandles();
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value != nullptr) {
    FHandle = Value;
    FState.Include(csHandleValid);
  }
}

void TCanvas::CreateHandle() {}

void TCanvas::RequiredState(TCanvasState Required) {
  const TCanvasState needed = Required - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FState.Contains(csHandleValid)) throw EInvalidOperation(LoadResString(SNoCanvasHandle));
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectPen() {
  win::SelectObject(FHandle, FPen->Handle());
  win::SetROP2(FHandle, PenModeToROP2(FPen->Mode()));
  FState.Include(csPenValid);
}

void TCanvas::SelectBrush() {
  const win::HBRUSH brush = FBrush->Handle();
  win::UnrealizeObject(brush);
  win::SelectObject(FHandle, brush);
  const win::COLORREF color = ColorToRGB(FBrush->Color());
  if (FBrush->Style() == bsSolid) {
    win::SetBkColor(FHandle, color);
    win::SetBkMode(FHandle, win::OPAQUE);
  } else {
    win::SetBkColor(FHandle, ~color);
    win::SetBkMode(FHandle, win::TRANSPARENT);
  }
  FState.Include(csBrushValid);
}

void TCanvas::SelectFont() {
  if (const win::HFONT font = FFont->Handle()) win::SelectObject(FHandle, font);
  win::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  FState.Include(csFontValid);
}

void TCanvas::Invalidate(TCanvasStateFlag part) {
  if (!FState.Contains(part)) return;
  FState.Exclude(part);
  // The stock object takes the place of ours, so ours can be released while unselected.
  switch (part) {
    case csPenValid:
      win::SelectObject(FHandle, win::GetStockObject(win::BLACK_PEN));
      break;
    case csBrushValid:
      win::SelectObject(FHandle, win::GetStockObject(win::HOLLOW_BRUSH));
      break;
    case csFontValid:
      if (const win::HGDIOBJ font = win::GetStockObject(win::SYSTEM_FONT))
        win::SelectObject(FHandle, font);
      break;
    default:
      break;
  }
}

void TCanvas::DeselectHandles() {
  if (FHandle == nullptr) return;
  Invalidate(csPenValid);
  Invalidate(csBrushValid);
  Invalidate(csFontValid);
}

void TCanvas::Refresh() {
  DeselectHandles();
}

void TCanvas::Lock() {
  ++FLockCount;
}

void TCanvas::Unlock() {
  if (FLockCount > 0) --FLockCount;
}

bool TCanvas::TryLock() {
  if (FLockCount > 0) return false;
  Lock();
  return true;
}

void TCanvas::Changing() {
  CallEvent(OnChanging, this);
}

void TCanvas::Changed() {
  CallEvent(OnChange, this);
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  win::MoveToEx(FHandle, X, Y, nullptr);
  FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::LineTo(FHandle, X, Y);
  FPenPos = {X, Y};
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  const win::RECT r = R.ToRECT();
  win::FillRect(FHandle, &r, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  const win::RECT r = R.ToRECT();
  win::FrameRect(FHandle, &r, FBrush->Handle());
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(win::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  win::SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* SourceCanvas, const TRect& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  SourceCanvas->RequiredState({csHandleValid, csBrushValid});
  win::StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), SourceCanvas->FHandle,
                  Source.Left, Source.Top, Source.Width(), Source.Height(), FCopyMode);
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (Graphic == nullptr || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  win::SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
  Graphic->Draw(this, Rect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (Graphic == nullptr) return;
  Changing();
  RequiredState(csAllValid);
  Graphic->Draw(this, R);
  Changed();
}

void TCanvas::TextOut(int X, int Y, std::string_view Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::TextOutA(FHandle, X, Y, Text.data(), static_cast<int>(Text.size()));
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, std::string_view Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::UINT options = win::ETO_CLIPPED;
  if (FBrush->Style() != bsClear) options |= win::ETO_OPAQUE;
  const win::RECT r = R.ToRECT();
  win::ExtTextOutA(FHandle, X, Y, options, &r, Text.data(), static_cast<win::UINT>(Text.size()),
                   nullptr);
  Changed();
}

TSize TCanvas::TextExtent(std::string_view Text) {
  RequiredState({csHandleValid, csFontValid});
  win::SIZE size;
  win::GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
  return {size.cx, size.cy};
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  win::RECT r;
  win::GetClipBox(FHandle, &r);
  return TRect::FromRECT(r);
}

}  // namespace fw
