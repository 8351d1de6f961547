// SPDX-License-Identifier: MIT
#pragma once
// The steps that decide a Number's kind: wrapping into a limited value range, turning a
// long double that prints as a whole number back into an exact integer, and reading an
// exact integer as a long double.

#include "number/Number.h"

// Brings n's value into n's value range (nothing when rangeBits is 0): a Float is truncated
// to an exact integer, an Integer is reduced to the two's-complement reading of its low
// rangeBits bits. A Float that is not finite has no whole part and becomes NoValue.
void applyValueRange(Number &n);

// A Float whose 18-digit general text is a plain whole number becomes that exact Integer.
void normalizeFloat(Number &n);

// The value of an Integer or Float as a long double, rounded to nearest. Throws the
// overflow failure for an Integer beyond the long double range.
long double toLongDouble(const Number &n);

// The exact integer value of a finite long double that is a whole number.
BigInteger wholeLongDoubleToInteger(long double v);

// The low 64 bits of x in two's complement, and the non-negative integer of 64 bits.
std::uint64_t low64(const BigInteger &x);
BigInteger integerOf(std::uint64_t v);
