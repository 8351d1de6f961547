// SPDX-License-Identifier: MIT
#pragma once
// A kernel set: the inner loops of the transforms, the pointwise product, the Chinese
// remainder step and the joins, written once per instruction set. A multiplication takes one
// set and calls its kernels through this table, so the code built for wider vectors runs only
// once the processor has said it has them (kernel_choice.cpp).

#include "bigint/kernels/multiply_ntt.h"
#include "bigint/kernels/ntt/modular.h"
#include "bigint/kernels/ntt/twiddles.h"

#include <cstddef>

namespace bigint::kernels::ntt {

// A residue of an operand of up to 1.75 n blocks modulo x^s - c with s >= n / 4 sums at most
// seven pieces.
inline constexpr std::size_t maxResidueTerms = 7;

// The transform kernels work on `blocks` consecutive blocks of length `size` of one level
// whose first block has number j (see twiddles.h). Pointers to values are aligned to the
// vector width wherever lengths and offsets are multiples of `lanes`.
struct KernelSet {
    NttKernels id;
    std::size_t lanes; // values per vector; `from`, `to` and `count` below are its multiples
    // The lowest levels that forwardBottom and inverseBottom do together; the kernels of two
    // and one level stop above them.
    int bottomLevels;
    // The shortest transform and residue the set takes; shorter ones go to `shorter`.
    std::size_t shortest;
    const KernelSet *shorter;
    // The shortest part the plans make with this set (shape.cpp): the shortest some vector set
    // of its chain takes, so that no part is left to the portable loops.
    std::size_t shortestPart;

    // Two levels at once: block j of length 4q with the quarters a0..a3 and w = fwd[2j]
    // (so fwd[j] = w^2, fwd[2j + 1] = i w) becomes, with c_k = w^k a_k,
    //     a0 + c2 + (c1 + c3), a0 + c2 - (c1 + c3), a0 - c2 + i (c1 - c3), a0 - c2 - i (c1 - c3).
    void (*forward4)(u32 *x, std::size_t blocks, std::size_t size, std::size_t j, const Twiddles &t,
                     const Modulus &m);
    void (*forward2)(u32 *x, std::size_t blocks, std::size_t size, std::size_t j, const Twiddles &t,
                     const Modulus &m);
    // The inverse of forward4, times 4: with v = inv[2j] = w^-1 and -i = inv[1],
    //     s = y0 + y1, d = y0 - y1, e = y2 + y3, f = -i (y2 - y3)
    //     -> s + e, v (d + f), v^2 (s - e), v^3 (d - f).
    void (*inverse4)(u32 *x, std::size_t blocks, std::size_t size, std::size_t j, const Twiddles &t,
                     const Modulus &m);
    void (*inverse2)(u32 *x, std::size_t blocks, std::size_t size, std::size_t j, const Twiddles &t,
                     const Modulus &m);
    // The bottomLevels lowest levels of `chunks` chunks of 2^(2 bottomLevels) values; chunk k
    // is block q + k of its level. The forward kernel may leave the values of a chunk in an
    // order of its own, which the pointwise product ignores and the inverse kernel undoes.
    // Null when bottomLevels is 0.
    void (*forwardBottom)(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                          const Modulus &m);
    void (*inverseBottom)(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                          const Modulus &m);
    // (x[i], x[i + h]) := (x[i] + x[i + h], (x[i] - x[i + h]) v) for i < count.
    void (*joinPairs)(u32 *x, std::size_t h, std::size_t count, Factor v, const Modulus &m);
    // x := x y R^-1 (x^2 R^-1 when y is null).
    void (*pointwise)(u32 *x, const u32 *y, std::size_t n, const Modulus &m);
    // x[0..s) := sum over j of c[j] src[js..js+s), src[len..) taken as zeros: the residue
    // modulo x^s - c[1] when c[j] are the powers of c[1]. src need not be aligned.
    void (*loadResidue)(u32 *x, std::size_t s, const u32 *src, std::size_t len, const Factor *c,
                        const Modulus &m);
    // The residues x0[i], x1[i], x2[i] modulo the three primes become the digits of the
    // Chinese remainder step (modular.h), for any count and alignment.
    void (*digits)(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count);
    // The loops of the joins (see joinParts): with the pieces of len coefficients of x, for
    // k of [from, to), u = sum of c^t x_t[k] and d = u - (n / len) x[n + k]:
    //     x_0[k] := 2 x_0[k] - d, x_t[k] := 2 x_t[k] for t > 0, x[n + k] := d.
    void (*joinPart)(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                     std::size_t to, const Modulus &m);
    // With the pieces of q coefficients, for k of [from, to): u = sum of c^t x_t[k] for t < 6,
    // v = (8 x_6[k] - u) / kappa, and
    //     x_0[k] += i v, x_2[k] -= v, x_4[k] -= i v, x_6[k] := v.
    void (*joinLast)(u32 *x, std::size_t q, const Factor *c, Factor over, Factor im,
                     std::size_t from, std::size_t to, const Modulus &m);
    // x[i] := x[i] theta^i for i < n, theta in Montgomery form.
    void (*twist)(u32 *x, std::size_t n, u32 theta, const Modulus &m);
    // out[i] := in[i] f, and outShoup[i] its companion, for i < count.
    void (*scale)(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                  const Modulus &m);
};

namespace {

// The first set of the chain from k that takes transforms and residues of length n.
inline const KernelSet &servingLength(const KernelSet &k, std::size_t n) {
    const KernelSet *s = &k;
    while (n < s->shortest)
        s = s->shorter;
    return *s;
}

// The first set of the chain from k whose vectors `count` values fill.
inline const KernelSet &servingCount(const KernelSet &k, std::size_t count) {
    const KernelSet *s = &k;
    while (count % s->lanes != 0)
        s = s->shorter;
    return *s;
}

} // namespace

// One per NttKernels value.
inline constexpr int kernelSetCount = 3;

// The sets. The vector ones are built only for x86-64 (RECKONWISE_NTT_X86_64, set by
// bigint/CMakeLists.txt) and may be used only where the processor runs them: take them from
// availableKernels.
extern const KernelSet portableKernels;
#if RECKONWISE_NTT_X86_64
extern const KernelSet avx2Kernels;
extern const KernelSet avx512Kernels;
#endif

// The set, or null where this build or processor lacks it.
const KernelSet *availableKernels(NttKernels kernels);

// The fastest set this processor runs.
const KernelSet &fastestKernels();

} // namespace bigint::kernels::ntt
