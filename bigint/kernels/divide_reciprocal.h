// SPDX-License-Identifier: MIT
#pragma once
// Division by a divisor that serves many divisions: its reciprocal, computed once, turns each
// division into two multiplications and a few subtractions (Barrett's method), where
// recursive division costs several multiplications' worth. Radix conversion divides by the
// same power of the base at every piece of a level.

#include "bigint/kernels/blocks.h"

#include <vector>

namespace bigint::kernels {

// floor(2^(32 n) / v), or up to three less, for v (top block non-zero) of at most n blocks:
// the reciprocal that serves dividends of up to n blocks. Long reciprocals come from
// Newton's iteration, which doubles the precision of a shorter one with two multiplications.
std::vector<Block> reciprocal(ConstBlocks v, std::size_t n);

// divideWithRemainder (divide.h) for u.size() <= n, given mu = reciprocal(v, n) (or any value
// from floor(2^(32 n) / v) - 3 to floor(2^(32 n) / v)): q (size
// u.size() - v.size() + 1) gets the quotient, u's low v.size() blocks the remainder and the
// rest of u zeros. The same results as divideWithRemainder, whatever the operands.
void divideByReciprocal(Blocks q, Blocks u, ConstBlocks v, ConstBlocks mu, std::size_t n);

} // namespace bigint::kernels
