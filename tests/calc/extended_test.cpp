#include "calc/extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/calc/extended_operands.h"

namespace quorvane {
namespace {

constexpr Extended Ext(std::uint16_t signAndExponent, std::uint64_t significand) {
  return Extended::FromBits(signAndExponent, significand);
}

std::string Hex(Extended x) {
  char text[32];
  std::snprintf(text, sizeof text, "%04x:%016" PRIx64, x.signAndExponent(), x.significand());
  return text;
}

std::string Hex(double d) {
  char text[20];
  std::snprintf(text, sizeof text, "%016" PRIx64, std::bit_cast<std::uint64_t>(d));
  return text;
}

constexpr Extended kOne = Ext(0x3fff, 0x8000000000000000);
constexpr Extended kMinusOne = Ext(0xbfff, 0x8000000000000000);
constexpr Extended kHalf = Ext(0x3ffe, 0x8000000000000000);
constexpr Extended kPlusZero = Ext(0x0000, 0);
constexpr Extended kMinusZero = Ext(0x8000, 0);
constexpr Extended kPlusInfinity = Ext(0x7fff, 0x8000000000000000);
constexpr Extended kMinusInfinity = Ext(0xffff, 0x8000000000000000);
constexpr Extended kDefaultNaN = Ext(0xffff, 0xc000000000000000);
constexpr Extended kMaxFinite = Ext(0x7ffe, 0xffffffffffffffff);
constexpr Extended kMinNormal = Ext(0x0001, 0x8000000000000000);
constexpr Extended kMinDenormal = Ext(0x0000, 0x0000000000000001);

enum class Op { kAdd, kSub, kMul };

struct BinaryCase {
  const char* name;
  Op op;
  Extended a;
  Extended b;
  Extended expected;
};

Extended Apply(Op op, Extended a, Extended b) {
  switch (op) {
    case Op::kAdd:
      return a + b;
    case Op::kSub:
      return a - b;
    case Op::kMul:
      break;
  }
  return a * b;
}

// 2^-64 is half the last place of 1.0; 0x3fbf is its exponent.
const BinaryCase kBinaryCases[] = {
    // Signs of zeros when rounding to nearest.
    {"+0 + -0 is +0", Op::kAdd, kPlusZero, kMinusZero, kPlusZero},
    {"-0 + -0 is -0", Op::kAdd, kMinusZero, kMinusZero, kMinusZero},
    {"-0 - +0 is -0", Op::kSub, kMinusZero, kPlusZero, kMinusZero},
    {"+0 - +0 is +0", Op::kSub, kPlusZero, kPlusZero, kPlusZero},
    {"-x - -x is +0", Op::kSub, kMinusOne, kMinusOne, kPlusZero},
    {"-x + x is +0", Op::kAdd, Ext(0xc123, 0x9289ad7560000000), Ext(0x4123, 0x9289ad7560000000),
     kPlusZero},
    {"-1 + -0 keeps -1", Op::kAdd, kMinusOne, kMinusZero, kMinusOne},
    {"-0 * +1 is -0", Op::kMul, kMinusZero, kOne, kMinusZero},
    {"-0 * -1 is +0", Op::kMul, kMinusZero, kMinusOne, kPlusZero},
    {"-2 * -3 is +6", Op::kMul, Ext(0xc000, 0x8000000000000000), Ext(0xc000, 0xc000000000000000),
     Ext(0x4001, 0xc000000000000000)},

    // Ties go to the even significand; anything above a tie rounds up.
    {"1 + half ulp ties down to even", Op::kAdd, kOne, Ext(0x3fbf, 0x8000000000000000), kOne},
    {"odd + half ulp ties up to even", Op::kAdd, Ext(0x3fff, 0x8000000000000001),
     Ext(0x3fbf, 0x8000000000000000), Ext(0x3fff, 0x8000000000000002)},
    {"just above a tie rounds up", Op::kAdd, kOne, Ext(0x3fbf, 0x8000000000000001),
     Ext(0x3fff, 0x8000000000000001)},
    {"product tie rounds down to even", Op::kMul, Ext(0x3fff, 0xc000000000000000),
     Ext(0x3fff, 0xaaaaaaaaaaaaaaae), Ext(0x4000, 0x8000000000000002)},
    {"product tie rounds up to even", Op::kMul, Ext(0x3fff, 0xc000000000000000),
     Ext(0x3fff, 0xaaaaaaaaaaaaaab2), Ext(0x4000, 0x8000000000000006)},
    {"1 - quarter ulp is a tie below a power of two", Op::kSub, kOne,
     Ext(0x3fbe, 0x8000000000000000), kOne},

    // Carries out of the significand renormalise.
    {"all ones + half ulp carries into the next binade", Op::kAdd, Ext(0x3fff, 0xffffffffffffffff),
     Ext(0x3fbf, 0x8000000000000000), Ext(0x4000, 0x8000000000000000)},
    {"equal exponents carry", Op::kAdd, Ext(0x3fff, 0xc000000000000001),
     Ext(0x3fff, 0xc000000000000000), Ext(0x4000, 0xc000000000000000)},
    {"all ones squared", Op::kMul, Ext(0x3fff, 0xffffffffffffffff), Ext(0x3fff, 0xffffffffffffffff),
     Ext(0x4000, 0xfffffffffffffffe)},

    // Cancellation, exact or with bits far below the last place.
    {"1 - (1 - ulp/2) is exact", Op::kSub, kOne, Ext(0x3ffe, 0xffffffffffffffff),
     Ext(0x3fbf, 0x8000000000000000)},
    {"bits 65 places down still count as sticky", Op::kSub, kOne, Ext(0x3fbe, 0x8000000000000001),
     Ext(0x3ffe, 0xffffffffffffffff)},
    {"huge exponent difference leaves the larger operand", Op::kSub, kOne,
     Ext(0x0100, 0x8000000000000000), kOne},

    // Denormals and pseudo-denormals.
    {"min normal - min denormal", Op::kSub, kMinNormal, kMinDenormal,
     Ext(0x0000, 0x7fffffffffffffff)},
    {"two denormals sum to the min normal", Op::kAdd, Ext(0x0000, 0x4000000000000000),
     Ext(0x0000, 0x4000000000000000), kMinNormal},
    {"pseudo-denormal + 0 is re-encoded as a normal", Op::kAdd, Ext(0x0000, 0x8000000000000001),
     kPlusZero, Ext(0x0001, 0x8000000000000001)},
    {"pseudo-denormal * 1 is re-encoded as a normal", Op::kMul, Ext(0x8000, 0x8000000000000001),
     kOne, Ext(0x8001, 0x8000000000000001)},
    {"denormal * 2", Op::kMul, kMinDenormal, Ext(0x4000, 0x8000000000000000),
     Ext(0x0000, 0x0000000000000002)},
    {"normal * normal lands exactly on a denormal", Op::kMul, kMinNormal, kHalf,
     Ext(0x0000, 0x4000000000000000)},
    {"half the min denormal ties to zero", Op::kMul, kMinDenormal, kHalf, kPlusZero},
    {"negative underflow to zero keeps the sign", Op::kMul, Ext(0x8000, 1), kHalf, kMinusZero},
    {"0.75 of the min denormal rounds up to it", Op::kMul, kMinDenormal,
     Ext(0x3ffe, 0xc000000000000000), kMinDenormal},
    {"denormal rounding up to the min normal", Op::kMul, Ext(0x1de5, 0xffffffffffffffff),
     Ext(0x221a, 0x8000000000000000), kMinNormal},
    {"denormal result keeps bits shifted out as sticky", Op::kMul, Ext(0x27fa, 0x8000000000000007),
     Ext(0x9802, 0x8000000000000001), Ext(0x8000, 0x0800000000000001)},
    {"product just above half the min denormal", Op::kMul, Ext(0x2000, 0xffffffffffffffff),
     Ext(0x1fbf, 0x8000000000000001), kMinDenormal},

    // Overflow rounds to an infinity.
    {"max + half ulp ties up to infinity", Op::kAdd, kMaxFinite, Ext(0x7fbe, 0x8000000000000000),
     kPlusInfinity},
    {"max + less than half ulp stays max", Op::kAdd, kMaxFinite, Ext(0x7fbd, 0xffffffffffffffff),
     kMaxFinite},
    {"max + max", Op::kAdd, kMaxFinite, kMaxFinite, kPlusInfinity},
    {"product overflow keeps the sign", Op::kMul, Ext(0x7ffe, 0x8000000000000000),
     Ext(0xc000, 0x8000000000000000), kMinusInfinity},

    // Infinities and invalid operations.
    {"inf + finite", Op::kAdd, kPlusInfinity, kMinusOne, kPlusInfinity},
    {"finite - inf", Op::kSub, kOne, kPlusInfinity, kMinusInfinity},
    {"-inf + -inf", Op::kAdd, kMinusInfinity, kMinusInfinity, kMinusInfinity},
    {"inf - -inf", Op::kSub, kPlusInfinity, kMinusInfinity, kPlusInfinity},
    {"inf - inf is invalid", Op::kSub, kPlusInfinity, kPlusInfinity, kDefaultNaN},
    {"inf + -inf is invalid", Op::kAdd, kPlusInfinity, kMinusInfinity, kDefaultNaN},
    {"inf * -2", Op::kMul, kPlusInfinity, Ext(0xc000, 0x8000000000000000), kMinusInfinity},
    {"inf * 0 is invalid", Op::kMul, kPlusInfinity, kPlusZero, kDefaultNaN},
    {"-0 * -inf is invalid", Op::kMul, kMinusZero, kMinusInfinity, kDefaultNaN},
    {"inf * denormal", Op::kMul, kMinusInfinity, kMinDenormal, kMinusInfinity},

    // NaN operands.
    {"quiet NaN passes through", Op::kAdd, Ext(0x7fff, 0xc000000000000123), kOne,
     Ext(0x7fff, 0xc000000000000123)},
    {"signalling NaN is quieted", Op::kMul, kOne, Ext(0xffff, 0x8000000000000001),
     Ext(0xffff, 0xc000000000000001)},
    {"subtraction does not negate a NaN", Op::kSub, kOne, Ext(0x7fff, 0xc000000000000005),
     Ext(0x7fff, 0xc000000000000005)},
    {"NaN beats infinity in inf * NaN", Op::kMul, kPlusInfinity, Ext(0x7fff, 0xc000000000000005),
     Ext(0x7fff, 0xc000000000000005)},
    {"NaN * 0 is the NaN", Op::kMul, Ext(0xffff, 0xc000000000000009), kPlusZero,
     Ext(0xffff, 0xc000000000000009)},
    {"larger significand wins", Op::kAdd, Ext(0x7fff, 0xc000000000000001),
     Ext(0xffff, 0xc000000000000002), Ext(0xffff, 0xc000000000000002)},
    {"larger significand wins in either order", Op::kSub, Ext(0xffff, 0xc000000000000002),
     Ext(0x7fff, 0xc000000000000001), Ext(0xffff, 0xc000000000000002)},
    {"equal significands: positive wins", Op::kMul, Ext(0xffff, 0xc000000000000001),
     Ext(0x7fff, 0xc000000000000001), Ext(0x7fff, 0xc000000000000001)},
    {"equal significands: positive wins second", Op::kSub, Ext(0x7fff, 0xc000000000000001),
     Ext(0xffff, 0xc000000000000001), Ext(0x7fff, 0xc000000000000001)},
    {"two signalling NaNs: larger, quieted", Op::kAdd, Ext(0x7fff, 0x8000000000000001),
     Ext(0xffff, 0x8000000000000002), Ext(0xffff, 0xc000000000000002)},
    {"quiet beats the signalling NaN it would quiet to", Op::kAdd, Ext(0x7fff, 0x8000000000000001),
     Ext(0xffff, 0xc000000000000001), Ext(0xffff, 0xc000000000000001)},
    {"quiet beats a signalling NaN with a larger payload", Op::kMul,
     Ext(0x7fff, 0xbfffffffffffffff), kDefaultNaN, kDefaultNaN},

    // Encodings the FPU rejects: always the default NaN, even against a NaN.
    {"unnormal + 1", Op::kAdd, Ext(0x3fff, 0x4000000000000000), kOne, kDefaultNaN},
    {"unnormal with zero significand * 0", Op::kMul, Ext(0x3fff, 0), kPlusZero, kDefaultNaN},
    {"pseudo-infinity + 1", Op::kAdd, Ext(0x7fff, 0), kOne, kDefaultNaN},
    {"pseudo-NaN - quiet NaN", Op::kSub, Ext(0x7fff, 0x4000000000000000),
     Ext(0x7fff, 0xc000000000000001), kDefaultNaN},
    {"quiet NaN * unnormal", Op::kMul, Ext(0x7fff, 0xc000000000000001),
     Ext(0x0001, 0x0000000000000001), kDefaultNaN},
};

TEST(ExtendedArithmetic, BoundaryCases) {
  for (const BinaryCase& c : kBinaryCases) {
    EXPECT_EQ(Hex(Apply(c.op, c.a, c.b)), Hex(c.expected))
        << c.name << ": " << Hex(c.a) << ", " << Hex(c.b);
  }
}

struct FromDoubleCase {
  const char* name;
  std::uint64_t bits;
  Extended expected;
};

const FromDoubleCase kFromDoubleCases[] = {
    {"+0", 0x0000000000000000, kPlusZero},
    {"-0", 0x8000000000000000, kMinusZero},
    {"1", 0x3ff0000000000000, kOne},
    {"0.028", 0x3f9cac083126e979, Ext(0x3ff9, 0xe5604189374bc800)},
    {"min subnormal is normalised", 0x0000000000000001, Ext(0x3bcd, 0x8000000000000000)},
    {"max subnormal is normalised", 0x800fffffffffffff, Ext(0xbc00, 0xfffffffffffff000)},
    {"min normal", 0x0010000000000000, Ext(0x3c01, 0x8000000000000000)},
    {"max finite", 0x7fefffffffffffff, Ext(0x43fe, 0xfffffffffffff800)},
    {"-inf", 0xfff0000000000000, kMinusInfinity},
    {"quiet NaN", 0x7ff8000000000000, Ext(0x7fff, 0xc000000000000000)},
    {"signalling NaN is quieted", 0x7ff0000000000001, Ext(0x7fff, 0xc000000000000800)},
    {"negative NaN keeps sign and payload", 0xfff4000000000000, Ext(0xffff, 0xe000000000000000)},
};

TEST(ExtendedConversion, FromDoubleIsExact) {
  for (const FromDoubleCase& c : kFromDoubleCases) {
    EXPECT_EQ(Hex(Extended::FromDouble(std::bit_cast<double>(c.bits))), Hex(c.expected)) << c.name;
  }
}

struct ToDoubleCase {
  const char* name;
  Extended value;
  std::uint64_t expected;
};

// 0x3bcd is the exponent of the smallest double subnormal, 0x43fe that of the largest double.
const ToDoubleCase kToDoubleCases[] = {
    {"1", kOne, 0x3ff0000000000000},
    {"tie rounds down to even", Ext(0x3fff, 0x8000000000000400), 0x3ff0000000000000},
    {"tie rounds up to even", Ext(0x3fff, 0x8000000000000c00), 0x3ff0000000000002},
    {"above a tie rounds up", Ext(0x3fff, 0x8000000000000401), 0x3ff0000000000001},
    {"rounding carries into the exponent", Ext(0xbfff, 0xfffffffffffffc00), 0xc000000000000000},
    {"max double + half ulp overflows", Ext(0x43fe, 0xfffffffffffffc00), 0x7ff0000000000000},
    {"just below that stays max", Ext(0x43fe, 0xfffffffffffffbff), 0x7fefffffffffffff},
    {"-2^1025 overflows", Ext(0xc400, 0x8000000000000000), 0xfff0000000000000},
    {"min subnormal", Ext(0x3bcd, 0x8000000000000000), 0x0000000000000001},
    {"half the min subnormal ties to zero", Ext(0x3bcc, 0x8000000000000000), 0x0000000000000000},
    {"above half the min subnormal", Ext(0xbbcc, 0x8000000000000001), 0x8000000000000001},
    {"below half the min subnormal", Ext(0x3bcb, 0xffffffffffffffff), 0x0000000000000000},
    {"subnormal tie to even, up", Ext(0x3bcd, 0xc000000000000000), 0x0000000000000002},
    {"subnormal tie to even, down", Ext(0x3bce, 0xa000000000000000), 0x0000000000000002},
    // Rounding first to 53 bits would make this an exact tie and give 2.
    {"subnormal rounded once", Ext(0x3bce, 0xa000000000000001), 0x0000000000000003},
    {"max subnormal rounds up to min normal", Ext(0x3c00, 0xfffffffffffff800), 0x0010000000000000},
    {"extended denormal underflows to -0", Ext(0x8000, 0x0000000000000001), 0x8000000000000000},
    {"pseudo-denormal underflows to 0", Ext(0x0000, 0x8000000000000000), 0x0000000000000000},
    {"-inf", kMinusInfinity, 0xfff0000000000000},
    {"default NaN", kDefaultNaN, 0xfff8000000000000},
    {"signalling NaN: truncated and quieted", Ext(0x7fff, 0x8000000000000fff), 0x7ff8000000000001},
    {"unnormal is invalid", Ext(0x3fff, 0x7fffffffffffffff), 0xfff8000000000000},
};

TEST(ExtendedConversion, ToDoubleRoundsOnce) {
  for (const ToDoubleCase& c : kToDoubleCases) {
    EXPECT_EQ(Hex(c.value.ToDouble()), Hex(std::bit_cast<double>(c.expected)))
        << c.name << ": " << Hex(c.value);
  }
}

double Commission(double price, double baseCost, double quantity, double rate, double total) {
  return std::bit_cast<double>(
      extended_check::ExtendedCommission({price, baseCost, quantity, rate, total}));
}

TEST(ExtendedCommission, Examples) {
  // 9.972 * 100 * 0.3 shows as 299.16, but the FPU's steps end one unit in the last place below
  // the double nearest 299.16 (0x4072b28f5c28f5c3).
  EXPECT_EQ(Hex(Commission(10, 0.028, 100, 0.3, 0)),
            Hex(std::bit_cast<double>(std::uint64_t{0x4072b28f5c28f5c2})));
  // The volume 2e308 exceeds double but not extended, so the base still comes out finite.
  EXPECT_EQ(Hex(Commission(1e300, 0.028, 2e8, 0.3, 0)), Hex(6e307));
  EXPECT_EQ(Hex(Commission(1e300, 0.028, 2e8, 0.3, 1e307)), Hex(6.3e307));
}

#if defined(QUORVANE_HAVE_X87_REFERENCE)

// The tables above hold what the FPU does; this keeps them honest.
TEST(ExtendedAgainstX87, TablesMatchTheFpu) {
  const extended_check::X87ExtendedPrecision precision;
  for (const BinaryCase& c : kBinaryCases) {
    const Extended fpu = c.op == Op::kAdd   ? extended_check::X87Add(c.a, c.b)
                         : c.op == Op::kSub ? extended_check::X87Subtract(c.a, c.b)
                                            : extended_check::X87Multiply(c.a, c.b);
    EXPECT_EQ(Hex(fpu), Hex(c.expected)) << c.name;
  }
  for (const FromDoubleCase& c : kFromDoubleCases) {
    EXPECT_EQ(Hex(extended_check::X87FromDouble(std::bit_cast<double>(c.bits))), Hex(c.expected))
        << c.name;
  }
  for (const ToDoubleCase& c : kToDoubleCases) {
    EXPECT_EQ(extended_check::X87ToDouble(c.value), c.expected) << c.name;
  }
}

// A bounded sample of the operations the differential tool runs by the hundred million.
TEST(ExtendedAgainstX87, RandomAndBoundaryOperandsMatchTheFpu) {
  // The Windows runtime may start the FPU at 53-bit precision, which would make the reference
  // itself round to double precision; the guard sets 64-bit precision for the comparison.
  const extended_check::X87ExtendedPrecision precision;
  constexpr int kPerOperation = 50000;
  extended_check::OperandGenerator generator(20240611);
  int shown = 0;
  for (int index = 0; index < extended_check::kOperationCount; ++index) {
    const auto op = static_cast<extended_check::Operation>(index);
    int mismatches = 0;
    for (int i = 0; i < kPerOperation; ++i) {
      std::string description;
      if (!extended_check::CheckOnce(generator, op, &description)) {
        ++mismatches;
        if (shown++ < 10) {
          ADD_FAILURE() << extended_check::Name(op) << ":" << description;
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << extended_check::Name(op);
  }
}

#endif

}  // namespace
}  // namespace quorvane
