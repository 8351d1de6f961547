// SPDX-License-Identifier: MIT
#pragma once
// Addition kernels on block spans.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a + b for a and b of the same size n = r.size(); returns the carry out (0 or 1).
// r may be identical to a or b (in-place), but must not overlap them otherwise.
Block addSameSize(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a + b with a.size() >= b.size() and r.size() == a.size(); returns the carry out.
// r may be identical to a, must not otherwise overlap a or b.
Block add(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a + x for a single block x, r.size() == a.size(); returns the carry out.
// r may be identical to a.
Block addBlock(Blocks r, ConstBlocks a, Block x);

} // namespace bigint::kernels
