#pragma once
// Helpers shared by the operation files: writing results into the Number being made.

#include "number/Number.h"
#include "number/floatChecks.h"
#include "number/resultBudget.h"
#include "number/valueKind.h"

namespace ops::detail {

inline void setNoValue(Number &r) {
    r.kind = NoValue;
}

// An integer result larger than the result budget has no value.
inline void setInteger(Number &r, BigInteger v) {
    if (!resultBudget::fits(v.getMagnitude())) return setNoValue(r);
    r.kind = Integer;
    r.integerValue = std::move(v);
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
