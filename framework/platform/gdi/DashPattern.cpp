#include "framework/platform/gdi/DashPattern.h"

#include <array>
#include <numeric>

namespace win::gdi {
namespace {

constexpr std::array<int, 1> kSolid{1};
constexpr std::array<int, 2> kDash{18, 6};
constexpr std::array<int, 2> kDot{3, 3};
constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};
constexpr std::array<int, 2> kGeometricDash{3, 1};
constexpr std::array<int, 2> kGeometricDot{1, 1};
constexpr std::array<int, 4> kGeometricDashDot{3, 1, 1, 1};
constexpr std::array<int, 6> kGeometricDashDotDot{3, 1, 1, 1, 1, 1};

std::span<const int> RunsOf(TDashStyle style) {
  switch (style) {
    case TDashStyle::dsDash:
      return kDash;
    case TDashStyle::dsDot:
      return kDot;
    case TDashStyle::dsDashDot:
      return kDashDot;
    case TDashStyle::dsDashDotDot:
      return kDashDotDot;
    case TDashStyle::dsSolid:
      break;
  }
  return kSolid;
}

}  // namespace

std::span<const int> GeometricMultiples(TDashStyle style) {
  switch (style) {
    case TDashStyle::dsDash:
      return kGeometricDash;
    case TDashStyle::dsDot:
      return kGeometricDot;
    case TDashStyle::dsDashDot:
      return kGeometricDashDot;
    case TDashStyle::dsDashDotDot:
      return kGeometricDashDotDot;
    case TDashStyle::dsSolid:
      break;
  }
  return kSolid;
}

TDashPattern::TDashPattern(TDashStyle style, bool geometric)
    : FStyle(style),
      FRuns(geometric ? GeometricMultiples(style) : RunsOf(style)),
      FPeriod(std::accumulate(FRuns.begin(), FRuns.end(), 0)) {}

bool TDashPattern::IsOn(std::int64_t position) const {
  if (IsSolid()) return true;
  std::int64_t inPeriod = position % FPeriod;
  if (inPeriod < 0) inPeriod += FPeriod;
  for (std::size_t i = 0; i < FRuns.size(); ++i) {
    if (inPeriod < FRuns[i]) return i % 2 == 0;
    inPeriod -= FRuns[i];
  }
  return true;
}

}  // namespace win::gdi
