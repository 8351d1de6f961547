// SPDX-License-Identifier: MIT
// The odd primes up to n, from the compiled table and from the sieve: their count and the
// largest at the bounds of each, and every one of them against trial division on both sides
// of the switch.

#include "bigint/primes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

bool isPrime(std::uint32_t x) {
    if (x < 2) return false;
    for (std::uint32_t d = 2; d * d <= x; ++d)
        if (x % d == 0) return false;
    return true;
}

TEST(Primes, CountsAndLargestAtTheBounds) {
    const struct {
        std::uint32_t n;
        std::size_t count;
        std::uint32_t largest; // 0: none
    } cases[] = {
        {0, 0, 0},
        {2, 0, 0},
        {3, 1, 3},
        {4, 1, 3},
        {100, 24, 97},
        {32749, 3511, 32749},
        {32767, 3511, 32749}, // the last n of the table
        {32768, 3511, 32749}, // the first n of the sieve
        {32771, 3512, 32771},
        {100000, 9591, 99991},
        {1000000, 78497, 999983},
    };
    for (const auto &c : cases) {
        std::vector<std::uint32_t> storage;
        const auto primes = bigint::oddPrimesUpTo(c.n, storage);
        EXPECT_EQ(primes.size(), c.count) << c.n;
        EXPECT_EQ(primes.empty() ? 0 : primes.back(), c.largest) << c.n;
    }
}

TEST(Primes, EveryOneAgainstTrialDivision) {
    for (const std::uint32_t n : {std::uint32_t(32767), std::uint32_t(40000)}) {
        std::vector<std::uint32_t> storage;
        const auto primes = bigint::oddPrimesUpTo(n, storage);
        std::size_t at = 0;
        for (std::uint32_t x = 3; x <= n; x += 2) {
            if (!isPrime(x)) continue;
            ASSERT_LT(at, primes.size()) << n;
            ASSERT_EQ(primes[at], x) << n;
            ++at;
        }
        EXPECT_EQ(at, primes.size()) << n;
    }
}

} // namespace
