#pragma once

#include <cstdint>

namespace quorvane {

// A value in the 80-bit extended format (sign, 15-bit biased exponent, 64-bit significand with
// an explicit integer bit) with the few operations the commission needs, each rounded to
// nearest, ties to even, with every floating-point exception masked. It is computed in integer
// arithmetic, so the result is the same whatever the compiler's long double and whatever
// precision the FPU happens to be set to.
class Extended {
 public:
  constexpr Extended() = default;
  static constexpr Extended FromBits(std::uint16_t signAndExponent, std::uint64_t significand) {
    Extended e;
    e.signAndExponent_ = signAndExponent;
    e.significand_ = significand;
    return e;
  }

  // Exact: every double is an extended value.
  static Extended FromDouble(double value) noexcept;
  // Rounded to nearest even, with subnormal results, overflow to an infinity and NaNs quieted.
  double ToDouble() const noexcept;

  friend Extended operator+(Extended a, Extended b) noexcept;
  friend Extended operator-(Extended a, Extended b) noexcept;
  friend Extended operator*(Extended a, Extended b) noexcept;

  constexpr std::uint16_t signAndExponent() const { return signAndExponent_; }
  constexpr std::uint64_t significand() const { return significand_; }

 private:
  std::uint16_t signAndExponent_ = 0;
  std::uint64_t significand_ = 0;
};

}  // namespace quorvane
