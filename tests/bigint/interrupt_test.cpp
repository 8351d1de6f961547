// SPDX-License-Identifier: MIT
// A requested interruption stops every long operation with Interrupted, on one thread or on
// the two that share the largest transforms, and leaves the operands and the next
// operations as they were.

#include "bigint/BigInteger.h"
#include "bigint/BigUnsigned.h"
#include "bigint/interrupt.h"
#include "bigint/textConversion.h"
#include "bigint/tuning.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

BigUnsigned randomOf(std::size_t blocks, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<BigUnsigned::Blk> b(blocks);
    for (auto &x : b)
        x = random();
    b.back() |= 1u << 31;
    return BigUnsigned(b.data(), BigUnsigned::Index(blocks));
}

struct Clear {
    ~Clear() { bigint::clearInterrupt(); }
};

TEST(Interrupt, StopsLongOperationsOfEverySize) {
    // Karatsuba sizes (squares reach them later than products), one-thread transforms, and
    // transforms long enough for two threads. (Divisions and conversions of a few hundred
    // blocks take microseconds and run through.)
    static_assert(bigint::karatsubaSquareThreshold < bigint::nttSquareThreshold &&
                  bigint::karatsubaThreshold <= bigint::karatsubaSquareThreshold);
    for (const std::size_t blocks :
         {bigint::karatsubaSquareThreshold, std::size_t(5000), std::size_t(400000)}) {
        const BigUnsigned a = randomOf(blocks, 1), b = randomOf(blocks, 2);
        const BigInteger product = BigInteger(a * b), divisor(a);
        struct Operation {
            const char *name;
            bool atEverySize; // else only where it takes more than microseconds
            std::function<void()> run;
        };
        const Operation operations[] = {
            {"product", true, [&] { BigUnsigned r = a * b; }},
            {"square", true, [&] { BigUnsigned r = a * a; }},
            {"quotient", false, [&] { BigInteger r = product / divisor; }},
            {"digits", false, [&] { (void)integerToText(BigInteger(a), 10); }},
        };
        for (const auto &[name, atEverySize, operation] : operations) {
            if (blocks < 1000 && !atEverySize) continue;
            Clear clear;
            bigint::requestInterrupt();
            EXPECT_THROW(operation(), bigint::Interrupted) << name << " of " << blocks;
        }
        // Nothing the interrupted work touched stays wrong.
        EXPECT_EQ(product / divisor, BigInteger(b)) << blocks;
    }
}

} // namespace
