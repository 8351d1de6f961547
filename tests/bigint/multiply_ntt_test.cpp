// SPDX-License-Identifier: MIT
// Differential tests of the number-theoretic-transform multiplication (kernels/multiply_ntt.h)
// against GMP, for every kernel set the processor runs: all small sizes, products whose length
// sits on or next to a transform length, squares, operands of all-ones blocks (the largest
// coefficients, which a too small product of primes would wrap), very unbalanced operands, and
// several threads at once; the vector sets also block for block against the portable one.
// Operands come from fixed seeds; a failure names the sizes, shape and first wrong block.

#include "bigint/kernels/multiply_ntt.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace bigint::kernels {

static const char *nameOf(NttKernels kernels) {
    switch (kernels) {
    case NttKernels::portable:
        return "portable";
    case NttKernels::avx2:
        return "avx2";
    case NttKernels::avx512:
        return "avx512";
    }
    return "unknown";
}

// How GoogleTest names a kernel set in its messages.
static void PrintTo(NttKernels kernels, std::ostream *os) {
    *os << nameOf(kernels);
}

} // namespace bigint::kernels

namespace {

using namespace bigint::kernels;
using Multiply = std::function<void(Blocks, ConstBlocks, ConstBlocks)>;

enum Shape { randomBlocks, allOnes, sparse, shapes };
const char *const shapeNames[] = {"random", "all ones", "sparse"};

// n blocks of the given shape, the top one non-zero (none for n == 0).
std::vector<Block> operand(std::size_t n, Shape shape, std::uint64_t seed) {
    if (n == 0) return {};
    std::mt19937_64 rng(seed * 1000003 + n);
    std::vector<Block> x(n, shape == allOnes ? ~Block(0) : 0);
    if (shape == randomBlocks) std::generate(x.begin(), x.end(), [&] { return Block(rng()); });
    if (shape == sparse) {
        for (int k = 0; k < 5; ++k)
            x[rng() % n] = Block(rng());
    }
    x.back() |= 1;
    return x;
}

// a * b by GMP, as exactly a.size() + b.size() blocks.
std::vector<Block> oracle(ConstBlocks a, ConstBlocks b) {
    mpz_t x, y;
    mpz_inits(x, y, nullptr);
    mpz_import(x, a.size(), -1, sizeof(Block), 0, 0, a.data());
    mpz_import(y, b.size(), -1, sizeof(Block), 0, 0, b.data());
    mpz_mul(x, x, y);
    std::vector<Block> r(a.size() + b.size(), 0);
    std::size_t count = 0;
    mpz_export(r.data(), &count, -1, sizeof(Block), 0, 0, x);
    mpz_clears(x, y, nullptr);
    return r;
}

// f(r, a, b) into a stale r (a times itself through one span when b is empty) against GMP.
testing::AssertionResult multipliesRight(const Multiply &f, ConstBlocks a, ConstBlocks b) {
    const ConstBlocks second = b.empty() ? a : b;
    std::vector<Block> r(a.size() + second.size(), 0x5A5A5A5A);
    f(r, a, second);
    const std::vector<Block> want = oracle(a, second);
    const auto wrong = std::mismatch(r.begin(), r.end(), want.begin());
    if (wrong.first == r.end()) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "block " << (wrong.first - r.begin()) << " of " << r.size() << " is " << *wrong.first
           << ", expected " << *wrong.second;
}

struct Case {
    std::size_t na, nb; // nb == 0: a squared
    Shape shape;
};

std::string describe(const Case &c) {
    return std::to_string(c.na) + " x " + (c.nb ? std::to_string(c.nb) : "itself") + ", " +
           shapeNames[c.shape];
}

void check(const Multiply &f, const std::vector<Case> &cases) {
    for (const Case &c : cases) {
        const std::vector<Block> a = operand(c.na, c.shape, 1), b = operand(c.nb, c.shape, 2);
        EXPECT_TRUE(multipliesRight(f, a, c.nb ? ConstBlocks(b) : ConstBlocks())) << describe(c);
    }
}

// Products of the transform lengths 4, 5, 6 and 7 times 2^(k-2), and one block either side,
// cut into balanced operands, into a short and a long one, and squared where the length is
// even.
std::vector<Case> lengthBoundaries(std::initializer_list<int> exponents, Shape shape) {
    std::vector<Case> cases;
    for (int k : exponents) {
        for (std::size_t quarters = 4; quarters < 8; ++quarters) {
            const std::size_t length = quarters << (k - 2);
            for (std::size_t len = length - 1; len <= length + 1; ++len) {
                cases.push_back({len - len / 2, len / 2, shape});
                cases.push_back({len - 3, 3, shape});
                if (len % 2 == 0) cases.push_back({len / 2, 0, shape});
            }
        }
    }
    return cases;
}

// The tests below for one kernel set, skipped where the processor lacks it.
class MultiplyNtt : public testing::TestWithParam<NttKernels> {
protected:
    void SetUp() override {
        if (!nttKernelsAvailable(GetParam()))
            GTEST_SKIP() << "this processor or build has no " << nameOf(GetParam()) << " kernels";
    }
    static Multiply with(NttKernels kernels) {
        return [kernels](Blocks r, ConstBlocks a, ConstBlocks b) {
            multiplyNttWith(kernels, r, a, b);
        };
    }
    Multiply multiply() const { return with(GetParam()); }
};

TEST_P(MultiplyNtt, AllSmallSizes) {
    std::vector<Case> cases;
    for (std::size_t na = 1; na <= 40; ++na) {
        for (std::size_t nb = 0; nb <= 40; ++nb)
            cases.push_back({na, nb, Shape((na + nb) % shapes)});
    }
    check(multiply(), cases);
}

TEST_P(MultiplyNtt, TransformLengthBoundaries) {
    // 64 and 256: the AVX2 and AVX-512 code's shortest transforms; 2^12: blocks of the cache
    // size; 2^16: the halves of a transform on two threads.
    for (Shape shape : {allOnes, randomBlocks})
        check(multiply(), lengthBoundaries({6, 7, 8, 10, 12, 13}, shape));
    check(multiply(), {{32768, 32767, allOnes}, {32768, 0, allOnes}, {32769, 32768, allOnes}});
}

TEST_P(MultiplyNtt, LargeProducts) {
    // Transforms of 3 2^18, 2^20, 7 2^16 and 5 2^16, whose sub-trees run past the twiddle
    // tables; the second is split into halves on any machine.
    check(multiply(), {{300000, 0, allOnes},
                       {400000, 400001, randomBlocks},
                       {210000, 210001, allOnes},
                       {145000, 0, randomBlocks}});
}

TEST_P(MultiplyNtt, UnbalancedOperands) {
    // Far apart sizes cut the long operand into chunks that share one transform of the short
    // one; the chunks' products overlap and carry into each other.
    check(multiply(), {{100000, 1, allOnes},
                       {1, 100000, randomBlocks},
                       {100000, 7, allOnes},
                       {300000, 1000, allOnes},
                       {1000, 300000, randomBlocks},
                       {70001, 65, randomBlocks},
                       {50000, 3000, sparse},
                       {40000, 9999, allOnes}});
}

// Sizes drawn at random, from 1 block to a few thousand, in every shape and order.
TEST_P(MultiplyNtt, RandomSizes) {
    std::mt19937_64 rng(0x5EED);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::size_t limit = std::size_t(1) << (1 + rng() % 14);
        const std::size_t na = 1 + rng() % limit, nb = rng() % 8 == 0 ? 0 : 1 + rng() % limit;
        cases.push_back({na, nb, Shape(rng() % shapes)});
    }
    check(multiply(), cases);
}

// The same blocks as the portable set, whose plans differ from the vector sets' (more shapes
// are open to it): every set gives every product exactly.
TEST_P(MultiplyNtt, SameBlocksAsPortable) {
    if (GetParam() == NttKernels::portable) GTEST_SKIP() << "the reference itself";
    std::mt19937_64 rng(0xB10C);
    for (int i = 0; i < 60; ++i) {
        const std::size_t na = 1 + rng() % 6000, nb = 1 + rng() % 6000;
        const std::vector<Block> a = operand(na, Shape(i % shapes), 3),
                                 b = operand(nb, Shape(i % shapes), 4);
        std::vector<Block> r(na + nb), want(na + nb);
        multiply()(r, a, b);
        multiplyNttPortable(want, a, b);
        EXPECT_TRUE(r == want) << describe({na, nb, Shape(i % shapes)});
    }
}

// Several products at once, of sizes that make the shared twiddle tables grow.
TEST_P(MultiplyNtt, ThreadsAtOnce) {
    constexpr int threads = 4;
    bool right[threads] = {};
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t) {
        running.emplace_back([t, &right, f = multiply()] {
            bool all = true;
            for (std::size_t n = 500 + 300 * t; n < 70000; n *= 3) {
                const std::vector<Block> a = operand(n, allOnes, t), b = operand(n + t, sparse, t);
                all = all && multipliesRight(f, a, b);
            }
            right[t] = all;
        });
    }
    for (auto &t : running)
        t.join();
    for (int t = 0; t < threads; ++t)
        EXPECT_TRUE(right[t]) << "thread " << t;
}

INSTANTIATE_TEST_SUITE_P(Kernels, MultiplyNtt,
                         testing::Values(NttKernels::portable, NttKernels::avx2,
                                         NttKernels::avx512),
                         [](const testing::TestParamInfo<NttKernels> &info) {
                             return std::string(nameOf(info.param));
                         });

// The entry points the other kernels call: the fastest set the processor runs, and the
// portable code alone.
TEST(MultiplyNttEntryPoints, FastestSet) {
    check(multiplyNtt, {{40, 0, allOnes},
                        {64, 63, allOnes},
                        {5000, 4999, randomBlocks},
                        {40000, 100, allOnes},
                        {70000, 70001, randomBlocks}});
}

TEST(MultiplyNttEntryPoints, PortableCode) {
    for (Shape shape : {allOnes, randomBlocks})
        check(multiplyNttPortable, lengthBoundaries({6, 12}, shape));
    check(multiplyNttPortable, {{20000, 0, allOnes},
                                {30000, 29999, randomBlocks},
                                {40000, 100, allOnes},
                                {150000, 0, allOnes}}); // past the twiddle tables
}

} // namespace
