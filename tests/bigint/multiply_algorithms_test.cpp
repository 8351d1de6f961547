// SPDX-License-Identifier: MIT
// Differential tests of the multiplication algorithms against GMP as the oracle: each one
// called directly and through the dispatcher, at sizes on both sides of every crossover in
// bigint/tuning.h, on operands whose carries, borrows and negative differences go wrong
// first. Results land between guard blocks and scratch is exactly the size asked for, so a
// write past either is caught too. Operands are drawn from a seed per case, printed on failure.

#include "bigint/BigUnsigned.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/multiply_karatsuba.h"
#include "bigint/kernels/multiply_toom3.h"
#include "bigint/tuning.h"

#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace k = bigint::kernels;
using k::Block;
using Blocks = std::vector<Block>;
using bigint::karatsubaSquareThreshold, bigint::karatsubaThreshold;
using bigint::toom3SquareThreshold, bigint::toom3Threshold;

constexpr std::uint64_t seedBase = 0x70011C0DE00;
constexpr Block guard = 0xDEADBEEF;
constexpr std::size_t guards = 4;

// a * b by the oracle, in exactly a.size() + b.size() blocks.
Blocks oracleProduct(k::ConstBlocks a, k::ConstBlocks b) {
    Mpz p(a), y(b);
    mpz_mul(p, p, y);
    Blocks r(a.size() + b.size() + 2, 0);
    std::size_t count = 0;
    mpz_export(r.data(), &count, -1, sizeof(Block), 0, 0, p);
    r.resize(a.size() + b.size());
    return r;
}

// Operand shapes, each aimed at a way a split or an evaluation can go wrong: differences of
// halves or thirds that are negative or zero, evaluations whose top block is full, carries
// running the whole length, leading zero blocks (allowed in a kernel's operands), zero.
enum Shape { random, allOnes, longRuns, shortRuns, special, topHalf, middleThird, sparse };
const char *const shapeNames[] = {"random",  "all ones",    "long runs",       "short runs",
                                  "special", "top half 1s", "middle third 1s", "sparse or 0"};
constexpr Shape shapes[] = {random,  allOnes, longRuns,    shortRuns,
                            special, topHalf, middleThird, sparse};

Blocks operand(std::size_t n, Shape shape, std::mt19937_64 &rng) {
    static constexpr Block specials[] = {0,          1,          2,          0x7FFFFFFF,
                                         0x80000000, 0x80000001, 0xFFFFFFFE, 0xFFFFFFFF};
    auto below = [&](std::uint64_t m) { return std::size_t(rng() % m); };
    Blocks b(n, 0);
    switch (shape) {
    case random:
        std::generate(b.begin(), b.end(), [&] { return Block(rng()); });
        break;
    case allOnes:
        std::fill(b.begin(), b.end(), ~Block(0));
        break;
    case longRuns:
    case shortRuns: {
        const std::size_t bits = 32 * n, maxRun = shape == longRuns ? 300 : 8;
        bool ones = rng() & 1;
        for (std::size_t pos = 0; pos < bits; ones = !ones) {
            for (auto end = std::min(bits, pos + 1 + below(maxRun)); pos < end; ++pos)
                b[pos / 32] |= Block(ones) << (pos % 32);
        }
        break;
    }
    case special:
        std::generate(b.begin(), b.end(), [&] { return specials[below(8)]; });
        break;
    case topHalf:
        std::fill(b.begin() + std::ptrdiff_t(n / 2), b.end(), ~Block(0));
        break;
    case middleThird:
        std::fill(b.begin() + std::ptrdiff_t(n / 3), b.end() - std::ptrdiff_t(n / 3), ~Block(0));
        break;
    case sparse:
        for (auto count = below(4); count-- > 0;)
            b[below(n - n / 4)] = Block(rng()); // the top quarter stays zero
        break;
    }
    return b;
}

bool anySizes(std::size_t, std::size_t) {
    return true;
}
bool karatsubaFits(std::size_t longer, std::size_t shorter) {
    return shorter > (longer + 1) / 2;
}
bool toom3Fits(std::size_t longer, std::size_t shorter) {
    return shorter > 2 * ((longer + 2) / 3);
}

// Scratch of exactly `size` blocks of rubbish, then guard blocks.
struct Scratch {
    explicit Scratch(std::size_t size) : size(size), blocks(size + guards, guard) {
        std::fill_n(blocks.begin(), size, Block(0xA5A5A5A5));
    }
    k::Blocks span() { return {blocks.data(), size}; }
    bool intact() const {
        return std::all_of(blocks.begin() + std::ptrdiff_t(size), blocks.end(),
                           [](Block x) { return x == guard; });
    }
    std::size_t size;
    Blocks blocks;
};

// r := a * b by one algorithm; scratch is used by those that take it.
using Product = void (*)(k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &scratch);
using ScratchSize = std::size_t (*)(std::size_t na, std::size_t nb);

std::size_t noScratch(std::size_t, std::size_t) {
    return 0;
}

struct Algorithm {
    const char *name;
    Product product;
    ScratchSize scratchSize;
    bool (*fits)(std::size_t longer, std::size_t shorter);
};

const Algorithm algorithms[] = {
    {"basecase",
     [](k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &) {
         k::multiplyBasecase(r, a, b);
     },
     noScratch, anySizes},
    {"Karatsuba",
     [](k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &s) {
         k::multiplyKaratsuba(r, a, b, s.span());
     },
     k::karatsubaScratchSize, karatsubaFits},
    {"Toom-3",
     [](k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &s) {
         k::multiplyToom3(r, a, b, s.span());
     },
     k::toom3ScratchSize, toom3Fits},
    {"dispatcher",
     [](k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &s) {
         k::multiply(r, a, b, s.span());
     },
     k::multiplyScratchSize, anySizes},
    {"dispatcher, own scratch",
     [](k::Blocks r, k::ConstBlocks a, k::ConstBlocks b, Scratch &) { k::multiply(r, a, b); },
     noScratch, anySizes},
};

// The product of a and b (the same vector for a square) by `algorithm`, into r between guard
// blocks; checks the value, the guards and the scratch guards.
void check(const Algorithm &algorithm, const Blocks &a, const Blocks &b, const Blocks &want,
           const std::string &at) {
    Blocks r(want.size() + 2 * guards, guard);
    Scratch scratch(algorithm.scratchSize(a.size(), b.size()));
    const k::Blocks result(r.data() + guards, want.size());
    algorithm.product(result, a, b, scratch);
    EXPECT_TRUE(std::equal(want.begin(), want.end(), result.begin()))
        << algorithm.name << ", " << at;
    EXPECT_TRUE(std::all_of(r.begin(), r.begin() + guards, [](Block x) { return x == guard; }) &&
                std::all_of(r.end() - guards, r.end(), [](Block x) { return x == guard; }))
        << algorithm.name << " wrote outside r, " << at;
    EXPECT_TRUE(scratch.intact()) << algorithm.name << " wrote past its scratch, " << at;
}

bool enoughFailures() {
    return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() >=
           20;
}

// Each size with every shape against itself and against random blocks, both ways round.
void checkSizes(const std::vector<std::pair<std::size_t, std::size_t>> &sizes, bool squares,
                std::uint64_t seed) {
    for (std::size_t i = 0; i < sizes.size() && !enoughFailures(); ++i) {
        const auto [na, nb] = sizes[i];
        for (Shape shape : shapes) {
            for (int form = 0; form < (squares ? 1 : 3); ++form) {
                std::mt19937_64 rng(seed + 16 * i + shape);
                const Blocks a = operand(na, form == 2 ? random : shape, rng);
                const Blocks b = squares ? a : operand(nb, form == 1 ? random : shape, rng);
                const Blocks want = oracleProduct(a, b);
                const std::string at = std::string(squares ? "square" : "product") + " of " +
                                       std::to_string(na) + " x " + std::to_string(nb) +
                                       " blocks, " + shapeNames[form == 2 ? random : shape] +
                                       " x " + shapeNames[form == 1 ? random : shape] + ", seed " +
                                       std::to_string(seed + 16 * i + shape);
                for (const Algorithm &algorithm : algorithms) {
                    if (algorithm.fits(std::max(na, nb), std::min(na, nb)))
                        check(algorithm, a, squares ? a : b, want, at);
                }
            }
        }
    }
}

// Sizes just below, at and above each crossover t, at twice it (the halves of Karatsuba
// straddle t there) and three times it (the thirds of Toom-3).
std::vector<std::size_t> straddling(std::size_t t) {
    return {t - 1, t, t + 1, 2 * t - 1, 2 * t + 1, 3 * t - 1, 3 * t + 2};
}

TEST(MultiplyAlgorithms, BalancedAtEveryCrossover) {
    std::vector<std::pair<std::size_t, std::size_t>> sizes = {
        {2, 2}, {3, 2}, {3, 3}, {5, 4}, {5, 5}, {7, 5}, {11, 9}, {37, 29}, {101, 100}};
    for (std::size_t t : {karatsubaThreshold, toom3Threshold}) {
        for (std::size_t n : straddling(t))
            sizes.push_back({n, n});
        sizes.push_back({t + 1, t});
    }
    checkSizes(sizes, false, seedBase);
}

TEST(MultiplyAlgorithms, Unbalanced) {
    const std::size_t kt = karatsubaThreshold, tt = toom3Threshold;
    checkSizes({{kt + kt / 2, kt},
                {2 * kt - 1, kt},
                {2 * kt, kt},
                {2 * kt + 1, kt + 1},
                {10 * kt + 7, kt},
                {tt + tt / 3, tt},
                {tt + tt / 2 + 1, tt},
                {2 * tt + 3, tt + 1},
                {5 * tt + 1, tt},
                {3 * tt + 5, kt + 3},
                {2000, 3},
                {3000, 1},
                {1, 1}},
               false, seedBase + 1000);
}

TEST(MultiplyAlgorithms, Squares) {
    // The schoolbook square pairs blocks into limbs: one limb, two, and an odd block over;
    // from 17 limbs its long rows go one at a time and the last ones in pairs.
    std::vector<std::pair<std::size_t, std::size_t>> sizes = {
        {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {6, 6},  {7, 7},
        {33, 33}, {34, 34}, {35, 35}, {36, 36}, {37, 37}, {38, 38}};
    for (std::size_t t : {karatsubaSquareThreshold, toom3SquareThreshold}) {
        for (std::size_t n : straddling(t))
            sizes.push_back({n, n});
    }
    checkSizes(sizes, true, seedBase + 2000);
}

// Toom-3 divides r3 = c1 + c2 + 3 c3 + 5 c4 exactly by 3, lowest block first; a block below
// the borrow coming up from the one beneath it has to pass an extra borrow on, which random
// operands almost never reach. Times b = 1 (leading zero blocks allowed) the coefficients are
// a's thirds, so r3 = a1 when a2 = 0, and a1 = 0x55555555'55555556 makes 3 r3 the blocks
// 2, 0, 1: the zero block sits under a borrow of 1.
TEST(MultiplyAlgorithms, ExactDivisionBorrow) {
    std::mt19937_64 rng(seedBase + 5000);
    for (std::size_t k : {std::size_t(5), toom3Threshold / 3 + 1}) {
        Blocks a = operand(3 * k, random, rng), one(3 * k, 0);
        std::fill(a.begin() + std::ptrdiff_t(k), a.end(), Block(0));
        a[k] = 0x55555556, a[k + 1] = 0x55555555;
        one[0] = 1;
        const Blocks want = oracleProduct(a, one);
        const std::string at = std::to_string(3 * k) + " blocks";
        for (const Algorithm &algorithm : algorithms) {
            check(algorithm, a, one, want, "a * 1, " + at);
            check(algorithm, one, a, want, "1 * a, " + at);
        }
    }
}

TEST(MultiplyAlgorithms, SquaringVariantsDirectly) {
    const struct {
        const char *name;
        void (*square)(k::Blocks, k::ConstBlocks);
    } variants[] = {
        {"squareKaratsuba", k::squareKaratsuba},
        {"squareToom3", k::squareToom3},
        {"multiplyKaratsuba, own scratch",
         [](k::Blocks r, k::ConstBlocks a) { k::multiplyKaratsuba(r, a, a); }},
        {"multiplyToom3, own scratch",
         [](k::Blocks r, k::ConstBlocks a) { k::multiplyToom3(r, a, a); }},
    };
    std::mt19937_64 rng(seedBase + 3000);
    for (std::size_t n : {std::size_t(3), karatsubaSquareThreshold + 1, toom3SquareThreshold + 1,
                          3 * toom3SquareThreshold + 2}) {
        for (Shape shape : shapes) {
            const Blocks a = operand(n, shape, rng), want = oracleProduct(a, a);
            for (const auto &v : variants) {
                Blocks r(2 * n);
                v.square(r, a);
                EXPECT_EQ(r, want) << v.name << ", " << n << " blocks, " << shapeNames[shape];
            }
        }
    }
}

// The value forms the calculator uses, where the target is an operand.
TEST(MultiplyAlgorithms, BigUnsignedAliasing) {
    std::mt19937_64 rng(seedBase + 4000);
    auto value = [](const Blocks &x) {
        return BigUnsigned(x.data(), BigUnsigned::Index(x.size()));
    };
    for (std::size_t n : {karatsubaThreshold, karatsubaSquareThreshold + 1, toom3Threshold + 1,
                          toom3SquareThreshold + 2}) {
        for (Shape shape : {random, allOnes, longRuns}) {
            const Blocks a = operand(n, shape, rng), b = operand(n + 3, random, rng);
            const Blocks square = oracleProduct(a, a), product = oracleProduct(a, b);
            const std::string at = std::to_string(n) + " blocks, " + shapeNames[shape];
            BigUnsigned x = value(a), y = value(b);
            x.multiply(x, y);
            EXPECT_TRUE(x == value(product)) << "a.multiply(a, b), " << at;
            x = value(a);
            y.multiply(x, y);
            EXPECT_TRUE(y == value(product)) << "b.multiply(a, b), " << at;
            x.multiply(x, x);
            EXPECT_TRUE(x == value(square)) << "a.multiply(a, a), " << at;
            EXPECT_TRUE(value(a) * value(a) == value(square)) << "a * a, " << at;
        }
    }
}

} // namespace
