// SPDX-License-Identifier: MIT
// Every failure message, letter for letter, and the state each failure leaves behind.

#include "tests/bigint/test_support.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Lets a test plant an impossible sign, which only a broken caller could produce.
struct CorruptibleInteger : BigInteger {
    explicit CorruptibleInteger(int s) { sign = Sign(s); }
};

struct FailureCase {
    const char *name;
    std::function<void()> action;
    const char *message;
};

TEST(BigIntegerFailures, MessagesAreExact) {
    const FailureCase cases[] = {
        {"negative to BigUnsigned", [] { BigUnsigned x(-1); },
         "BigUnsigned constructor: Cannot construct a BigUnsigned from a negative number"},
        {"3 - 5",
         [] {
             BigUnsigned x;
             x.subtract(BigUnsigned(3u), BigUnsigned(5u));
         },
         "BigUnsigned::subtract: Negative result in unsigned calculation"},
        {"unsigned quotient is target",
         [] {
             BigUnsigned x(5u);
             x.divideWithRemainder(BigUnsigned(2u), x);
         },
         "BigUnsigned::divideWithRemainder: Cannot write quotient and remainder into the same "
         "variable"},
        {"left -2^31",
         [] {
             BigUnsigned x;
             x.bitShiftLeft(BigUnsigned(1u), INT_MIN);
         },
         "BigUnsigned::bitShiftLeft: Pathological shift amount not implemented"},
        {"right -2^31",
         [] {
             BigUnsigned x;
             x.bitShiftRight(BigUnsigned(1u), INT_MIN);
         },
         "BigUnsigned::bitShiftRight: Pathological shift amount not implemented"},
        {"decrement zero",
         [] {
             BigUnsigned x;
             --x;
         },
         "BigUnsigned::operator --(): Cannot decrement an unsigned zero"},
        {"toUInt32 of 2^32", [] { U("4294967296").toUInt32(); },
         "BigUnsigned::to<Primitive>: Value is too big to fit in the requested type"},
        {"toUInt16 of 65536", [] { BigUnsigned(65536u).toUInt16(); },
         "BigUnsigned::to<Primitive>: Value is too big to fit in the requested type"},
        {"BigInteger toUInt32 of 2^32", [] { I("4294967296").toUInt32(); },
         "BigUnsigned::to<Primitive>: Value is too big to fit in the requested type"},
        {"zero sign, nonzero magnitude", [] { BigInteger x(BigUnsigned(1u), BigInteger::zero); },
         "BigInteger::BigInteger(const BigUnsigned &, Sign): Cannot use a sign of zero with a "
         "nonzero magnitude"},
        {"invalid sign", [] { BigInteger x(BigUnsigned(1u), BigInteger::Sign(2)); },
         "BigInteger::BigInteger(const BigUnsigned &, Sign): Invalid sign"},
        {"toUInt32 of -1", [] { BigInteger(-1).toUInt32(); },
         "BigInteger::to<Primitive>: Cannot convert a negative integer to an unsigned type"},
        {"toInt32 of 2^31", [] { I("2147483648").toInt32(); },
         "BigInteger::to<Primitive>: Value is too big to fit in the requested type"},
        {"toInt32 of -2^31-1", [] { I("-2147483649").toInt32(); },
         "BigInteger::to<Primitive>: Value is too big to fit in the requested type"},
        {"toInt32 of 2^32", [] { I("4294967296").toInt32(); },
         "BigInteger::to<Primitive>: Value is too big to fit in the requested type"},
        {"compare with a broken sign", [] { CorruptibleInteger(2).compare(CorruptibleInteger(2)); },
         "BigInteger internal error"},
        {"signed quotient is target",
         [] {
             BigInteger x(5);
             x.divideWithRemainder(BigInteger(2), x);
         },
         "BigInteger::divideWithRemainder: Cannot write quotient and remainder into the same "
         "variable"},
        {"operator /", [] { BigInteger(5) / BigInteger(); },
         "BigInteger::operator /: division by zero"},
        {"operator %", [] { BigInteger(5) % BigInteger(); },
         "BigInteger::operator %: division by zero"},
        {"operator /=",
         [] {
             BigInteger x(5);
             x /= BigInteger();
         },
         "BigInteger::operator /=: division by zero"},
        {"operator %=",
         [] {
             BigInteger x(5);
             x %= BigInteger();
         },
         "BigInteger::operator %=: division by zero"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(failureOf(c.action), c.message) << c.name;
}

TEST(BigIntegerFailures, SubtractLeavesTargetAloneOrZero) {
    // Shorter minuend: detected before anything is written.
    BigUnsigned target(42u);
    EXPECT_NE(failureOf([&] { target.subtract(BigUnsigned(3u), U("4294967296")); }), "");
    EXPECT_EQ(str(target), "42");
    // Same length: the borrow is only found at the end, the target then holds zero.
    EXPECT_NE(failureOf([&] { target.subtract(BigUnsigned(3u), BigUnsigned(5u)); }), "");
    EXPECT_TRUE(target.isZero());
    // A target that is an operand computes in a temporary and keeps its value.
    BigUnsigned three(3u);
    EXPECT_NE(failureOf([&] { three.subtract(three, BigUnsigned(5u)); }), "");
    EXPECT_EQ(str(three), "3");
}

TEST(BigIntegerFailures, OperandsKeepTheirValues) {
    BigUnsigned zero;
    EXPECT_NE(failureOf([&] { --zero; }), "");
    EXPECT_TRUE(zero.isZero());
    BigInteger x(5);
    EXPECT_NE(failureOf([&] { x /= BigInteger(); }), "");
    EXPECT_NE(failureOf([&] { x %= BigInteger(); }), "");
    EXPECT_NE(failureOf([&] { x.divideWithRemainder(BigInteger(2), x); }), "");
    EXPECT_EQ(str(x), "5");
    BigUnsigned s(9u);
    EXPECT_NE(failureOf([&] { s.bitShiftLeft(s, INT_MIN); }), "");
    EXPECT_EQ(str(s), "9");
}

} // namespace
