// SPDX-License-Identifier: MIT
#pragma once
// Transform shapes and plans: which transforms serve a product of given operand sizes, and
// how an operand much longer than the other is cut into chunks that share them.

#include "bigint/kernels/ntt/kernel_set.h"

#include <algorithm>
#include <cstddef>

namespace bigint::kernels::ntt {

// ---------------------------------------------------------------------------------------
// Transform lengths. A shape is a cyclic transform of length n (modulo x^n - 1) plus, for
// 1, 2 or 3 extra quarters of n, twisted transforms of other nodes of the tree of length 2n:
//     1 quarter:   block 4 of length n/4 (modulo x^(n/4) - fwd[4]^2)
//     2 quarters:  block 2 of length n/2 (modulo x^(n/2) - i)
//     3 quarters:  blocks 2 of length n/2 and 6 of length n/4.
// Distinct nodes have coprime moduli, so the residues modulo all parts determine the product
// up to a degree of n + quarters n/4 (see the joins in parts.cpp): lengths 2^k, 5 2^(k-2),
// 3 2^(k-1) and 7 2^(k-2) are all served.
// ---------------------------------------------------------------------------------------
struct Shape {
    std::size_t n;
    int quarters;
    std::size_t capacity() const { return n + quarters * (n / 4); }
    // The twiddle table length that all parts need (below block j of length s, (j + 1) s / 2).
    std::size_t tableSize() const { return quarters ? n : std::max<std::size_t>(n / 2, 2); }
};

// Whether the shape's transforms are short enough for the primes (modular.h).
bool fits(Shape s);

struct Plan {
    Shape shape;
    std::size_t chunk; // blocks of a per transform
};

// The cheapest way to multiply na blocks by nb <= na blocks with the kernel set: chunks of a
// of `chunk` blocks, each multiplied by all of b, b transformed once.
Plan planFor(std::size_t na, std::size_t nb, bool square, const KernelSet &kernels);

} // namespace bigint::kernels::ntt
