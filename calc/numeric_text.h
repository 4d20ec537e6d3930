#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Reads the number at the start of a code page 936 text the way the finance department types
// it: full-width digits and signs count as ASCII ones, "d"/"D" may introduce the exponent, and
// whatever follows the number is ignored. Never fails: a text without a number gives 0, a
// magnitude beyond the double range a signed infinity, one below it a signed zero.
double TextToNumber(std::string_view text) noexcept;
// A null pointer is the empty text.
double TextToNumber(const char* text) noexcept;

// The text of a double: at most 13 significant digits, trailing zeros removed, a three-digit
// exponent in the exponent form ("3e+019"), and "1.#INF", "-1.#IND", "1.#QNAN", "1.#SNAN" for
// the values that are not finite. A small value type, so that formatting never allocates.
class NumberText {
 public:
  static constexpr std::size_t kCapacity = 24;  // the longest text is 20 characters

  std::string_view view() const noexcept { return {chars_, size_}; }
  const char* c_str() const noexcept { return chars_; }
  std::size_t size() const noexcept { return size_; }

 private:
  friend NumberText NumberToText(double value) noexcept;
  char chars_[kCapacity] = {};
  std::size_t size_ = 0;
};

NumberText NumberToText(double value) noexcept;

}  // namespace quorvane
