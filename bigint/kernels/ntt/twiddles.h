// SPDX-License-Identifier: MIT
#pragma once
// The twiddle tables as the kernels read them: for one prime, the roots of unity of every
// block of the transform tree with their Shoup companions, forward and inverse. The storage
// belongs to twiddle_tables.cpp; this view is plain data that any kernel set may read.

#include "bigint/kernels/ntt/modular.h"

#include <cstddef>

namespace bigint::kernels::ntt {

// ---------------------------------------------------------------------------------------
// The transforms.
//
// A transform of length n evaluates a polynomial modulo x^n - c by splitting it level by
// level: a block of length 2s holding the residue modulo x^(2s) - w^2 becomes the residues
// modulo x^s - w (lower half) and x^s + w (upper half):
//     (lo, hi) -> (lo + w hi, lo - w hi).
// Numbering the blocks of each level from 0, block j's twiddle is fwd[j] = z^brv(j), with z a
// root of unity of order 2^26 and brv the reversal of 25 bits; the children of block j are
// blocks 2j and 2j + 1, and fwd[2j]^2 = fwd[j], fwd[2j + 1] = i fwd[2j] with i = fwd[1] a
// square root of -1. So block j of any length holds the residue modulo x^s - fwd[j]^2. The
// ordinary cyclic transform (modulo x^n - 1) is the tree below block 0; the tree below block
// 2 reduces modulo x^n - i (a "twisted" transform), and so on: the table is the same for every
// length, a longer table extends a shorter one, and the output is in bit-reversed order, which
// does not matter for a pointwise product.
// The inverse runs the levels backwards with inv[j] = fwd[j]^-1 and leaves every value
// multiplied by the length, which the final constant of the Chinese remainder step removes.
// ---------------------------------------------------------------------------------------
struct Twiddles {
    std::size_t size; // entries j < size
    const u32 *fwd, *fwdShoup, *inv, *invShoup;
};

namespace {

inline Factor forwardAt(const Twiddles &t, std::size_t j) {
    return {t.fwd[j], t.fwdShoup[j]};
}
inline Factor inverseAt(const Twiddles &t, std::size_t j) {
    return {t.inv[j], t.invShoup[j]};
}

} // namespace
} // namespace bigint::kernels::ntt
