// SPDX-License-Identifier: MIT
#pragma once
// r := r + a * m on 64-bit limbs, the row of a schoolbook product: on x86-64 processors with
// the ADX and BMI2 extensions, a loop that keeps the products' carries and the additions'
// carries in two separate flags, so that neither waits for the other; elsewhere portable C++.

#include "bigint/kernels/limb_division.h"

#include <cstddef>

namespace bigint::kernels {

// r := r + a * m over n limbs (n >= 0, r and a not overlapping); returns the limb carried out
// at the top.
Limb addMultiplyLimbs(Limb *r, const Limb *a, std::size_t n, Limb m);

// The portable loop alone, for the tests to compare with.
Limb addMultiplyLimbsPortable(Limb *r, const Limb *a, std::size_t n, Limb m);

} // namespace bigint::kernels
