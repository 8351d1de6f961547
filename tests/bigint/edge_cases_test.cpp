// SPDX-License-Identifier: MIT
// Named edge cases of the big integers: normal form, block boundaries, shifts, floor
// division signs, conversions to primitive types, and aliasing.

#include "tests/bigint/test_support.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(BigUnsignedNormalForm, ZeroHasNoBlocks) {
    BigUnsigned five(5u), x;
    x.subtract(five, five);
    EXPECT_EQ(x.getLength(), 0u);
    x.multiply(BigUnsigned(), U("123456789012345678901234567890"));
    EXPECT_EQ(x.getLength(), 0u);
    x.bitShiftLeft(BigUnsigned(), 64);
    EXPECT_EQ(x.getLength(), 0u);
    x.bitShiftRight(U("4294967296"), 33);
    EXPECT_EQ(x.getLength(), 0u);
    x.bitShiftRight(U("4294967296"), 64);
    EXPECT_EQ(x.getLength(), 0u);
    BigUnsigned one(1u);
    --one;
    EXPECT_EQ(one.getLength(), 0u);
}

TEST(BigUnsignedNormalForm, CarriesAndBorrowsAcrossTheBlockBoundary) {
    BigUnsigned x;
    x.add(BigUnsigned(0xFFFFFFFFu), BigUnsigned(1u));
    ASSERT_EQ(x.getLength(), 2u);
    EXPECT_EQ(x.getBlock(0), 0u);
    EXPECT_EQ(x.getBlock(1), 1u);
    BigUnsigned y;
    y.subtract(x, BigUnsigned(1u));
    ASSERT_EQ(y.getLength(), 1u);
    EXPECT_EQ(y.getBlock(0), 0xFFFFFFFFu);
    ++y;
    EXPECT_EQ(y, x);
    --y;
    EXPECT_EQ(y.getLength(), 1u);
}

TEST(BigUnsignedBlocks, SetBlockAtKeepsNormalForm) {
    BigUnsigned x;
    x.setBlockAt(3, 7);
    EXPECT_EQ(x.getLength(), 4u);
    EXPECT_EQ(x.blockAt(0), 0u);
    EXPECT_EQ(x.blockAt(3), 7u);
    EXPECT_EQ(x.blockAt(10), 0u);
    x.setBlockAt(9, 0); // beyond the length: nothing
    EXPECT_EQ(x.getLength(), 4u);
    x.setBlockAt(3, 0); // the top block: normalised back to zero
    EXPECT_EQ(x.getLength(), 0u);
}

TEST(NumberlikeArray, GrowthIsExactAndCopiesAreTight) {
    BigUnsigned big = U("340282366920938463463374607431768211455"); // 2^128 - 1
    BigUnsigned x;
    x.add(big, BigUnsigned(1u)); // sized longer + 1
    EXPECT_EQ(x.getCapacity(), 5u);
    x.subtract(x, big); // computed in a temporary, assigned: capacity does not shrink
    EXPECT_EQ(x.getLength(), 1u);
    EXPECT_EQ(x.getCapacity(), 5u);
    BigUnsigned copy(x);
    EXPECT_EQ(copy.getCapacity(), 1u);
    BigUnsigned p;
    p.multiply(big, big);
    EXPECT_EQ(p.getCapacity(), 8u);
    BigUnsigned s;
    s.bitShiftLeft(BigUnsigned(1u), 64);
    EXPECT_EQ(s.getCapacity(), 4u); // length + block shift + 1
    EXPECT_EQ(s.getLength(), 3u);
}

struct ShiftCase {
    const char *value;
    int amount;
    bool left;
    const char *expected;
};

TEST(BigUnsignedShift, AmountsOfEverySign) {
    const ShiftCase cases[] = {
        {"1", 0, true, "1"},
        {"1", 31, true, "2147483648"},
        {"1", 32, true, "4294967296"},
        {"3", 63, true, "27670116110564327424"},
        {"24", -3, true, "3"},
        {"24", 3, false, "3"},
        {"3", -3, false, "24"},
        {"18446744073709551616", 64, false, "1"},
        {"18446744073709551615", 63, false, "1"},
        {"18446744073709551615", 65, false, "0"},
        {"5", INT_MAX, false, "0"},
        {"0", INT_MAX, true, "0"},
    };
    for (const auto &c : cases) {
        BigUnsigned x;
        if (c.left)
            x.bitShiftLeft(U(c.value), c.amount);
        else
            x.bitShiftRight(U(c.value), c.amount);
        EXPECT_EQ(str(x), c.expected) << c.value << (c.left ? " << " : " >> ") << c.amount;
    }
}

TEST(BigUnsignedDivision, ShortDividendsAndZeroDivisors) {
    BigUnsigned r = U("12345"), q(7u);
    r.divideWithRemainder(U("18446744073709551616"), q);
    EXPECT_EQ(str(r), "12345");
    EXPECT_TRUE(q.isZero());
    q = BigUnsigned(7u);
    r.divideWithRemainder(BigUnsigned(), q);
    EXPECT_EQ(str(r), "12345");
    EXPECT_TRUE(q.isZero());
}

struct FloorCase {
    int dividend, divisor, quotient, remainder;
};

TEST(BigIntegerDivision, RoundsTowardsNegativeInfinity) {
    const FloorCase cases[] = {
        {-7, 2, -4, 1}, {7, -2, -4, -1}, {-7, -2, 3, -1}, {7, 2, 3, 1},  {-6, 3, -2, 0},
        {6, -3, -2, 0}, {1, -5, -1, -4}, {-1, 5, -1, 4},  {0, -5, 0, 0}, {5, 0, 0, 5},
    };
    for (const auto &c : cases) {
        BigInteger r(c.dividend), q(99);
        r.divideWithRemainder(BigInteger(c.divisor), q);
        EXPECT_EQ(q, BigInteger(c.quotient)) << c.dividend << " / " << c.divisor;
        EXPECT_EQ(r, BigInteger(c.remainder)) << c.dividend << " % " << c.divisor;
        // A zero remainder or quotient carries the sign zero, never a signed zero.
        if (c.remainder == 0) {
            EXPECT_EQ(r.getSign(), BigInteger::zero);
        }
        if (c.quotient == 0) {
            EXPECT_EQ(q.getSign(), BigInteger::zero);
        }
        if (c.divisor != 0) {
            EXPECT_EQ(BigInteger(c.dividend) / BigInteger(c.divisor), BigInteger(c.quotient));
            EXPECT_EQ(BigInteger(c.dividend) % BigInteger(c.divisor), BigInteger(c.remainder));
        }
    }
}

TEST(BigIntegerConversion, Int32Boundaries) {
    EXPECT_EQ(I("-2147483648").toInt32(), INT_MIN);
    EXPECT_EQ(I("2147483647").toInt32(), INT_MAX);
    EXPECT_EQ(I("0").toInt32(), 0);
    EXPECT_EQ(I("4294967295").toUInt32(), 4294967295u);
    EXPECT_EQ(BigUnsigned(65535u).toUInt16(), 65535u);
    EXPECT_EQ(str(BigInteger(INT_MIN).getMagnitude()), "2147483648");
    EXPECT_EQ(BigInteger(INT_MIN).getSign(), BigInteger::negative);
}

TEST(BigUnsignedGcd, EuclidIncludingZeros) {
    EXPECT_EQ(str(greatestCommonDivisor(U("12"), U("18"))), "6");
    EXPECT_EQ(str(greatestCommonDivisor(U("0"), U("7"))), "7");
    EXPECT_EQ(str(greatestCommonDivisor(U("7"), U("0"))), "7");
    EXPECT_EQ(str(greatestCommonDivisor(U("0"), U("0"))), "0");
    EXPECT_EQ(str(greatestCommonDivisor(U("18446744073709551616"),
                                        U("340282366920938463463374607431768211456"))),
              "18446744073709551616");
}

TEST(Aliasing, TargetAsOperand) {
    BigUnsigned a = U("98765432109876543210");
    BigUnsigned s = a;
    s.add(s, s);
    EXPECT_EQ(str(s), "197530864219753086420");
    BigUnsigned m = a;
    m.multiply(m, m);
    EXPECT_EQ(str(m), "9754610579850632525677488187778997104100");
    BigUnsigned z = a;
    z.subtract(z, z);
    EXPECT_TRUE(z.isZero());
    BigUnsigned l = a;
    l.bitShiftLeft(l, 4);
    EXPECT_EQ(str(l), "1580246913758024691360");

    BigInteger i = I("-98765432109876543210");
    i.add(i, i);
    EXPECT_EQ(str(i), "-197530864219753086420");
    BigInteger j = I("-3");
    j.multiply(j, j);
    EXPECT_EQ(str(j), "9");
    BigInteger k = I("-3");
    k.subtract(k, k);
    EXPECT_EQ(k.getSign(), BigInteger::zero);
    BigInteger n = I("5");
    n.negate(n);
    EXPECT_EQ(str(n), "-5");

    // The divisor may be the dividend or the quotient object.
    BigInteger d = I("-7"), q;
    d.divideWithRemainder(d, q);
    EXPECT_EQ(str(q), "1");
    EXPECT_TRUE(d.isZero());
    BigInteger e = I("-7"), b = I("2");
    e.divideWithRemainder(b, b);
    EXPECT_EQ(str(b), "-4");
    EXPECT_EQ(str(e), "1");
}

} // namespace
