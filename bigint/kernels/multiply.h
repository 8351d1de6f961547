#pragma once
// Multiplication of natural numbers of any size: picks the algorithm by operand size.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a * b, r.size() == a.size() + b.size(), both operands non-empty.
// r must not overlap a or b; a and b may be the same span (squaring).
void multiply(Blocks r, ConstBlocks a, ConstBlocks b);

} // namespace bigint::kernels
