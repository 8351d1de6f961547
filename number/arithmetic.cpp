// SPDX-License-Identifier: MIT
// Arithmetic operators: exact on two Integers wherever possible, long double otherwise.

#include "bigint/factorial.h"
#include "number/operationSupport.h"
#include "number/operations.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace ops {

using namespace detail;

namespace {

template <class IntOp, class FloatOp>
void combine(Number &r, const Number &a, const Number &b, IntOp intOp, FloatOp floatOp) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    if (a.kind == Float || b.kind == Float) {
        long double x = toLongDouble(a), y = toLongDouble(b);
        return setFloat(r, floatcheck::checked([&] { return floatOp(x, y); }));
    }
    setInteger(r, intOp(a.integerValue, b.integerValue));
}

// log2 of a nonzero magnitude from its top 64 bits, for size estimates.
long double log2Of(const BigUnsigned &m) {
    const std::uint64_t bits = m.bitLength();
    if (bits <= 64) {
        std::uint64_t v = m.blockAt(0) | std::uint64_t(m.blockAt(1)) << 32;
        return std::log2(static_cast<long double>(v));
    }
    BigUnsigned top;
    top.bitShiftRight(m, int(bits - 64));
    const std::uint64_t v = top.blockAt(0) | std::uint64_t(top.blockAt(1)) << 32;
    return static_cast<long double>(bits - 64) + std::log2(static_cast<long double>(v));
}

// Whether a result of about estimatedBits bits surely exceeds the result budget. The
// estimates are within a few bits; results near the limit are made and checked exactly.
bool surelyOverBudget(long double estimatedBits) {
    return estimatedBits > static_cast<long double>(resultBudget::maxBits()) + 2;
}

// base^exponent by repeated squaring: the same product as multiplying the base in
// exponent times, in logarithmic many multiplications.
BigInteger integerPower(const BigInteger &base, std::uint32_t exponent) {
    BigInteger result(1);
    if (exponent == 0) return result;
    const BigUnsigned &m = base.getMagnitude();
    if (m.isZero()) return BigInteger();
    bool negative = base.getSign() == BigInteger::negative && (exponent & 1) != 0;
    if (m.getLength() == 1 && m.getBlock(0) == 1) return negative ? BigInteger(-1) : result;
    const auto sign = negative ? BigInteger::negative : BigInteger::positive;
    // A power of two raised to a power is one bit, placed by a shift.
    const std::uint64_t bits = m.bitLength();
    const std::uint32_t top = m.getBlock(m.getLength() - 1);
    bool singleBit = (top & (top - 1)) == 0;
    for (BigUnsigned::Index i = 0; singleBit && i + 1 < m.getLength(); ++i)
        singleBit = m.getBlock(i) == 0;
    if (singleBit && (bits - 1) * exponent <= std::uint64_t(INT32_MAX)) {
        BigUnsigned shifted;
        shifted.bitShiftLeft(BigUnsigned(1u), int((bits - 1) * exponent));
        return BigInteger(shifted, sign);
    }
    BigUnsigned acc(1u), square(m);
    for (std::uint32_t e = exponent;;) {
        if (e & 1) acc.multiply(acc, square);
        e >>= 1;
        if (e == 0) break;
        square.multiply(square, square);
    }
    return BigInteger(acc, sign);
}

} // namespace

void add(Number &r, const Number &a, const Number &b) {
    combine(
        r, a, b, [](const BigInteger &x, const BigInteger &y) { return x + y; },
        [](long double x, long double y) { return x + y; });
}

void subtract(Number &r, const Number &a, const Number &b) {
    combine(
        r, a, b, [](const BigInteger &x, const BigInteger &y) { return x - y; },
        [](long double x, long double y) { return x - y; });
}

void multiply(Number &r, const Number &a, const Number &b) {
    if (limitedRange(r) && a.kind == Integer && b.kind == Integer)
        return setLowBits(r, low64(a.integerValue) * low64(b.integerValue));
    if (a.kind == Integer && b.kind == Integer && !a.integerValue.isZero() &&
        !b.integerValue.isZero() &&
        a.integerValue.getMagnitude().bitLength() + b.integerValue.getMagnitude().bitLength() - 1 >
            resultBudget::maxBits())
        return setNoValue(r, NoValueReason::overBudget);
    combine(
        r, a, b, [](const BigInteger &x, const BigInteger &y) { return x * y; },
        [](long double x, long double y) { return x * y; });
}

void divide(Number &r, const Number &a, const Number &b) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    if ((b.kind == Integer && b.integerValue.isZero()) || (b.kind == Float && b.floatValue == 0))
        return setNoValue(r, NoValueReason::divisionByZero);
    if (a.kind == Integer && b.kind == Integer) {
        // The divisor divides exactly when the remainder is zero, which is when the greatest
        // common divisor of the magnitudes is the divisor's magnitude.
        BigInteger remainder(a.integerValue), quotient;
        remainder.divideWithRemainder(b.integerValue, quotient);
        if (remainder.isZero()) return setInteger(r, std::move(quotient));
    }
    long double x = toLongDouble(a), y = toLongDouble(b);
    setFloat(r, floatcheck::checked([&] { return x / y; }));
}

void modulo(Number &r, const Number &a, const Number &b) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    if (a.kind != Integer || b.kind != Integer) return setNoValue(r, NoValueReason::moduloOfFloat);
    if (b.integerValue.isZero()) return setNoValue(r, NoValueReason::divisionByZero);
    setInteger(r, a.integerValue % b.integerValue);
}

void power(Number &r, const Number &base, const Number &exponent) {
    if (anyNoValue(base, exponent)) return passNoValue(r, base, exponent);
    if (base.kind == Float || exponent.kind == Float ||
        exponent.integerValue.getSign() == BigInteger::negative) {
        long double x = toLongDouble(base), y = toLongDouble(exponent);
        return setFloat(r, std::pow(x, y));
    }
    std::int32_t e;
    try {
        e = exponent.integerValue.toInt32();
    } catch (const char *) {
        return setNoValue(r, NoValueReason::exponentTooLarge);
    }
    if (limitedRange(r)) {
        std::uint64_t result = 1, square = low64(base.integerValue);
        for (std::uint32_t k = std::uint32_t(e); k != 0; k >>= 1) {
            if (k & 1) result *= square;
            square *= square;
        }
        return setLowBits(r, result);
    }
    const BigUnsigned &m = base.integerValue.getMagnitude();
    if (m.bitLength() > 1 && surelyOverBudget(log2Of(m) * static_cast<long double>(e)))
        return setNoValue(r, NoValueReason::overBudget);
    setInteger(r, integerPower(base.integerValue, std::uint32_t(e)));
}

void factorial(Number &r, const Number &x) {
    if (anyNoValue(x)) return passNoValue(r, x);
    if (x.kind != Integer || x.integerValue.getSign() == BigInteger::negative)
        return setNoValue(r, NoValueReason::factorialDomain);
    std::int32_t n;
    try {
        n = x.integerValue.toInt32();
    } catch (const char *) {
        return setNoValue(r, NoValueReason::factorialDomain);
    }
    if (n < 2) return setInteger(r, BigInteger(1));
    if (limitedRange(r)) {
        // n! has n minus the number of one bits of n factors 2: past the range's width,
        // every bit the range keeps is 0.
        if (n - std::popcount(std::uint32_t(n)) >= r.rangeBits) return setLowBits(r, 0);
        std::uint64_t product = 1;
        for (std::uint64_t i = 2; i <= std::uint64_t(n); ++i)
            product *= i;
        return setLowBits(r, product);
    }
    // log2(n!) by Stirling's series, which is within 1/(360 n^3) of ln(n!) from n = 2.
    const long double ln = std::log(static_cast<long double>(n));
    const long double lnFactorial =
        n * ln - n + 0.5L * std::log(2 * 3.14159265358979323846L * n) + 1 / (12.0L * n);
    if (surelyOverBudget(lnFactorial / std::log(2.0L)))
        return setNoValue(r, NoValueReason::overBudget);
    setInteger(r, BigInteger(::factorial(std::uint32_t(n))));
}

} // namespace ops
