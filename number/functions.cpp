// SPDX-License-Identifier: MIT
// The functions of the expression language: trigonometry in the chosen angle unit,
// absolute value, rounding, logarithms and square root.

#include "number/operationSupport.h"
#include "number/operations.h"

#include <cmath>

namespace ops {

using namespace detail;

namespace {

// Radians per unit: pi times the double nearest 1/180 (degrees) or 0.005 (grads), the
// product formed in long double.
long double radiansPer(AngleUnit unit) {
    switch (unit) {
    case Degrees:
        return piValue * static_cast<long double>(1.0 / 180.0);
    case Grads:
        return piValue * static_cast<long double>(0.005);
    default:
        return 1;
    }
}

// Units per radian: 180 / pi or 200 / pi in long double.
long double unitsPerRadian(AngleUnit unit) {
    switch (unit) {
    case Degrees:
        return 180.0L / piValue;
    case Grads:
        return 200.0L / piValue;
    default:
        return 1;
    }
}

template <class F>
void trigonometric(Number &r, const Number &x, F f) {
    if (anyNoValue(x)) return passNoValue(r, x);
    long double angle = toLongDouble(x);
    if (r.angleUnit != Radians) {
        long double factor = radiansPer(r.angleUnit);
        angle = floatcheck::checked([&] { return angle * factor; });
    }
    setFloat(r, f(angle));
}

template <class F>
void inverseTrigonometric(Number &r, const Number &x, F f) {
    if (anyNoValue(x)) return passNoValue(r, x);
    long double angle = f(toLongDouble(x));
    if (r.angleUnit != Radians) {
        long double factor = unitsPerRadian(r.angleUnit);
        angle = floatcheck::checked([&] { return angle * factor; });
    }
    setFloat(r, angle);
}

template <class F>
void floatFunction(Number &r, const Number &x, F f) {
    if (anyNoValue(x)) return passNoValue(r, x);
    setFloat(r, f(toLongDouble(x)));
}

// floor, ceil and round keep Integers and must turn a Float into an Integer.
template <class F>
void rounding(Number &r, const Number &x, F f) {
    if (anyNoValue(x)) return passNoValue(r, x);
    if (x.kind == Integer) return setInteger(r, x.integerValue);
    setFloat(r, f(x.floatValue));
    normalizeFloat(r);
    if (r.kind == Float)
        setNoValue(r, std::isfinite(r.floatValue) ? NoValueReason::roundingTooLarge
                                                  : NoValueReason::roundingNotFinite);
}

} // namespace

void sine(Number &r, const Number &x) {
    trigonometric(r, x, [](long double a) { return std::sin(a); });
}
void cosine(Number &r, const Number &x) {
    trigonometric(r, x, [](long double a) { return std::cos(a); });
}
void tangent(Number &r, const Number &x) {
    trigonometric(r, x, [](long double a) { return std::tan(a); });
}
void arcsine(Number &r, const Number &x) {
    inverseTrigonometric(r, x, [](long double v) { return std::asin(v); });
}
void arccosine(Number &r, const Number &x) {
    inverseTrigonometric(r, x, [](long double v) { return std::acos(v); });
}
void arctangent(Number &r, const Number &x) {
    inverseTrigonometric(r, x, [](long double v) { return std::atan(v); });
}

void absolute(Number &r, const Number &x) {
    if (anyNoValue(x)) return passNoValue(r, x);
    if (x.kind == Integer) {
        BigInteger v = x.integerValue;
        if (v.getSign() == BigInteger::negative) v.negate(v);
        return setInteger(r, std::move(v));
    }
    setFloat(r, std::fabs(x.floatValue));
}

void floorOf(Number &r, const Number &x) {
    rounding(r, x, [](long double v) { return std::floor(v); });
}
void ceilingOf(Number &r, const Number &x) {
    rounding(r, x, [](long double v) { return std::ceil(v); });
}
void roundOf(Number &r, const Number &x) {
    rounding(r, x, [](long double v) {
        long double half = floatcheck::checked([&] { return v + 0.5L; });
        return std::floor(half);
    });
}

void naturalLog(Number &r, const Number &x) {
    floatFunction(r, x, [](long double v) { return std::log(v); });
}
void commonLog(Number &r, const Number &x) {
    floatFunction(r, x, [](long double v) { return std::log10(v); });
}
void squareRoot(Number &r, const Number &x) {
    floatFunction(r, x, [](long double v) { return std::sqrt(v); });
}

} // namespace ops
