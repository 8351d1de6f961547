#pragma once
// Multiplication by number-theoretic transforms: the method for very large operands,
// O(n log n) in the product size.
//
// The blocks are the coefficients of polynomials; their product is computed modulo three
// primes below 2^31 by transforms of power-of-two length (or 1.5 times a power of two), and
// the exact coefficients are recovered by the Chinese remainder theorem before the carries
// are propagated. Any operand sizes are served: long operands are cut into pieces whose
// products fit one transform and are added up.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a * b, r.size() == a.size() + b.size(), both operands non-empty.
// r must not overlap a or b; a and b may be the same span (squaring: one transform fewer).
// Uses the processor's vector instructions when it has them (AVX2 on x86-64).
void multiplyNtt(Blocks r, ConstBlocks a, ConstBlocks b);

// The same with the portable code only, whatever the processor supports; for tests and
// timings of that code.
void multiplyNttPortable(Blocks r, ConstBlocks a, ConstBlocks b);

} // namespace bigint::kernels
