// SPDX-License-Identifier: MIT
#pragma once
// Number: the calculator's value for one expression text under the settings in force when
// it was made. It is an exact integer, an 80-bit long double, or no value at all. Numbers
// are made only by evaluateExpression and never changed after they are made, apart from
// the result texts that formatNumber caches in them. They are shared: numberCache keeps
// them for re-use, and whoever uses one holds a NumberRef to it, so an entry the cache
// drops lives on for as long as anyone still uses it.

#include "bigint/BigInteger.h"
#include "number/Settings.h"
#include "number/SharedText.h"
#include "number/noValueReason.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

enum NumberKind : std::int32_t {
    NoValue = 0,
    Integer = 1,
    Float = 2,
};

struct Number {
    NumberKind kind = NoValue;
    NoValueReason reason = NoValueReason::none; // why, when kind is NoValue
    long double floatValue = 0;                 // the value when kind is Float
    BigInteger integerValue;                    // the value when kind is Integer
    SharedText text;            // the expression text as given; part of the cache key
    std::uint64_t textHash = 0; // text.hash() when cached, kept for the cache's look-ups
    AngleUnit angleUnit = Degrees;
    bool rangeSigned = true;
    std::int32_t rangeBits = 0;
    // How deeply the evaluation of text nests, counted from the text itself (see
    // maxEvaluationHeight), so that a deep text is refused whether or not the cache holds
    // some of its sub-texts.
    std::uint32_t height = 1;
    // Result texts per OutputFormat, made by formatNumber and set under the cache lock; a
    // text is ready when it is there. Most Numbers are shown in one format or none, so each
    // text is kept on its own.
    mutable std::array<std::unique_ptr<const std::u16string>, outputFormatCount> resultText;
    // The reason's detail (an unknown name, a malformed literal), when it has one.
    std::unique_ptr<const std::string> reasonText;
    // The bytes numberCache counts for this entry (its lock guards it); 0 when not cached.
    mutable std::size_t cachedBytes = 0;
    // The name of this integer in the evaluator's rebuilt texts (carriedIntegers.h), given
    // when it is first carried; 0 before.
    mutable std::atomic<std::uint64_t> carriedName{0};

    Number() = default;
    Number(const Number &) = delete;
    Number &operator=(const Number &) = delete;
};

// A Number in use: keeps it alive, whatever the cache does meanwhile.
using NumberRef = std::shared_ptr<const Number>;
