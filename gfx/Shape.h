// TShape: a windowless control that draws a rectangle, square, rounded rectangle or square,
// ellipse or circle with its own pen and brush, the figure fitted inside its bounds so that the
// outer edge of a wide pen meets them.
#pragma once

#include <memory>

#include "framework/EnumInfo.h"
#include "framework/GraphicControl.h"

namespace fw {

class TPen;
class TBrush;

TOVU_ENUM(TShapeType, std::uint8_t, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse,
          stCircle)

class TShape : public TGraphicControl {
  TOVU_CLASS(TShape, TGraphicControl)

 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  TPen* Pen() const { return FPen.get(); }
  // Copies the pen's values; the change repaints the shape.
  void SetPen(const TPen* Value);
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value);
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);

  // The figure's rectangle (left, top, right, bottom) for the present size and pen, and the
  // corner ellipse's width and height of the rounded kinds.
  struct TFigure {
    int Left, Top, Right, Bottom;
    int Corner;
  };
  TFigure Figure() const;

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject* Sender);

  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TShapeType FShape = stRectangle;
};

}  // namespace fw
