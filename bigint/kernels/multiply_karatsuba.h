// SPDX-License-Identifier: MIT
#pragma once
// Karatsuba multiplication: three half-size products instead of four, O(n^1.585). Serves
// the medium sizes between the schoolbook method and Toom-3; the half-size products go back
// through the dispatcher (multiply.h), which picks their algorithm in turn.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := |x - y| for x.size() == r.size() >= y.size(); returns 1 when y > x, else 0.
// r may be identical to x, must not otherwise overlap x or y.
Block absoluteDifference(Blocks r, ConstBlocks x, ConstBlocks y);

// Scratch blocks multiplyKaratsuba needs for operands of sizes na and nb (in either order),
// and squareKaratsuba for na == nb.
std::size_t karatsubaScratchSize(std::size_t na, std::size_t nb);

// r := a * b, r.size() == a.size() + b.size(). With m the longer and s the shorter operand
// size, the shorter one must reach past the split at half the longer: s > ceil(m / 2), so
// s >= 2. r must not overlap a, b or scratch; scratch must not overlap a or b and holds at
// least karatsubaScratchSize(a.size(), b.size()) blocks. a and b may be the same span.
void multiplyKaratsuba(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch);

// The same with scratch allocated once for the whole product.
void multiplyKaratsuba(Blocks r, ConstBlocks a, ConstBlocks b);

// r := a * a, r.size() == 2 * a.size(), a.size() >= 2; saves one of the two differences of
// halves and squares all the way down. r must not overlap a or scratch; scratch must not
// overlap a and holds at least karatsubaScratchSize(a.size(), a.size()) blocks.
void squareKaratsuba(Blocks r, ConstBlocks a, Blocks scratch);

// The same with scratch allocated once for the whole square.
void squareKaratsuba(Blocks r, ConstBlocks a);

} // namespace bigint::kernels
