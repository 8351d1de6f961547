#pragma once
// Helpers shared by the operation files: writing results into the Number being made.

#include "number/Number.h"
#include "number/floatChecks.h"
#include "number/valueKind.h"

namespace ops::detail {

inline void setNoValue(Number &r) {
    r.kind = NoValue;
}

inline void setInteger(Number &r, BigInteger v) {
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
