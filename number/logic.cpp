// SPDX-License-Identifier: MIT
// Comparisons, logical operators, and the bitwise operators and shifts on magnitudes.

#include "number/operationSupport.h"
#include "number/operations.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace ops {

using namespace detail;

namespace {

enum class Relation { equal, notEqual, less, greater, lessOrEqual, greaterOrEqual };

void compareNumbers(Number &r, const Number &a, const Number &b, Relation rel) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    int c; // -1, 0, +1: how a compares with b
    if (a.kind == Integer && b.kind == Integer) {
        c = rel == Relation::equal || rel == Relation::notEqual
                ? (a.integerValue == b.integerValue ? 0 : 1)
                : a.integerValue.compare(b.integerValue);
    } else {
        long double x = toLongDouble(a), y = toLongDouble(b);
        if (std::isnan(x) || std::isnan(y)) {
            // Unordered: only "not equal", "less" and "less or equal" hold.
            return setTruth(r, rel == Relation::notEqual || rel == Relation::less ||
                                   rel == Relation::lessOrEqual);
        }
        c = x < y ? -1 : (x > y ? 1 : 0);
    }
    switch (rel) {
    case Relation::equal:
        return setTruth(r, c == 0);
    case Relation::notEqual:
        return setTruth(r, c != 0);
    case Relation::less:
        return setTruth(r, c < 0);
    case Relation::greater:
        return setTruth(r, c > 0);
    case Relation::lessOrEqual:
        return setTruth(r, c <= 0);
    case Relation::greaterOrEqual:
        return setTruth(r, c >= 0);
    }
}

template <class BlockOp>
void bitwise(Number &r, const Number &a, const Number &b, BlockOp op) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    if (a.kind != Integer || b.kind != Integer) return setNoValue(r, NoValueReason::bitwiseOfFloat);
    const BigUnsigned &x = a.integerValue.getMagnitude();
    const BigUnsigned &y = b.integerValue.getMagnitude();
    BigUnsigned::Index n = std::max(x.getLength(), y.getLength());
    std::vector<BigUnsigned::Blk> blocks(n);
    for (BigUnsigned::Index i = 0; i < n; ++i)
        blocks[i] = op(x.blockAt(i), y.blockAt(i));
    BigUnsigned magnitude(blocks.data(), n);
    // The sign is the right operand's; a zero right operand counts as positive.
    BigInteger::Sign sign = b.integerValue.getSign() == BigInteger::negative ? BigInteger::negative
                                                                             : BigInteger::positive;
    setInteger(r, BigInteger(magnitude, sign));
}

// The count of a shift, when it is an Integer from 0 to 2^31 - 1.
bool shiftCount(const Number &count, int &out) {
    if (count.kind != Integer || count.integerValue.getSign() == BigInteger::negative) return false;
    const BigUnsigned &m = count.integerValue.getMagnitude();
    if (m.getLength() > 1 || m.blockAt(0) > std::uint32_t(INT_MAX)) return false;
    out = int(m.blockAt(0));
    return true;
}

// Whether a can be shifted by count, with the count in n; else r has no value, and why.
bool shiftable(Number &r, const Number &a, const Number &count, int &n) {
    if (anyNoValue(a, count)) return passNoValue(r, a, count), false;
    if (a.kind != Integer) return setNoValue(r, NoValueReason::shiftOfFloat), false;
    if (!shiftCount(count, n)) return setNoValue(r, NoValueReason::shiftCountRange), false;
    return true;
}

} // namespace

void equal(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::equal);
}
void notEqual(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::notEqual);
}
void less(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::less);
}
void greater(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::greater);
}
void lessOrEqual(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::lessOrEqual);
}
void greaterOrEqual(Number &r, const Number &a, const Number &b) {
    compareNumbers(r, a, b, Relation::greaterOrEqual);
}

void logicalOr(Number &r, const Number &a, const Number &b) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    setTruth(r, truthValue(a) || truthValue(b));
}

void logicalAnd(Number &r, const Number &a, const Number &b) {
    if (anyNoValue(a, b)) return passNoValue(r, a, b);
    setTruth(r, truthValue(a) && truthValue(b));
}

void logicalNot(Number &r, const Number &x) {
    if (anyNoValue(x)) return passNoValue(r, x);
    setTruth(r, !truthValue(x));
}

void bitwiseOr(Number &r, const Number &a, const Number &b) {
    bitwise(r, a, b, [](std::uint32_t x, std::uint32_t y) { return x | y; });
}
void bitwiseXor(Number &r, const Number &a, const Number &b) {
    bitwise(r, a, b, [](std::uint32_t x, std::uint32_t y) { return x ^ y; });
}
void bitwiseAnd(Number &r, const Number &a, const Number &b) {
    bitwise(r, a, b, [](std::uint32_t x, std::uint32_t y) { return x & y; });
}

void complement(Number &r, const Number &x) {
    if (anyNoValue(x)) return passNoValue(r, x);
    if (x.kind != Integer) return setNoValue(r, NoValueReason::bitwiseOfFloat);
    const BigUnsigned &m = x.integerValue.getMagnitude();
    std::vector<BigUnsigned::Blk> blocks(m.getLength());
    for (BigUnsigned::Index i = 0; i < m.getLength(); ++i)
        blocks[i] = ~m.getBlock(i);
    BigUnsigned inverted(blocks.data(), m.getLength());
    BigInteger::Sign sign = x.integerValue.getSign() == BigInteger::negative ? BigInteger::negative
                                                                             : BigInteger::positive;
    setInteger(r, BigInteger(inverted, sign));
}

void shiftLeft(Number &r, const Number &a, const Number &count) {
    int n;
    if (!shiftable(r, a, count, n)) return;
    if (limitedRange(r)) {
        // The shift moves the magnitude; bits shifted past the range's width are gone.
        if (n >= r.rangeBits) return setLowBits(r, 0);
        const BigUnsigned &m = a.integerValue.getMagnitude();
        const std::uint64_t low = (std::uint64_t(m.blockAt(1)) << 32) | m.blockAt(0);
        return setLowBits(r, low << n);
    }
    const std::uint64_t bits = a.integerValue.getMagnitude().bitLength();
    if (bits != 0 && bits + std::uint64_t(n) > resultBudget::maxBits())
        return setNoValue(r, NoValueReason::overBudget);
    BigUnsigned m;
    m.bitShiftLeft(a.integerValue.getMagnitude(), n);
    setInteger(r, BigInteger(std::move(m)));
}

void shiftRight(Number &r, const Number &a, const Number &count) {
    int n;
    if (!shiftable(r, a, count, n)) return;
    BigUnsigned m;
    m.bitShiftRight(a.integerValue.getMagnitude(), n);
    setInteger(r, BigInteger(std::move(m)));
}

} // namespace ops
