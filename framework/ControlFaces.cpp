#include "framework/ControlFaces.h"

#include "framework/GraphicsObjects.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/GdiObjects.h"
#include "framework/platform/GdiTypes.h"
#include "framework/platform/Text.h"
#include "framework/platform/TextTypes.h"

namespace fw {

namespace {

// A memory device context for measuring, released on every path.
class TMeasureDC {
 public:
  TMeasureDC() : FDC(win::CreateCompatibleDC(nullptr)) {}
  ~TMeasureDC() {
    if (FDC == nullptr) return;
    if (FOldFont != nullptr) win::SelectObject(FDC, FOldFont);
    win::DeleteDC(FDC);
  }
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  win::HDC Handle() const { return FDC; }
  void Select(win::HFONT Font) {
    if (FDC == nullptr || Font == nullptr) return;
    const win::HGDIOBJ old = win::SelectObject(FDC, Font);
    if (FOldFont == nullptr) FOldFont = old;
  }

 private:
  win::HDC FDC;
  win::HGDIOBJ FOldFont = nullptr;
};

}  // namespace

void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  TPen* pen = Canvas.Pen();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  for (int i = 0; i < Width && !Rect.IsEmpty(); ++i) {
    pen->SetColor(TopColor);
    Canvas.MoveTo(Rect.Left, Rect.Bottom - 1);
    Canvas.LineTo(Rect.Left, Rect.Top);
    Canvas.LineTo(Rect.Right - 1, Rect.Top);
    pen->SetColor(BottomColor);
    Canvas.MoveTo(Rect.Right - 1, Rect.Top);
    Canvas.LineTo(Rect.Right - 1, Rect.Bottom - 1);
    Canvas.LineTo(Rect.Left - 1, Rect.Bottom - 1);
    Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
}

void DrawButtonFace(TCanvas& Canvas, TRect& Rect, bool Pressed) {
  if (Pressed) {
    Frame3D(Canvas, Rect, clBtnShadow, clBtnShadow, 1);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Rect);
    return;
  }
  Frame3D(Canvas, Rect, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(Canvas, Rect, cl3DLight, clBtnShadow, 1);
  Canvas.Brush()->SetColor(clBtnFace);
  Canvas.FillRect(Rect);
}

void DrawFocusMark(TCanvas& Canvas, const TRect& Rect) {
  if (Rect.Width() < 2 || Rect.Height() < 2) return;
  const TColor ink = clBtnText;
  for (int x = Rect.Left; x < Rect.Right; x += 2) {
    Canvas.SetPixels(x, Rect.Top, ink);
    Canvas.SetPixels(x, Rect.Bottom - 1, ink);
  }
  for (int y = Rect.Top; y < Rect.Bottom; y += 2) {
    Canvas.SetPixels(Rect.Left, y, ink);
    Canvas.SetPixels(Rect.Right - 1, y, ink);
  }
}

void DrawCaption(TCanvas& Canvas, TRect Rect, const std::string& Text, unsigned Flags,
                 bool Enabled) {
  if (Text.empty()) return;
  const TColor color = Canvas.Font()->Color();
  auto draw = [&](TRect r) {
    Canvas.RequiredState({csHandleValid, csFontValid});
    const win::HDC dc = Canvas.Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::RECT rect = r.ToRECT();
    win::DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &rect, Flags);
  };
  if (Enabled) {
    draw(Rect);
    return;
  }
  Canvas.Font()->SetColor(clBtnHighlight);
  draw(TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1});
  Canvas.Font()->SetColor(clBtnShadow);
  draw(Rect);
  Canvas.Font()->SetColor(color);
}

TSize MeasureText(const TFont& Font, const std::string& Text, unsigned Flags, int MaxWidth) {
  TMeasureDC dc;
  if (dc.Handle() == nullptr) return TSize{};
  dc.Select(Font.Handle());
  win::RECT rect{0, 0, MaxWidth, 0};
  win::DrawTextA(dc.Handle(), Text.c_str(), static_cast<int>(Text.size()), &rect,
                 Flags | win::DT_CALCRECT);
  return TSize{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace fw
