#pragma once
// Crossover sizes, in blocks, between the multiplication algorithms (bigint/kernels/multiply.cpp).
// Each is the smallest size of the shorter operand at which the faster algorithm takes over.
//
// Measured with bench/bigint_bench (Release, g++ 12, 2 shared cores at 2.6 GHz), kernels
// called directly on random n x n operands, partial products through the dispatcher:
//   --benchmark_filter='^(Basecase|Karatsuba|Toom3)(Product|Square)/'
//   --benchmark_repetitions=20 --benchmark_enable_random_interleaving=true
// Figures are the minimum CPU time of the repetitions, in ns; the machine is shared, so the
// minimum is the figure least disturbed by other work.

#include <cstddef>

namespace bigint {

// Schoolbook vs Karatsuba: 18 blocks 209 vs 212 ns, 20 blocks 268 vs 257, 24 blocks 374 vs 335.
inline constexpr std::size_t karatsubaThreshold = 20;

// Karatsuba vs Toom-3: 128 blocks 5536 vs 5653 ns, 136 blocks 6091 vs 6159, 144 blocks 6854
// vs 6656, 152 blocks 7461 vs 7198. The two stay within 2% of each other up to 240 blocks;
// over whole products 144 beats later crossovers: Toom-3 at 512 blocks 47.5 us against
// 49.4 us with the crossover at 176, at 1500 blocks 240 us against 254 us.
inline constexpr std::size_t toom3Threshold = 144;

// Squares (the same span twice), schoolbook vs Karatsuba: 16 blocks 166 vs 164 ns (a tie),
// 18 blocks 209 vs 201, 20 blocks 268 vs 244.
inline constexpr std::size_t karatsubaSquareThreshold = 18;

// Squares, Karatsuba vs Toom-3: 128 blocks 5282 vs 5331 ns, 136 blocks 5866 vs 5770, 144
// blocks 6239 vs 6217, 152 blocks 7075 vs 6767.
inline constexpr std::size_t toom3SquareThreshold = 136;

} // namespace bigint
