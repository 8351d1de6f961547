// SPDX-License-Identifier: MIT
// Differential tests against GMP of the divide-and-conquer division and radix conversion:
// sizes straddling each threshold of bigint/tuning.h, operands shaped where quotient
// estimates and splits at powers of the base go wrong, and the cache of powers under several
// threads and under a small budget. Random parts use fixed seeds, printed on failure.

#include "bigint/BigUnsigned.h"
#include "bigint/kernels/divide.h"
#include "bigint/kernels/divide_reciprocal.h"
#include "bigint/kernels/radix.h"
#include "bigint/kernels/radix_dc.h"
#include "bigint/textConversion.h"
#include "bigint/tuning.h"

#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Blk = BigUnsigned::Blk;
using Index = BigUnsigned::Index;

constexpr std::size_t divideThreshold = bigint::divideDivideAndConquerThreshold;
constexpr std::size_t toDigitsThreshold = bigint::toDigitsDivideAndConquerThreshold;
constexpr std::size_t fromDigitsThreshold = bigint::fromDigitsDivideAndConquerThreshold;

// GMP's digits of x in upper case.
std::string gmpText(mpz_srcptr x, int base) {
    return gmpDigits(x, -base);
}

std::string hex(const BigUnsigned &x) {
    return "0x" + gmpText(Mpz(x), 16);
}

// Values of n blocks (n >= 1) in a named shape.
enum class Shape { random, topOne, topHalf, topAllOnes, blockPower, powerOfTwo, allOnes, runs };
constexpr Shape divisorShapes[] = {Shape::random,     Shape::topOne,     Shape::topHalf,
                                   Shape::topAllOnes, Shape::blockPower, Shape::powerOfTwo,
                                   Shape::allOnes,    Shape::runs};

BigUnsigned value(std::size_t n, Shape shape, std::mt19937_64 &rng) {
    std::vector<Blk> b(n);
    for (auto &x : b)
        x = Blk(rng());
    switch (shape) {
    case Shape::random:
        b[n - 1] |= 1;
        break;
    case Shape::topOne:
        b[n - 1] = 1;
        break;
    case Shape::topHalf:
        b[n - 1] = 0x80000000;
        break;
    case Shape::topAllOnes:
        b[n - 1] = 0xFFFFFFFF;
        break;
    case Shape::blockPower: // 2^(32(n-1))
        std::fill(b.begin(), b.end(), 0);
        b[n - 1] = 1;
        break;
    case Shape::powerOfTwo:
        std::fill(b.begin(), b.end(), 0);
        b[n - 1] = 0x80000000;
        break;
    case Shape::allOnes:
        std::fill(b.begin(), b.end(), 0xFFFFFFFF);
        break;
    case Shape::runs: { // alternating runs of 0s and 1s, up to 300 bits long
        std::fill(b.begin(), b.end(), 0);
        bool one = rng() & 1;
        for (std::size_t bit = 0; bit < 32 * n; one = !one) {
            for (std::size_t end = std::min(32 * n, bit + 1 + std::size_t(rng() % 300)); bit < end;
                 ++bit)
                b[bit / 32] |= Blk(one) << (bit % 32);
        }
        b[n - 1] |= 0x80000000;
        break;
    }
    }
    return BigUnsigned(b.data(), Index(n));
}

// q * b + r through GMP, r chosen by `remainder`: 0 zero, 1 b - 1, 2 random below b.
BigUnsigned dividend(const BigUnsigned &q, const BigUnsigned &b, int remainder,
                     std::mt19937_64 &rng) {
    Mpz a(q), B(b), r;
    if (remainder == 1) mpz_sub_ui(r, B, 1);
    if (remainder == 2) {
        Mpz x(value(b.getLength(), Shape::random, rng));
        mpz_tdiv_r(r, x, B);
    }
    mpz_mul(a, a, B);
    mpz_add(a, a, r);
    return toUnsigned(a);
}

// Divides a by b into targets holding stale values and compares with GMP.
void checkDivision(const BigUnsigned &a, const BigUnsigned &b, const std::string &at) {
    Mpz wantQ, wantR;
    mpz_tdiv_qr(wantQ, wantR, Mpz(a), Mpz(b));
    BigUnsigned r = a, q = a;
    r.divideWithRemainder(b, q);
    EXPECT_EQ(mpz_cmp(Mpz(q), wantQ), 0) << "quotient, " << at;
    EXPECT_EQ(mpz_cmp(Mpz(r), wantR), 0) << "remainder, " << at;
    EXPECT_TRUE(q.isZero() || q.getBlock(q.getLength() - 1) != 0) << at;
    EXPECT_TRUE(r.isZero() || r.getBlock(r.getLength() - 1) != 0) << at;
}

bool enoughFailures() {
    return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() >=
           20;
}

// Every divisor shape and quotient shape at divisor and quotient sizes on both sides of the
// threshold, dividend / divisor size ratios from 1 to 5; remainders 0, b - 1 and random.
TEST(DivideAlgorithms, SizesAroundTheThreshold) {
    const std::size_t t = divideThreshold;
    const std::size_t divisorSizes[] = {t - 1, t, t + 1, 2 * t + 1, 5 * t + 3, 16 * t + 5};
    const Shape quotientShapes[] = {Shape::allOnes, Shape::blockPower, Shape::powerOfTwo,
                                    Shape::runs};
    std::mt19937_64 rng(0xD1F1DE);
    int i = 0;
    for (std::size_t n : divisorSizes) {
        const std::size_t quotientSizes[] = {1,     t - 2, t - 1, t,         n / 2,
                                             n - 1, n,     n + 1, 2 * n + 3, 4 * n};
        for (std::size_t k : quotientSizes) {
            for (Shape divisorShape : divisorShapes) {
                for (Shape quotientShape : quotientShapes) {
                    if (enoughFailures()) return;
                    const BigUnsigned b = value(n, divisorShape, rng);
                    const BigUnsigned q = value(k, quotientShape, rng);
                    const BigUnsigned a = dividend(q, b, i % 3, rng);
                    checkDivision(a, b,
                                  "case " + std::to_string(i++) + ", divisor " + std::to_string(n) +
                                      " blocks, quotient " + std::to_string(k) + ", b = " + hex(b) +
                                      ", q = " + hex(q));
                }
            }
        }
    }
}

// Random sizes and shapes, where no table reaches.
TEST(DivideAlgorithms, RandomSizesAndShapes) {
    const std::uint64_t seed = 0xD1F1DE + 1;
    std::mt19937_64 rng(seed);
    for (int i = 0; i < 150 && !enoughFailures(); ++i) {
        const std::size_t n = divideThreshold / 2 + rng() % (6 * divideThreshold);
        const std::size_t k = 1 + rng() % (3 * n);
        const BigUnsigned b = value(n, divisorShapes[rng() % std::size(divisorShapes)], rng);
        const BigUnsigned q = value(k, divisorShapes[rng() % std::size(divisorShapes)], rng);
        const BigUnsigned a = dividend(q, b, int(rng() % 3), rng);
        checkDivision(a, b, "seed " + std::to_string(seed) + ", iteration " + std::to_string(i));
    }
}

// Text of x in base both ways against GMP.
void checkText(mpz_srcptr x, int base, const std::string &at) {
    const std::string want = gmpText(x, base);
    EXPECT_EQ(unsignedToText(toUnsigned(x), (unsigned short)base), want) << at;
    EXPECT_EQ(mpz_cmp(Mpz(textToUnsigned(want, (unsigned short)base)), x), 0) << at;
}

// The number of digits in base whose reading takes `blocks` blocks (maxBlocksForDigits).
std::size_t digitsForBlocks(std::size_t blocks, int base) {
    const std::size_t bits = std::size_t(std::bit_width(unsigned(base - 1)));
    return ((blocks - 1) * 32) / bits;
}

// base^d: the largest power of the base in a block.
std::size_t digitsPerBlock(int base) {
    std::size_t d = 0;
    for (std::uint64_t p = base; p <= 0xFFFFFFFF; p *= unsigned(base))
        ++d;
    return d;
}

constexpr int textBases[] = {10, 3, 7, 36};

// Random numbers of block counts straddling the threshold to digits, and of digit counts
// straddling the one from digits.
// Division through a divisor's reciprocal gives what division gives, for every dividend the
// reciprocal serves: the largest (all ones), exact multiples, remainders of b - 1, and
// divisors whose top block is 1 or full, where the quotient estimate is furthest off; with
// reciprocals made by division and by Newton's iteration.
TEST(DivideAlgorithms, ByReciprocalAsDivision) {
    namespace k = bigint::kernels;
    std::mt19937_64 rng(0xBA22E7);
    // From newtonReciprocalThreshold blocks of precision the reciprocal comes from Newton's
    // iteration, which also cuts long divisors down to the blocks that count.
    const std::size_t newton = bigint::newtonReciprocalThreshold;
    for (std::size_t m : {std::size_t(1), std::size_t(2), std::size_t(7), divideThreshold + 1,
                          newton + 3, 3 * newton}) {
        for (Shape divisorShape : divisorShapes) {
            const BigUnsigned b = value(m, divisorShape, rng);
            const auto v = b.span();
            for (std::size_t n : {m, m + 1, 2 * m, 2 * m + 5}) {
                const std::vector<Blk> mu = k::reciprocal(v, n);
                {
                    // Within three units below floor(B^n / v).
                    std::vector<Blk> power(n + 1, 0), exact(n - m + 2);
                    power[n] = 1;
                    k::divideWithoutReciprocal(exact, power, v);
                    Mpz want(BigUnsigned(exact.data(), Index(exact.size()))),
                        got(BigUnsigned(mu.data(), Index(mu.size())));
                    mpz_sub(want, want, got);
                    const mpz_srcptr off = want;
                    EXPECT_TRUE(mpz_sgn(off) >= 0 && mpz_cmp_ui(off, 3) <= 0)
                        << "reciprocal off by " << gmpText(want, 10) << ", divisor " << hex(b)
                        << ", n " << n;
                }
                for (int shape = 0; shape < 5 && !enoughFailures(); ++shape) {
                    const std::size_t size = m + std::size_t(rng() % (n - m + 1));
                    BigUnsigned a = shape == 0 ? value(n, Shape::allOnes, rng)
                                               : value(size, Shape::random, rng);
                    if (shape >= 2 && size > m) {
                        a = dividend(value(size - m, Shape::runs, rng), b, shape - 2, rng);
                        if (a.getLength() > n) continue;
                    }
                    const std::string at =
                        "divisor " + hex(b) + ", n " + std::to_string(n) + ", dividend " + hex(a);
                    std::vector<Blk> u1(a.span().begin(), a.span().end()), u2 = u1;
                    if (u1.size() < m) continue;
                    std::vector<Blk> q1(u1.size() - m + 1), q2(q1.size(), 0xDEADBEEF);
                    k::divideWithRemainder(q1, u1, v);
                    k::divideByReciprocal(q2, u2, v, mu, n);
                    EXPECT_EQ(q1, q2) << "quotient, " << at;
                    EXPECT_EQ(u1, u2) << "remainder, " << at;
                }
            }
        }
    }
}

TEST(RadixAlgorithms, SizesAroundTheThresholds) {
    std::mt19937_64 rng(0x7AD1C5);
    for (int base : textBases) {
        const std::size_t to = toDigitsThreshold;
        for (std::size_t n : {to - 1, to, to + 1, 3 * to + 1, 9 * to + 5, 60 * to + 7}) {
            const Mpz x(value(n, Shape::random, rng));
            checkText(x, base,
                      "base " + std::to_string(base) + ", " + std::to_string(n) +
                          " blocks, x = " + gmpText(x, 16));
        }
        const std::size_t t = fromDigitsThreshold;
        for (std::size_t n : {t - 1, t, t + 1, 3 * t + 1, 9 * t + 5, 30 * t + 7}) {
            const std::size_t count = digitsForBlocks(n, base);
            std::string s(count, '0');
            for (char &c : s)
                c = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[rng() % unsigned(base)];
            s[0] = '1';
            Mpz x;
            mpz_set_str(x, s.c_str(), base);
            checkText(x, base,
                      "base " + std::to_string(base) + ", " + std::to_string(count) +
                          " digits, x = " + s);
        }
    }
}

// base^k - 1, base^k, base^k + 1, base^k * (base^k + 1) and base^(2k) plus shorter numbers:
// long runs of zero or top digits across the split points k = d * 2^j * m of both directions.
TEST(RadixAlgorithms, ZeroDigitsAtSplitPoints) {
    for (int base : textBases) {
        const std::size_t d = digitsPerBlock(base);
        const std::size_t maxDigits = digitsForBlocks(4 * fromDigitsThreshold, base);
        for (std::size_t split = d; split <= maxDigits; split *= 2) {
            for (std::size_t k : {split - 1, split, split + 1, 3 * split}) {
                Mpz power, x;
                mpz_ui_pow_ui(power, unsigned(base), k);
                const std::string at =
                    "base " + std::to_string(base) + ", k = " + std::to_string(k);
                mpz_sub_ui(x, power, 1);
                checkText(x, base, "base^k - 1, " + at);
                checkText(power, base, "base^k, " + at);
                mpz_add_ui(x, power, 1);
                checkText(x, base, "base^k + 1, " + at);
                mpz_mul(x, x, power);
                checkText(x, base, "base^k * (base^k + 1), " + at);
                // Low parts of a third of k digits and of one block less than base^k: zeros
                // in the middle, and remainders shorter than the powers that split them.
                mpz_ui_pow_ui(x, unsigned(base), k / 3);
                mpz_sub_ui(x, x, 1);
                mpz_addmul(x, power, power);
                checkText(x, base, "base^(2k) + base^(k/3) - 1, " + at);
                mpz_fdiv_q_2exp(x, power, 32);
                mpz_addmul(x, power, power);
                checkText(x, base, "base^(2k) + base^k / 2^32, " + at);
            }
        }
    }
}

// Numbers whose splits divide by powers on both sides of the size from which a power's
// reciprocal serves its divisions: every block all ones, random, and base^k - 1 and base^k
// of as many blocks, whose remainders are the largest and the smallest.
TEST(RadixAlgorithms, PowersAroundTheReciprocalThreshold) {
    std::mt19937_64 rng(0x2EC1D1);
    const std::size_t r = bigint::reciprocalDivisionThreshold;
    for (int base : {10, 3}) {
        for (std::size_t n : {2 * r - 1, 2 * r + 1, 4 * r + 3, 8 * r + 5, 16 * r + 7}) {
            const std::string at =
                "base " + std::to_string(base) + ", " + std::to_string(n) + " blocks";
            checkText(Mpz(value(n, Shape::allOnes, rng)), base, "all ones, " + at);
            checkText(Mpz(value(n, Shape::random, rng)), base, "random, " + at);
            Mpz power, x;
            mpz_ui_pow_ui(power, unsigned(base), unsigned(digitsForBlocks(n, base)));
            mpz_sub_ui(x, power, 1);
            checkText(x, base, "base^k - 1, " + at);
            checkText(power, base, "base^k, " + at);
        }
    }
}

// The kernels into output buffers full of stale values: every digit and block is written;
// and digit strings with leading zeros (which the texts drop before they reach the kernel),
// from none to more zeros than digits.
TEST(RadixAlgorithms, StaleOutputsAndLeadingZeros) {
    namespace k = bigint::kernels;
    std::mt19937_64 rng(0x57A1E);
    for (int base : textBases) {
        for (std::size_t n : {toDigitsThreshold, 7 * toDigitsThreshold, 7 * fromDigitsThreshold}) {
            const BigUnsigned x = value(n, Shape::random, rng);
            const std::string at = "base " + std::to_string(base) + ", x = " + hex(x);
            std::vector<k::Digit> want;
            for (char c : gmpText(Mpz(x), base))
                want.insert(want.begin(), k::Digit(c <= '9' ? c - '0' : c - 'A' + 10));

            std::vector<k::Digit> digits(k::maxDigitsForBlocks(n, unsigned(base)), 0xFFFF);
            digits.resize(k::toDigits(digits, x.span(), unsigned(base)));
            EXPECT_EQ(digits, want) << at;

            for (std::size_t zeros : {std::size_t(0), want.size() / 3, 2 * want.size()}) {
                std::vector<k::Digit> input = want;
                input.resize(want.size() + zeros, 0);
                std::vector<k::Block> r(k::maxBlocksForDigits(input.size(), unsigned(base)), ~0u);
                const std::size_t count = k::fromDigits(r, input, unsigned(base));
                EXPECT_TRUE(std::equal(r.begin(), r.begin() + std::ptrdiff_t(count),
                                       x.span().begin(), x.span().end()))
                    << zeros << " leading zeros, " << at;
                EXPECT_TRUE(std::all_of(r.begin() + std::ptrdiff_t(count), r.end(),
                                        [](k::Block b) { return b == 0; }))
                    << zeros << " leading zeros, " << at;
            }
        }
    }
}

// Conversions on several threads at once from an empty cache, so that they fill it at the
// same time; ThreadSanitizer (scripts/test.sh --tsan) checks the locking.
// Numbers big enough that the two halves of a split convert on two cores at once, with
// zeros around the split points as well.
TEST(RadixAlgorithms, HalvesConvertedTogether) {
    std::mt19937_64 rng(20261207);
    for (std::size_t blocks :
         {bigint::parallelConversionBlocks * 2 + 3, bigint::parallelConversionBlocks * 5}) {
        std::vector<Blk> random(blocks);
        for (Blk &b : random)
            b = Blk(rng());
        random.back() |= 1u << 31;
        Mpz x(BigUnsigned(random.data(), BigUnsigned::Index(blocks)));
        checkText(x, 10, "random " + std::to_string(blocks) + " blocks");
        Mpz p;
        mpz_ui_pow_ui(p, 10, blocks * 9);
        mpz_add_ui(p, p, 1);
        checkText(p, 10, "10^k+1");
    }
}

TEST(RadixPowerCache, ThreadsShareIt) {
    bigint::kernels::setRadixPowerCacheBudget(
        bigint::kernels::setRadixPowerCacheBudget(0)); // empties the cache
    constexpr int bases[] = {5, 11, 13, 29};
    std::mt19937_64 rng(0xCAC4E);
    std::vector<std::string> texts;
    for (int base : bases) {
        for (std::size_t n : {4 * toDigitsThreshold, 8 * fromDigitsThreshold}) {
            texts.push_back(gmpText(Mpz(value(n, Shape::random, rng)), base));
        }
    }
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const std::size_t at = (i + std::size_t(t)) % texts.size();
                const auto base = (unsigned short)bases[at / 2];
                if (unsignedToText(textToUnsigned(texts[at], base), base) != texts[at])
                    ++wrong[std::size_t(t)];
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
    EXPECT_LE(bigint::kernels::radixPowerCacheSize(), bigint::radixPowerCacheBlocks);
}

// Under a budget smaller than the powers a conversion needs, the cache drops old powers and
// keeps none larger than the budget, and the conversions stay exact.
TEST(RadixPowerCache, StaysWithinItsBudget) {
    constexpr std::size_t budget = 200;
    const std::size_t saved = bigint::kernels::setRadixPowerCacheBudget(budget);
    EXPECT_LE(bigint::kernels::radixPowerCacheSize(), budget);
    std::mt19937_64 rng(0xB0D6E7);
    for (int base : {10, 3, 7, 36, 10}) {
        const Mpz x(value(20 * toDigitsThreshold, Shape::random, rng));
        checkText(x, base, "base " + std::to_string(base));
        EXPECT_LE(bigint::kernels::radixPowerCacheSize(), budget) << "base " << base;
    }
    bigint::kernels::setRadixPowerCacheBudget(saved);
}

} // namespace
