// SPDX-License-Identifier: MIT
#pragma once
// The operators and functions of the expression language. Each writes its result (kind
// and value) into `r`, the Number being made, and leaves the operands alone. Two Integers
// give an exact Integer wherever the operation allows; a Float operand, or an operation
// that exists only in long double, gives a Float; a NoValue operand gives NoValue.
// Long double overflow and invalid operations throw (see floatChecks.h).

#include "number/Number.h"

namespace ops {

void add(Number &r, const Number &a, const Number &b);
void subtract(Number &r, const Number &a, const Number &b);
void multiply(Number &r, const Number &a, const Number &b);
void divide(Number &r, const Number &a, const Number &b);
void modulo(Number &r, const Number &a, const Number &b);
void power(Number &r, const Number &base, const Number &exponent);
void factorial(Number &r, const Number &x);

void logicalOr(Number &r, const Number &a, const Number &b);
void logicalAnd(Number &r, const Number &a, const Number &b);
void logicalNot(Number &r, const Number &x);

void equal(Number &r, const Number &a, const Number &b);
void notEqual(Number &r, const Number &a, const Number &b);
void less(Number &r, const Number &a, const Number &b);
void greater(Number &r, const Number &a, const Number &b);
void lessOrEqual(Number &r, const Number &a, const Number &b);
void greaterOrEqual(Number &r, const Number &a, const Number &b);

void bitwiseOr(Number &r, const Number &a, const Number &b);
void bitwiseXor(Number &r, const Number &a, const Number &b);
void bitwiseAnd(Number &r, const Number &a, const Number &b);
void complement(Number &r, const Number &x);
void shiftLeft(Number &r, const Number &a, const Number &count);
void shiftRight(Number &r, const Number &a, const Number &count);

// Trigonometric functions take and give angles in r's angleUnit.
void sine(Number &r, const Number &x);
void cosine(Number &r, const Number &x);
void tangent(Number &r, const Number &x);
void arcsine(Number &r, const Number &x);
void arccosine(Number &r, const Number &x);
void arctangent(Number &r, const Number &x);

void absolute(Number &r, const Number &x);
void floorOf(Number &r, const Number &x);
void ceilingOf(Number &r, const Number &x);
void roundOf(Number &r, const Number &x);
void naturalLog(Number &r, const Number &x);
void commonLog(Number &r, const Number &x);
void squareRoot(Number &r, const Number &x);

} // namespace ops

// The constants of the language: the double-precision values nearest pi, the golden ratio
// and e, held as long double.
inline constexpr long double piValue = static_cast<long double>(3.141592653589793);
inline constexpr long double phiValue = static_cast<long double>(1.618033988749895);
inline constexpr long double eValue = static_cast<long double>(2.718281828459045);
