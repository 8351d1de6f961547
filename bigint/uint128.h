// SPDX-License-Identifier: MIT
#pragma once
// An unsigned 128-bit integer for the limb loops, products of two 64-bit limbs and divisions
// of two limbs by one. UInt128 is the compiler's own type where it has one (64-bit GCC and
// clang); on 32-bit processors it is PortableUInt128, two 64-bit halves with the operators
// the loops use, computed from 32-bit pieces.

#include <cstdint>

namespace bigint {

class PortableUInt128 {
public:
    constexpr PortableUInt128() = default;
    constexpr PortableUInt128(std::uint64_t low) : low_(low) {}
    constexpr PortableUInt128(std::uint64_t high, std::uint64_t low) : high_(high), low_(low) {}

    constexpr std::uint64_t high() const { return high_; }
    constexpr std::uint64_t low() const { return low_; }
    // The low bits, as a cast of the native type gives them.
    constexpr explicit operator std::uint64_t() const { return low_; }
    constexpr explicit operator std::uint32_t() const { return std::uint32_t(low_); }
    constexpr explicit operator bool() const { return (high_ | low_) != 0; }

    // The whole product of two 64-bit numbers, from four 32-bit products.
    static constexpr PortableUInt128 product(std::uint64_t a, std::uint64_t b) {
        const std::uint64_t a0 = std::uint32_t(a), a1 = a >> 32;
        const std::uint64_t b0 = std::uint32_t(b), b1 = b >> 32;
        const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        // At most 3 (2^32 - 1): no carry is lost.
        const std::uint64_t middle = (p00 >> 32) + std::uint32_t(p01) + std::uint32_t(p10);
        return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
                middle << 32 | std::uint32_t(p00)};
    }

    friend constexpr PortableUInt128 operator+(PortableUInt128 a, PortableUInt128 b) {
        const std::uint64_t low = a.low_ + b.low_;
        return {a.high_ + b.high_ + (low < a.low_ ? 1 : 0), low};
    }
    friend constexpr PortableUInt128 operator-(PortableUInt128 a, PortableUInt128 b) {
        return {a.high_ - b.high_ - (a.low_ < b.low_ ? 1 : 0), a.low_ - b.low_};
    }
    // Modulo 2^128, as the native type.
    friend constexpr PortableUInt128 operator*(PortableUInt128 a, PortableUInt128 b) {
        const PortableUInt128 p = product(a.low_, b.low_);
        return {p.high_ + a.high_ * b.low_ + a.low_ * b.high_, p.low_};
    }
    friend constexpr PortableUInt128 operator/(PortableUInt128 a, PortableUInt128 b) {
        PortableUInt128 rest;
        return divide(a, b, rest);
    }
    friend constexpr PortableUInt128 operator%(PortableUInt128 a, PortableUInt128 b) {
        PortableUInt128 rest;
        divide(a, b, rest);
        return rest;
    }
    friend constexpr PortableUInt128 operator~(PortableUInt128 a) { return {~a.high_, ~a.low_}; }
    friend constexpr PortableUInt128 operator&(PortableUInt128 a, PortableUInt128 b) {
        return {a.high_ & b.high_, a.low_ & b.low_};
    }
    friend constexpr PortableUInt128 operator|(PortableUInt128 a, PortableUInt128 b) {
        return {a.high_ | b.high_, a.low_ | b.low_};
    }
    // Shifts by 0 to 127 bits.
    friend constexpr PortableUInt128 operator<<(PortableUInt128 a, int n) {
        if (n == 0) return a;
        if (n >= 64) return {a.low_ << (n - 64), 0};
        return {a.high_ << n | a.low_ >> (64 - n), a.low_ << n};
    }
    friend constexpr PortableUInt128 operator>>(PortableUInt128 a, int n) {
        if (n == 0) return a;
        if (n >= 64) return {0, a.high_ >> (n - 64)};
        return {a.high_ >> n, a.low_ >> n | a.high_ << (64 - n)};
    }
    friend constexpr bool operator==(PortableUInt128 a, PortableUInt128 b) = default;
    friend constexpr bool operator<(PortableUInt128 a, PortableUInt128 b) {
        return a.high_ < b.high_ || (a.high_ == b.high_ && a.low_ < b.low_);
    }
    friend constexpr bool operator>(PortableUInt128 a, PortableUInt128 b) { return b < a; }
    friend constexpr bool operator<=(PortableUInt128 a, PortableUInt128 b) { return !(b < a); }
    friend constexpr bool operator>=(PortableUInt128 a, PortableUInt128 b) { return !(a < b); }

    constexpr PortableUInt128 &operator+=(PortableUInt128 b) { return *this = *this + b; }
    constexpr PortableUInt128 &operator-=(PortableUInt128 b) { return *this = *this - b; }
    constexpr PortableUInt128 &operator*=(PortableUInt128 b) { return *this = *this * b; }
    constexpr PortableUInt128 &operator<<=(int n) { return *this = *this << n; }
    constexpr PortableUInt128 &operator>>=(int n) { return *this = *this >> n; }

private:
    // a / b, the remainder in rest; b is not 0. One quotient bit a step from a's highest
    // bit down (the divisions are few: a reciprocal per divisor, a float's digits); a
    // dividend and divisor of one limb each are the C library's 64-bit division.
    static constexpr PortableUInt128 divide(PortableUInt128 a, PortableUInt128 b,
                                            PortableUInt128 &rest) {
        if (a.high_ == 0 && b.high_ == 0) {
            rest = a.low_ % b.low_;
            return a.low_ / b.low_;
        }
        PortableUInt128 quotient;
        PortableUInt128 r;
        int bit = 127;
        // Skip the quotient bits that are 0 for certain: those above the highest one of a.
        while (bit > 0 && !((a >> bit).low_ & 1))
            --bit;
        for (; bit >= 0; --bit) {
            const bool top = (r.high_ >> 63) != 0;
            r = r << 1 | ((a >> bit).low_ & 1);
            if (top || r >= b) {
                r -= b;
                quotient = quotient | PortableUInt128(1) << bit;
            }
        }
        rest = r;
        return quotient;
    }

    std::uint64_t high_ = 0;
    std::uint64_t low_ = 0;
};

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 UInt128; // a GCC and clang type
#else
using UInt128 = PortableUInt128;
#endif

} // namespace bigint
