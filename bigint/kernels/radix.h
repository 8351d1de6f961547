// SPDX-License-Identifier: MIT
#pragma once
// Conversion between block spans and digit arrays in a base from 2 to 65535
// (digits least significant first, each below the base).

#include "bigint/kernels/blocks.h"

#include <string_view>

namespace bigint::kernels {

using Digit = std::uint16_t;

// An upper bound on the number of blocks of a number written with `count` digits in `base`.
std::size_t maxBlocksForDigits(std::size_t count, unsigned base);

// An upper bound on the number of digits in `base` of a number of `blocks` blocks.
std::size_t maxDigitsForBlocks(std::size_t blocks, unsigned base);

// Writes the digits of x in base (2 <= base <= 65535), least significant first, and returns
// their count: 0 for zero, never a leading zero digit otherwise. digits.size() must be at
// least maxDigitsForBlocks(x.size(), base).
std::size_t toDigits(std::span<Digit> digits, ConstBlocks x, unsigned base);

// r := the value of the digits (least significant first, each below base), and returns the
// normalised block count. r.size() must be at least maxBlocksForDigits(digits.size(), base);
// the blocks of r above the returned count are zero.
std::size_t fromDigits(Blocks r, std::span<const Digit> digits, unsigned base);

// The same with one byte a digit, for bases up to 256: long decimal texts take half the
// memory on their way to and from blocks.
using SmallDigit = std::uint8_t;
std::size_t toDigits(std::span<SmallDigit> digits, ConstBlocks x, unsigned base);
std::size_t fromDigits(Blocks r, std::span<const SmallDigit> digits, unsigned base);

// toDigits for base 10 as a text: writes the decimal digits of x, most significant first,
// '0' to '9', at the end of text, and returns their count (0 for zero); nothing else of text
// is written. text.size() must be at least that count (maxDigitsForBlocks(x.size(), 10) is).
std::size_t toDecimalText(std::span<char> text, ConstBlocks x);

// fromDigits for a decimal text read as it is written, most significant digit first, every
// character '0' to '9': no array of digit values in between.
// r.size() must be at least maxBlocksForDigits(text.size(), 10).
std::size_t fromDecimalText(Blocks r, std::string_view text);
// The same for a text of UTF-16 characters (the calculator's expression texts), read in
// pieces of a few thousand characters: no copy of the whole text in between.
std::size_t fromDecimalText(Blocks r, std::u16string_view text);

} // namespace bigint::kernels
