// SPDX-License-Identifier: MIT
// Timings of BigUnsigned multiplication, division and decimal text conversion at 10, 100,
// 1 000 and 10 000 blocks (division and text also at 100 000), and of the multiplication
// and division kernels one by one. Operands are random
// with a non-zero top block and a fixed seed; they are built before the timed loop.

#include "bigint/BigUnsigned.h"
#include "bigint/kernels/divide_dc.h"
#include "bigint/kernels/divide_knuth.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/multiply_karatsuba.h"
#include "bigint/kernels/multiply_toom3.h"
#include "bigint/textConversion.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Index = BigUnsigned::Index;

// A random value of exactly n blocks.
BigUnsigned randomValue(Index n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<BigUnsigned::Blk> b(n);
    for (auto &x : b)
        x = BigUnsigned::Blk(rng());
    b.back() |= 1u;
    return BigUnsigned(b.data(), n);
}

Index blocksOf(const benchmark::State &state) {
    return Index(state.range(0));
}

void Multiply(benchmark::State &state) {
    const Index n = blocksOf(state);
    const BigUnsigned a = randomValue(n, 1), b = randomValue(n, 2);
    BigUnsigned r;
    for (auto _ : state) {
        r.multiply(a, b);
        benchmark::DoNotOptimize(r);
    }
}

// A 2n-block dividend by an n-block divisor. The dividend is overwritten by the remainder,
// so each pass starts from a copy into storage that is already large enough (O(n), against
// the division's O(n^2)).
void DivideWithRemainder(benchmark::State &state) {
    const Index n = blocksOf(state);
    const BigUnsigned u = randomValue(2 * n, 3), v = randomValue(n, 4);
    BigUnsigned r = u, q;
    for (auto _ : state) {
        r = u;
        r.divideWithRemainder(v, q);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(q);
    }
}

void ToDecimalText(benchmark::State &state) {
    const BigUnsigned x = randomValue(blocksOf(state), 5);
    for (auto _ : state) {
        std::string s = unsignedToText(x, 10);
        benchmark::DoNotOptimize(s);
    }
}

void FromDecimalText(benchmark::State &state) {
    const std::string s = unsignedToText(randomValue(blocksOf(state), 6), 10);
    for (auto _ : state) {
        BigUnsigned x = textToUnsigned(s, 10);
        benchmark::DoNotOptimize(x);
    }
}

void blockCounts(benchmark::internal::Benchmark *b) {
    for (int n : {10, 100, 1000, 10000})
        b->Arg(n);
    b->ArgName("blocks");
}

namespace k = bigint::kernels;

// The multiplication kernels on n x n blocks, for choosing the crossovers in bigint/tuning.h:
// the named algorithm runs at the top level, its partial products go through the dispatcher.
// Karatsuba and Toom-3 allocate their scratch once per product, as the dispatcher does.
// Run with --benchmark_repetitions and read the "min" rows: the machine is shared.
template <class F>
void kernelLoop(benchmark::State &state, bool square, F product) {
    const Index n = blocksOf(state);
    const BigUnsigned a = randomValue(n, 7), b = square ? a : randomValue(n, 8);
    std::vector<k::Block> r(2 * std::size_t(n));
    for (auto _ : state) {
        product(k::Blocks(r), a.span(), b.span());
        benchmark::DoNotOptimize(r.data());
        benchmark::ClobberMemory();
    }
}

void BasecaseProduct(benchmark::State &state) {
    kernelLoop(state, false, [](auto r, auto a, auto b) { k::multiplyBasecase(r, a, b); });
}
void KaratsubaProduct(benchmark::State &state) {
    kernelLoop(state, false, [](auto r, auto a, auto b) { k::multiplyKaratsuba(r, a, b); });
}
void Toom3Product(benchmark::State &state) {
    kernelLoop(state, false, [](auto r, auto a, auto b) { k::multiplyToom3(r, a, b); });
}
void BasecaseSquare(benchmark::State &state) {
    kernelLoop(state, true, [](auto r, auto a, auto) { k::multiplyBasecase(r, a, a); });
}
void KaratsubaSquare(benchmark::State &state) {
    kernelLoop(state, true, [](auto r, auto a, auto) { k::squareKaratsuba(r, a); });
}
void Toom3Square(benchmark::State &state) {
    kernelLoop(state, true, [](auto r, auto a, auto) { k::squareToom3(r, a); });
}
// BigUnsigned squaring through the dispatcher, for the figures next to Multiply.
void Square(benchmark::State &state) {
    const BigUnsigned a = randomValue(blocksOf(state), 9);
    BigUnsigned r;
    for (auto _ : state) {
        r.multiply(a, a);
        benchmark::DoNotOptimize(r);
    }
}

// Every 2 blocks around the Karatsuba crossover, every 8 or 16 around Toom-3's, then coarser.
void kernelSizes(benchmark::internal::Benchmark *b) {
    for (int n = 8; n < 48; n += 2)
        b->Arg(n);
    for (int n = 48; n < 160; n += 8)
        b->Arg(n);
    for (int n = 160; n <= 320; n += 16)
        b->Arg(n);
    for (int n : {384, 448, 512, 640, 768, 1000, 1500, 2000})
        b->Arg(n);
    b->ArgName("blocks");
    b->ComputeStatistics(
        "min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(Multiply)->Apply(blockCounts);
BENCHMARK(Square)->Apply(blockCounts);
BENCHMARK(BasecaseProduct)->Apply(kernelSizes);
BENCHMARK(KaratsubaProduct)->Apply(kernelSizes);
BENCHMARK(Toom3Product)->Apply(kernelSizes);
BENCHMARK(BasecaseSquare)->Apply(kernelSizes);
BENCHMARK(KaratsubaSquare)->Apply(kernelSizes);
BENCHMARK(Toom3Square)->Apply(kernelSizes);
BENCHMARK(DivideWithRemainder)->Apply(blockCounts);
BENCHMARK(ToDecimalText)->Apply(blockCounts);
BENCHMARK(FromDecimalText)->Apply(blockCounts);

// 100 000 blocks, next to the 1 000 and 10 000 of blockCounts: the sizes at which the
// divide-and-conquer division and radix conversion pay most.
void largeBlockCount(benchmark::internal::Benchmark *b) {
    b->Arg(100000)->ArgName("blocks")->Unit(benchmark::kMillisecond);
}
BENCHMARK(DivideWithRemainder)->Apply(largeBlockCount);
BENCHMARK(ToDecimalText)->Apply(largeBlockCount);
BENCHMARK(FromDecimalText)->Apply(largeBlockCount);

// The division kernels on a 2n-block dividend and an n-block divisor, for choosing
// divideDivideAndConquerThreshold (bigint/tuning.h): Knuth's method against the
// recursive one, whose pieces below the threshold go to Knuth's. Read the "min" rows.
template <class F>
void divideKernelLoop(benchmark::State &state, F divide) {
    const Index n = blocksOf(state);
    const BigUnsigned u = randomValue(2 * n, 10), v = randomValue(n, 11);
    std::vector<k::Block> r(2 * std::size_t(n)), q(std::size_t(n) + 1);
    for (auto _ : state) {
        std::copy(u.span().begin(), u.span().end(), r.begin());
        divide(k::Blocks(q), k::Blocks(r), v.span());
        benchmark::DoNotOptimize(q.data());
        benchmark::ClobberMemory();
    }
}
void DivideKnuth(benchmark::State &state) {
    divideKernelLoop(state, [](auto q, auto u, auto v) { k::divideKnuth(q, u, v); });
}
void DivideDivideAndConquer(benchmark::State &state) {
    divideKernelLoop(state, [](auto q, auto u, auto v) { k::divideDivideAndConquer(q, u, v); });
}
void divideKernelSizes(benchmark::internal::Benchmark *b) {
    for (int n : {16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 256, 384, 512, 1000})
        b->Arg(n);
    b->ArgName("blocks");
    b->ComputeStatistics(
        "min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
}
BENCHMARK(DivideKnuth)->Apply(divideKernelSizes);
BENCHMARK(DivideDivideAndConquer)->Apply(divideKernelSizes);

} // namespace
