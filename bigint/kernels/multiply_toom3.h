// SPDX-License-Identifier: MIT
#pragma once
// Toom-3 multiplication: operands split in three, five third-size products (at 0, 1, -1, 2
// and infinity) instead of nine, O(n^1.465). Serves the sizes above Karatsuba; the
// third-size products go back through the dispatcher (multiply.h).

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// Scratch blocks multiplyToom3 needs for operands of sizes na and nb (in either order), and
// squareToom3 for na == nb.
std::size_t toom3ScratchSize(std::size_t na, std::size_t nb);

// r := a * b, r.size() == a.size() + b.size(). With m the longer and s the shorter operand
// size, the shorter one must reach into the top third of the longer: s > 2 * ceil(m / 3)
// (true for any m == s >= 5, and m == s == 3). r must not overlap a, b or scratch; scratch
// must not overlap a or b and holds at least toom3ScratchSize(a.size(), b.size()) blocks.
// a and b may be the same span.
void multiplyToom3(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch);

// The same with scratch allocated once for the whole product.
void multiplyToom3(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a * a, r.size() == 2 * a.size(), a.size() == 3 or >= 5; evaluates once and squares
// all the way down. r must not overlap a or scratch; scratch must not overlap a and holds at
// least toom3ScratchSize(a.size(), a.size()) blocks.
void squareToom3(Blocks r, ConstBlocks a, Blocks scratch);

// The same with scratch allocated once for the whole square.
void squareToom3(Blocks r, ConstBlocks a);

} // namespace bigint::kernels
