// SPDX-License-Identifier: MIT
// n! against GMP's factorial at every n to 600 (the levels of odd numbers, the packing of
// the words and the products of up to a few dozen words one by one) and at sizes around the
// splits into halves and the transform multiplication; and an interruption stops it.

#include "bigint/factorial.h"
#include "bigint/interrupt.h"
#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

bool equalsGmpFactorial(std::uint32_t n) {
    Mpz expected;
    mpz_fac_ui(expected, n);
    return mpz_cmp(Mpz(factorial(n)), expected) == 0;
}

TEST(Factorial, EqualsGmpAtEverySmallSize) {
    for (std::uint32_t n = 0; n <= 600; ++n)
        ASSERT_TRUE(equalsGmpFactorial(n)) << n;
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
