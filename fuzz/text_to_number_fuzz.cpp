// Any bytes through TextToNumber, with the invariants that hold whatever the text:
// - the result is never NaN;
// - "x" after the text changes nothing: it cannot continue a number, not even as the trail byte
//   of a lead byte that the text cuts off;
// - an ASCII text gives what its full-width form gives (the general reading path against the
//   in-place one);
// - an ASCII text without the letters that strtod reads differently (hexadecimal, infinity,
//   NaN, the "d" exponent) gives what strtod gives.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "calc/numeric_text.h"
#include "tests/support/full_width.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A heap copy of exactly the input's size, so that AddressSanitizer catches a read past it.
  const auto bytes = std::make_unique<char[]>(size);
  if (size != 0) {
    std::memcpy(bytes.get(), data, size);
  }
  const std::string_view text(bytes.get(), size);
  const double value = quorvane::TextToNumber(text);
  Check(!std::isnan(value));

  std::string extended(text);
  extended += 'x';
  Check(Bits(quorvane::TextToNumber(extended)) == Bits(value));

  bool ascii = true;
  bool strtodReadsAlike = true;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    ascii = ascii && byte != 0 && byte < 0x80;
    strtodReadsAlike = strtodReadsAlike && std::strchr("xXiInNdDpP", c) == nullptr;
  }
  if (!ascii) {
    return 0;
  }

  Check(Bits(quorvane::TextToNumber(quorvane::testing::FullWidth(text))) == Bits(value));

  if (strtodReadsAlike) {
    const std::string terminated(text);
    Check(Bits(std::strtod(terminated.c_str(), nullptr)) == Bits(value));
  }
  return 0;
}
