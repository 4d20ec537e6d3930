#pragma once

// Operands for differential checks of quorvane::Extended against the FPU, shared by
// tests/calc/extended_test.cpp and tools/extended_diff.cpp, plus the x87 reference itself where
// the compiler's long double is the x87 80-bit format.

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "calc/extended.h"

namespace quorvane::extended_check {

// splitmix64: small, fast, and the same sequence on every platform for a given seed.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n) for small n (the bias is irrelevant here).
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool OneIn(int n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

// Produces operands weighted towards the places where rounding, normalisation and unusual
// values go wrong, with plain random bit patterns mixed in.
class OperandGenerator {
 public:
  static constexpr int kMaxExponent = 0x7FFF;
  static constexpr int kBias = 16383;
  // Extended exponent of the double with exponent field 0 and 1.
  static constexpr int kDoubleOffset = 16383 - 1023;

  explicit OperandGenerator(std::uint64_t seed) : random_(seed) {}

  // A significand with its integer bit set and a shape chosen to provoke ties, carries and
  // exact results: random, only a few leading bits, a run of ones, a lowest set bit at a
  // random place, or a power of two or just above one.
  std::uint64_t Significand() {
    constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    const std::uint64_t bits = random_.Next();
    const unsigned k = static_cast<unsigned>(random_.Below(64));
    switch (random_.Below(8)) {
      case 0:
        return kIntegerBit | (bits & ~((std::uint64_t{1} << k) - 1));  // low k bits clear
      case 1:
        return ~std::uint64_t{0} << k;  // ones down to bit k: rounding carries through them
      case 2:
        return kIntegerBit | (((bits | 1) << k));  // lowest set bit exactly at k
      case 3:
        return kIntegerBit | (bits >> (k | 1));  // few significant bits after the integer bit
      case 4:
        return kIntegerBit | (std::uint64_t{1} << k) | (bits & 0x7);
      case 5:
        return kIntegerBit;  // a power of two: subtracting from it borrows across the binade
      case 6:
        return kIntegerBit | (bits & 0xFF);  // just above a power of two
      default:
        return kIntegerBit | bits;
    }
  }

  Extended Normal(int exponent) { return Make(random_.OneIn(2), exponent, Significand()); }

  // Any of the encodings the x87 can hold, including the ones it rejects.
  Extended EdgeValue() {
    constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    const bool negative = random_.OneIn(2);
    const std::uint64_t bits = random_.Next();
    switch (random_.Below(12)) {
      case 0:
        return Make(negative, 0, 0);  // zero
      case 1:
        return Make(negative, kMaxExponent, kIntegerBit);  // infinity
      case 2:
        return Make(negative, kMaxExponent,
                    kIntegerBit | (std::uint64_t{1} << 62) |
                        (random_.OneIn(2) ? 0 : bits >> 2));  // quiet NaN
      case 3:
        return Make(negative, kMaxExponent, kIntegerBit | ((bits >> 2) | 1));  // signalling NaN
      case 4:
        return Make(negative, 0, Significand() >> (random_.Below(64) + 1));  // denormal
      case 5:
        return Make(negative, 0, Significand());  // pseudo-denormal
      case 6:
        return Make(negative, random_.Between(1, kMaxExponent - 1), bits >> 1);  // unnormal
      case 7:
        return Make(negative, kMaxExponent, bits >> 1);  // pseudo-infinity / pseudo-NaN
      case 8:
        return Make(negative, kMaxExponent - 1, ~std::uint64_t{0});  // largest finite
      case 9:
        return Make(negative, 1, kIntegerBit);  // smallest normal
      case 10:
        return Make(negative, 0, 1);  // smallest denormal
      default:
        return Make(negative, 0x3FFF, kIntegerBit);  // one
    }
  }

  // Any value at all: random 80-bit patterns, edge values, and normals over the whole range and
  // near its ends.
  Extended Operand() {
    switch (random_.Below(8)) {
      case 0:
        return FromBits(random_.Next(), random_.Next());
      case 1:
      case 2:
        return EdgeValue();
      case 3:
        return Normal(random_.OneIn(2) ? random_.Between(1, 70)
                                       : random_.Between(0x7FFE - 70, 0x7FFE));
      case 4:
        return Extended::FromDouble(Double());
      default:
        return Normal(random_.Between(1, kMaxExponent - 1));
    }
  }

  // Pairs for addition and subtraction: independent values, or a second operand a chosen
  // number of binades below the first (aligned, partly shifted out, far below), optionally with
  // the bits shifted out forming an exact half, or close to the first for cancellation.
  std::pair<Extended, Extended> SumOperands() {
    if (random_.OneIn(4)) {
      return {Operand(), Operand()};
    }
    const int exponent = ExponentNearEnds();
    const Extended a = Normal(exponent);
    const bool negative = random_.OneIn(2);
    int distance;
    switch (random_.Below(4)) {
      case 0:
        distance = random_.Between(0, 3);
        break;
      case 1:
        distance = random_.Between(60, 68);
        break;
      case 2:
        distance = random_.Between(0, 140);
        break;
      default:
        distance = random_.Between(0, 40000);
        break;
    }
    std::uint64_t significand = Significand();
    if (random_.OneIn(4) && distance > 0 && distance <= 64) {
      // Make the part shifted out exactly half of the last place of the larger operand.
      significand = (significand >> distance << distance) | (std::uint64_t{1} << (distance - 1)) |
                    (std::uint64_t{1} << 63);
    } else if (distance == 0 && random_.OneIn(2)) {
      // Nearly equal magnitudes: massive cancellation.
      significand = a.significand() ^ (random_.Next() >> random_.Between(1, 63));
      significand |= std::uint64_t{1} << 63;
    }
    const int other = (a.signAndExponent() & kMaxExponent) - distance;
    const Extended b = other >= 1 ? Make(negative, other, significand)
                                  : Make(negative, 0, other > -64 ? significand >> (1 - other) : 0);
    return random_.OneIn(2) ? std::pair{a, b} : std::pair{b, a};
  }

  // Pairs for multiplication: independent values, or exponents whose sum lands near overflow,
  // near the denormal range or inside it, or anywhere.
  std::pair<Extended, Extended> ProductOperands() {
    if (random_.OneIn(4)) {
      return {Operand(), Operand()};
    }
    int target;  // biased exponent of the product
    switch (random_.Below(4)) {
      case 0:
        target = random_.Between(kMaxExponent - 3, kMaxExponent + 1);
        break;
      case 1:
        target = random_.Between(-70, 3);
        break;
      case 2:
        target = random_.Between(-200, -60);
        break;
      default:
        target = random_.Between(1, kMaxExponent - 1);
        break;
    }
    // The second exponent may fall below 1: the second operand is then a denormal.
    const int ea = random_.Between(std::max(1, target + kBias - (kMaxExponent - 1)),
                                   std::min(kMaxExponent - 1, target + kBias + 62));
    const int eb = target - ea + kBias;
    const Extended a = Normal(ea);
    // A power of two as the second factor hands the first significand unchanged to the
    // rounding, which then has to place it on the denormal grid or at the overflow threshold.
    const std::uint64_t significand = random_.OneIn(3) ? std::uint64_t{1} << 63 : Significand();
    Extended b;
    if (eb >= 1 && eb <= kMaxExponent - 1) {
      b = Make(random_.OneIn(2), eb, significand);
    } else if (eb < 1 && eb > -63) {
      b = Make(random_.OneIn(2), 0, significand >> (1 - eb));
    } else {
      b = Operand();
    }
    return random_.OneIn(2) ? std::pair{a, b} : std::pair{b, a};
  }

  // Doubles: random bit patterns (all classes), or values at the ends of the double range.
  double Double() {
    std::uint64_t bits = random_.Next();
    switch (random_.Below(4)) {
      case 0:
        bits &= 0x800FFFFFFFFFFFFF;  // zero or subnormal
        break;
      case 1:
        bits |= 0x7FF0000000000000;  // infinity or NaN
        if (random_.OneIn(4)) {
          bits &= 0xFFF0000000000000;
        }
        break;
      default:
        break;
    }
    return std::bit_cast<double>(bits);
  }

  // Extended values to convert to double: around the double's subnormal range and its
  // overflow threshold, with the 11 bits rounded away often exactly half or all ones.
  Extended DoubleRoundingOperand() {
    int exponent;
    switch (random_.Below(4)) {
      case 0:
        exponent = kDoubleOffset + random_.Between(-66, 2);
        break;
      case 1:
        exponent = kDoubleOffset + random_.Between(0x7FD, 0x7FF);
        break;
      case 2:
        return Operand();
      default:
        exponent = kDoubleOffset + random_.Between(1, 0x7FE);
        break;
    }
    std::uint64_t significand = Significand();
    if (random_.OneIn(3)) {
      // Make the bits below the double's last place exactly one half of it, for whatever
      // number of bits a subnormal result keeps.
      const int dropped =
          exponent > kDoubleOffset ? 11 : std::min(63, 11 + kDoubleOffset + 1 - exponent);
      significand = (significand >> dropped << dropped) | (std::uint64_t{1} << (dropped - 1)) |
                    (std::uint64_t{1} << 63);
    }
    return Make(random_.OneIn(2), exponent, significand);
  }

  // Inputs of the commission steps: ordinary prices and quantities, or values near the
  // extremes of double.
  double CommissionInput() {
    switch (random_.Below(4)) {
      case 0:
        return Double();
      case 1:
        return std::bit_cast<double>((random_.Next() >> 2) | 0x7F00000000000000);  // huge
      default:
        return static_cast<double>(random_.Below(10000000)) / 100.0;
    }
  }

 private:
  static Extended Make(bool negative, int exponent, std::uint64_t significand) {
    return Extended::FromBits(static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent),
                              significand);
  }
  static Extended FromBits(std::uint64_t high, std::uint64_t significand) {
    return Extended::FromBits(static_cast<std::uint16_t>(high), significand);
  }

  int ExponentNearEnds() {
    switch (random_.Below(3)) {
      case 0:
        return random_.Between(1, 140);
      case 1:
        return random_.Between(kMaxExponent - 4, kMaxExponent - 1);
      default:
        return random_.Between(1, kMaxExponent - 1);
    }
  }

  Random random_;
};

struct CommissionInputs {
  double price;
  double baseCost;
  double quantity;
  double rate;
  double total;
};

// The steps of the commission rule: the difference is rounded to double, the volume stays
// extended, the base and the bonus are rounded to double before they are added.
inline std::uint64_t ExtendedCommission(const CommissionInputs& in) {
  const double difference =
      (Extended::FromDouble(in.price) - Extended::FromDouble(in.baseCost)).ToDouble();
  const Extended volume = Extended::FromDouble(difference) * Extended::FromDouble(in.quantity);
  const double base = (volume * Extended::FromDouble(in.rate)).ToDouble();
  const double bonus = (Extended::FromDouble(in.total) * Extended::FromDouble(0.3)).ToDouble();
  return std::bit_cast<std::uint64_t>(
      (Extended::FromDouble(base) + Extended::FromDouble(bonus)).ToDouble());
}

#if defined(__x86_64__) && (LDBL_MANT_DIG == 64)
#define QUORVANE_HAVE_X87_REFERENCE 1

// The same operations done by the FPU through the compiler's long double. Operands travel as
// raw 10-byte images so that nothing converts them on the way; the volatile copies force the
// compiler to load them with fld and to do each operation at run time rather than fold it.

inline long double ToLongDouble(Extended x) {
  unsigned char bytes[sizeof(long double)] = {};
  const std::uint64_t significand = x.significand();
  const std::uint16_t signAndExponent = x.signAndExponent();
  std::memcpy(bytes, &significand, 8);
  std::memcpy(bytes + 8, &signAndExponent, 2);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

inline Extended FromLongDouble(long double value) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof value);
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&signAndExponent, bytes + 8, 2);
  return Extended::FromBits(signAndExponent, significand);
}

inline Extended X87Add(Extended a, Extended b) {
  volatile long double x = ToLongDouble(a);
  volatile long double y = ToLongDouble(b);
  volatile long double r = x + y;
  return FromLongDouble(r);
}

inline Extended X87Subtract(Extended a, Extended b) {
  volatile long double x = ToLongDouble(a);
  volatile long double y = ToLongDouble(b);
  volatile long double r = x - y;
  return FromLongDouble(r);
}

inline Extended X87Multiply(Extended a, Extended b) {
  volatile long double x = ToLongDouble(a);
  volatile long double y = ToLongDouble(b);
  volatile long double r = x * y;
  return FromLongDouble(r);
}

inline Extended X87FromDouble(double d) {
  volatile double x = d;
  volatile long double r = x;
  return FromLongDouble(r);
}

inline std::uint64_t X87ToDouble(Extended a) {
  volatile long double x = ToLongDouble(a);
  volatile double r = static_cast<double>(x);
  return std::bit_cast<std::uint64_t>(static_cast<double>(r));
}

// The commission steps done in long double, rounding to double where ExtendedCommission does.
inline std::uint64_t X87Commission(const CommissionInputs& in) {
  volatile long double price = in.price;
  volatile long double baseCost = in.baseCost;
  volatile double difference = static_cast<double>(price - baseCost);
  volatile long double perUnit = difference;
  volatile long double quantity = in.quantity;
  volatile long double volume = perUnit * quantity;  // stays extended
  volatile long double rate = in.rate;
  volatile double base = static_cast<double>(volume * rate);
  volatile long double total = in.total;
  volatile long double share = 0.3;
  volatile double bonus = static_cast<double>(total * share);
  volatile long double baseExtended = base;
  volatile long double bonusExtended = bonus;
  volatile double result = static_cast<double>(baseExtended + bonusExtended);
  return std::bit_cast<std::uint64_t>(static_cast<double>(result));
}

enum class Operation { kAdd, kSubtract, kMultiply, kFromDouble, kToDouble, kCommission };
inline constexpr int kOperationCount = 6;

inline const char* Name(Operation op) {
  constexpr const char* kNames[kOperationCount] = {"add",         "sub",       "mul",
                                                   "from_double", "to_double", "commission"};
  return kNames[static_cast<int>(op)];
}

namespace detail {

inline void AppendExtended(std::string& out, const char* label, Extended x) {
  char text[48];
  std::snprintf(text, sizeof text, " %s=%04x:%016" PRIx64, label, x.signAndExponent(),
                x.significand());
  out += text;
}

inline void AppendDouble(std::string& out, const char* label, std::uint64_t bits) {
  char text[48];
  std::snprintf(text, sizeof text, " %s=%016" PRIx64, label, bits);
  out += text;
}

inline bool Same(Extended a, Extended b) {
  return a.signAndExponent() == b.signAndExponent() && a.significand() == b.significand();
}

}  // namespace detail

// Draws operands for one operation, does it with Extended and with the FPU and compares the
// bits. On a mismatch returns false and describes operands and both results in *description.
inline bool CheckOnce(OperandGenerator& generator, Operation op, std::string* description) {
  using detail::AppendDouble;
  using detail::AppendExtended;
  std::string& out = *description;
  switch (op) {
    case Operation::kAdd:
    case Operation::kSubtract:
    case Operation::kMultiply: {
      const auto [a, b] =
          op == Operation::kMultiply ? generator.ProductOperands() : generator.SumOperands();
      const Extended mine = op == Operation::kAdd        ? a + b
                            : op == Operation::kSubtract ? a - b
                                                         : a * b;
      const Extended fpu = op == Operation::kAdd        ? X87Add(a, b)
                           : op == Operation::kSubtract ? X87Subtract(a, b)
                                                        : X87Multiply(a, b);
      if (detail::Same(mine, fpu)) {
        return true;
      }
      AppendExtended(out, "a", a);
      AppendExtended(out, "b", b);
      AppendExtended(out, "extended", mine);
      AppendExtended(out, "x87", fpu);
      return false;
    }
    case Operation::kFromDouble: {
      const double d = generator.Double();
      const Extended mine = Extended::FromDouble(d);
      const Extended fpu = X87FromDouble(d);
      if (detail::Same(mine, fpu)) {
        return true;
      }
      AppendDouble(out, "d", std::bit_cast<std::uint64_t>(d));
      AppendExtended(out, "extended", mine);
      AppendExtended(out, "x87", fpu);
      return false;
    }
    case Operation::kToDouble: {
      const Extended a = generator.DoubleRoundingOperand();
      const std::uint64_t mine = std::bit_cast<std::uint64_t>(a.ToDouble());
      const std::uint64_t fpu = X87ToDouble(a);
      if (mine == fpu) {
        return true;
      }
      AppendExtended(out, "a", a);
      AppendDouble(out, "extended", mine);
      AppendDouble(out, "x87", fpu);
      return false;
    }
    case Operation::kCommission:
      break;
  }
  CommissionInputs in;
  in.price = generator.CommissionInput();
  in.baseCost = generator.CommissionInput();
  in.quantity = generator.CommissionInput();
  in.rate = generator.CommissionInput();
  in.total = generator.CommissionInput();
  const std::uint64_t mine = ExtendedCommission(in);
  const std::uint64_t fpu = X87Commission(in);
  if (mine == fpu) {
    return true;
  }
  AppendDouble(out, "price", std::bit_cast<std::uint64_t>(in.price));
  AppendDouble(out, "base_cost", std::bit_cast<std::uint64_t>(in.baseCost));
  AppendDouble(out, "quantity", std::bit_cast<std::uint64_t>(in.quantity));
  AppendDouble(out, "rate", std::bit_cast<std::uint64_t>(in.rate));
  AppendDouble(out, "total", std::bit_cast<std::uint64_t>(in.total));
  AppendDouble(out, "extended", mine);
  AppendDouble(out, "x87", fpu);
  return false;
}

// Sets the x87 control word to 64-bit precision, round to nearest and every exception masked
// for its lifetime. Linux starts processes that way. Windows starts x64 threads at 53-bit
// precision, and only the runtime's start-up code (or the program's own _fpreset) raises it;
// at 53 bits the FPU would round every long double sum and product to double's precision and
// the comparison would be against the wrong reference. The commission program sets extended
// precision itself at start-up for the same reason.
class X87ExtendedPrecision {
 public:
  X87ExtendedPrecision() {
    asm volatile("fnstcw %0" : "=m"(saved_) : : "memory");
    // Bits 0-5 exception masks, 8-9 precision control (11 = 64 bits), 10-11 rounding (00).
    const std::uint16_t control = static_cast<std::uint16_t>((saved_ & ~0x0F3F) | 0x033F);
    asm volatile("fldcw %0" : : "m"(control) : "memory");
  }
  ~X87ExtendedPrecision() { asm volatile("fldcw %0" : : "m"(saved_) : "memory"); }
  X87ExtendedPrecision(const X87ExtendedPrecision&) = delete;
  X87ExtendedPrecision& operator=(const X87ExtendedPrecision&) = delete;

 private:
  std::uint16_t saved_ = 0;
};

#endif

}  // namespace quorvane::extended_check
