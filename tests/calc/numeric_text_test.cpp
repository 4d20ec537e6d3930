#include "calc/numeric_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "tests/support/cp936.h"
#include "tests/support/full_width.h"

namespace quorvane {
namespace {

using testing::Cp936;
using testing::FullWidth;

struct NumberToTextRow {
  const char* kind;
  std::uint64_t bits;
  const char* text;
};

struct TextToNumberRow {
  const char* kind;
  std::uint64_t bits;
  std::string_view text;
};

#include "tests/calc/numeric_text_cases.inc"

std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}
double FromBits(std::uint64_t bits) {
  return std::bit_cast<double>(bits);
}

// Bytes as a C string literal would show them, for failure messages.
std::string Shown(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes.substr(0, 120)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    }
  }
  if (bytes.size() > 120) {
    shown += "... (" + std::to_string(bytes.size()) + " bytes)";
  }
  return shown;
}

std::string Hex(std::uint64_t bits) {
  char text[19] = "0x";
  std::to_chars(text + 2, text + sizeof text, bits, 16);
  return text;
}

// The shortest text that reads back as the value.
std::string Shortest(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// ---------------------------------------------------------------------------------------------
// TextToNumber
// ---------------------------------------------------------------------------------------------

struct TextCase {
  std::string text;
  double expected;
};

void ExpectReads(const TextCase& c) {
  EXPECT_EQ(Hex(Bits(TextToNumber(c.text))), Hex(Bits(c.expected)))
      << "text \"" << Shown(c.text) << "\", expected " << c.expected;
}

TEST(TextToNumberTest, ReadsTheLongestNumberAtTheStart) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const TextCase cases[] = {
      {"12.5", 12.5},
      {"0.028", 0.028},
      {"100", 100},
      {"  \t\n\v\f\r-3.25e2xyz", -325},
      {"+7", 7},
      {"+.5", 0.5},
      {"5.", 5},
      {"1.e2", 100},
      {"-.0", -0.0},
      {"-0", -0.0},
      {"0e99999", 0},
      {"2D2", 200},
      {"2d-2", 0.02},
      {"1E+3", 1000},
      {"1e", 1},
      {"1e+", 1},
      {"1e-", 1},
      {"1ex5", 1},
      {"1d+x", 1},
      {"1e-x3", 1},
      {"1.5.5", 1.5},
      {"1e5e5", 1e5},
      {"1,000", 1},
      {"1 000", 1},
      {"1_000", 1},
      {"0x1A", 0},
      {"inf", 0},
      {"-infinity", 0},
      {"nan", 0},
      {".", 0},
      {"-", 0},
      {"+", 0},
      {"", 0},
      {" ", 0},
      {".e5", 0},
      {"e5", 0},
      {"--5", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"1e-400", 0.0},
      {"-1e-400", -0.0},
      {"1.7976931348623157e308", DBL_MAX},
      {"1.7976931348623159e308", kInf},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
      {"2.4703282292062327e-324", 0.0},
      {"2.2250738585072014e-308", DBL_MIN},
      {"1e0000000000000000000000000000000000000000000000000002", 100},
      {"1e99999999999999999999999999", kInf},
      {"-1e99999999999999999999999999", -kInf},
      {"1e-99999999999999999999999999", 0.0},
      {"-0e99999999999999999999999999", -0.0},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"0.1", 0.1},
      {"9007199254740993", 9007199254740992.0},  // the midpoint of 2^53 and 2^53 + 2: to even
      {"9007199254740993.0000000000000000000001", 9007199254740994.0},
  };
  for (const TextCase& c : cases) {
    ExpectReads(c);
    // The same in full-width forms, which are read the general way rather than in place.
    ExpectReads({FullWidth(c.text), c.expected});
  }
}

TEST(TextToNumberTest, FullWidthFormsAndTheIdeographicSpaceCountAsAscii) {
  const TextCase cases[] = {
      {Cp936("１２．５"), 12.5},
      {Cp936("－５"), -5},
      {Cp936("＋．５"), 0.5},
      {Cp936("３Ｅ２"), 300},
      {Cp936("３ｅ－２"), 0.03},
      {Cp936("３Ｄ２"), 300},
      {Cp936("　7"), 7},
      {Cp936("　　－　１"), 0},
      {Cp936("12元"), 12},
      {Cp936("１２．５元"), 12.5},
      {Cp936("1２.５e１"), 125},
      {Cp936("１，０００"), 1},
      {Cp936("０ｘ１Ａ"), 0},
      // Plain ASCII up to the exponent, full-width from there.
      {Cp936("1e１"), 10},
      {Cp936("2.5E－１"), 0.25},
      {Cp936("3d２"), 300},
      {Cp936("4.５"), 4.5},
      {Cp936("4.e２"), 400},
      {Cp936("5e+"), 5},
  };
  for (const TextCase& c : cases) {
    ExpectReads(c);
  }
}

TEST(TextToNumberTest, TwoByteCharactersAreOneUnitWhateverTheirTrailByte) {
  // clang-format off
  const TextCase cases[] = {
      // Trail bytes 0x40..0x7E look like ASCII but belong to the character before.
      {"12\x81\x35", 12},
      {"12\x81\x35\x35", 12},
      {"\xB0\x31" "5", 0},
      {"3\x81\x2E" "5", 3},
      {"3\xB0\x65" "5", 3},
      {"3e\xB0\x32", 3},
      {"\x81\x2D" "5", 0},
      {"\xA3\x2D" "5", 0},
      // Outside A3 A1..A3 FE nothing turns into ASCII.
      {"\xA3\xA0" "5", 0},
      {"5\xA3\xFF" "5", 5},
      {"\xA1\xAB" "5", 0},  // the full-width tilde, "~"
      {"\xA1\xEE" "5", 0},  // a star, "*"
      {"\xA1\xA2" "5", 0},
      // A lead byte that the text cuts off is dropped.
      {"12\xA3", 12},
      {"\xA3", 0},
      {"1e5\x81", 1e5},
      {"-\xA3", 0},
      {"1\xA3\xB2", 12},
      {"1\xA1\xA1" "2", 1},
      {"\xA1\xA1\xA1\xA1-\xA3\xB4", -4},
  };
  // clang-format on
  for (const TextCase& c : cases) {
    ExpectReads(c);
  }
}

TEST(TextToNumberTest, ReadsNothingPastTheEndOfTheText) {
  // Each text is a prefix of a longer one whose next byte would complete the number, so a
  // read past the end shows in the result.
  const struct {
    std::string_view whole;
    std::size_t size;
    double expected;
  } cases[] = {
      {"1\xA3\xB2", 2, 1},  // a cut-off lead byte, then the trail byte of "2"
      {"1\xA3\xB2", 1, 1}, {"12", 1, 1},   {"1.5", 2, 1},
      {"1e5", 2, 1},       {"1e+5", 3, 1}, {"\xA3\xB1", 1, 0},
  };
  for (const auto& c : cases) {
    const std::string_view text = c.whole.substr(0, c.size);
    EXPECT_EQ(TextToNumber(text), c.expected) << Shown(text);
  }
}

TEST(TextToNumberTest, NullIsTheEmptyText) {
  EXPECT_EQ(Bits(TextToNumber(static_cast<const char*>(nullptr))), Bits(0.0));
  EXPECT_EQ(TextToNumber(static_cast<const char*>("8.25 kg")), 8.25);
  EXPECT_EQ(Bits(TextToNumber(std::string_view())), Bits(0.0));
}

TEST(TextToNumberTest, LongTextsKeepTheirValue) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::string zeros(30'000, '0');
  const TextCase cases[] = {
      {std::string(30'000, '7'), kInf},
      {"-" + std::string(400, '9'), -kInf},
      {"0." + std::string(30'000, '3'), 1.0 / 3.0},
      {"." + std::string(30'000, '6') + "e1", 20.0 / 3.0},
      {zeros + "2.5", 2.5},
      {zeros + "." + zeros + "1e30001", 1},
      {"1" + zeros + "e-30000", 1},
      {"1" + zeros + "d-30001", 0.1},
      {"0." + zeros + "1e+400", 0.0},
      {"0." + zeros + "1e+30310", kInf},
      {"0." + zeros + "1e+30300", 1e299},
      {"0." + zeros, 0},
      {"-" + zeros + "." + zeros, -0.0},
      {"5" + zeros + "e-30308", 5e-308},
      {"1" + zeros + "1e-30001", 1},  // just above 1 by far less than half an ulp
      // Past the digits that matter, a single nonzero digit still lifts a midpoint.
      {"9007199254740993" + zeros, kInf},
      {"9007199254740993." + zeros + "1", 9007199254740994.0},
      {"9007199254740992." + std::string(5'000, '9'), 9007199254740992.0},
  };
  for (const TextCase& c : cases) {
    ExpectReads(c);
    ExpectReads({FullWidth(c.text), c.expected});
  }
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

TEST(TextToNumberTest, GeneratedHardCases) {
  for (const TextToNumberRow& row : kGeneratedTextToNumber) {
    EXPECT_EQ(Hex(Bits(TextToNumber(row.text))), Hex(row.bits))
        << row.kind << ": \"" << Shown(row.text) << '"';
    if (IsAscii(row.text)) {
      const std::string wide = FullWidth(row.text);
      EXPECT_EQ(Hex(Bits(TextToNumber(wide))), Hex(row.bits))
          << row.kind << ": \"" << Shown(wide) << '"';
    }
  }
}

TEST(TextToNumberTest, ShortestTextsOfRandomDoublesReadBack) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 20'000; ++i) {
    const double value = FromBits(random());
    if (!std::isfinite(value)) {
      continue;
    }
    const std::string ascii = Shortest(value);
    ASSERT_EQ(Hex(Bits(TextToNumber(ascii))), Hex(Bits(value))) << ascii;

    // The same number with the exponent letter as "d", in full-width forms, padded with
    // spaces and followed by other text.
    std::string variant = ascii;
    if (const auto e = variant.find('e'); e != std::string::npos) {
      variant[e] = (i & 1) != 0 ? 'd' : 'D';
    }
    variant = (i % 3 == 0 ? FullWidth(" " + variant) : "\t" + variant) + "\xD4\xAA";
    ASSERT_EQ(Hex(Bits(TextToNumber(variant))), Hex(Bits(value))) << Shown(variant);
  }
}

TEST(TextToNumberTest, AnyBytesGiveANumber) {
  // Bytes drawn mostly from what numbers are made of, lead bytes among them, so that the
  // scanner is taken through every branch; some texts end in a lone lead byte.
  constexpr std::string_view kAlphabet =
      "0123456789000000.....eEdD++--  \t\xA3\xA3\xA3\xA1\x81\xB0\xD4\xB1\xAE\xAD\xA1\xE5x,";
  std::mt19937_64 random(936);
  for (int i = 0; i < 50'000; ++i) {
    const std::size_t size = random() % 48;
    // An exact-size heap copy, so that a read past the end is caught by a memory checker.
    auto bytes = std::make_unique<char[]>(size);
    for (std::size_t j = 0; j < size; ++j) {
      bytes[j] = (random() & 3) == 0 ? static_cast<char>(random())
                                     : kAlphabet[random() % kAlphabet.size()];
    }
    const std::string_view text(bytes.get(), size);
    const double value = TextToNumber(text);
    ASSERT_FALSE(std::isnan(value)) << Shown(text);
    // "x" never extends a number, not even as the trail byte of a cut-off lead byte.
    ASSERT_EQ(Bits(TextToNumber(std::string(text) + "x")), Bits(value)) << Shown(text);
  }
}

// ---------------------------------------------------------------------------------------------
// NumberToText
// ---------------------------------------------------------------------------------------------

struct NumberCase {
  double value;
  std::string_view expected;
};

TEST(NumberToTextTest, WritesThirteenSignificantDigits) {
  const NumberCase cases[] = {
      {299.15999999999997, "299.16"},
      {0.06480000000000001, "0.0648"},
      {0.934077796076937, "0.9340777960769"},
      {123456789.12345679, "123456789.1235"},
      {1.5, "1.5"},
      {-0.0084, "-0.0084"},
      {214.44, "214.44"},
      {100, "100"},
      {1e13, "1e+013"},
      {9999999999999, "9999999999999"},
      {99999999999995, "1e+014"},
      {9999999999999.5, "1e+013"},
      {999999999999.9501, "1000000000000"},
      {1234567890122.5, "1234567890123"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {0.000099999999999995, "0.0001"},
      {0.00009999999999999, "9.999999999999e-005"},
      {-2.25e-7, "-2.25e-007"},
      {3e19, "3e+019"},
      {1e100, "1e+100"},
      {DBL_MAX, "1.797693134862e+308"},
      {-DBL_MAX, "-1.797693134862e+308"},
      {DBL_MIN, "2.225073858507e-308"},
      {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
      {0.0, "0"},
      {-0.0, "0"},
      {629556250814450, "6.295562508145e+014"},
      // Exactly 48769437889.94499969482421875: 17 digits give 48769437889.945000, which then
      // rounds half up to .95, where a single rounding would give .94.
      {48769437889.945, "48769437889.95"},
      {0.1, "0.1"},
      {1.0 / 3.0, "0.3333333333333"},
      {-2.0 / 3.0, "-0.6666666666667"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value).view(), c.expected) << Shortest(c.value);
  }
}

TEST(NumberToTextTest, ValuesThatAreNotFinite) {
  const struct {
    std::uint64_t bits;
    std::string_view expected;
  } cases[] = {
      {0x7FF0000000000000, "1.#INF"},   {0xFFF0000000000000, "-1.#INF"},
      {0xFFF8000000000000, "-1.#IND"},  {0x7FF8000000000000, "1.#QNAN"},
      {0xFFF8000000000001, "-1.#QNAN"}, {0x7FFFFFFFFFFFFFFF, "1.#QNAN"},
      {0x7FF0000000000001, "1.#SNAN"},  {0xFFF7FFFFFFFFFFFF, "-1.#SNAN"},
      {0x7FF4000000000000, "1.#SNAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberToText(FromBits(c.bits)).view(), c.expected) << Hex(c.bits);
  }
}

// The digits of the exact value, to `digits` significant digits, rounded correctly.
std::string Scientific(double value, int digits) {
  char text[800];
  return std::string(text, std::to_chars(text, text + sizeof text, value,
                                         std::chars_format::scientific, digits - 1)
                               .ptr);
}

TEST(NumberToTextTest, SeventeenDigitMidpoints) {
  // Exactly 1125899906842624.25, a 17-digit midpoint: its 17 digits are 11258999068426243
  // rounding half up (and 11258999068426242 to even, which gives the same 13 digits).
  const double tie = 1125899906842624.25;
  ASSERT_EQ(Scientific(tie, 18), "1.12589990684262425e+15");
  EXPECT_EQ(NumberToText(tie).view(), "1.125899906843e+015");

  // Values within half a unit of the 20th digit of a 17-digit midpoint whose digits 14 to 17
  // are 4999, so that their 20 digits end in 4999500 on either side. Just below, 17 digits end
  // in 4999 and 13 digits round down; just above, they end in 5000 and 13 digits round up.
  const struct {
    std::uint64_t bits;
    std::string_view twentyDigits;
    bool below;
    std::string_view expected;
  } cases[] = {
      {0x4133608FE1CD78C4, "1.2699038820414999500e+06", true, "1269903.882041"},
      {0x3FF587A497AE41D0, "1.3456159520174999500e+00", true, "1.345615952017"},
      {0x4027CEED864FCCB1, "1.1904155919304999500e+01", false, "11.90415591931"},
      {0x3ED076FF5A1B6706, "3.9255222945234999500e-06", false, "3.925522294524e-006"},
  };
  for (const auto& c : cases) {
    const double value = FromBits(c.bits);
    ASSERT_EQ(Scientific(value, 20), c.twentyDigits);
    const std::string exact = Scientific(value, 767);
    ASSERT_EQ(exact.substr(0, 18), c.twentyDigits.substr(0, 18));  // 17 digits
    ASSERT_EQ(exact[18], c.below ? '4' : '5');
    EXPECT_EQ(NumberToText(value).view(), c.expected) << exact.substr(0, 30);
  }
}

TEST(NumberToTextTest, GeneratedHardCases) {
  for (const NumberToTextRow& row : kGeneratedNumberToText) {
    EXPECT_EQ(NumberToText(FromBits(row.bits)).view(), row.text)
        << row.kind << " " << Hex(row.bits);
  }
}

// Checks the shape of a text of a finite nonzero value: an optional "-", digits with at most one
// ".", no trailing zero after the ".", and in the exponent form "e", a sign and three digits.
void ExpectWellFormed(std::string_view text) {
  ASSERT_LE(text.size(), 20U) << text;
  std::string_view body = text;
  if (!body.empty() && body.front() == '-') {
    body.remove_prefix(1);
  }
  if (const auto e = body.find('e'); e != std::string_view::npos) {
    const std::string_view exponent = body.substr(e + 1);
    ASSERT_EQ(exponent.size(), 4U) << text;
    ASSERT_TRUE(exponent[0] == '+' || exponent[0] == '-') << text;
    ASSERT_EQ(exponent.find_first_not_of("0123456789", 1), std::string_view::npos) << text;
    body = body.substr(0, e);
    ASSERT_TRUE(body.size() == 1 || body[1] == '.') << text;
  }
  ASSERT_FALSE(body.empty()) << text;
  ASSERT_EQ(body.find_first_not_of("0123456789."), std::string_view::npos) << text;
  if (const auto point = body.find('.'); point != std::string_view::npos) {
    ASSERT_EQ(body.find('.', point + 1), std::string_view::npos) << text;
    ASSERT_NE(body.back(), '0') << text;
    ASSERT_NE(body.back(), '.') << text;
    ASSERT_GT(point, 0U) << text;
  }
}

// The 13-digit value one unit above a positive one written by Scientific(value, 13).
std::string NextThirteenDigits(std::string scientific) {
  for (std::size_t i = 13; i > 0; --i) {  // the last digit, after "d.", back to the first
    if (scientific[i] == '.') {
      continue;
    }
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
  // 9.999999999999eN becomes 1.000000000000e(N+1).
  const int exponent = std::stoi(scientific.substr(15)) + 1;
  std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
  if (magnitude.size() < 2) {
    magnitude.insert(0, "0");
  }
  return "1.000000000000e" + std::string(exponent < 0 ? "-" : "+") + magnitude;
}

TEST(NumberToTextTest, RandomDoublesReadBackAsTheirThirteenDigitRounding) {
  std::mt19937_64 random(1375797249);
  for (int i = 0; i < 50'000; ++i) {
    // Any bit pattern, and values of everyday size.
    double value = FromBits(random());
    if ((i & 1) != 0) {
      value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 80) - 90);
    }
    if (!std::isfinite(value) || value == 0) {
      continue;
    }
    const NumberText text = NumberToText(value);
    ASSERT_EQ(std::strlen(text.c_str()), text.size());
    ExpectWellFormed(text.view());
    if (::testing::Test::HasFatalFailure()) {
      return;
    }

    // Read back, the text is the exact value correctly rounded to 13 digits, except where the
    // exact value lies on a 13-digit midpoint or so close below one that its 17 digits are the
    // midpoint: then it is one unit higher.
    const double magnitude = std::abs(value);
    const std::string single = Scientific(magnitude, 13);
    const double readBack = std::abs(TextToNumber(text.view()));
    if (Bits(readBack) != Bits(TextToNumber(single))) {
      const std::string twenty = Scientific(magnitude, 20);
      const std::string tail = twenty.substr(14, 4);  // digits 14 to 17
      ASSERT_TRUE(tail == "4999" || tail == "5000") << text.view() << " for " << twenty;
      ASSERT_EQ(Scientific(readBack, 13), NextThirteenDigits(single))
          << text.view() << " for " << twenty;
    }
  }
}

TEST(NumberToTextTest, WholeCentsAreWrittenAsTheyAreTyped) {
  // A number of cents with at most 13 digits, divided by 100, comes back as the same digits.
  std::mt19937_64 random(214);
  for (int i = 0; i < 20'000; ++i) {
    const std::uint64_t limit = std::uint64_t{1} << (random() % 43 + 1);
    const std::uint64_t cents = random() % limit + 1;
    std::string typed = std::to_string(cents);
    typed.insert(0, typed.size() < 3 ? 3 - typed.size() : 0, '0');
    typed.insert(typed.size() - 2, ".");
    while (typed.back() == '0') {
      typed.pop_back();
    }
    if (typed.back() == '.') {
      typed.pop_back();
    }
    const bool negative = (random() & 1) != 0;
    const double value = static_cast<double>(cents) / 100.0;
    ASSERT_EQ(NumberToText(negative ? -value : value).view(), (negative ? "-" : "") + typed);
  }
}

TEST(NumberToTextTest, EveryTextIsShortAscii) {
  std::mt19937_64 random(20);
  for (int i = 0; i < 100'000; ++i) {
    std::uint64_t bits = random();
    if ((i & 7) == 0) {
      bits |= std::uint64_t{0x7FF} << 52;  // infinities and NaNs of every kind
    }
    const NumberText text = NumberToText(FromBits(bits));
    ASSERT_LE(text.size(), 20U) << Hex(bits);
    ASSERT_EQ(std::strlen(text.c_str()), text.size()) << Hex(bits);
    for (const char c : text.view()) {
      ASSERT_TRUE(c > ' ' && c < 0x7F) << Hex(bits);
    }
  }
}

}  // namespace
}  // namespace quorvane
