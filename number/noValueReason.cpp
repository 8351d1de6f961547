// SPDX-License-Identifier: MIT
#include "number/noValueReason.h"

#include "number/evaluator.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"

namespace {

// The text, a space and the detail in quotes; built by appending, which g++ 12 at -O3 does
// not take for overlapping copies (its -Wrestrict misfires on operator+ chains).
std::string withDetail(std::string_view text, std::string_view detail) {
    std::string s;
    s.reserve(text.size() + detail.size() + 3);
    s.append(text).append(" '").append(detail).append("'");
    return s;
}

std::string withNumber(std::string_view before, std::uint64_t number, std::string_view after) {
    std::string s(before);
    s.append(std::to_string(number)).append(after);
    return s;
}

} // namespace

std::string describeNoValue(NoValueReason reason, std::string_view detail) {
    switch (reason) {
    case NoValueReason::none:
        break;
    case NoValueReason::missingOperand:
        return "missing operand";
    case NoValueReason::unbalancedBrackets:
        return "unbalanced brackets";
    case NoValueReason::emptyBrackets:
        return "empty brackets";
    case NoValueReason::unknownName:
        return withDetail("unknown name", detail);
    case NoValueReason::malformedNumber:
        return withDetail("malformed number", detail);
    case NoValueReason::exponentOver500:
        return withDetail("exponent of 500 or more in", detail);
    case NoValueReason::outsideFloatRange:
        return withDetail("number outside the float range", detail);
    case NoValueReason::notFiniteInBrackets:
        return "value in brackets is not a finite number";
    case NoValueReason::divisionByZero:
        return "division by zero";
    case NoValueReason::moduloOfFloat:
        return "modulo needs integers";
    case NoValueReason::bitwiseOfFloat:
        return "bitwise operation needs integers";
    case NoValueReason::shiftOfFloat:
        return "shift needs an integer";
    case NoValueReason::shiftCountRange:
        return "shift count outside 0 to 2147483647";
    case NoValueReason::factorialDomain:
        return "factorial needs an integer from 0 to 2147483647";
    case NoValueReason::exponentTooLarge:
        return "integer exponent of 2^31 or more";
    case NoValueReason::roundingNotFinite:
        return "rounding of a value that is not a finite number";
    case NoValueReason::roundingTooLarge:
        return "rounded value too large to be an exact integer";
    case NoValueReason::rangeNotFinite:
        return "value that is not a finite number has no integer in the range";
    case NoValueReason::overBudget:
        return withNumber("result larger than ", resultBudget::maxBits(), " bits");
    case NoValueReason::tooDeep:
        return withNumber("expression nested more than ", maxEvaluationHeight, " levels deep");
    }
    return "no value";
}

std::unique_ptr<const std::string> reasonDetail(std::u16string_view text) {
    constexpr std::size_t kept = 40;
    if (text.size() <= kept) return std::make_unique<const std::string>(utf16ToUtf8(text));
    std::size_t n = kept;
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n; // keep a surrogate pair whole
    return std::make_unique<const std::string>(utf16ToUtf8(text.substr(0, n)) + "...");
}
