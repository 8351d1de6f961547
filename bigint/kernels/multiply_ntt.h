// SPDX-License-Identifier: MIT
#pragma once
// Multiplication by number-theoretic transforms: the method for large operands, O(n log n) in
// the product's size.
//
// The blocks are the coefficients of polynomials whose product is computed modulo three primes
// below 2^31 by transforms of length 2^k, 5 2^(k-2), 3 2^(k-1) or 7 2^(k-2), with the exact
// coefficients recovered by the Chinese remainder theorem before the carries are added. Any
// operand sizes are served: very unbalanced operands are cut into chunks that share the
// transform of the shorter one, and operands too long for one transform into pieces.
// Products of at least about 57 000 blocks use a second thread when the machine has two cores.
// The code lives in kernels/ntt/.

#include "bigint/kernels/blocks.h"

namespace bigint::kernels {

// r := a * b, r.size() == a.size() + b.size(), both operands non-empty.
// r must not overlap a or b; a and b may be the same span (squaring: one transform fewer).
// Uses the processor's widest vector instructions that the code is written for (AVX-512 or
// AVX2 on x86-64). Safe to call from several threads at once.
void multiplyNtt(Blocks r, ConstBlocks a, ConstBlocks b);

// The same with the portable code only, whatever the processor supports; for tests and
// timings of that code.
void multiplyNttPortable(Blocks r, ConstBlocks a, ConstBlocks b);

// The kernel sets the transforms are written for: the inner loops, once per instruction set.
// Every set gives the same product; they differ only in speed.
enum class NttKernels {
    portable, // plain C++, any processor
    avx2,     // x86-64 with AVX2
    avx512,   // x86-64 with AVX-512F (and AVX2)
};

// Whether this build has the set and this processor runs it.
bool nttKernelsAvailable(NttKernels kernels);

// multiplyNtt with the given kernel set, or with the portable one where that set is not
// available; for tests and timings of each set.
void multiplyNttWith(NttKernels kernels, Blocks r, ConstBlocks a, ConstBlocks b);

} // namespace bigint::kernels
