// SPDX-License-Identifier: MIT
#include "bigint/kernels/ntt/parts.h"

#include <cassert>

namespace bigint::kernels::ntt {
namespace {

// c = fwd[j]^2, the constant of block j's modulus x^s - c.
u32 blockConstant(std::size_t j, const Twiddles &t, const Modulus &m) {
    const Factor w = forwardAt(t, j);
    return mulShoup(w.w, w.w, w.ws, m.p);
}

// c^0, c^1, ... as factors.
void powersOf(u32 c, std::size_t count, Factor *powers, const Modulus &m) {
    powers[0] = factorOf(1, m);
    for (std::size_t k = 1; k < count; ++k)
        powers[k] = factorOf(mulShoup(powers[k - 1].w, c, shoup(c, m), m.p), m);
}

} // namespace

int partsOf(Shape s, bool split, Part (&parts)[5]) {
    int count = 0;
    auto put = [&](Part p) {
        if (!split || p.length < s.n / 2) {
            parts[count++] = p;
            return;
        }
        const std::size_t h = p.length / 2;
        parts[count++] = {p.offset, h, 2 * p.block, 0};
        parts[count++] = {p.offset + h, h, 2 * p.block + 1, 1};
    };
    const std::size_t n = s.n, q = n / 4;
    put({0, n, 0, 0});
    if (s.quarters == 1) put({n, q, 4, 1});
    if (s.quarters >= 2) put({n, 2 * q, 2, 0});
    if (s.quarters == 3) put({n + 2 * q, q, 6, 1});
    return count;
}

void loadResidue(const KernelSet &kernels, u32 *x, const Part &p, ConstBlocks src,
                 const Twiddles &t, const Modulus &m) {
    const std::size_t terms = (src.size() + p.length - 1) / p.length;
    assert(terms <= maxResidueTerms);
    Factor powers[maxResidueTerms];
    powersOf(blockConstant(p.block, t, m), terms, powers, m);
    servingLength(kernels, p.length).loadResidue(x, p.length, src.data(), src.size(), powers, m);
}

// Join 0: the residue F (times n) modulo x^n - 1 at x[0..n) and G (times L) modulo x^L - c at
// x[n..n+L), where c^(n/L) = -1, give the residue C modulo their product: with the pieces F_t
// of L coefficients of F, S = (sum of c^t F_t - G) / 2 is (C - F) / (x^n - 1) modulo x^L - c,
// since x^n - 1 = -2 there, and
//     C = F + (x^n - 1) S = (F_0 - S) + x^L (F_1, F_2, ...) + x^n S.
// Join 1: the residue C (times 2n) modulo P = (x^n - 1)(x^(n/2) - i) at x[0..6q), q = n/4,
// and G (times q) modulo x^q - c at x[6q..7q): P = x^6q - i x^4q - x^2q + i is a polynomial
// in x^q, so P = kappa = c^6 - i c^4 - c^2 + i modulo x^q - c, and with the pieces C_t of q
// coefficients, V = (8 G - sum of c^t C_t) / kappa gives the residue C + P V.
void joinParts(const KernelSet &kernels, u32 *x, Shape s, int join, std::size_t from,
               std::size_t to, const Modulus &m, const Twiddles &t) {
    const std::size_t n = s.n, len = s.quarters == 1 ? n / 4 : n / 2;
    Factor powers[7];
    powersOf(blockConstant(join ? 6 : s.quarters == 1 ? 4 : 2, t, m), 7, powers, m);
    const Factor im = forwardAt(t, 1);
    Factor over{};
    if (join) {
        const u32 kappa = add(sub(powers[6].w, mulShoup(powers[4].w, im.w, im.ws, m.p), m.p),
                              sub(im.w, powers[2].w, m.p), m.p);
        over = factorOf(fromMontgomery(inverse(toMontgomery(kappa, m), m), m), m);
    }
    const KernelSet &k = servingCount(kernels, from | to);
    if (join == 0) return k.joinPart(x, n, len, powers, from, to, m);
    k.joinLast(x, n / 4, powers, over, im, from, to, m);
}

} // namespace bigint::kernels::ntt
