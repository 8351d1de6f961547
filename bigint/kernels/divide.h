// SPDX-License-Identifier: MIT
#pragma once
// Division with remainder of natural numbers of any size: picks the algorithm by size.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// Divides u (size m + n) by v (size n >= 1, top block non-zero).
// On return q (size m + 1) holds the quotient, u's low n blocks the remainder and the rest
// of u zeros. q must not overlap u or v; u must not overlap v.
void divideWithRemainder(Blocks q, Blocks u, ConstBlocks v);

// The same without the reciprocal's method: recursive or long division by size; for the
// reciprocal's own computation.
void divideWithoutReciprocal(Blocks q, Blocks u, ConstBlocks v);

} // namespace bigint::kernels
