// Timings of BigUnsigned multiplication, division and decimal text conversion at 10, 100,
// 1 000 and 10 000 blocks. Operands are random with a non-zero top block and a fixed seed;
// they are built before the timed loop.

#include "bigint/BigUnsigned.h"
#include "bigint/textConversion.h"

#include <benchmark/benchmark.h>

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

BENCHMARK(Multiply)->Apply(blockCounts);
BENCHMARK(DivideWithRemainder)->Apply(blockCounts);
BENCHMARK(ToDecimalText)->Apply(blockCounts);
BENCHMARK(FromDecimalText)->Apply(blockCounts);

} // namespace
