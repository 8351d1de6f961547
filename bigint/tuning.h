// SPDX-License-Identifier: MIT
#pragma once
// Crossover sizes, in blocks, of the kernel dispatchers: multiplication (multiply.cpp),
// division (divide.cpp) and radix conversion (radix.cpp), each with the measurement that
// chose it.
//
// Multiplication: each is the smallest size of the shorter operand at which the faster
// algorithm takes over.
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

// The number-theoretic transform (multiply_ntt.cpp) against the dispatcher below it, in us
// (bench/ntt_bench NttCrossover vs Dispatcher, balanced n x n): 45 blocks 1.72 vs 1.02,
// 64 blocks 1.80 vs 1.80, 90 blocks 2.79 vs 3.22, 128 blocks 4.09 vs 5.71, 256 blocks 6.3 vs
// 16.9, 1000 blocks 28 vs 131 (Toom-3). It overtakes Toom-3 before Toom-3's own crossover.
inline constexpr std::size_t nttThreshold = 96;
// Squares use one forward transform; taken at the same size.
inline constexpr std::size_t nttSquareThreshold = 96;

// ---- Division and radix conversion ----
// Crossover sizes, in blocks, of the division and radix conversion dispatchers
// (bigint/kernels/divide.cpp, bigint/kernels/radix.cpp). Each is the smallest size at which
// the divide-and-conquer method takes over from the quadratic one, and also the size below
// which its recursion hands the pieces back to the quadratic method.
//
// Measured on a 2-core 2.6 GHz x86-64 in a Release build; times are the minimum of 3 to 5
// runs. At the time Karatsuba took over at 32 blocks and Toom-3 at 128, with no transform
// below them; the divide-and-conquer methods follow the speed of multiplication, so these
// are due to be measured again with the crossovers above.

// Recursive division serves divisions whose divisor and quotient both have at least this
// many blocks; below, Knuth's long division.
// Measured on 2n-by-n divisions (bench: DivideDivideAndConquer against DivideKnuth): at
// n = 40, 1.97 against 1.92 us; at 48, 2.57 against 2.70 us; at 128, 12.5 against 18.0 us; at
// 1000, 0.31 against 1.03 ms. Thresholds from 24 to 48 give the same times within 3% at 256
// to 1000 blocks; 60 and above are 5-10% slower there.
inline constexpr std::size_t divideDivideAndConquerThreshold = 40;

// Conversion to digits by splitting at powers of the base serves numbers of at least this
// many blocks; below, one pass of single-block division per block of digits.
// Measured on decimal texts of random numbers: at 30 blocks both take 1.95 us; at 40, 2.6
// against 3.3 us; at 60, 4.7 against 7.3 us; at 1000, 0.28 against 2.18 ms (base 3 alike).
// Thresholds from 24 to 40 give the same times within 3% at 200 to 3000 blocks; 120 is 10-20%
// slower.
inline constexpr std::size_t toDigitsDivideAndConquerThreshold = 30;

// Conversion from digits by splitting the digit string serves strings whose reading may take
// at least this many blocks (maxBlocksForDigits: about 50 blocks of value for decimal
// digits); below, Horner's rule one block of digits at a time.
// Measured on decimal texts of random numbers: at 50 blocks of value both take 1.8 us; at 80,
// 3.4 against 3.5 us; at 100, 4.4 against 5.5 us; at 1000, 0.145 against 0.36 ms (base 3
// alike). Thresholds from 20 to 90 give the same times within 3% at 200 to 3000 blocks.
inline constexpr std::size_t fromDigitsDivideAndConquerThreshold = 60;

// Conversion to digits divides every piece of a level by the same power of the base; from
// this many blocks of the power (zero blocks aside), the power's reciprocal is computed once
// and each division becomes two multiplications (divide_reciprocal.h).
inline constexpr std::size_t reciprocalDivisionThreshold = 64;

// Radix conversion splits a number into two halves converted independently; from this many
// blocks, the halves run on two cores at once when one is spare. A thread costs tens of
// microseconds, a 4096-block half about a millisecond. 2^10000000 in decimal: 0.52 s on one
// core, 0.33 s on two.
inline constexpr std::size_t parallelConversionBlocks = 4096;

// The most blocks (4 bytes each) that the cache of powers of the bases used by radix
// conversion keeps between calls: 4 MiB, room for all the powers of one base that numbers
// of half a million blocks (4.8 million decimal digits) need. Past the budget, conversions
// compute the powers that did not fit again each time, which costs them a fraction of one
// multiplication of their size.
inline constexpr std::size_t radixPowerCacheBlocks = std::size_t(1) << 20;

} // namespace bigint
