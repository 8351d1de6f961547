// SPDX-License-Identifier: MIT
// n! against GMP's factorial at every n to 600 (the levels of odd numbers, the packing of
// the words and the products of up to a few dozen words one by one) and at sizes around the
// splits into halves and the transform multiplication; and an interruption stops it.

#include "bigint/factorial.h"
#include "bigint/interrupt.h"
#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

bool equalsGmpFactorial(std::uint32_t n) {
    Mpz expected;
    mpz_fac_ui(expected, n);
    return mpz_cmp(Mpz(factorial(n)), expected) == 0;
}

TEST(Factorial, EqualsGmpAtEverySmallSize) {
    for (std::uint32_t n = 0; n <= 3000; ++n)
        ASSERT_TRUE(equalsGmpFactorial(n)) << n;
}

TEST(Factorial, EqualsGmpAroundTheCrossovers) {
    const struct {
        std::uint32_t n;
        const char *why;
    } cases[] = {
        {0, "empty product"},
        {1, "empty product"},
        {2, "no odd factor"},
        {3, "the smallest odd prime"},
        {13, "a small prime"},
        {25, "the last odd part that fits one word"},
        {26, "the first that needs two"},
        {255, "the last n from the levels of odd numbers"},
        {256, "the first n from the swing, a power of two"},
        {257, "a prime just past the swing's start"},
        {32749, "the largest prime in the compiled table"},
        {32767, "the last n served by the table of primes"},
        {32768, "the first n whose primes are sieved"},
        {32771, "the first prime only the sieve knows"},
        {131071, "a prime one below a power of two"},
        {131072, "a power of two"},
        {262139, "a prime, transform-sized squares"},
    };
    for (const auto &c : cases)
        EXPECT_TRUE(equalsGmpFactorial(c.n)) << c.n << ": " << c.why;
}

// n! mod p by n - 1 multiplications, for an oracle of the largest n.
std::uint32_t factorialModulo(std::uint32_t n, std::uint32_t p) {
    std::uint64_t r = 1;
    for (std::uint64_t k = 2; k <= n; ++k)
        r = r * k % p;
    return std::uint32_t(r);
}

// The largest n whose factorial the calculator computes: its estimate of the size is within
// its result budget, 332 192 810 bits (number/resultBudget.h), while 14842908! is refused
// unmade. GMP takes seconds there, so the value is checked by its residues modulo primes
// above n, its length and its factors 2. n is itself prime, the top swing's largest factor.
TEST(Factorial, LargestTheCalculatorComputes) {
    constexpr std::uint32_t n = 14842907;
    const BigUnsigned f = factorial(n);
    // log2(n!) is 332192810.968..., far enough from an integer for lgamma.
    const long double log2 = std::lgamma(static_cast<long double>(n) + 1) / std::log(2.0L);
    EXPECT_EQ(f.bitLength(), std::uint64_t(log2) + 1);
    BigUnsigned::Index zeros = 0;
    while (f.getBlock(zeros) == 0)
        ++zeros;
    EXPECT_EQ(32 * zeros + std::uint32_t(std::countr_zero(f.getBlock(zeros))),
              n - std::uint32_t(std::popcount(n)));
    for (const std::uint32_t p : {4294967291u, 4294967279u}) {
        BigUnsigned r = f, q;
        r.divideWithRemainder(BigUnsigned(p), q);
        EXPECT_EQ(r.toUInt32(), factorialModulo(n, p)) << p;
    }
}

TEST(Factorial, EqualsGmpAroundSplitsAndPowersOfTwo) {
    const std::uint32_t sizes[] = {1023, 1024, 1025, 2047,  2048,  4095,  4096,  4097,
                                   5000, 8191, 8192, 10007, 20000, 65535, 65536, 100001};
    for (const std::uint32_t n : sizes)
        EXPECT_TRUE(equalsGmpFactorial(n)) << n;
}

TEST(Factorial, StopsWhenInterrupted) {
    struct Clear {
        ~Clear() { bigint::clearInterrupt(); }
    } clear;
    bigint::requestInterrupt();
    EXPECT_THROW(factorial(200000), bigint::Interrupted);
}

} // namespace
