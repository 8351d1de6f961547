// SPDX-License-Identifier: MIT
#pragma once
// BigUnsigned: an exact natural number of any size, stored as 32-bit blocks, least
// significant first, always in normal form (no zero block at the top; zero has no blocks).
//
// Operations write into the object they are called on (the target) and leave the operands
// alone; when the target is also an operand they compute into a temporary first, so
// a.add(a, a) is correct. Failures throw the constant message text (a const char *).

#include "bigint/NumberlikeArray.h"

#include <cstdint>

class BigUnsigned : public NumberlikeArray<std::uint32_t> {
public:
    using Blk = std::uint32_t;
    static constexpr unsigned bitsPerBlock = 32;

    BigUnsigned() noexcept = default;
    BigUnsigned(unsigned int x);
    BigUnsigned(unsigned short x);
    // Throws for a negative x.
    BigUnsigned(int x);
    // The value of the len blocks at b (least significant first), normalised.
    BigUnsigned(const Blk *b, Index len);

    BigUnsigned(const BigUnsigned &) = default;
    BigUnsigned(BigUnsigned &&) noexcept = default;
    BigUnsigned &operator=(const BigUnsigned &) = default;
    BigUnsigned &operator=(BigUnsigned &&) noexcept = default;

    // Block i of the value; blocks at or above the length read as 0.
    Blk blockAt(Index i) const { return i < length ? blocks[i] : 0; }
    // Sets block i, growing or normalising as needed so the value stays in normal form.
    void setBlockAt(Index i, Blk v);
    // Lowers the length while the top block is zero.
    void normalize() {
        while (length > 0 && blocks[length - 1] == 0)
            --length;
    }

    bool isZero() const { return length == 0; }
    // Number of significant bits (0 for zero).
    std::uint64_t bitLength() const;

    // -1, 0, +1 comparing this value with x.
    int compare(const BigUnsigned &x) const;

    void add(const BigUnsigned &a, const BigUnsigned &b);
    // Throws when b > a.
    void subtract(const BigUnsigned &a, const BigUnsigned &b);
    void multiply(const BigUnsigned &a, const BigUnsigned &b);
    // The target holds the dividend on entry and the remainder on exit; q receives the
    // quotient. Dividing by zero leaves the target alone and sets q to zero.
    void divideWithRemainder(const BigUnsigned &b, BigUnsigned &q);
    // a * 2^n; a negative n shifts right.
    void bitShiftLeft(const BigUnsigned &a, int n);
    // floor(a / 2^n); a negative n shifts left.
    void bitShiftRight(const BigUnsigned &a, int n);

    BigUnsigned &operator++();
    BigUnsigned operator++(int);
    // Throws for a zero target.
    BigUnsigned &operator--();
    BigUnsigned operator--(int);

    // Throw when the value does not fit.
    std::uint32_t toUInt32() const;
    std::uint16_t toUInt16() const;

    bool operator==(const BigUnsigned &x) const { return NumberlikeArray::operator==(x); }
    bool operator<(const BigUnsigned &x) const { return compare(x) < 0; }
    bool operator<=(const BigUnsigned &x) const { return compare(x) <= 0; }
    bool operator>(const BigUnsigned &x) const { return compare(x) > 0; }
    bool operator>=(const BigUnsigned &x) const { return compare(x) >= 0; }

    BigUnsigned operator+(const BigUnsigned &x) const;
    BigUnsigned operator-(const BigUnsigned &x) const;
    BigUnsigned operator*(const BigUnsigned &x) const;

private:
    // The blocks past the length, up to the capacity, as a writable span.
    std::span<Blk> room(Index n) { return {blocks, n}; }
};

// The greatest common divisor by Euclid's algorithm; gcd(x, 0) = x and gcd(0, 0) = 0.
BigUnsigned greatestCommonDivisor(BigUnsigned a, BigUnsigned b);
