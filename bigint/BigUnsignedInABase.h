// SPDX-License-Identifier: MIT
#pragma once
// BigUnsignedInABase: the digits of a natural number in one base (2 to 65535), least
// significant first, with no zero digit at the top. It is the bridge between BigUnsigned
// and digit texts; texts use the symbols 0-9 and A-Z, so they are limited to base 36.

#include "bigint/BigUnsigned.h"
#include "bigint/NumberlikeArray.h"

#include <cstdint>
#include <string>
#include <string_view>

class BigUnsignedInABase : public NumberlikeArray<std::uint16_t> {
public:
    using Digit = std::uint16_t;
    using Base = std::uint16_t;

    // The digits of x in base; a base below 2 throws.
    BigUnsignedInABase(const BigUnsigned &x, Base base);
    // The digits written in s, most significant first; throws for a base above 36, a
    // character outside 0-9, A-Z, a-z, or a digit not below the base.
    BigUnsignedInABase(std::string_view s, Base base);

    Base getBase() const { return base; }

    // The value of the digits.
    BigUnsigned toBigUnsigned() const;
    // The digits, most significant first, in 0-9 and upper-case A-Z; zero gives "0".
    // Throws for a base above 36.
    std::string toString() const;

    explicit operator BigUnsigned() const { return toBigUnsigned(); }
    explicit operator std::string() const { return toString(); }

private:
    Base base;
};
