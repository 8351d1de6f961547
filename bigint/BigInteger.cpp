// SPDX-License-Identifier: MIT
#include "bigint/BigInteger.h"

#include <utility>

BigInteger::BigInteger(int x) {
    if (x == 0) return;
    sign = x > 0 ? positive : negative;
    // Negated in 32 unsigned bits, so that -2^31 has the magnitude 2^31.
    magnitude = BigUnsigned(x > 0 ? unsigned(x) : 0u - unsigned(x));
}

BigInteger::BigInteger(unsigned int x) : sign(x == 0 ? zero : positive), magnitude(x) {}

BigInteger::BigInteger(const BigUnsigned &m) : sign(m.isZero() ? zero : positive), magnitude(m) {}

BigInteger::BigInteger(BigUnsigned &&m)
    : sign(m.isZero() ? zero : positive), magnitude(std::move(m)) {}

BigInteger::BigInteger(const BigUnsigned &m, Sign s) : magnitude(m) {
    switch (s) {
    case positive:
    case negative:
        sign = m.isZero() ? zero : s;
        break;
    case zero:
        if (!m.isZero())
            throw "BigInteger::BigInteger(const BigUnsigned &, Sign): Cannot use a sign of zero "
                  "with a nonzero magnitude";
        sign = zero;
        break;
    default:
        throw "BigInteger::BigInteger(const BigUnsigned &, Sign): Invalid sign";
    }
}

int BigInteger::compare(const BigInteger &x) const {
    if (sign < x.sign) return -1;
    if (sign > x.sign) return 1;
    switch (sign) {
    case zero:
        return 0;
    case positive:
        return magnitude.compare(x.magnitude);
    case negative:
        return -magnitude.compare(x.magnitude);
    default:
        throw "BigInteger internal error";
    }
}

void BigInteger::add(const BigInteger &a, const BigInteger &b) {
    if (this == &a || this == &b) {
        BigInteger tmp;
        tmp.add(a, b);
        *this = tmp;
        return;
    }
    if (a.sign == zero) {
        *this = b;
    } else if (b.sign == zero) {
        *this = a;
    } else if (a.sign == b.sign) {
        sign = a.sign;
        magnitude.add(a.magnitude, b.magnitude);
    } else {
        // Different signs: the larger magnitude decides the sign; the smaller is always the
        // one subtracted, so the unsigned subtraction cannot fail.
        int c = a.magnitude.compare(b.magnitude);
        if (c == 0) {
            sign = zero;
            magnitude = BigUnsigned();
        } else if (c > 0) {
            sign = a.sign;
            magnitude.subtract(a.magnitude, b.magnitude);
        } else {
            sign = b.sign;
            magnitude.subtract(b.magnitude, a.magnitude);
        }
    }
}

void BigInteger::subtract(const BigInteger &a, const BigInteger &b) {
    if (this == &a || this == &b) {
        BigInteger tmp;
        tmp.subtract(a, b);
        *this = tmp;
        return;
    }
    if (a.sign == zero) {
        magnitude = b.magnitude;
        sign = Sign(-b.sign);
    } else if (b.sign == zero) {
        *this = a;
    } else if (a.sign != b.sign) {
        sign = a.sign;
        magnitude.add(a.magnitude, b.magnitude);
    } else {
        int c = a.magnitude.compare(b.magnitude);
        if (c == 0) {
            sign = zero;
            magnitude = BigUnsigned();
        } else if (c > 0) {
            sign = a.sign;
            magnitude.subtract(a.magnitude, b.magnitude);
        } else {
            sign = Sign(-b.sign);
            magnitude.subtract(b.magnitude, a.magnitude);
        }
    }
}

void BigInteger::multiply(const BigInteger &a, const BigInteger &b) {
    if (this == &a || this == &b) {
        BigInteger tmp;
        tmp.multiply(a, b);
        *this = tmp;
        return;
    }
    if (a.sign == zero || b.sign == zero) {
        sign = zero;
        magnitude = BigUnsigned();
        return;
    }
    sign = a.sign == b.sign ? positive : negative;
    magnitude.multiply(a.magnitude, b.magnitude);
}

void BigInteger::negate(const BigInteger &a) {
    if (this == &a) {
        sign = Sign(-sign);
        return;
    }
    magnitude = a.magnitude;
    sign = Sign(-a.sign);
}

void BigInteger::divideWithRemainder(const BigInteger &b, BigInteger &q) {
    if (this == &q)
        throw "BigInteger::divideWithRemainder: Cannot write quotient and remainder into the same "
              "variable";
    if (this == &b || &q == &b) {
        BigInteger divisor(b);
        divideWithRemainder(divisor, q);
        return;
    }
    if (b.sign == zero || sign == zero) {
        q.magnitude = BigUnsigned();
        q.sign = zero;
        return;
    }
    if (sign == b.sign) {
        q.sign = positive;
        magnitude.divideWithRemainder(b.magnitude, q.magnitude);
    } else {
        // floor(-a / b) = -(floor((a - 1) / b) + 1), with the remainder b - 1 - (a - 1) mod b.
        q.sign = negative;
        --magnitude;
        magnitude.divideWithRemainder(b.magnitude, q.magnitude);
        ++q.magnitude;
        BigUnsigned r;
        r.subtract(b.magnitude, magnitude);
        --r;
        magnitude = r;
    }
    sign = b.sign;
    if (magnitude.isZero()) sign = zero;
    if (q.magnitude.isZero()) q.sign = zero;
}

BigInteger BigInteger::operator+(const BigInteger &x) const {
    BigInteger r;
    r.add(*this, x);
    return r;
}

BigInteger BigInteger::operator-(const BigInteger &x) const {
    BigInteger r;
    r.subtract(*this, x);
    return r;
}

BigInteger BigInteger::operator*(const BigInteger &x) const {
    BigInteger r;
    r.multiply(*this, x);
    return r;
}

BigInteger BigInteger::operator-() const {
    BigInteger r;
    r.negate(*this);
    return r;
}

BigInteger BigInteger::operator/(const BigInteger &x) const {
    if (x.isZero()) throw "BigInteger::operator /: division by zero";
    BigInteger q, r(*this);
    r.divideWithRemainder(x, q);
    return q;
}

BigInteger BigInteger::operator%(const BigInteger &x) const {
    if (x.isZero()) throw "BigInteger::operator %: division by zero";
    BigInteger q, r(*this);
    r.divideWithRemainder(x, q);
    return r;
}

BigInteger &BigInteger::operator/=(const BigInteger &x) {
    if (x.isZero()) throw "BigInteger::operator /=: division by zero";
    BigInteger q;
    divideWithRemainder(x, q);
    *this = std::move(q);
    return *this;
}

BigInteger &BigInteger::operator%=(const BigInteger &x) {
    if (x.isZero()) throw "BigInteger::operator %=: division by zero";
    BigInteger q;
    divideWithRemainder(x, q);
    return *this;
}

BigInteger &BigInteger::operator+=(const BigInteger &x) {
    add(*this, x);
    return *this;
}

BigInteger &BigInteger::operator-=(const BigInteger &x) {
    subtract(*this, x);
    return *this;
}

BigInteger &BigInteger::operator*=(const BigInteger &x) {
    multiply(*this, x);
    return *this;
}

std::uint32_t BigInteger::toUInt32() const {
    if (sign == negative)
        throw "BigInteger::to<Primitive>: Cannot convert a negative integer to an unsigned type";
    return magnitude.toUInt32();
}

std::int32_t BigInteger::toInt32() const {
    if (sign == zero) return 0;
    if (magnitude.getLength() == 1) {
        std::uint32_t m = magnitude.getBlock(0);
        if (sign == positive && m <= 0x7FFFFFFFu) return std::int32_t(m);
        if (sign == negative && m <= 0x80000000u) return std::int32_t(0u - m);
    }
    throw "BigInteger::to<Primitive>: Value is too big to fit in the requested type";
}
