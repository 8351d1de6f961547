// SPDX-License-Identifier: MIT
#pragma once
// Why an evaluation has no value. The window shows such a result as empty; the command-line
// tool tells its user why. Every Number without a value carries one of these, set where the
// value was lost: by the reading of the text, by an operation, or by the evaluator's limits.
// A NoValue operand passes its reason on to the result.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum class NoValueReason : std::uint8_t {
    none = 0,            // the Number has a value
    missingOperand,      // an empty text where an operand belongs ("2+", "*3", "sin")
    unbalancedBrackets,  // "(1", "1)"
    emptyBrackets,       // "()"
    unknownName,         // "foo", "SIN30"; the detail is the name
    malformedNumber,     // "1.2.3", "0x", "2pi"; the detail is the text
    exponentOver500,     // "1e500": a decimal exponent of 500 or more; the detail is the literal
    outsideFloatRange,   // "1e4933"; the detail is the literal
    notFiniteInBrackets, // "(sqrt -1)+1": a bracketed value that is not a finite number
    divisionByZero,      // "5/0", "7%0"
    moduloOfFloat,       // "7.5%2"
    bitwiseOfFloat,      // "1.5|2", "~0.5"
    shiftOfFloat,        // "1.5<<1"
    shiftCountRange,     // "1<<-1", "1<<2^31"
    factorialDomain,     // "(-3)!", "2.5!", "(2^31)!"
    exponentTooLarge,    // "2^2^31"
    roundingNotFinite,   // "floor(sqrt -1)": a rounding of infinity or NaN
    roundingTooLarge,    // "floor 1e30": a rounded value too large for its text to be exact
    rangeNotFinite,      // an infinite or NaN value wrapped into an integer range
    overBudget,          // an integer result larger than the result budget ("9^9^9")
    tooDeep,             // nesting deeper than the evaluator's limit
};

// The reason as a line of text for the user, with its detail (UTF-8) where it has one.
std::string describeNoValue(NoValueReason reason, std::string_view detail);

// A detail as it is kept: at most a few dozen characters of the text, with "..." where it
// was shortened, so that a reason never holds a long text alive.
std::unique_ptr<const std::string> reasonDetail(std::u16string_view text);
