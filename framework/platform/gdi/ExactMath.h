// Exact integer helpers for the rasterisers: 128-bit products, floor and ceiling division, integer
// square roots. Pixel decisions must not depend on floating-point rounding.
#pragma once

#include <cstdint>

namespace win::gdi {

__extension__ using TInt128 = __int128;

// Division rounding toward minus infinity; the divisor must be positive.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Division rounding toward plus infinity; the divisor must be positive.
constexpr std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

constexpr TInt128 CeilDiv128(TInt128 a, TInt128 b) {
  TInt128 q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

constexpr TInt128 FloorDiv128(TInt128 a, TInt128 b) {
  TInt128 q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The largest k >= 0 with k * k <= value.
std::uint64_t FloorSqrt(TInt128 value);

// floor(sqrt(numerator / denominator)) for non-negative values and a positive denominator.
inline std::uint64_t FloorSqrtRatio(TInt128 numerator, TInt128 denominator) {
  // k * k <= n / d holds exactly when k * k <= floor(n / d), k being an integer.
  return FloorSqrt(numerator / denominator);
}

}  // namespace win::gdi
