// SPDX-License-Identifier: MIT
#pragma once
// Conversions between big integers and digit texts (ASCII, most significant digit first)
// in bases 2 to 36. Reading accepts both letter cases; writing uses upper case.

#include "bigint/BigInteger.h"
#include "bigint/BigUnsigned.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

std::string unsignedToText(const BigUnsigned &x, unsigned short base);
// A "-" in front of the magnitude's digits for a negative value.
std::string integerToText(const BigInteger &x, unsigned short base);

BigUnsigned textToUnsigned(std::string_view s, unsigned short base);

// The value of digit values in base 2 to 36, each below the base, least significant first:
// for a reader that has checked its digits already, without a copy of its text.
BigUnsigned digitsToUnsigned(std::span<const std::uint8_t> digits, unsigned short base);
// The value of a UTF-16 text whose characters are all '0' to '9' (the caller has checked
// them), read as it is: a literal of millions of digits needs no second copy.
BigUnsigned decimalTextToUnsigned(std::u16string_view digits);
// An optional leading "-" or "+", then digits; "-" alone and "-0" read as zero.
BigInteger textToInteger(std::string_view s, unsigned short base);

// Bits per digit of a power-of-two base (2, 4, 8, 16, 32), 0 for the other bases.
constexpr int powerOfTwoDigitBits(unsigned base) {
    switch (base) {
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    case 16:
        return 4;
    case 32:
        return 5;
    default:
        return 0;
    }
}

// Appends the digits of a nonzero x in a power-of-two base to out, a string of any
// character type. Every digit is a run of bits, written straight from the blocks with no
// digit array in between: a large number's binary text is already 32 times its size.
template <class String>
void appendPowerOfTwoDigits(String &out, const BigUnsigned &x, unsigned base) {
    using Char = typename String::value_type;
    const auto bits = unsigned(powerOfTwoDigitBits(base));
    const std::uint64_t digits = (x.bitLength() + bits - 1) / bits;
    const std::size_t at = out.size();
    out.resize(at + digits);
    const unsigned mask = (1u << bits) - 1;
    for (std::uint64_t d = 0; d < digits; ++d) {
        const std::uint64_t bit = d * bits;
        const auto i = BigUnsigned::Index(bit / 32);
        const std::uint64_t pair = x.blockAt(i) | std::uint64_t(x.blockAt(i + 1)) << 32;
        const unsigned v = unsigned(pair >> (bit % 32)) & mask;
        out[at + digits - 1 - d] = Char(v < 10 ? '0' + v : 'A' + (v - 10));
    }
}
