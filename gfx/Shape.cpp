#include "gfx/Shape.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TShape)

void TShape::DefineClass(TClassBuilder<TShape>& b) {
  b.Publish("Align");
  b.Publish("Anchors");
  b.Property("Brush", &TShape::Brush, &TShape::SetBrush);
  b.Publish("DragCursor");
  b.Publish("DragKind");
  b.Publish("DragMode");
  b.Publish("Enabled");
  b.Publish("ParentShowHint");
  b.Property("Pen", &TShape::Pen, &TShape::SetPen);
  b.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
  b.Publish("ShowHint");
  b.Publish("Visible");
  b.Publish("OnMouseDown");
  b.Publish("OnMouseMove");
  b.Publish("OnMouseUp");
}

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FControlStyle.Include(csReplicatable);
  SetBounds(Left(), Top(), 65, 65);
  FPen->OnChange = [this](TObject* Sender) { StyleChanged(Sender); };
  FBrush->OnChange = [this](TObject* Sender) { StyleChanged(Sender); };
}

TShape::~TShape() = default;

void TShape::StyleChanged(TObject*) {
  Invalidate();
}

void TShape::SetPen(const TPen* Value) {
  FPen->Assign(Value);
}

void TShape::SetBrush(const TBrush* Value) {
  FBrush->Assign(Value);
}

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

TShape::TFigure TShape::Figure() const {
  const int pen = FPen->Width();
  int x = pen / 2;
  int y = pen / 2;
  int w = Width() - pen + 1;
  int h = Height() - pen + 1;
  if (pen == 0) {
    --w;
    --h;
  }
  const int side = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = side;
    h = side;
  }
  return TFigure{x, y, x + w, y + h, side / 4};
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetPen(FPen.get());
  canvas->SetBrush(FBrush.get());
  const TFigure f = Figure();
  switch (FShape) {
    case stRectangle:
    case stSquare:
      canvas->Rectangle(f.Left, f.Top, f.Right, f.Bottom);
      break;
    case stRoundRect:
    case stRoundSquare:
      canvas->RoundRect(f.Left, f.Top, f.Right, f.Bottom, f.Corner, f.Corner);
      break;
    case stEllipse:
    case stCircle:
      canvas->Ellipse(f.Left, f.Top, f.Right, f.Bottom);
      break;
  }
}

}  // namespace fw
