// SPDX-License-Identifier: MIT
#pragma once
// Long double arithmetic that reports invalid operations, division by zero and overflow.
// The x87 status flags are cleared before the operation and tested after it; a raised flag
// is thrown as a constant message text, like the failures of the big integers. The math
// library functions are not wrapped: their NaN and infinite results are values.

#include <cfenv>

namespace floatcheck {

inline constexpr const char *invalidOperation = "Invalid floating point operation";
inline constexpr const char *divisionByZero = "Floating point division by zero";
inline constexpr const char *overflow = "Floating point overflow";

inline void clear() {
    std::feclearexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
}

inline void check() {
    int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (raised & FE_INVALID) throw invalidOperation;
    if (raised & FE_DIVBYZERO) throw divisionByZero;
    if (raised & FE_OVERFLOW) throw overflow;
}

// The result of op(), with the flags it raised checked. The volatile store keeps the
// compiler from moving the operation past the test.
template <class Op>
long double checked(Op op) {
    clear();
    volatile long double r = op();
    check();
    return r;
}

} // namespace floatcheck
