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

// Schoolbook (on 64-bit limbs) vs Karatsuba, medians of 3: 40 blocks 524 vs 540 ns, 48 blocks
// 721 vs 715, 56 blocks 962 vs 923, 64 blocks 1226 vs 1176.
inline constexpr std::size_t karatsubaThreshold = 48;

// Karatsuba vs Toom-3: 128 blocks 5536 vs 5653 ns, 136 blocks 6091 vs 6159, 144 blocks 6854
// vs 6656, 152 blocks 7461 vs 7198. The two stay within 2% of each other up to 240 blocks;
// over whole products 144 beats later crossovers: Toom-3 at 512 blocks 47.5 us against
// 49.4 us with the crossover at 176, at 1500 blocks 240 us against 254 us.
inline constexpr std::size_t toom3Threshold = 144;

// Squares (the same span twice), schoolbook vs Karatsuba. The schoolbook square takes each
// product of two different limbs once, its long rows in the two-flag loop where the
// processor has one; in ns, medians of two runs: 64 blocks 489 vs 572, 80 blocks 716 vs 838,
// 96 blocks 977 vs 1122, 112 blocks 1332 vs 1360, 128 blocks 1616 vs 1900. With the portable
// loop alone (ARM64) Karatsuba was ahead from 72 blocks, by 5 to 9% up to 112.
inline constexpr std::size_t karatsubaSquareThreshold = 112;

// Squares, Karatsuba vs Toom-3: 128 blocks 5282 vs 5331 ns, 136 blocks 5866 vs 5770, 144
// blocks 6239 vs 6217, 152 blocks 7075 vs 6767.
inline constexpr std::size_t toom3SquareThreshold = 136;

// The number-theoretic transform against the dispatcher below it, in us (bench/ntt_bench
// NttCrossover vs Dispatcher with the transform kept out, balanced n x n): 90 blocks 4.36 vs
// 2.21 (Karatsuba), 128 blocks 4.62 vs 4.64, 181 blocks 7.70 vs 7.71 (Toom-3), 362 blocks
// 15.7 vs 16.6, 1024 blocks 43.6 vs 44.4, 4096 blocks 195 vs 212. From 128 blocks on the
// transform is never slower.
inline constexpr std::size_t nttThreshold = 128;
// Squares use one forward transform; taken at the same size.
inline constexpr std::size_t nttSquareThreshold = 128;

// ---- Division and radix conversion ----
// Crossover sizes, in blocks, of the division and radix conversion dispatchers
// (bigint/kernels/divide.cpp, bigint/kernels/radix.cpp). Each is the smallest size at which
// the divide-and-conquer method takes over from the quadratic one, and also the size below
// which its recursion hands the pieces back to the quadratic method.
//
// Measured on a 2-core x86-64 in a Release build (bench/bigint_bench), with the schoolbook
// products and long division on 64-bit limbs and the multiplication crossovers above.

// Recursive division serves divisions whose divisor and quotient both have at least this
// many blocks; below, Knuth's long division.
// Long division takes each quotient limb from the reciprocal of the divisor's top two limbs
// and multiplies and subtracts with two carry chains (divide_knuth.cpp), about 0.8 ns a limb
// product here: products of 130 blocks, the pieces of recursive division at 260 blocks, cost
// more than long division does. 2n-by-n divisions (DivideDivideAndConquer against
// DivideKnuth, minimum of 7, with the threshold at 384): n = 256 14.8 against 14.5 us,
// n = 384 28.3 against 31.5, n = 512 42.2 against 53.3, n = 1000 107 against 194. Minimum
// times of 21 beside GMP (bench/beside_gmp_bench's method), 2076-by-1038-block quotients
// with the threshold at 192, 256, 384 and 520: 130, 130, 121 and 130 us; 6230-by-3115
// blocks 491, 485, 487 and 487 us; decimal texts alike within 2%.
inline constexpr std::size_t divideDivideAndConquerThreshold = 384;

// Conversion to digits by splitting at powers of the base serves numbers of at least this
// many blocks; below, one pass of single-block division per block of digits.
// Measured on decimal texts of random numbers (ToDecimalText, medians of 3) with the
// threshold at 16, 22, 30, 50, 80 and 120: at 1000 blocks 345, 350, 351, 381, 409 and 408 us;
// at 10000 blocks within 3% of each other up to 50, then 10% and 30% slower.
inline constexpr std::size_t toDigitsDivideAndConquerThreshold = 30;

// Conversion from digits by splitting the digit string serves strings whose reading may take
// at least this many blocks (maxBlocksForDigits: about 50 blocks of value for decimal
// digits); below, Horner's rule one block of digits at a time.
// Measured on decimal texts of random numbers: at 50 blocks of value both take 1.8 us; at 80,
// 3.4 against 3.5 us; at 100, 4.4 against 5.5 us; at 1000, 0.145 against 0.36 ms (base 3
// alike). Thresholds from 20 to 90 give the same times within 3% at 200 to 3000 blocks.
inline constexpr std::size_t fromDigitsDivideAndConquerThreshold = 60;

// The same for decimal texts read as written (fromDecimalText), whose quadratic method
// parses eight characters at a time and multiplies by 10^38 a pass. Medians of 9 beside GMP's
// reading (bench/beside_gmp_bench's method), ratios to it with the threshold at 120, 200, 300
// and 450: 2500 digits 1.21, 1.19, 1.25, 1.16; 4000 digits 1.32, 1.28, 1.26, 1.25; 10000
// digits 1.50, 1.55, 1.44, 1.46; 20000 digits 1.21, 1.18, 1.17, 1.22.
inline constexpr std::size_t fromDecimalTextDivideAndConquerThreshold = 300;

// Division through the divisor's reciprocal (Newton's iteration, then two multiplications)
// serves divisions whose divisor and quotient both have at least this many blocks.
// 2n-by-n divisions, recursive against reciprocal (one run of 10 to 40 divisions each): at
// n = 1000, 168 against 179 us; at 1500, 298 against 290 us; at 2000, 411 against 366 us; at
// 3000, 721 against 617 us; at 100000 blocks 70 against 25 ms (bench DivideWithRemainder).
inline constexpr std::size_t newtonDivisionThreshold = 1500;
// Below this many blocks of precision, a reciprocal is computed by division instead (at 250
// rather than 400: 3000-block divisions 617 against 674 us, the same below).
inline constexpr std::size_t newtonReciprocalThreshold = 250;

// Conversion to digits divides every piece of a level by the same power of the base; from
// this many blocks of the power (zero blocks aside), the power's reciprocal is computed once
// and each division becomes two multiplications (divide_reciprocal.h). Below, long division
// is faster than the two products. Decimal texts, minimum times of 31 in one process with
// the threshold at 64, 128, 256 and 512: 10^4 digits 127, 114, 106 and 106 us; 3 10^4
// digits 607, 581, 545 and 585 us; 10^5 digits 2.87, 2.71, 2.63 and 2.72 ms.
inline constexpr std::size_t reciprocalDivisionThreshold = 256;

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
