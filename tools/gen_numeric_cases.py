#!/usr/bin/env python3
"""Writes the table of hard cases for the number/text conversions of calc/numeric_text.cpp.

The expected results are computed here with exact rational arithmetic (fractions, decimal
digit strings of integers), independently of any C or C++ library, so the table checks the
C++ code rather than repeating it.

Regenerate from the repository root with

    python3 tools/gen_numeric_cases.py tests/calc/numeric_text_cases.inc

The output is deterministic (fixed seed); commit the regenerated file.
"""

import random
import re
import struct
import sys
from fractions import Fraction

SEED = 936

# --------------------------------------------------------------------------------------------
# Doubles as exact rationals
# --------------------------------------------------------------------------------------------

SIGN_BIT = 1 << 63
FRACTION_MASK = (1 << 52) - 1
QUIET_BIT = 1 << 51
INF_BITS = 0x7FF << 52
MAX_BITS = INF_BITS - 1
DEFAULT_NAN = 0xFFF8000000000000


def is_finite(bits):
    return (bits >> 52) & 0x7FF != 0x7FF


def bits_value(bits):
    """The exact magnitude of a finite double as a Fraction."""
    field = (bits >> 52) & 0x7FF
    fraction = bits & FRACTION_MASK
    if field == 0:
        return Fraction(fraction, 1 << 1074)
    significand = fraction | (1 << 52)
    shift = field - 1075
    return Fraction(significand << shift) if shift >= 0 else Fraction(significand, 1 << -shift)


def nearest_bits(negative, x):
    """The double nearest to the non-negative rational x, ties to even; overflow gives an
    infinity and a value too small gives zero, each of the given sign."""
    sign = SIGN_BIT if negative else 0
    if x == 0:
        return sign
    n, d = x.numerator, x.denominator
    e = n.bit_length() - d.bit_length()
    # Make 2^e <= x < 2^(e+1).
    if (n << -e if e < 0 else n) < (d << e if e > 0 else d):
        e -= 1
    e = max(e, -1022)
    q = e - 52
    num, den = (n << -q, d) if q < 0 else (n, d << q)
    m, r = divmod(num, den)
    if 2 * r > den or (2 * r == den and m & 1):
        m += 1
    if m == 1 << 53:
        m >>= 1
        q += 1
    if m < 1 << 52:
        return sign | m
    field = q + 1075
    if field >= 0x7FF:
        return sign | INF_BITS
    return sign | (field << 52) | (m - (1 << 52))


def exact_digits(x):
    """The significant digits and the decade of a positive rational with a finite decimal
    expansion: x = 0.DIGITS * 10^decade, DIGITS without trailing zeros."""
    n, d = x.numerator, x.denominator
    k = 0
    while d % 10 == 0:
        d //= 10
        k += 1
    while d % 2 == 0:
        d //= 2
        n *= 5
        k += 1
    while d % 5 == 0:
        d //= 5
        n *= 2
        k += 1
    assert d == 1
    s = str(n)
    decade = len(s) - k
    return s.rstrip("0"), decade


def round_half_up(digits, decade, count):
    """Rounds 0.DIGITS * 10^decade to `count` significant digits, a dropped part of at least
    half a unit going up. Returns exactly `count` digits and the new decade."""
    digits = digits.ljust(count + 1, "0")
    kept = digits[:count]
    if digits[count] >= "5":
        value = int(kept) + 1
        kept = str(value)
        if len(kept) > count:
            kept = kept[:count]
            decade += 1
    return kept, decade


def expected_text(bits):
    negative = bits & SIGN_BIT != 0
    if not is_finite(bits):
        if bits & FRACTION_MASK == 0:
            return "-1.#INF" if negative else "1.#INF"
        if bits == DEFAULT_NAN:
            return "-1.#IND"
        return ("-" if negative else "") + ("1.#QNAN" if bits & QUIET_BIT else "1.#SNAN")
    x = bits_value(bits)
    if x == 0:
        return "0"
    digits, decade = exact_digits(x)
    digits, decade = round_half_up(digits, decade, 17)
    digits, decade = round_half_up(digits, decade, 13)
    exponent = decade - 1
    if exponent < -4 or exponent >= 13:
        mantissa = digits[0] + "." + digits[1:]
        mantissa = mantissa.rstrip("0").rstrip(".")
        text = "%se%s%03d" % (mantissa, "-" if exponent < 0 else "+", abs(exponent))
    elif exponent >= 0:
        text = digits[: exponent + 1] + "." + digits[exponent + 1 :]
        text = text.rstrip("0").rstrip(".")
    else:
        text = ("0." + "0" * (-exponent - 1) + digits).rstrip("0")
    return ("-" if negative else "") + text


# --------------------------------------------------------------------------------------------
# Texts as numbers
# --------------------------------------------------------------------------------------------

OTHER = "\uFFFD"  # a two-byte character that stays as it is


def normalise(data):
    out = []
    i = 0
    while i < len(data):
        lead = data[i]
        if lead < 0x80:
            out.append(chr(lead))
            i += 1
            continue
        if i + 1 == len(data):
            break
        trail = data[i + 1]
        i += 2
        if lead == 0xA3 and 0xA1 <= trail <= 0xFE:
            out.append(chr(trail - 0x80))
        elif lead == 0xA1 and trail == 0xA1:
            out.append(" ")
        elif lead == 0xA1 and trail == 0xAB:
            out.append("~")
        elif lead == 0xA1 and trail in (0xEE, 0xEF):
            out.append("*")
        else:
            out.append(OTHER)
    return "".join(out)


NUMBER = re.compile(
    r"[ \t\n\x0b\x0c\r]*([+-]?)(?:([0-9]+)(?:\.([0-9]*))?|\.([0-9]+))(?:[eEdD]([+-]?[0-9]+))?"
)


def expected_bits(data):
    match = NUMBER.match(normalise(data))
    if not match:
        return 0
    sign, integer, fraction, only_fraction, exponent = match.groups()
    negative = sign == "-"
    if only_fraction is not None:
        integer, fraction = "", only_fraction
    fraction = fraction or ""
    digits = (integer + fraction).lstrip("0")
    if not digits:
        return SIGN_BIT if negative else 0
    scale = int(exponent or "0") - len(fraction)
    decade = len(digits) + scale  # the value is 0.DIGITS * 10^decade
    if decade > 400:
        return (SIGN_BIT if negative else 0) | INF_BITS
    if decade < -400:
        return SIGN_BIT if negative else 0
    value = Fraction(int(digits)) * Fraction(10) ** scale
    return nearest_bits(negative, value)


def as_decimal_text(digits, decade, style):
    """Writes 0.DIGITS * 10^decade in one of a few equivalent shapes."""
    if style == 0:
        return "0.%se%d" % (digits, decade)
    if style == 1:
        return "%s.%sE%+d" % (digits[0], digits[1:], decade - 1)
    if style == 2:
        return "%sd%d" % (digits, decade - len(digits))
    # Positional where that stays short, else the first shape.
    if 0 < decade <= 40:
        text = digits.ljust(decade, "0")
        return text[:decade] + ("." + text[decade:] if len(text) > decade else "")
    if -40 <= decade <= 0:
        return "." + "0" * -decade + digits
    return "0.%se%d" % (digits, decade)


def full_width(text, rng, share):
    """Replaces some ASCII characters by their full-width forms and spaces by the ideographic
    space, in code page 936."""
    out = bytearray()
    for c in text.encode("ascii"):
        if rng.random() < share:
            if c == 0x20:
                out += b"\xa1\xa1"
                continue
            if 0x21 <= c <= 0x7E:
                out += bytes((0xA3, c + 0x80))
                continue
        out.append(c)
    return bytes(out)


# --------------------------------------------------------------------------------------------
# Case generation
# --------------------------------------------------------------------------------------------


def bits_of(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]


def positive_floor_bits(x):
    """The largest double not above the positive rational x."""
    b = nearest_bits(False, x)
    if b == INF_BITS or bits_value(b) > x:
        b -= 1
    return b


class Cases:
    def __init__(self):
        self.to_text = []
        self.to_number = []
        self.seen_bits = set()
        self.seen_texts = set()

    def bits(self, kind, bits):
        if bits in self.seen_bits:
            return
        self.seen_bits.add(bits)
        self.to_text.append((kind, bits, expected_text(bits)))

    def both_signs(self, kind, bits, rng):
        self.bits(kind, bits | SIGN_BIT if rng.random() < 0.3 else bits)

    def text(self, kind, data, bits=None):
        if isinstance(data, str):
            data = data.encode("ascii")
        if data in self.seen_texts:
            return
        self.seen_texts.add(data)
        expected = expected_bits(data)
        if bits is not None:
            assert expected == bits, (kind, data[:60], hex(expected), hex(bits))
        self.to_number.append((kind, data, expected))


def random_digits(rng, count):
    return str(rng.randint(1, 9)) + "".join(rng.choice("0123456789") for _ in range(count - 1))


def number_to_text_cases(cases, rng):
    for bits in (
        INF_BITS,
        INF_BITS | SIGN_BIT,
        DEFAULT_NAN,
        0x7FF8000000000000,
        0xFFF8000000000001,
        0x7FF0000000000001,
        0xFFF0000000000001,
        0x7FFFFFFFFFFFFFFF,
        0xFFF7FFFFFFFFFFFF,
        0x7FF4000000000000,
        0,
        SIGN_BIT,
    ):
        cases.bits("special", bits)

    # The ends of the range.
    for bits in (MAX_BITS, MAX_BITS - 1, 1, 2, 3, FRACTION_MASK, FRACTION_MASK - 1, 1 << 52,
                 (1 << 52) + 1, 0x0010000000000000 >> 1):
        cases.bits("extreme", bits)
        cases.bits("extreme", bits | SIGN_BIT)
    for _ in range(60):
        cases.both_signs("subnormal", rng.randrange(1, 1 << 52), rng)
    for e in list(range(-1074, -1064)) + list(range(-1024, -1020)) + list(range(1020, 1024)):
        cases.bits("power2", bits_of(2.0 ** e) if e >= -1022 else 1 << (e + 1074))

    # Powers of ten and their neighbours.
    decades = list(range(-16, 22)) + rng.sample(range(-323, 309), 40)
    for k in decades:
        b = nearest_bits(False, Fraction(10) ** k)
        for delta in (-1, 0, 1):
            if 0 < b + delta < INF_BITS:
                cases.bits("power10", b + delta)

    # Where the positional and the exponent form meet: 13-digit values just below 1e-4, 1e-5,
    # 1e12 and 1e13, and the midpoints that round up into the next decade.
    for k in range(-7, 16):
        boundary = Fraction(10) ** k
        unit = Fraction(10) ** (k - 13)
        near = k in (-5, -4, -3, 12, 13, 14)
        targets = (boundary - unit / 2, boundary - unit, boundary - unit * 3 / 2, boundary)
        for target in targets if near else targets[:1]:
            b = positive_floor_bits(target)
            for delta in (-2, -1, 0, 1, 2) if near else (0, 1):
                cases.bits("form", b + delta)

    # Near ties at 13 digits: (M + 1/2) units with a 13-digit M. The doubles closest to such a
    # point often have a 17-digit rounding that is exactly the tie, so that the second rounding
    # goes up although the value lies below.
    for i in range(110):
        decade = rng.randint(-8, 16) if i < 90 else rng.randint(-320, 300)
        tie = (Fraction(int(random_digits(rng, 13)) * 10 + 5) * Fraction(10) ** (decade - 14))
        b = positive_floor_bits(tie)
        for delta in (-1, 0, 1):
            if 0 < b + delta < INF_BITS:
                cases.both_signs("near13", b + delta, rng)

    # Near ties at 17 digits.
    for i in range(80):
        decade = rng.randint(-10, 20) if i < 60 else rng.randint(-320, 300)
        tie = Fraction(int(random_digits(rng, 17)) * 10 + 5) * Fraction(10) ** (decade - 18)
        b = positive_floor_bits(tie)
        for delta in (0, 1):
            if 0 < b + delta < INF_BITS:
                cases.both_signs("near17", b + delta, rng)

    # Doubles that are exactly halfway at 17 digits: m / 2^j with 18 significant digits, the
    # last one a 5.
    found = 0
    while found < 40:
        j = rng.randint(2, 40)
        m = rng.randrange(1, 1 << rng.randint(20, 53)) | 1
        x = Fraction(m, 1 << j)
        digits, _ = exact_digits(x)
        if len(digits) == 18:
            b = nearest_bits(False, x)
            assert bits_value(b) == x
            cases.both_signs("tie17", b, rng)
            found += 1

    # Doubles within half a unit of the 20th digit of a 17-digit midpoint M4999|5, M having 13
    # digits: the 20-digit rounding reads M4999500 whichever side the value is on, and the side
    # decides between M and M + 1.
    below = above = 0
    tries = 0
    while (below < 4 or above < 4) and tries < 400000:
        tries += 1
        decade = rng.randint(-6, 14)
        tie = Fraction(int(random_digits(rng, 13)) * 100000 + 49995) * Fraction(10) ** (decade - 18)
        b = positive_floor_bits(tie)
        half20 = Fraction(10) ** (decade - 20) / 2
        for candidate in (b, b + 1):
            distance = bits_value(candidate) - tie
            if abs(distance) < half20:
                if distance < 0 and below < 4:
                    cases.bits("below17tie", candidate)
                    below += 1
                elif distance > 0 and above < 4:
                    cases.bits("above17tie", candidate)
                    above += 1
    assert below and above, "no double close enough to a 17-digit midpoint found"

    # Random doubles: any bit pattern, and values the commission produces.
    for _ in range(200):
        bits = rng.getrandbits(64)
        if is_finite(bits):
            cases.bits("random", bits)
    for _ in range(80):
        amount = rng.randrange(1, 10 ** rng.randint(1, 9)) / 100
        rate = rng.choice((0.028, 0.015, 0.0648, 0.05, 0.1, 0.012, 0.0035, 1.0))
        cases.both_signs("commission", bits_of(amount * rate), rng)
        cases.both_signs("commission", bits_of(rng.uniform(-1e6, 1e6)), rng)


def random_number_text(rng):
    """A decimal text with the value it stands for kept mostly inside the double range."""
    count = rng.choice((1, 2, 3, 5, 8, 12, 15, 16, 17, 18, 19, 20, 25, 30, 40))
    digits = random_digits(rng, count)
    leading = "0" * rng.choice((0, 0, 0, 1, 3, 20))
    point = rng.randint(0, count)
    significand = leading + digits[:point] + "." + digits[point:]
    if significand.endswith(".") and rng.random() < 0.5:
        significand = significand[:-1]
    if significand.startswith(".") and rng.random() < 0.3:
        significand = "0" + significand
    text = rng.choice(("", "", "", " ", "\t", "  ")) + rng.choice(("", "", "+", "-", "-"))
    text += significand
    if rng.random() < 0.7:
        text += rng.choice("eEdD") + rng.choice(("", "+", "-")) + str(rng.randint(0, 330))
    text += rng.choice(("", "", "", "x", " 5", ",000", "e", "E+", "d-", ".", "..5", "%"))
    return text


def text_to_number_cases(cases, rng):
    for _ in range(250):
        cases.text("random", random_number_text(rng))

    # Texts next to the midpoint of two adjacent doubles: the midpoint's digits cut short
    # (below it) or cut short and raised by one unit of the last digit kept (above it).
    def midpoint_of(lower_bits):
        h = (bits_value(lower_bits) + bits_value(lower_bits + 1)) / 2
        return exact_digits(h)

    picks = []
    for _ in range(150):
        picks.append(("normal", bits_of(rng.uniform(1, 10) * 10.0 ** rng.randint(-30, 30))))
    for _ in range(30):
        picks.append(("wide", rng.randrange(1 << 52, MAX_BITS)))
    for _ in range(30):
        picks.append(("subnormal", rng.randrange(0, 1 << 52)))
    for kind, lower in picks:
        digits, decade = midpoint_of(lower)
        keep = rng.randint(18, 40)
        if keep >= len(digits):
            continue
        cut = digits[:keep]
        raised = str(int(cut) + 1)
        style = rng.randrange(4)
        cases.text("midpoint-" + kind, as_decimal_text(cut, decade, style), lower)
        if len(raised) == len(cut):
            cases.text("midpoint-" + kind, as_decimal_text(raised, decade, style), lower + 1)

    # The whole midpoint with a far-off digit past the 800 digits the conversion keeps: only a
    # sound folding of the cut-off digits rounds these right.
    long_picks = [1, 2, FRACTION_MASK - 1, (1 << 52) - 1, 1 << 52, bits_of(1.0), bits_of(0.1),
                  bits_of(1e300), MAX_BITS - 1, bits_of(12.5), bits_of(2.0 ** 53)]
    long_picks += [rng.randrange(1, 1 << 52) for _ in range(3)]
    for lower in long_picks:
        digits, decade = midpoint_of(lower)
        pad = 820 - len(digits)
        under = str(int(digits) - 1) + "9" * pad
        over = digits + "0" * pad + "1"
        cases.text("long-midpoint", as_decimal_text(under, decade, 0), lower)
        cases.text("long-midpoint", as_decimal_text(over, decade, 0), lower + 1)

    # Overflow: the midpoint between the largest double and 2^1024 is where infinity starts.
    limit = Fraction(2 ** 1024 - 2 ** 970)
    digits, decade = exact_digits(limit)
    for keep in (20, 30, len(digits)):
        cut = digits[:keep]
        for sign, sign_bit in (("", 0), ("-", SIGN_BIT)):
            if keep < len(digits):
                cases.text("overflow", sign + as_decimal_text(cut, decade, 1), sign_bit | MAX_BITS)
                cases.text("overflow", sign + as_decimal_text(str(int(cut) + 1), decade, 1),
                           sign_bit | INF_BITS)
            else:
                cases.text("overflow", sign + as_decimal_text(str(int(cut) - 1) + "9" * 30, decade, 0),
                           sign_bit | MAX_BITS)
                cases.text("overflow", sign + as_decimal_text(cut + "0" * 30 + "1", decade, 0),
                           sign_bit | INF_BITS)
    for text in ("1.7976931348623157e308", "1.7976931348623158e308", "1.797693134862316e308",
                 "1.8e308", "1e309", "-1e309", "179769313486231570815d292", "1e310", "9e307",
                 "0.1e310", "0.01e310", "1e99999999999999999999999999999999999999999999999999",
                 "-1e+99999999999999999999999999999999999999999999999999"):
        cases.text("overflow", text)

    # Underflow: below half the smallest subnormal a value becomes zero; the midpoints above
    # the first few subnormals round to even.
    for multiple in (1, 3, 5):
        digits, decade = exact_digits(Fraction(multiple, 1 << 1075))
        for keep in (20, 40):
            cut = digits[:keep]
            cases.text("underflow", as_decimal_text(cut, decade, 1))
            cases.text("underflow", "-" + as_decimal_text(str(int(cut) + 1), decade, 1))
        cases.text("underflow", as_decimal_text(str(int(digits) - 1) + "9" * 60, decade, 0))
        cases.text("underflow", "-" + as_decimal_text(digits + "0" * 60 + "1", decade, 0))
    for text in ("4.9406564584124654e-324", "2.4703282292062328e-324", "2.4703282292062327e-324",
                 "3e-324", "2e-324", "1e-323", "-1e-324", "1e-330", "1e-400", "-1e-400",
                 "2.2250738585072014e-308", "2.2250738585072011e-308", "1e-99999999999999999999",
                 "0." + "0" * 1500 + "1e+1501", "0." + "0" * 1000 + "25e+1000",
                 "0" * 1500 + "1.5", "1" + "0" * 400 + "e-400", "1" + "0" * 700 + "d-1000"):
        cases.text("underflow", text)

    # Full-width forms and the ideographic space in place of ASCII.
    for _ in range(80):
        ascii_text = random_number_text(rng)
        share = rng.choice((1.0, 1.0, 0.5))
        cases.text("full-width", full_width(ascii_text, rng, share), expected_bits(ascii_text.encode()))

    # Two-byte characters whose trail byte is an ASCII digit, point, sign or exponent letter
    # end the number: the pair is one character, not that ASCII byte.
    leads = (0x81, 0x8F, 0xA1, 0xA3, 0xB0, 0xD4, 0xFE)
    for _ in range(80):
        head = rng.choice(("12", "3.5", "-7", "1e2", ".5", "8", ""))
        lead = rng.choice(leads)
        trail = rng.choice(b"0123456789.+-eEdD@~")
        tail = rng.choice(("", "5", "e3", "\xA3\xB1", "0"))
        cases.text("trail-byte", head.encode() + bytes((lead, trail)) + tail.encode("latin-1"))
    for data in (b"12\xa3", b"\xa3", b"12.5\xb0", b"1e\xa3", b"1e5\x81", b"\xa3\xb1\xa3", b"-\xa3",
                 b"\xa1\xa1\xa1\xa1-\xa3\xb4", b"\xa1\xa1\xa3\xab\xa3\xae\xa3\xb5", b"1\xa1\xa12",
                 b"1\xa3\xae\xa3\xc4\xa3\xab\xa3\xb2", b"\xa3\xa0" b"5", b"5\xa3\xff", b"\xa1\xab" b"5",
                 b"\xa1\xee" b"5", b"7\xa1\xef"):
        cases.text("trail-byte", data)

    # Short texts at the bounds of exact double arithmetic: significands next to 2^53 and of
    # up to 20 digits, with powers of ten next to 10^22 and 10^-22, in ASCII and full-width.
    for significand in (1, 7, 2 ** 53 - 1, 2 ** 53, 2 ** 53 + 1, 2 ** 53 + 2, 10 ** 15 + 1,
                        10 ** 16 - 1, 10 ** 19 - 1, 10 ** 19 + 1, 2 ** 64 - 1, 2 ** 64):
        for exponent in (-23, -22, -21, -1, 0, 1, 21, 22, 23):
            text = "%de%d" % (significand, exponent)
            cases.text("exact-bound", text)
            cases.text("exact-bound", full_width(text, rng, 1.0), expected_bits(text.encode()))
    for _ in range(120):
        count = rng.randint(1, 20)
        digits = random_digits(rng, count)
        point = rng.randint(0, count)
        text = "0" * rng.choice((0, 0, 1, 3)) + digits[:point] + "." + digits[point:]
        text += "0" * rng.choice((0, 0, 1, 4))
        if rng.random() < 0.6:
            text += rng.choice("eEdD") + str(rng.randint(-26, 26))
        cases.text("exact-bound", text)
        cases.text("exact-bound", full_width(text, rng, 0.5), expected_bits(text.encode()))


# --------------------------------------------------------------------------------------------
# Output
# --------------------------------------------------------------------------------------------


def c_string(data, width=88):
    pieces = []
    for b in data:
        if 0x20 <= b < 0x7F and b not in b'"\\?':
            pieces.append(chr(b))
        else:
            pieces.append("\\%03o" % b)
    lines = []
    line = ""
    for piece in pieces:
        if len(line) + len(piece) > width:
            lines.append(line)
            line = ""
        line += piece
    lines.append(line)
    return "\n     ".join('"%s"' % text for text in lines)


def write(out, cases):
    out.write("// Generated by tools/gen_numeric_cases.py (see there how to regenerate). Do not edit.\n")
    out.write("// Rows of hard cases for NumberToText and TextToNumber with the results computed in\n")
    out.write("// exact arithmetic. Included by numeric_text_test.cpp, which defines the row types.\n\n")
    out.write("// clang-format off\n")
    out.write("constexpr NumberToTextRow kGeneratedNumberToText[] = {\n")
    for kind, bits, text in cases.to_text:
        out.write('    {"%s", 0x%016XULL, "%s"},\n' % (kind, bits, text))
    out.write("};\n\n")
    out.write("constexpr TextToNumberRow kGeneratedTextToNumber[] = {\n")
    for kind, data, bits in cases.to_number:
        out.write('    {"%s", 0x%016XULL,\n     %s},\n' % (kind, bits, c_string(data)))
    out.write("};\n")
    out.write("// clang-format on\n")


def self_check(rng):
    """The rounding above against Python's own correctly rounded int / int division."""
    for _ in range(3000):
        n = rng.getrandbits(rng.randint(1, 200))
        d = rng.getrandbits(rng.randint(1, 200)) or 1
        if 1e-300 < n / d < 1e300:
            assert nearest_bits(False, Fraction(n, d)) == bits_of(n / d)
    for bits in (1, MAX_BITS, 1 << 52, bits_of(0.1)):
        assert nearest_bits(False, bits_value(bits)) == bits


def main():
    rng = random.Random(SEED)
    self_check(rng)
    cases = Cases()
    number_to_text_cases(cases, rng)
    text_to_number_cases(cases, rng)
    if len(sys.argv) > 1:
        with open(sys.argv[1], "w", encoding="ascii", newline="\n") as out:
            write(out, cases)
    else:
        write(sys.stdout, cases)
    print("%d NumberToText rows, %d TextToNumber rows"
          % (len(cases.to_text), len(cases.to_number)), file=sys.stderr)


if __name__ == "__main__":
    main()
