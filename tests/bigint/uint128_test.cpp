// SPDX-License-Identifier: MIT
// The two-halves 128-bit integer of 32-bit processors: every operator the limb loops use
// against the compiler's own type where there is one, and the division's identities
// everywhere, on values at the 32- and 64-bit edges and on random ones.

#include "bigint/uint128.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using bigint::PortableUInt128;
using std::uint64_t;

std::vector<PortableUInt128> sampleValues() {
    const uint64_t edges[] = {0,
                              1,
                              2,
                              3,
                              0xFFFFFFFFu,
                              0x100000000u,
                              0x1FFFFFFFFu,
                              uint64_t(1) << 63,
                              (uint64_t(1) << 63) - 1,
                              10000000000000000000u,
                              ~uint64_t(0) - 1,
                              ~uint64_t(0)};
    std::vector<PortableUInt128> values;
    for (uint64_t high : {uint64_t(0), uint64_t(1), uint64_t(0xFFFFFFFFu), ~uint64_t(0)})
        for (uint64_t low : edges)
            values.emplace_back(high, low);
    std::mt19937_64 random(29);
    for (int i = 0; i < 60; ++i) {
        // Random bit lengths, so that short dividends and divisors come up as well.
        const int bits = int(random() % 128) + 1;
        const PortableUInt128 v(random(), random());
        values.push_back(v >> (128 - bits));
    }
    return values;
}

TEST(UInt128Test, ProductOfTwoLimbsIsWhole) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        const uint64_t a = i < 4 ? ~uint64_t(0) >> (16 * i) : random(),
                       b = i < 4 ? ~uint64_t(0) : random();
        const PortableUInt128 p = PortableUInt128::product(a, b);
        // The low limb is the wrapping 64-bit product; the whole one divides back to a.
        EXPECT_EQ(p.low(), a * b);
        if (b != 0) {
            EXPECT_EQ(p / PortableUInt128(b), PortableUInt128(a)) << a << " * " << b;
            EXPECT_EQ(p % PortableUInt128(b), PortableUInt128(0));
        }
    }
}

TEST(UInt128Test, DivisionIdentities) {
    const std::vector<PortableUInt128> values = sampleValues();
    for (const PortableUInt128 &a : values) {
        for (const PortableUInt128 &b : values) {
            if (b == PortableUInt128(0)) continue;
            const PortableUInt128 q = a / b, r = a % b;
            EXPECT_LT(r, b);
            EXPECT_EQ(q * b + r, a)
                << a.high() << ":" << a.low() << " / " << b.high() << ":" << b.low();
        }
    }
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Native;

Native native(PortableUInt128 x) {
    return Native(x.high()) << 64 | x.low();
}
PortableUInt128 portable(Native x) {
    return {uint64_t(x >> 64), uint64_t(x)};
}

TEST(UInt128Test, SameAsTheNativeType) {
    const std::vector<PortableUInt128> values = sampleValues();
    for (const PortableUInt128 &a : values) {
        const Native x = native(a);
        EXPECT_EQ(~a, portable(~x));
        for (int n : {0, 1, 31, 32, 33, 63, 64, 65, 100, 127}) {
            EXPECT_EQ(a << n, portable(x << n)) << n;
            EXPECT_EQ(a >> n, portable(x >> n)) << n;
        }
        EXPECT_EQ(PortableUInt128::product(a.low(), a.high()),
                  portable(Native(a.low()) * a.high()));
        for (const PortableUInt128 &b : values) {
            const Native y = native(b);
            EXPECT_EQ(a + b, portable(x + y));
            EXPECT_EQ(a - b, portable(x - y));
            EXPECT_EQ(a * b, portable(x * y));
            EXPECT_EQ(a & b, portable(x & y));
            EXPECT_EQ(a | b, portable(x | y));
            EXPECT_EQ(a < b, x < y);
            EXPECT_EQ(a <= b, x <= y);
            EXPECT_EQ(a > b, x > y);
            EXPECT_EQ(a >= b, x >= y);
            EXPECT_EQ(a == b, x == y);
            if (y != 0) {
                EXPECT_EQ(a / b, portable(x / y));
                EXPECT_EQ(a % b, portable(x % y));
            }
        }
    }
}

// The compile-time forms agree with the native type too: the reciprocal of 10^19 the decimal
// conversion computes once.
static_assert(uint64_t(~PortableUInt128(0) / 10000000000000000000u) ==
              uint64_t(~Native(0) / 10000000000000000000u));
#endif

} // namespace
