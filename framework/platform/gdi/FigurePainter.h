// Draws figure coverage through a device context: maps logical coordinates to device ones (and
// refuses coordinates beyond the device space), describes the selected pen for the geometry, and
// paints the interior with the brush, the gaps with the background colour (opaque mode only) and
// the pen, each through the context's mix mode.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "framework/platform/gdi/FigureCoverage.h"
#include "framework/platform/gdi/Painter.h"

namespace win::gdi {

// Device coordinates must lie within +-kMaxDeviceCoordinate (27 bits, as on the platform's
// NT line); drawing calls with coordinates beyond it fail.
inline constexpr std::int64_t kMaxDeviceCoordinate = (std::int64_t(1) << 27) - 1;

// The geometry of a pen as the figure rasterisers read it.
TPenGeometry PenGeometryOf(const TPenInfo& pen);

class TFigurePainter {
 public:
  explicit TFigurePainter(HDC dc);

  bool IsValid() const { return FPainter.IsValid() && FDc != nullptr; }
  TDeviceContext& Dc() const { return *FDc; }

  std::optional<POINT> ToDevice(POINT logical) const;
  std::optional<RECT> ToDevice(const RECT& logical) const;
  std::optional<std::vector<POINT>> ToDevice(std::span<const POINT> logical) const;

  const TPenGeometry& Pen() const { return FPen; }
  // Whether the selected brush paints anything (a hollow brush does not).
  bool HasInterior() const;
  // The device rectangle painting can reach; the rasterisers work only inside it.
  const RECT& Bound() const { return FBound; }

  void Paint(const TFigureCoverage& coverage) const;

 private:
  TPainter FPainter;
  TDeviceContext* FDc = nullptr;
  TPenGeometry FPen;
  COLORREF FPenColor = 0;
  RECT FBound{};
};

}  // namespace win::gdi
