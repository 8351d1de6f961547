// SPDX-License-Identifier: MIT
#include "bigint/kernels/adx.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#endif

namespace bigint::kernels {

bool haveMulxAdx() {
#if defined(__x86_64__) && defined(__GNUC__)
    // Leaf 7 of cpuid, bits 8 (BMI2) and 19 (ADX) of ebx.
    static const bool have = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (__get_cpuid_count(7, 0, &a, &b, &c, &d) == 0) return false;
        return (b >> 8 & 1) != 0 && (b >> 19 & 1) != 0;
    }();
    return have;
#else
    return false;
#endif
}

} // namespace bigint::kernels
