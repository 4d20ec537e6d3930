#include "calc/numeric_text.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace quorvane {
namespace {

// ---------------------------------------------------------------------------------------------
// Reading a number
// ---------------------------------------------------------------------------------------------

// What the normalised text yields besides ASCII bytes: the end of the text, and a two-byte
// character that is kept as it is. The latter is never part of a number, whatever its bytes.
constexpr int kEndOfText = -1;
constexpr int kOtherCharacter = 0x100;

// The character that a two-byte character starting at `pair` stands for in the normalised text.
int PairCharacter(const unsigned char* pair) noexcept {
  const unsigned char lead = pair[0];
  const unsigned char trail = pair[1];
  if (lead == 0xA3) {
    if (trail >= 0xA1 && trail <= 0xFE) {
      return trail - 0x80;
    }
  } else if (lead == 0xA1) {
    switch (trail) {
      case 0xA1:
        return ' ';
      case 0xAB:
        return '~';
      case 0xEE:
      case 0xEF:
        return '*';
      default:
        break;
    }
  }
  return kOtherCharacter;
}

// Walks a code page 936 text as the normalised text: the full-width forms of ASCII, the
// ideographic space and a few symbols become their ASCII bytes, every other two-byte character
// stays one unit, and a lead byte that the text cuts off is dropped. Characters are produced
// one at a time, so reading stops where the number ends.
class NormalisedText {
 public:
  explicit NormalisedText(std::string_view text) noexcept
      : next_(reinterpret_cast<const unsigned char*>(text.data())), end_(next_ + text.size()) {}

  int Take() noexcept {
    if (next_ == end_) {
      return kEndOfText;
    }
    if (*next_ < 0x80) {
      return *next_++;
    }
    if (end_ - next_ < 2) {
      next_ = end_;
      return kEndOfText;
    }
    next_ += 2;
    return PairCharacter(next_ - 2);
  }

  // Where the next character starts, and where the text ends.
  const char* position() const noexcept { return reinterpret_cast<const char*>(next_); }
  const char* end() const noexcept { return reinterpret_cast<const char*>(end_); }

 private:
  const unsigned char* next_;
  const unsigned char* end_;
};

constexpr bool IsDigit(int c) noexcept {
  return c >= '0' && c <= '9';
}

constexpr bool IsSpace(int c) noexcept {
  constexpr std::uint64_t kSpaces = (std::uint64_t{1} << ' ') | (std::uint64_t{1} << '\t') |
                                    (std::uint64_t{1} << '\n') | (std::uint64_t{1} << '\v') |
                                    (std::uint64_t{1} << '\f') | (std::uint64_t{1} << '\r');
  return c >= 0 && c <= ' ' && ((kSpaces >> c) & 1) != 0;
}

// Writes a small integer in decimal.
char* WriteInteger(char* out, std::int64_t value) noexcept {
  if (value < 0) {
    *out++ = '-';
    value = -value;
  }
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) {
    *out++ = digits[--count];
  }
  return out;
}

// Significant digits kept from the text. Every double has at most 767 significant digits and
// every midpoint between two adjacent doubles at most 768, so a value cut after 768 digits or
// more, with a nonzero digit appended when anything nonzero was cut off, lies strictly between
// the same two such points as the whole value and therefore rounds to the same double.
constexpr std::size_t kKeptDigits = 800;

// Written exponents beyond this are all the same to the result; capping them keeps the
// arithmetic far from overflow.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// With the value 0.d1d2d3... * 10^L (d1 nonzero), any L above this is an overflow and any L
// below the other bound an underflow, whatever the digits; in between the conversion decides.
constexpr std::int64_t kOverflowDecade = 310;
constexpr std::int64_t kUnderflowDecade = -330;

double SignedInfinity(bool negative) noexcept {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  return negative ? -kInfinity : kInfinity;
}

double SignedZero(bool negative) noexcept {
  return negative ? -0.0 : 0.0;
}

// Reads the written exponent that may follow the significand, from `c`, the character after
// it. Without a digit after the letter and its sign the letter is not part of the number, and
// neither is anything after it, so the exponent is 0 then. Inlined, so that the reader keeps
// its position in registers.
[[gnu::always_inline]] inline std::int64_t ReadExponent(NormalisedText& input, int c) noexcept {
  if (c != 'e' && c != 'E' && c != 'd' && c != 'D') {
    return 0;
  }
  c = input.Take();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = input.Take();
  }
  std::int64_t exponent = 0;
  for (; IsDigit(c); c = input.Take()) {
    if (exponent < kExponentCap) {
      exponent = exponent * 10 + (c - '0');
    }
  }
  return negative ? -exponent : exponent;
}

// Reads the significand and the exponent that start with `c`, the character just taken from
// `input`, and applies the sign already read. Kept out of line, so that the common path below
// stays small.
[[gnu::noinline]] double ReadNumber(NormalisedText& input, int c, bool negative) noexcept {
  // The significant digits, from the first nonzero one, go straight into the text handed to
  // std::from_chars, followed by the sticky digit and the exponent.
  char buffer[kKeptDigits + 32];
  std::size_t kept = 0;
  bool droppedNonzero = false;
  // The decimal point's place relative to the first significant digit: the value is
  // 0.d1d2d3... * 10^(pointShift + written exponent).
  std::int64_t pointShift = 0;

  const auto keep = [&](int digit) noexcept {
    if (kept < kKeptDigits) {
      buffer[kept++] = static_cast<char>(digit);
    } else if (digit != '0') {
      droppedNonzero = true;
    }
  };

  // Leading zeros only move the decimal point when they follow it.
  bool anyDigit = false;
  while (c == '0') {
    anyDigit = true;
    c = input.Take();
  }
  for (; IsDigit(c); c = input.Take()) {
    keep(c);
    ++pointShift;
  }
  if (c == '.') {
    c = input.Take();
    if (kept == 0) {
      for (; c == '0'; c = input.Take()) {
        anyDigit = true;
        --pointShift;
      }
    }
    for (; IsDigit(c); c = input.Take()) {
      keep(c);
    }
  }
  anyDigit = anyDigit || kept != 0;
  if (!anyDigit) {
    return 0.0;
  }

  const std::int64_t exponent = ReadExponent(input, c);

  if (kept == 0) {
    return SignedZero(negative);
  }
  const std::int64_t decade = pointShift + exponent;
  if (decade > kOverflowDecade) {
    return SignedInfinity(negative);
  }
  if (decade < kUnderflowDecade) {
    return SignedZero(negative);
  }

  if (droppedNonzero) {
    buffer[kept++] = '1';
  }
  char* end = buffer + kept;
  *end++ = 'e';
  // The digits are read as an integer, so the exponent moves by their count.
  end = WriteInteger(end, decade - static_cast<std::int64_t>(kept));

  double magnitude = 0.0;
  const std::from_chars_result read = std::from_chars(buffer, end, magnitude);
  if (read.ec == std::errc::result_out_of_range) {
    // The value is untouched then. The digits start with a nonzero one, so a value of at least
    // 1 overflowed and a smaller one underflowed.
    return decade > 0 ? SignedInfinity(negative) : SignedZero(negative);
  }
  if (read.ec != std::errc{}) {
    return SignedZero(negative);
  }
  return negative ? -magnitude : magnitude;
}

// The powers of ten that are exact doubles.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::int64_t kLargestExactPower = 22;
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
constexpr int kShortDigits = 19;  // any 19 decimal digits fit in 64 bits

// Whether double arithmetic rounds to nearest here. A program may have changed the rounding
// mode; then only the general way gives the correctly rounded value.
bool RoundsToNearest() noexcept {
  volatile float tiny = std::numeric_limits<float>::min();
  const float t = tiny;
  return t + 1.0f == 1.0f - t;
}

// The number that starts with `c`, the character just taken from `input`, when it has at most
// 19 significant digits, their integer is at most 2^53 and its power of ten at most 22 either
// way: each of the two is then an exact double, and the one multiplication or division,
// rounded by IEEE arithmetic, is the correctly rounded value (prices and rates are all of this
// kind). False for any other number; the text is read by the same grammar as ReadNumber's.
bool ReadShortNumber(NormalisedText input, int c, double& magnitude) noexcept {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  std::uint64_t significand = 0;
  int digits = 0;
  std::int64_t exponent = 0;
  bool anyDigit = false;
  const auto keep = [&](int digit) noexcept {
    anyDigit = true;
    if (significand == 0 && digit == '0') {
      return true;
    }
    significand = significand * 10 + static_cast<unsigned>(digit - '0');
    return ++digits <= kShortDigits;
  };
  for (; IsDigit(c); c = input.Take()) {
    if (!keep(c)) {
      return false;
    }
  }
  if (c == '.') {
    for (c = input.Take(); IsDigit(c); c = input.Take()) {
      if (!keep(c)) {
        return false;
      }
      --exponent;
    }
  }
  if (!anyDigit) {
    return false;
  }
  exponent += ReadExponent(input, c);
  if (significand == 0) {
    magnitude = 0.0;
    return true;
  }
  if (significand > kLargestExactInteger || exponent > kLargestExactPower ||
      exponent < -kLargestExactPower || !RoundsToNearest()) {
    return false;
  }
  const auto value = static_cast<double>(significand);
  magnitude =
      exponent < 0 ? value / kExactPowersOfTen[-exponent] : value * kExactPowersOfTen[exponent];
  return true;
#else
  // Where double arithmetic is carried out in a wider format, it rounds twice.
  (void)input;
  (void)c;
  (void)magnitude;
  return false;
#endif
}

}  // namespace

double TextToNumber(std::string_view text) noexcept {
  NormalisedText input(text);
  const char* start = input.position();
  int c = input.Take();
  while (IsSpace(c)) {
    start = input.position();
    c = input.Take();
  }
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    start = input.position();
    c = input.Take();
  }

  // Mostly the number is plain ASCII, and std::from_chars can read it where it is: on ASCII
  // its grammar is this one without the leading white space and sign (already read here) and
  // without the exponent letters d and D. It stops before any byte of 0x80 or above, so it
  // never takes a trail byte for ASCII, and it takes every digit and point that the grammar
  // allows. So what it read is the whole number unless the text goes on with a byte from 0x80
  // up (a full-width digit, say) or with an exponent letter: a "d", or an "e" that it did not
  // take, which a full-width digit may still follow. Those texts, values out of range and the
  // rest go the general way.
  if (double magnitude = 0.0; ReadShortNumber(input, c, magnitude)) {
    return negative ? -magnitude : magnitude;
  }
  if ((IsDigit(c) || c == '.') && input.position() == start + 1) {
    double magnitude = 0.0;
    const std::from_chars_result read = std::from_chars(start, input.end(), magnitude);
    if (read.ec == std::errc{}) {
      if (read.ptr == input.end()) {
        return negative ? -magnitude : magnitude;
      }
      const auto next = static_cast<unsigned char>(*read.ptr);
      if (next < 0x80 && (next | 0x20) != 'e' && (next | 0x20) != 'd') {
        return negative ? -magnitude : magnitude;
      }
    }
  }
  return ReadNumber(input, c, negative);
}

double TextToNumber(const char* text) noexcept {
  return text == nullptr ? 0.0 : TextToNumber(std::string_view(text));
}

// ---------------------------------------------------------------------------------------------
// Writing a number
// ---------------------------------------------------------------------------------------------

namespace {

constexpr int kTextDigits = 13;
constexpr int kExactDigits = 17;

// Appends to a NumberText's characters; the callers never write more than 20.
class TextWriter {
 public:
  explicit TextWriter(char* out) noexcept : out_(out), next_(out) {}

  void Put(char c) noexcept { *next_++ = c; }
  void Put(std::string_view s) noexcept {
    std::memcpy(next_, s.data(), s.size());
    next_ += s.size();
  }
  void PutZeros(int count) noexcept {
    for (int i = 0; i < count; ++i) {
      *next_++ = '0';
    }
  }
  std::size_t size() const noexcept { return static_cast<std::size_t>(next_ - out_); }

 private:
  char* out_;
  char* next_;
};

void WriteNotFinite(TextWriter& out, std::uint64_t bits) {
  constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
  constexpr std::uint64_t kDefaultNaN = 0xFFF8'0000'0000'0000;
  const bool negative = (bits & kSignBit) != 0;
  if ((bits & kFraction) == 0) {
    out.Put(negative ? "-1.#INF" : "1.#INF");
    return;
  }
  if (bits == kDefaultNaN) {
    out.Put("-1.#IND");
    return;
  }
  if (negative) {
    out.Put('-');
  }
  out.Put((bits & kQuietBit) != 0 ? "1.#QNAN" : "1.#SNAN");
}

}  // namespace

NumberText NumberToText(double value) noexcept {
  NumberText text;
  TextWriter out(text.chars_);
  const auto bits = std::bit_cast<std::uint64_t>(value);
  constexpr std::uint64_t kExponentField = std::uint64_t{0x7FF} << 52;

  if ((bits & kExponentField) == kExponentField) {
    WriteNotFinite(out, bits);
  } else if ((bits << 1) == 0) {
    out.Put('0');
  } else {
    // The exact value rounded to 17 significant digits. Those wanted round a tie away from
    // zero and std::to_chars rounds it to even, so the two differ only on a value exactly
    // halfway between two 17-digit numbers, where to_chars gives the lower one, ending in an
    // even digit. The 13 digits then round up when digits 14 to 17 are at least 5000, which
    // the lower string reaches apart from the upper one only if they are 4999, ending in an
    // odd digit. So either tie rule gives the same text, and to_chars's digits serve as they
    // are.
    const double magnitude = value < 0 ? -value : value;
    char exact[32];
    const char* const exactEnd = std::to_chars(exact, exact + sizeof exact, magnitude,
                                               std::chars_format::scientific, kExactDigits - 1)
                                     .ptr;
    // exact holds "d.dddddddddddddddde+XX", with two or three exponent digits.
    char digits[kExactDigits];
    digits[0] = exact[0];
    std::memcpy(digits + 1, exact + 2, kExactDigits - 1);
    const char* exponentText = exact + kExactDigits + 2;
    const bool negativeExponent = *exponentText == '-';
    int exponent = 0;
    while (++exponentText != exactEnd) {
      exponent = exponent * 10 + (*exponentText - '0');
    }
    if (negativeExponent) {
      exponent = -exponent;
    }

    // Half up to 13 digits; a carry out of the first digit makes it 1000000000000 and raises
    // the exponent.
    if (digits[kTextDigits] >= '5') {
      int i = kTextDigits - 1;
      while (i >= 0 && digits[i] == '9') {
        digits[i--] = '0';
      }
      if (i >= 0) {
        ++digits[i];
      } else {
        digits[0] = '1';
        ++exponent;
      }
    }
    int significant = kTextDigits;
    while (significant > 1 && digits[significant - 1] == '0') {
      --significant;
    }

    if (value < 0) {
      out.Put('-');
    }
    if (exponent < -4 || exponent >= kTextDigits) {
      out.Put(digits[0]);
      if (significant > 1) {
        out.Put('.');
        out.Put(std::string_view(digits + 1, static_cast<std::size_t>(significant - 1)));
      }
      out.Put('e');
      out.Put(exponent < 0 ? '-' : '+');
      const int exponentMagnitude = exponent < 0 ? -exponent : exponent;
      out.Put(static_cast<char>('0' + exponentMagnitude / 100));
      out.Put(static_cast<char>('0' + exponentMagnitude / 10 % 10));
      out.Put(static_cast<char>('0' + exponentMagnitude % 10));
    } else if (exponent >= 0) {
      const int integerDigits = exponent + 1;
      out.Put(std::string_view(digits, static_cast<std::size_t>(integerDigits)));
      if (significant > integerDigits) {
        out.Put('.');
        out.Put(std::string_view(digits + integerDigits,
                                 static_cast<std::size_t>(significant - integerDigits)));
      }
    } else {
      out.Put("0.");
      out.PutZeros(-exponent - 1);
      out.Put(std::string_view(digits, static_cast<std::size_t>(significant)));
    }
  }
  text.size_ = out.size();
  text.chars_[text.size_] = '\0';
  return text;
}

}  // namespace quorvane
