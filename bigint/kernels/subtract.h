// SPDX-License-Identifier: MIT
#pragma once
// Subtraction kernels on block spans.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a - b modulo 2^(32n) for a and b of the same size n = r.size(); returns the borrow
// out (1 when b > a). r may be identical to a or b, must not overlap them otherwise.
Block subtractSameSize(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a - b with a.size() >= b.size() and r.size() == a.size(); returns the borrow out.
// r may be identical to a, must not otherwise overlap a or b.
Block subtract(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a - x for a single block x, r.size() == a.size(); returns the borrow out.
// r may be identical to a.
Block subtractBlock(Blocks r, ConstBlocks a, Block x);

} // namespace bigint::kernels
