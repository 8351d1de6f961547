// SPDX-License-Identifier: MIT
#pragma once
// The parts of a shape: the residues of an operand modulo each part's polynomial, and the
// joins of the parts' residues of a product into its residue modulo all of them.

#include "bigint/kernels/blocks.h"
#include "bigint/kernels/ntt/kernel_set.h"
#include "bigint/kernels/ntt/shape.h"
#include "bigint/kernels/ntt/twiddles.h"

#include <cstddef>

namespace bigint::kernels::ntt {

// A part of a shape: the residue modulo x^length - fwd[block]^2 at x + offset, transformed
// as the tree below `block` by the thread `owner`. The parts of length n and n/2 can be
// split into their two halves, which are independent.
struct Part {
    std::size_t offset, length, block;
    int owner;
};

// The parts of s, split into halves when `split`; returns their count.
int partsOf(Shape s, bool split, Part (&parts)[5]);

// x := the residue of src modulo the part's polynomial.
void loadResidue(const KernelSet &kernels, u32 *x, const Part &p, ConstBlocks src,
                 const Twiddles &t, const Modulus &m);

// The joins of the parts of a shape into the residue of the product modulo all of them
// (times 2n), on the coefficients [from, to) of each piece; join 0 for the first, 1 for the
// second of three quarters.
void joinParts(const KernelSet &kernels, u32 *x, Shape s, int join, std::size_t from,
               std::size_t to, const Modulus &m, const Twiddles &t);

} // namespace bigint::kernels::ntt
