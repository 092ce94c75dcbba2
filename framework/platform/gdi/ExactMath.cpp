#include "framework/platform/gdi/ExactMath.h"

#include <cmath>

namespace win::gdi {

std::uint64_t FloorSqrt(TInt128 value) {
  if (value <= 0) return 0;
  // A floating-point estimate, then exact correction steps.
  auto k = std::uint64_t(std::sqrt(static_cast<long double>(value)));
  while (TInt128(k) * TInt128(k) > value)
    --k;
  while (TInt128(k + 1) * TInt128(k + 1) <= value)
    ++k;
  return k;
}

}  // namespace win::gdi
