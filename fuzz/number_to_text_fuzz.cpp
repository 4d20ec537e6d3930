// Any double through NumberToText: the text is at most 20 printable ASCII characters, and for a
// finite value it reads back as the value rounded to 13 significant digits. That rounding goes
// through 17 digits first, so next to a 13-digit midpoint the text may be one unit above the
// correctly rounded 13 digits; that is allowed exactly where digits 14 to 17 of the value are
// 4999 or 5000.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/numeric_text.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The value correctly rounded to `digits` significant digits, as "d.ddde+XX".
std::string Scientific(double value, int digits) {
  char text[40];
  return std::string(text, std::to_chars(text, text + sizeof text, value,
                                         std::chars_format::scientific, digits - 1)
                               .ptr);
}

// The 13-digit value one unit above a positive one written by Scientific(value, 13).
std::string NextThirteenDigits(std::string scientific) {
  for (std::size_t i = 13; i > 1; --i) {
    if (scientific[i] != '9') {
      ++scientific[i];
      return scientific;
    }
    scientific[i] = '0';
  }
  if (scientific[0] != '9') {
    ++scientific[0];
    return scientific;
  }
  const int exponent = std::atoi(scientific.c_str() + 15) + 1;
  std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
  if (magnitude.size() < 2) {
    magnitude.insert(0, "0");
  }
  return "1.000000000000e" + std::string(exponent < 0 ? "-" : "+") + magnitude;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size != sizeof(double)) {
    return 0;
  }
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, sizeof bits);
  const double value = std::bit_cast<double>(bits);
  const quorvane::NumberText text = quorvane::NumberToText(value);

  Check(text.size() <= 20);
  Check(std::strlen(text.c_str()) == text.size());
  for (const char c : text.view()) {
    Check(c > ' ' && c < 0x7F);
  }
  if (!std::isfinite(value)) {
    return 0;
  }
  if (value == 0) {
    Check(text.view() == "0");
    return 0;
  }

  const double readBack = quorvane::TextToNumber(text.view());
  Check(std::signbit(readBack) == std::signbit(value));
  const double magnitude = std::fabs(value);
  const std::string single = Scientific(magnitude, 13);
  if (std::bit_cast<std::uint64_t>(std::fabs(readBack)) !=
      std::bit_cast<std::uint64_t>(quorvane::TextToNumber(single))) {
    const std::string tail = Scientific(magnitude, 20).substr(14, 4);
    Check(tail == "4999" || tail == "5000");
    Check(Scientific(std::fabs(readBack), 13) == NextThirteenDigits(single));
  }
  return 0;
}
