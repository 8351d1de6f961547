// SPDX-License-Identifier: MIT
#include "number/valueKind.h"

#include "bigint/textConversion.h"
#include "number/floatChecks.h"
#include "number/floatText.h"

#include <cmath>
#include <cstdint>

namespace {

BigUnsigned unsignedOf(std::uint64_t v) {
    const BigUnsigned::Blk b[2] = {BigUnsigned::Blk(v), BigUnsigned::Blk(v >> 32)};
    return BigUnsigned(b, 2);
}

bool isPlainWholeNumber(const std::string &s) {
    std::size_t i = s.size() > 0 && s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

} // namespace

std::uint64_t low64(const BigInteger &x) {
    const BigUnsigned &m = x.getMagnitude();
    std::uint64_t v = (std::uint64_t(m.blockAt(1)) << 32) | m.blockAt(0);
    return x.getSign() == BigInteger::negative ? 0 - v : v;
}

BigInteger integerOf(std::uint64_t v) {
    return BigInteger(unsignedOf(v));
}

BigInteger wholeLongDoubleToInteger(long double v) {
    if (v == 0) return BigInteger();
    int exponent = 0;
    long double fraction = std::frexp(std::fabs(v), &exponent); // in [0.5, 1)
    std::uint64_t mantissa = std::uint64_t(std::ldexp(fraction, 64));
    BigUnsigned magnitude;
    if (exponent <= 64)
        magnitude = unsignedOf(mantissa >> (64 - exponent));
    else
        magnitude.bitShiftLeft(unsignedOf(mantissa), exponent - 64);
    return BigInteger(magnitude, v < 0 ? BigInteger::negative : BigInteger::positive);
}

void applyValueRange(Number &n) {
    if (n.rangeBits == 0 || n.kind == NoValue) return;
    if (n.kind == Float) {
        if (!std::isfinite(n.floatValue)) {
            // No whole part to keep.
            n.kind = NoValue;
            n.reason = NoValueReason::rangeNotFinite;
            return;
        }
        n.integerValue = wholeLongDoubleToInteger(std::trunc(n.floatValue));
        n.kind = Integer;
    }
    // The value modulo 2^bits is its low bits in two's complement; the signed reading
    // subtracts 2^bits from the upper half.
    const int bits = n.rangeBits;
    std::uint64_t v = low64(n.integerValue);
    if (bits < 64) v &= (std::uint64_t(1) << bits) - 1;
    bool negative = n.rangeSigned && ((v >> (bits - 1)) & 1) != 0;
    if (!negative) {
        n.integerValue = BigInteger(unsignedOf(v));
    } else {
        std::uint64_t magnitude = bits < 64 ? (std::uint64_t(1) << bits) - v : 0 - v;
        n.integerValue = BigInteger(unsignedOf(magnitude), BigInteger::negative);
    }
}

void normalizeFloat(Number &n) {
    if (n.kind != Float) return;
    // Most values are settled without writing the text. Below 10^17 the text has room for
    // every digit of the whole part: a whole value's text is that integer. A value farther
    // from its nearest integer than 10^-16 of itself is at least ten units of the text's last
    // digit away from it (a unit is at most 10^-17 of the value), and the text, within half a
    // unit of the value, is then no whole number either. (Zero and subnormal values, which
    // the text shows as "0", take the long way.)
    const long double v = n.floatValue;
    if (std::fpclassify(v) == FP_NORMAL) {
        const long double magnitude = std::fabs(v);
        if (magnitude < 1e17L) {
            const long double distance = std::fabs(magnitude - std::round(magnitude)); // exact
            if (distance == 0) {
                n.integerValue = wholeLongDoubleToInteger(v);
                n.kind = Integer;
                return;
            }
            if (distance > magnitude * 1e-16L) return;
        }
    }
    std::string text = renderFloat(n.floatValue, FloatStyle::general, 18, 0);
    if (!isPlainWholeNumber(text)) return;
    n.integerValue = textToInteger(text, 10);
    n.kind = Integer;
}

long double toLongDouble(const Number &n) {
    if (n.kind == Float) return n.floatValue;
    // The nearest long double to the integer, ties to even: the same value a correctly
    // rounded reading of its decimal text gives.
    const BigUnsigned &m = n.integerValue.getMagnitude();
    std::uint64_t bits = m.bitLength();
    if (bits == 0) return 0;
    long double result;
    if (bits <= 64) {
        result = static_cast<long double>((std::uint64_t(m.blockAt(1)) << 32) | m.blockAt(0));
    } else {
        if (bits > 16384) throw floatcheck::overflow; // at least 2^16384
        // The top 64 bits, the bit below them and whether anything below that is set.
        std::uint64_t shift = bits - 64;
        BigUnsigned top;
        top.bitShiftRight(m, int(shift));
        std::uint64_t mantissa = (std::uint64_t(top.blockAt(1)) << 32) | top.blockAt(0);
        std::uint64_t roundIndex = shift - 1;
        bool roundBit = (m.blockAt(BigUnsigned::Index(roundIndex / 32)) >> (roundIndex % 32)) & 1;
        bool sticky = false;
        for (std::uint64_t b = 0; b < roundIndex / 32 && !sticky; ++b)
            sticky = m.blockAt(BigUnsigned::Index(b)) != 0;
        if (!sticky && roundIndex % 32 != 0)
            sticky = (m.blockAt(BigUnsigned::Index(roundIndex / 32)) &
                      ((std::uint32_t(1) << (roundIndex % 32)) - 1)) != 0;
        if (roundBit && (sticky || (mantissa & 1))) {
            if (++mantissa == 0) {
                mantissa = std::uint64_t(1) << 63;
                ++shift;
            }
        }
        result = std::ldexp(static_cast<long double>(mantissa), int(shift));
        if (std::isinf(result)) throw floatcheck::overflow;
    }
    return n.integerValue.getSign() == BigInteger::negative ? -result : result;
}
