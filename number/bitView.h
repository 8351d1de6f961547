// SPDX-License-Identifier: MIT
#pragma once
// BitView: what the window's "Bits" group and `reckonwise-eval --bases` show of one result:
// the integer in the four bases (plain for copying, grouped for reading), the bits of the
// grid with what they mean in the value range, and the text a flipped bit writes back into
// the expression line. Only what is shown is computed: the grid's 64 bits at most, the count
// of the rest, and the base texts, which the Number keeps once they are made.

#include "number/Number.h"
#include "number/Settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class BitViewKind {
    integer,
    notInteger, // a float: no bits
    noValue,
};

// One base: "decimal", "hexadecimal", "octal" or "binary".
struct BaseRow {
    std::string_view name;
    std::string plain;   // "0xFFFF", as the output format writes it, for copying
    std::string grouped; // "0xFFFF FFFF": digits in groups apart, for reading
};

struct BitView {
    BitViewKind kind = BitViewKind::noValue;
    // Why there are no bits, in words ("No value.", "Not an integer: ..."); empty for an
    // integer.
    std::string message;
    // Decimal, hexadecimal, octal, binary. Under a value range the three radix rows write
    // the range's bits (0xFF for -1 in 8 bits), as the range holds them; unlimited, every
    // row writes the value with its sign (-0xFF).
    std::array<BaseRow, 4> rows;
    // The grid: `width` cells, cell i holding bit i of `bits`. The range's width; unlimited,
    // 64 for a value that is not negative, the two's-complement width (8, 16, 32 or 64) of a
    // negative one, or 64 bits of its magnitude when it is wider (signAndMagnitude).
    int width = 0;
    std::uint64_t bits = 0;
    // Unlimited: the value's (or magnitude's) significant bits above the grid.
    std::uint64_t bitsAbove = 0;
    std::uint64_t significantBits = 0; // of the magnitude
    bool negative = false;
    bool signAndMagnitude = false;
    // Under a range: the unsigned and the signed reading of its bits, in decimal.
    std::string unsignedReading, signedReading;
    // The meaning of the grid in one line of words ("8 bits: unsigned 255, signed -1").
    std::string summary;
};

// The view of n under the value range it was computed in.
BitView bitView(const Number &n);

// The text that writes n with bit `bit` of the grid flipped, for the expression line: in the
// base of a radix format (the range's bits under a range, so that the line evaluates to the
// flipped value), in decimal otherwise. Empty when n has no grid or bit is outside it.
std::string flippedBitText(const Number &n, int bit, OutputFormat format);

// text ("-0x1FFFF", "12345") with its digits in groups of `size` counted from the right,
// a space between groups; the sign and the prefix stay in front.
std::string groupedDigits(std::string_view text, int size);
