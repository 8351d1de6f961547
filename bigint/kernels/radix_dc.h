// SPDX-License-Identifier: MIT
#pragma once
// Conversion between block spans and digit arrays by divide and conquer on the powers
// P_j = base^(d * 2^j), where base^d is the largest power of the base that fits in a block:
//  - to digits: a number x with P_j <= x < P_j^2 is its quotient and remainder by P_j (the
//    division dispatcher), each converted recursively; the remainder gives exactly d * 2^j
//    digits, leading zeros included.
//  - from digits: the low d * 2^j digits and the ones above them are converted recursively
//    and combined as high * P_j + low (the multiplication dispatcher).
// Pieces below the thresholds of bigint/tuning.h go back to the dispatchers of
// radix.h, which convert them by the quadratic methods; so the dispatchers must call these
// functions only at or above the thresholds.
//
// The powers are kept between calls in one cache for the process, at most
// radixPowerCacheBlocks blocks, the least recently used dropped first. Any thread may convert at
// any time: the cache is a map under a mutex whose entries are immutable and shared, so a
// conversion keeps the powers it uses even when another thread drops them from the cache, and
// no lock is held while a power is computed.

#include "bigint/kernels/radix.h"

namespace bigint::kernels {

// toDigits (radix.h) for x with at least toDigitsDivideAndConquerThreshold blocks without
// its leading zero blocks.
std::size_t toDigitsDivideAndConquer(std::span<Digit> digits, ConstBlocks x, unsigned base);
std::size_t toDigitsDivideAndConquer(std::span<SmallDigit> digits, ConstBlocks x, unsigned base);

// fromDigits (radix.h) for digits with maxBlocksForDigits(digits.size(), base) at least
// fromDigitsDivideAndConquerThreshold.
std::size_t fromDigitsDivideAndConquer(Blocks r, std::span<const Digit> digits, unsigned base);
std::size_t fromDigitsDivideAndConquer(Blocks r, std::span<const SmallDigit> digits, unsigned base);

// toDecimalText (radix.h) for x with at least toDigitsDivideAndConquerThreshold blocks
// without its leading zero blocks.
std::size_t toDecimalTextDivideAndConquer(std::span<char> text, ConstBlocks x);

// fromDecimalText (radix.h) for texts with maxBlocksForDigits(text.size(), 10) at least
// fromDecimalTextDivideAndConquerThreshold.
std::size_t fromDecimalTextDivideAndConquer(Blocks r, std::string_view text);
std::size_t fromDecimalTextDivideAndConquer(Blocks r, std::u16string_view text);

// The blocks the cache of powers holds now, at most its budget.
std::size_t radixPowerCacheSize();

// Sets the budget of the cache of powers (radixPowerCacheBlocks at start), dropping powers
// to fit it, and returns the previous one; for tests.
std::size_t setRadixPowerCacheBudget(std::size_t blocks);

} // namespace bigint::kernels
