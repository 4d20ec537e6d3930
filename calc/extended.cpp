#include "calc/extended.h"

#include <bit>
#include <cstdint>
#include <utility>

namespace quorvane {
namespace {

using std::uint16_t;
using std::uint64_t;

constexpr uint16_t kSignMask = 0x8000;
constexpr int kExponentMask = 0x7FFF;
constexpr int kMaxExponent = 0x7FFF;  // exponent field of infinities and NaNs
constexpr int kBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 62;

// The "real indefinite": what an invalid operation (inf - inf, inf * 0, an operand in a format
// the FPU does not support) yields when the invalid-operation exception is masked.
constexpr Extended kDefaultNaN = Extended::FromBits(0xFFFF, 0xC000000000000000);

constexpr int kDoubleBias = 1023;
constexpr int kDoubleMaxExponent = 0x7FF;
constexpr uint64_t kDoubleSignBit = uint64_t{1} << 63;
constexpr uint64_t kDoubleFractionMask = (uint64_t{1} << 52) - 1;
constexpr uint64_t kDoubleQuietBit = uint64_t{1} << 51;
constexpr uint64_t kDoubleInfinity = uint64_t{0x7FF} << 52;
constexpr uint64_t kDoubleDefaultNaN = 0xFFF8000000000000;
// Extended exponent minus double exponent for the same value.
constexpr int kExponentShift = kBias - kDoubleBias;

// 128-bit unsigned value in two words. Kept to plain 64-bit operations so the code does not
// depend on a compiler's 128-bit integer type.
struct Wide {
  uint64_t hi;
  uint64_t lo;
};

Wide Multiply(uint64_t a, uint64_t b) {
  const uint64_t aLo = a & 0xFFFFFFFF;
  const uint64_t aHi = a >> 32;
  const uint64_t bLo = b & 0xFFFFFFFF;
  const uint64_t bHi = b >> 32;
  const uint64_t ll = aLo * bLo;
  const uint64_t lh = aLo * bHi;
  const uint64_t hl = aHi * bLo;
  const uint64_t hh = aHi * bHi;
  // Middle column: at most three 32-bit quantities, so it cannot overflow 64 bits.
  const uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFF) + (hl & 0xFFFFFFFF);
  return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & 0xFFFFFFFF)};
}

// Shifts right by n >= 0, OR-ing every bit shifted out into bit 0 ("sticky"), so that rounding
// still sees whether anything non-zero was lost.
Wide ShiftRightSticky(Wide v, int n) {
  if (n == 0) {
    return v;
  }
  if (n < 64) {
    const unsigned s = static_cast<unsigned>(n);
    return {v.hi >> s, (v.hi << (64 - s)) | (v.lo >> s) | ((v.lo << (64 - s)) != 0)};
  }
  if (n == 64) {
    return {0, v.hi | (v.lo != 0)};
  }
  if (n < 128) {
    const unsigned s = static_cast<unsigned>(n - 64);
    return {0, (v.hi >> s) | (((v.hi << (64 - s)) | v.lo) != 0)};
  }
  return {0, (v.hi | v.lo) != 0};
}

// Shifts left by 0 <= n < 128.
Wide ShiftLeft(Wide v, int n) {
  if (n == 0) {
    return v;
  }
  if (n < 64) {
    const unsigned s = static_cast<unsigned>(n);
    return {(v.hi << s) | (v.lo >> (64 - s)), v.lo << s};
  }
  return {v.lo << static_cast<unsigned>(n - 64), 0};
}

Extended Pack(uint16_t sign, int exponent, uint64_t significand) {
  return Extended::FromBits(static_cast<uint16_t>(sign | exponent), significand);
}

Extended Infinity(uint16_t sign) {
  return Pack(sign, kMaxExponent, kIntegerBit);
}
Extended Zero(uint16_t sign) {
  return Pack(sign, 0, 0);
}

// A finite non-zero operand with its significand normalised (integer bit set). The exponent is
// the biased one and drops below 1 for denormals: value = significand * 2^(exponent - 16383 - 63).
struct Unpacked {
  uint16_t sign;
  int exponent;
  uint64_t significand;
};

enum class Kind { kZero, kFinite, kInfinity, kNaN, kUnsupported };

constexpr int ExponentOf(Extended x) {
  return x.signAndExponent() & kExponentMask;
}
constexpr uint16_t SignOf(Extended x) {
  return static_cast<uint16_t>(x.signAndExponent() & kSignMask);
}

// Exponent field 1..0x7FFE with the integer bit set: the only inputs of the fast paths.
bool IsNormal(Extended x) {
  return static_cast<unsigned>(ExponentOf(x) - 1) < static_cast<unsigned>(kMaxExponent - 1) &&
         (x.significand() & kIntegerBit) != 0;
}

Kind Classify(Extended x) {
  const int exponent = ExponentOf(x);
  const uint64_t significand = x.significand();
  if (exponent == 0) {
    // Denormals and pseudo-denormals (integer bit set with exponent field 0) are both valid
    // operands; both have the value significand * 2^(1 - 16383 - 63).
    return significand == 0 ? Kind::kZero : Kind::kFinite;
  }
  if ((significand & kIntegerBit) == 0) {
    // Unnormals, pseudo-infinities and pseudo-NaNs: the FPU rejects them as invalid operands.
    return Kind::kUnsupported;
  }
  if (exponent == kMaxExponent) {
    return (significand << 1) == 0 ? Kind::kInfinity : Kind::kNaN;
  }
  return Kind::kFinite;
}

Unpacked UnpackNormal(Extended x) {
  return {SignOf(x), ExponentOf(x), x.significand()};
}

// For any Kind::kFinite operand, including denormals and pseudo-denormals.
Unpacked UnpackFinite(Extended x) {
  const int exponent = ExponentOf(x);
  if (exponent != 0) {
    return UnpackNormal(x);
  }
  const int shift = std::countl_zero(x.significand());
  return {SignOf(x), 1 - shift, x.significand() << static_cast<unsigned>(shift)};
}

// Rounds value = (m.hi + m.lo / 2^64) * 2^(exponent - 16383 - 63), with m.hi normalised, to the
// nearest extended value (ties to even). Results below the normal range are rounded once on the
// denormal grid; overflow gives an infinity, as with the overflow exception masked.
Extended RoundAndPack(uint16_t sign, int exponent, Wide m) {
  if (exponent < 1) {
    m = ShiftRightSticky(m, 1 - exponent);
    exponent = 0;
  }
  const uint64_t roundBit = m.lo >> 63;
  const uint64_t sticky = (m.lo << 1) != 0;
  const uint64_t roundUp = roundBit & (sticky | (m.hi & 1));
  uint64_t significand = m.hi + roundUp;
  if (significand < m.hi) {
    // 0xFFFF...F rounded up: 1.0 in the next binade.
    significand = kIntegerBit;
    ++exponent;
  } else if (exponent == 0) {
    // A denormal that rounded up to the smallest normal gets exponent field 1.
    exponent = static_cast<int>(significand >> 63);
  }
  if (exponent >= kMaxExponent) {
    return Infinity(sign);
  }
  return Pack(sign, exponent, significand);
}

// Re-encodes a finite value canonically: a pseudo-denormal becomes the equal normal number.
Extended Canonical(uint16_t sign, Extended x) {
  const Unpacked u = UnpackFinite(x);
  return RoundAndPack(sign, u.exponent, {u.significand, 0});
}

// Sum of two finite non-zero values.
Extended AddFinite(Unpacked x, Unpacked y) {
  if (x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand)) {
    std::swap(x, y);
  }
  // |x| >= |y|. The low word keeps the bits of y shifted out of the significand; with 64 of
  // them, only a y more than 64 binades down loses bits, and those fold into the sticky bit.
  const Wide smaller = ShiftRightSticky({y.significand, 0}, x.exponent - y.exponent);
  if (x.sign == y.sign) {
    const uint64_t hi = x.significand + smaller.hi;
    if (hi < x.significand) {
      Wide m = ShiftRightSticky({hi, smaller.lo}, 1);
      m.hi |= kIntegerBit;
      return RoundAndPack(x.sign, x.exponent + 1, m);
    }
    return RoundAndPack(x.sign, x.exponent, {hi, smaller.lo});
  }
  const Wide difference = {x.significand - smaller.hi - (smaller.lo != 0), 0 - smaller.lo};
  if (difference.hi == 0 && difference.lo == 0) {
    return Zero(0);  // x - x is +0 when rounding to nearest
  }
  // Cancellation of more than one bit only happens when y was shifted by at most one place, so
  // no sticky bit is involved then and the normalisation below is exact.
  const int shift =
      difference.hi != 0 ? std::countl_zero(difference.hi) : 64 + std::countl_zero(difference.lo);
  return RoundAndPack(x.sign, x.exponent - shift, ShiftLeft(difference, shift));
}

Extended MultiplyFinite(Unpacked x, Unpacked y) {
  const uint16_t sign = static_cast<uint16_t>(x.sign ^ y.sign);
  // Both significands are in [2^63, 2^64), so the product is in [2^126, 2^128).
  Wide p = Multiply(x.significand, y.significand);
  int exponent = x.exponent + y.exponent - kBias + 1;
  if ((p.hi & kIntegerBit) == 0) {
    p = ShiftLeft(p, 1);
    --exponent;
  }
  return RoundAndPack(sign, exponent, p);
}

// At least one operand is a NaN: a signalling NaN is quieted; of two NaNs the one with the larger
// significand (quiet bit included) wins, and on equal significands the positive one.
Extended PropagateNaN(Extended a, Kind ka, Extended b, Kind kb) {
  Extended winner = ka == Kind::kNaN ? a : b;
  if (ka == Kind::kNaN && kb == Kind::kNaN) {
    if (b.significand() > a.significand() ||
        (b.significand() == a.significand() && SignOf(b) == 0)) {
      winner = b;
    }
  }
  return Extended::FromBits(winner.signAndExponent(), winner.significand() | kQuietBit);
}

// a + b with b's sign flipped by negateB (0 or kSignMask), for the operands the fast path does not
// take. NaNs keep their sign: subtraction does not negate a NaN operand.
Extended AddSlowPath(Extended a, Extended b, uint16_t negateB) {
  const Kind ka = Classify(a);
  const Kind kb = Classify(b);
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported) {
    return kDefaultNaN;
  }
  if (ka == Kind::kNaN || kb == Kind::kNaN) {
    return PropagateNaN(a, ka, b, kb);
  }
  const uint16_t signA = SignOf(a);
  const uint16_t signB = static_cast<uint16_t>(SignOf(b) ^ negateB);
  if (ka == Kind::kInfinity || kb == Kind::kInfinity) {
    if (ka == Kind::kInfinity && kb == Kind::kInfinity && signA != signB) {
      return kDefaultNaN;
    }
    return Infinity(ka == Kind::kInfinity ? signA : signB);
  }
  if (ka == Kind::kZero) {
    // -0 + -0 = -0; any other sum of zeros is +0.
    return kb == Kind::kZero ? Zero(signA & signB) : Canonical(signB, b);
  }
  if (kb == Kind::kZero) {
    return Canonical(signA, a);
  }
  Unpacked y = UnpackFinite(b);
  y.sign = signB;
  return AddFinite(UnpackFinite(a), y);
}

Extended Add(Extended a, Extended b, uint16_t negateB) {
  if (IsNormal(a) && IsNormal(b)) {
    Unpacked y = UnpackNormal(b);
    y.sign ^= negateB;
    return AddFinite(UnpackNormal(a), y);
  }
  return AddSlowPath(a, b, negateB);
}

Extended MultiplySlowPath(Extended a, Extended b) {
  const Kind ka = Classify(a);
  const Kind kb = Classify(b);
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported) {
    return kDefaultNaN;
  }
  if (ka == Kind::kNaN || kb == Kind::kNaN) {
    return PropagateNaN(a, ka, b, kb);
  }
  const uint16_t sign = static_cast<uint16_t>(SignOf(a) ^ SignOf(b));
  if (ka == Kind::kInfinity || kb == Kind::kInfinity) {
    return ka == Kind::kZero || kb == Kind::kZero ? kDefaultNaN : Infinity(sign);
  }
  if (ka == Kind::kZero || kb == Kind::kZero) {
    return Zero(sign);
  }
  return MultiplyFinite(UnpackFinite(a), UnpackFinite(b));
}

}  // namespace

Extended Extended::FromDouble(double value) noexcept {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const uint16_t sign = static_cast<uint16_t>((bits >> 48) & kSignMask);
  const int exponent = static_cast<int>((bits >> 52) & kDoubleMaxExponent);
  const uint64_t fraction = bits & kDoubleFractionMask;
  if (exponent == kDoubleMaxExponent) {
    // Loading a signalling NaN quiets it; the payload moves to the top of the significand.
    return fraction == 0 ? Infinity(sign)
                         : Pack(sign, kMaxExponent, kIntegerBit | kQuietBit | (fraction << 11));
  }
  if (exponent == 0) {
    if (fraction == 0) {
      return Zero(sign);
    }
    // A double subnormal lies well inside the extended normal range: normalise it. Exponent
    // field 1 of the double has its integer bit at bit 52 of the fraction, i.e. 11 places below
    // the top of the significand.
    const int shift = std::countl_zero(fraction);
    return Pack(sign, kExponentShift + 1 - (shift - 11), fraction << static_cast<unsigned>(shift));
  }
  return Pack(sign, exponent + kExponentShift, kIntegerBit | (fraction << 11));
}

double Extended::ToDouble() const noexcept {
  const uint64_t sign = (signAndExponent_ & kSignMask) != 0 ? kDoubleSignBit : 0;
  switch (Classify(*this)) {
    case Kind::kUnsupported:
      return std::bit_cast<double>(kDoubleDefaultNaN);
    case Kind::kNaN:
      // The significand is truncated to the double's fraction and the result made quiet.
      return std::bit_cast<double>(sign | kDoubleInfinity | kDoubleQuietBit |
                                   ((significand_ >> 11) & kDoubleFractionMask));
    case Kind::kInfinity:
      return std::bit_cast<double>(sign | kDoubleInfinity);
    case Kind::kZero:
      return std::bit_cast<double>(sign);
    case Kind::kFinite:
      break;
  }
  const Unpacked u = UnpackFinite(*this);
  int exponent = u.exponent - kExponentShift;
  if (exponent >= kDoubleMaxExponent) {
    return std::bit_cast<double>(sign | kDoubleInfinity);
  }
  // 11 significand bits go beyond the double's 53; below the normal range the significand is
  // shifted further so that it is rounded once, at the precision of the subnormal.
  int shift = 11;
  if (exponent < 1) {
    shift += 1 - exponent;
    exponent = 1;
  }
  if (shift > 64) {
    // Less than half the smallest subnormal.
    return std::bit_cast<double>(sign);
  }
  const unsigned s = static_cast<unsigned>(shift);
  uint64_t rounded = s == 64 ? 0 : u.significand >> s;
  const uint64_t rest = u.significand << (64 - s);
  rounded += (rest >> 63) & (((rest << 1) != 0) | (rounded & 1));
  // rounded holds the integer bit at bit 52 for normal results, so adding it to the exponent
  // field minus one also carries a significand that rounded up to 2^53 into the exponent, and a
  // subnormal that rounded up to 2^52 into the smallest normal. The largest carry lands exactly
  // on the infinity pattern.
  const uint64_t magnitude = (static_cast<uint64_t>(exponent - 1) << 52) + rounded;
  return std::bit_cast<double>(sign | magnitude);
}

Extended operator+(Extended a, Extended b) noexcept {
  return Add(a, b, 0);
}

Extended operator-(Extended a, Extended b) noexcept {
  return Add(a, b, kSignMask);
}

Extended operator*(Extended a, Extended b) noexcept {
  if (IsNormal(a) && IsNormal(b)) {
    return MultiplyFinite(UnpackNormal(a), UnpackNormal(b));
  }
  return MultiplySlowPath(a, b);
}

}  // namespace quorvane
