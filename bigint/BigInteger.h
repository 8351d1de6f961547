// SPDX-License-Identifier: MIT
#pragma once
// BigInteger: an exact signed integer of any size in sign-magnitude form on top of
// BigUnsigned. Division rounds the quotient towards negative infinity and gives the
// remainder the divisor's sign, so that dividend = quotient * divisor + remainder.
//
// Same conventions as BigUnsigned: results go into the target, aliasing is safe, failures
// throw the constant message text.

#include "bigint/BigUnsigned.h"

#include <cstdint>

class BigInteger {
public:
    using Index = BigUnsigned::Index;
    using Blk = BigUnsigned::Blk;
    // A plain signed integer so that an invalid sign can be passed to the constructor and
    // rejected there.
    enum Sign : int { negative = -1, zero = 0, positive = 1 };

    BigInteger() noexcept = default;
    BigInteger(int x);
    BigInteger(unsigned int x);
    BigInteger(const BigUnsigned &m);
    BigInteger(BigUnsigned &&m);
    // Throws for a zero sign with a non-zero magnitude and for a sign outside -1, 0, +1.
    BigInteger(const BigUnsigned &m, Sign s);

    BigInteger(const BigInteger &) = default;
    BigInteger(BigInteger &&) noexcept = default;
    BigInteger &operator=(const BigInteger &) = default;
    BigInteger &operator=(BigInteger &&) noexcept = default;

    Sign getSign() const { return sign; }
    const BigUnsigned &getMagnitude() const { return magnitude; }
    bool isZero() const { return sign == zero; }

    // -1, 0, +1 comparing this value with x.
    int compare(const BigInteger &x) const;

    void add(const BigInteger &a, const BigInteger &b);
    void subtract(const BigInteger &a, const BigInteger &b);
    void multiply(const BigInteger &a, const BigInteger &b);
    // Floor division: the target holds the dividend on entry and the remainder on exit,
    // q receives the quotient. Dividing by zero leaves the target alone and sets q to 0.
    void divideWithRemainder(const BigInteger &b, BigInteger &q);
    void negate(const BigInteger &a);

    BigInteger operator+(const BigInteger &x) const;
    BigInteger operator-(const BigInteger &x) const;
    BigInteger operator*(const BigInteger &x) const;
    BigInteger operator-() const;
    // Throw on a zero divisor.
    BigInteger operator/(const BigInteger &x) const;
    BigInteger operator%(const BigInteger &x) const;
    BigInteger &operator/=(const BigInteger &x);
    BigInteger &operator%=(const BigInteger &x);

    BigInteger &operator+=(const BigInteger &x);
    BigInteger &operator-=(const BigInteger &x);
    BigInteger &operator*=(const BigInteger &x);

    bool operator==(const BigInteger &x) const {
        return sign == x.sign && magnitude == x.magnitude;
    }
    bool operator<(const BigInteger &x) const { return compare(x) < 0; }
    bool operator<=(const BigInteger &x) const { return compare(x) <= 0; }
    bool operator>(const BigInteger &x) const { return compare(x) > 0; }
    bool operator>=(const BigInteger &x) const { return compare(x) >= 0; }

    // Throw when the value does not fit.
    std::uint32_t toUInt32() const;
    std::int32_t toInt32() const;

protected:
    Sign sign = zero;
    BigUnsigned magnitude;
};
