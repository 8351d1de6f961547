#pragma once
// Number: the calculator's value for one expression text under the settings in force when
// it was made. It is an exact integer, an 80-bit long double, or no value at all. Numbers
// are made only by evaluateExpression, owned by numberCache and never changed after they
// are made, apart from the result texts that formatNumber caches in them.

#include "bigint/BigInteger.h"
#include "number/Settings.h"

#include <array>
#include <cstdint>
#include <string>

enum NumberKind : std::int32_t {
    NoValue = 0,
    Integer = 1,
    Float = 2,
};

struct Number {
    NumberKind kind = NoValue;
    long double floatValue = 0; // the value when kind is Float
    BigInteger integerValue;    // the value when kind is Integer
    std::u16string text;        // the expression text as given; part of the cache key
    AngleUnit angleUnit = Degrees;
    bool rangeSigned = true;
    std::int32_t rangeBits = 0;
    // Result texts per OutputFormat, filled by formatNumber under the cache lock.
    std::array<std::u16string, outputFormatCount> resultText;
    std::array<bool, outputFormatCount> resultTextReady{};

    Number() = default;
    Number(const Number &) = delete;
    Number &operator=(const Number &) = delete;
};
