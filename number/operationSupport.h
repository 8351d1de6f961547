// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the operation files: writing results into the Number being made.

#include "number/Number.h"
#include "number/floatChecks.h"
#include "number/resultBudget.h"
#include "number/valueKind.h"

namespace ops::detail {

inline void setNoValue(Number &r, NoValueReason why) {
    r.kind = NoValue;
    r.reason = why;
    r.reasonText.reset();
}

// The result of an operation with an operand without value: no value, for the operand's
// reason (the first operand's, when both have none).
inline void passNoValue(Number &r, const Number &a) {
    r.kind = NoValue;
    r.reason = a.reason;
    r.reasonText = a.reasonText ? std::make_unique<const std::string>(*a.reasonText) : nullptr;
}
inline void passNoValue(Number &r, const Number &a, const Number &b) {
    passNoValue(r, a.kind == NoValue ? a : b);
}

// An integer result larger than the result budget has no value.
inline void setInteger(Number &r, BigInteger v) {
    if (!resultBudget::fits(v.getMagnitude())) return setNoValue(r, NoValueReason::overBudget);
    r.kind = Integer;
    r.integerValue = std::move(v);
}

// In a limited value range only the low rangeBits bits of an integer result survive the
// wrap, so power, product, factorial and left shift compute just those bits (with 64-bit
// arithmetic, which is exact modulo 2^64): the wrapped result is the same, and the result
// budget, which guards unlimited results, never comes into it.
inline bool limitedRange(const Number &r) {
    return r.rangeBits != 0;
}
inline void setLowBits(Number &r, std::uint64_t v) {
    const std::uint64_t mask =
        r.rangeBits >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << r.rangeBits) - 1;
    setInteger(r, integerOf(v & mask));
}

inline void setFloat(Number &r, long double v) {
    r.kind = Float;
    r.floatValue = v;
}

inline void setTruth(Number &r, bool t) {
    setInteger(r, BigInteger(t ? 1 : 0));
}

inline bool truthValue(const Number &x) {
    return x.kind == Integer ? !x.integerValue.isZero() : !(x.floatValue == 0);
}

inline bool anyNoValue(const Number &a) {
    return a.kind == NoValue;
}
inline bool anyNoValue(const Number &a, const Number &b) {
    return a.kind == NoValue || b.kind == NoValue;
}

} // namespace ops::detail
