// SPDX-License-Identifier: MIT
// Timings of the number-theoretic-transform multiplication (kernels/multiply_ntt.h) on
// balanced operands of 1 000 to 1 000 000 blocks, squares, unbalanced operands, each kernel
// set the processor runs, and the other methods around the crossover sizes. Karatsuba and
// Toom-3 hand their partial products back to the dispatcher, so above twice (Karatsuba) or
// three times (Toom-3) the dispatcher's transform threshold they time a mix with the
// transform. Operands are random with a non-zero top block and a fixed seed; they are built
// before the timed loop.

#include "bigint/kernels/multiply.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/multiply_karatsuba.h"
#include "bigint/kernels/multiply_ntt.h"
#include "bigint/kernels/multiply_toom3.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using namespace bigint::kernels;

std::vector<Block> randomBlocks(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<Block> b(n);
    for (auto &x : b)
        x = Block(rng());
    b.back() |= 1u;
    return b;
}

// a (range 0 blocks) times b (range 1 blocks, or a itself when 0).
template <class Multiply>
void run(benchmark::State &state, Multiply f) {
    const auto na = std::size_t(state.range(0)), nb = std::size_t(state.range(1));
    const std::vector<Block> a = randomBlocks(na, 1), b = randomBlocks(nb ? nb : 1, 2);
    const ConstBlocks second = nb ? ConstBlocks(b) : ConstBlocks(a);
    std::vector<Block> r(na + second.size());
    for (auto _ : state) {
        f(r, a, second);
        benchmark::DoNotOptimize(r.data());
        benchmark::ClobberMemory();
    }
}

void Ntt(benchmark::State &state) {
    run(state, multiplyNtt);
}
void NttPortable(benchmark::State &state) {
    run(state, multiplyNttPortable);
}
// One kernel set, skipped where the processor lacks it.
void NttKernelSet(benchmark::State &state, NttKernels kernels) {
    if (!nttKernelsAvailable(kernels)) return state.SkipWithError("not on this processor");
    run(state,
        [kernels](Blocks r, ConstBlocks a, ConstBlocks b) { multiplyNttWith(kernels, r, a, b); });
}
void Basecase(benchmark::State &state) {
    run(state, multiplyBasecase);
}
void Karatsuba(benchmark::State &state) {
    run(state, [](Blocks r, ConstBlocks a, ConstBlocks b) { multiplyKaratsuba(r, a, b); });
}
void Toom3(benchmark::State &state) {
    run(state, [](Blocks r, ConstBlocks a, ConstBlocks b) { multiplyToom3(r, a, b); });
}
// The dispatcher as it stands (multiply.cpp), whatever it chooses.
void Dispatcher(benchmark::State &state) {
    run(state, [](Blocks r, ConstBlocks a, ConstBlocks b) { multiply(r, a, b); });
}

// Balanced products from 1 000 to 1 000 000 blocks, and squares.
void large(benchmark::internal::Benchmark *b) {
    for (long n : {1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000, 1000000})
        b->Args({n, n + 1}); // + 1: distinct operands, not a square
    for (long n : {1000, 10000, 100000, 1000000})
        b->Args({n, 0});
    b->ArgNames({"a", "b"})->Unit(benchmark::kMillisecond);
}

// Around the crossovers: 32 to 8192 blocks in steps of 2^(1/2).
void crossover(benchmark::internal::Benchmark *b) {
    for (long n :
         {32, 45, 64, 90, 128, 181, 256, 362, 512, 724, 1024, 1448, 2048, 2896, 4096, 5792, 8192})
        b->Args({n, n});
    b->ArgNames({"a", "b"})->Unit(benchmark::kMicrosecond);
}

// Very unbalanced operands.
void unbalanced(benchmark::internal::Benchmark *b) {
    for (auto [na, nb] :
         {std::pair{1000000L, 1000L}, {1000000L, 10000L}, {100000L, 1000L}, {100000L, 300L}})
        b->Args({na, nb});
    b->ArgNames({"a", "b"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(Ntt)->Apply(large);
BENCHMARK(NttPortable)->Apply(large);
BENCHMARK_CAPTURE(NttKernelSet, avx2, NttKernels::avx2)->Apply(large);
BENCHMARK_CAPTURE(NttKernelSet, avx512, NttKernels::avx512)->Apply(large);
BENCHMARK(Ntt)->Name("NttCrossover")->Apply(crossover);
BENCHMARK(NttPortable)->Name("NttPortableCrossover")->Apply(crossover);
BENCHMARK(Basecase)->Apply(crossover);
BENCHMARK(Karatsuba)->Apply(crossover);
BENCHMARK(Toom3)->Apply(crossover);
BENCHMARK(Dispatcher)->Apply(crossover);
BENCHMARK(Dispatcher)
    ->Name("DispatcherLarge")
    ->Args({20000, 20000})
    ->Args({50000, 50000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Ntt)->Name("NttUnbalanced")->Apply(unbalanced);
BENCHMARK(Dispatcher)->Name("DispatcherUnbalanced")->Apply(unbalanced);

} // namespace
