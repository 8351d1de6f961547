// SPDX-License-Identifier: MIT
#pragma once
// Long division one quotient block at a time (Knuth's algorithm D): the method for small
// and medium divisors, quadratic in the operand size.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// q := floor(a / d), q.size() == a.size(), d != 0; returns a mod d.
// q may be identical to a.
Block divideBlock(Blocks q, ConstBlocks a, Block d);

// a mod d without the quotient, d != 0.
Block remainderBlock(ConstBlocks a, Block d);

// Divides u (size m + n) by v (size n >= 2, top block non-zero).
// On return q (size m + 1) holds the quotient, u's low n blocks the remainder and the rest
// of u zeros. q must not overlap u or v; u must not overlap v.
void divideKnuth(Blocks q, Blocks u, ConstBlocks v);

} // namespace bigint::kernels
