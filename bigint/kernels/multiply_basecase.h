// SPDX-License-Identifier: MIT
#pragma once
// Schoolbook multiplication: one row of multiply-and-add per block of the shorter operand.
// The fastest method for small operands and the building block of every other one.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a * m, r.size() == a.size(); returns the block carried out at the top.
// r may be identical to a.
Block multiplyBlock(Blocks r, ConstBlocks a, Block m);

// r := r + a * m, r.size() == a.size(); returns the block carried out at the top.
// r must not overlap a.
Block addMultiplyBlock(Blocks r, ConstBlocks a, Block m);

// r := r - a * m modulo 2^(32n), r.size() == a.size() == n; returns the block borrowed out
// at the top. r must not overlap a.
Block subtractMultiplyBlock(Blocks r, ConstBlocks a, Block m);

// r := a * b, r.size() == a.size() + b.size(), both operands non-empty.
// r must not overlap a or b; a and b may be the same span, a square, which takes about half
// the multiplications.
void multiplyBasecase(Blocks r, ConstBlocks a, ConstBlocks b);

} // namespace bigint::kernels
