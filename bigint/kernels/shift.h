// SPDX-License-Identifier: MIT
#pragma once
// Bit shifts by less than one block on block spans.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a * 2^s (low r.size() blocks), 0 <= s < 32, r.size() == a.size(); returns the bits
// shifted out at the top. r may be identical to a or lie above it (r.data() >= a.data()).
Block shiftLeft(Blocks r, ConstBlocks a, unsigned s);

// r := floor(a / 2^s), 0 <= s < 32, r.size() == a.size(); returns the bits shifted out at
// the bottom, in the top s bits of the result. r may be identical to a or lie below it.
Block shiftRight(Blocks r, ConstBlocks a, unsigned s);

} // namespace bigint::kernels
