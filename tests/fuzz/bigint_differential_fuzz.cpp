// SPDX-License-Identifier: MIT
// Differential fuzzing of the big integers against GMP: operands of sizes around every
// crossover of the kernel dispatchers (Karatsuba, Toom-3, the transform, recursive
// division, the radix conversions), filled from the input with random blocks, all ones, a
// lone high bit or long runs of zeros and ones; one operation on them; the result compared
// with GMP's. Any difference aborts.

#include "bigint/BigInteger.h"
#include "bigint/textConversion.h"
#include "bigint/tuning.h"
#include "fuzz_support.h"
#include "tests/bigint/gmp_oracle.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

using namespace bigint;
using Blk = BigUnsigned::Blk;

// Each crossover, one below it and one above it, and the sizes between.
const std::vector<std::size_t> &interestingSizes() {
    static const std::vector<std::size_t> sizes = [] {
        std::vector<std::size_t> s{0, 1, 2, 3, 5, 8, 13, 300, 1000};
        for (std::size_t t :
             {karatsubaThreshold, karatsubaSquareThreshold, toom3Threshold, toom3SquareThreshold,
              nttThreshold, nttSquareThreshold, divideDivideAndConquerThreshold,
              2 * divideDivideAndConquerThreshold, toDigitsDivideAndConquerThreshold,
              fromDigitsDivideAndConquerThreshold, 2 * nttThreshold, 3 * toom3Threshold})
            for (std::size_t d : {t - 1, t, t + 1})
                s.push_back(d);
        return s;
    }();
    return sizes;
}

BigInteger operand(FuzzInput &in) {
    const auto &sizes = interestingSizes();
    const std::size_t length = sizes[in.pick(unsigned(sizes.size()))];
    const unsigned pattern = in.pick(5);
    std::uint32_t state = 0x9E3779B9u ^ (in.pick(256) << 8) ^ in.pick(256);
    auto next = [&] { // xorshift: cheap blocks that depend on the input
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<Blk> blocks(length);
    switch (pattern) {
    case 0: // random blocks
        for (Blk &b : blocks)
            b = next();
        break;
    case 1: // all ones: every carry and borrow runs the whole length
        std::fill(blocks.begin(), blocks.end(), ~Blk(0));
        break;
    case 2: // a lone high bit, a power of two
        if (length) blocks.back() = Blk(1) << (next() % 32);
        break;
    case 3: { // long runs of zero and one bits
        bool ones = next() & 1;
        for (std::size_t bit = 0; bit < 32 * length;) {
            const std::size_t run = 1 + next() % (64 * 32);
            for (std::size_t i = bit; i < std::min(bit + run, 32 * length); ++i)
                if (ones) blocks[i / 32] |= Blk(1) << (i % 32);
            bit += run;
            ones = !ones;
        }
        break;
    }
    default: // random, but the top block small: lengths just over a crossover
        for (Blk &b : blocks)
            b = next();
        if (length) blocks.back() &= 0xFF;
        break;
    }
    BigUnsigned magnitude(blocks.data(), BigUnsigned::Index(blocks.size()));
    return BigInteger(magnitude, in.pick(2) ? BigInteger::negative : BigInteger::positive);
}

void expectSame(const BigInteger &got, mpz_srcptr want) {
    Mpz g;
    setMpz(g, got);
    if (mpz_cmp(g, want) != 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput in(data, size);
    const unsigned operation = in.pick(9);
    const BigInteger a = operand(in), b = operand(in);
    Mpz x, y, want, rest;
    setMpz(x, a);
    setMpz(y, b);
    switch (operation) {
    case 0:
        mpz_add(want, x, y);
        expectSame(a + b, want);
        break;
    case 1:
        mpz_sub(want, x, y);
        expectSame(a - b, want);
        break;
    case 2:
        mpz_mul(want, x, y);
        expectSame(a * b, want);
        break;
    case 3: // a square: both operands the same value
        mpz_mul(want, x, x);
        expectSame(a * a, want);
        break;
    case 4: { // floor division and its remainder
        if (b.isZero()) break;
        BigInteger remainder = a, quotient;
        remainder.divideWithRemainder(b, quotient);
        mpz_fdiv_qr(want, rest, x, y);
        expectSame(quotient, want);
        expectSame(remainder, rest);
        break;
    }
    case 5: { // shifts of the magnitude, both ways
        const int n = int(in.pick(256)) * 37 % 4096;
        BigUnsigned left, right;
        left.bitShiftLeft(a.getMagnitude(), n);
        right.bitShiftRight(a.getMagnitude(), n);
        mpz_abs(x, x);
        mpz_mul_2exp(want, x, mp_bitcnt_t(n));
        expectSame(BigInteger(left), want);
        mpz_fdiv_q_2exp(want, x, mp_bitcnt_t(n));
        expectSame(BigInteger(right), want);
        break;
    }
    case 6: { // a small power, as repeated products
        const unsigned e = in.pick(9);
        BigInteger p = 1;
        for (unsigned i = 0; i < e; ++i)
            p = p * a;
        mpz_pow_ui(want, x, e);
        expectSame(p, want);
        break;
    }
    default: { // digit texts in every base, written and read back
        const unsigned short base = static_cast<unsigned short>(2 + in.pick(35));
        const std::string text = integerToText(a, base);
        if (text != gmpDigits(x, -int(base))) std::abort();
        expectSame(textToInteger(text, base), x);
        break;
    }
    }
    return 0;
}
