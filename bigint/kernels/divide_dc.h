// SPDX-License-Identifier: MIT
#pragma once
// Recursive division (Burnikel and Ziegler): a division whose quotient has as many blocks as
// the divisor is two steps that each find half of the quotient blocks; a step divides the top
// of the dividend by the top half of the divisor, recursively, and corrects the estimate with
// one product of the quotient half by the divisor's low half. The products go through the
// multiplication dispatcher (multiply.h), so the division costs a small multiple of a
// multiplication of the same size, whatever method serves it. Below
// divideDivideAndConquerThreshold (bigint/tuning.h) the pieces go to Knuth's method.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// Divides u (size m + n) by v (size n >= 2, top block non-zero).
// On return q (size m + 1) holds the quotient, u's low n blocks the remainder and the rest
// of u zeros. q must not overlap u or v; u must not overlap v.
void divideDivideAndConquer(Blocks q, Blocks u, ConstBlocks v);

} // namespace bigint::kernels
