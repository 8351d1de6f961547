// SPDX-License-Identifier: MIT
#pragma once
// The transforms of one part of a product: the order in which a kernel set's loops run over
// the levels, written once for every set.

#include "bigint/kernels/ntt/kernel_set.h"
#include "bigint/kernels/ntt/twiddles.h"

#include <cstddef>

namespace bigint::kernels::ntt {

// Each takes the first set of the chain from `kernels` that serves length n.

// Forward transform of x[0..n) as the tree below block j, depth first.
void forward(const KernelSet &kernels, u32 *x, std::size_t n, std::size_t j, const Twiddles &t,
             const Modulus &m);

// x := inverse(forward(x) * y), y a forward transform of the same length and set (x itself
// when y is null).
void convolve(const KernelSet &kernels, u32 *x, const u32 *y, std::size_t n, std::size_t j,
              const Twiddles &t, const Modulus &m);

// Half `half` of the inverse of the level that splits block j of length n into its halves.
void inverseLevel(const KernelSet &kernels, u32 *x, std::size_t n, std::size_t j, int half,
                  const Twiddles &t, const Modulus &m);

} // namespace bigint::kernels::ntt
