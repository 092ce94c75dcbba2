// Sets over an enumeration (TAnchors, TFontStyles, TShiftState, TComponentState ...): one bit per
// value, value n in bit n, so a set converts to and from its bit mask.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace fw {

template <class E>
requires std::is_enum_v<E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values)
      Include(v);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }

  constexpr std::uint64_t Bits() const { return FBits; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr TSet& Include(E v) {
    FBits |= Bit(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    FBits &= ~Bit(v);
    return *this;
  }

  constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
  constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
  constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
  constexpr TSet& operator+=(TSet other) {
    FBits |= other.FBits;
    return *this;
  }
  constexpr TSet& operator-=(TSet other) {
    FBits &= ~other.FBits;
    return *this;
  }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr std::uint64_t Bit(E v) {
    const auto n = static_cast<std::uint64_t>(v);
    return n < 64 ? std::uint64_t{1} << n : 0;
  }

  std::uint64_t FBits = 0;
};

template <class T>
inline constexpr bool IsSet = false;
template <class E>
inline constexpr bool IsSet<TSet<E>> = true;

}  // namespace fw
