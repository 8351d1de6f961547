// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_ntt.h"

#include "bigint/kernels/spare_cores.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#define RECKONWISE_NTT_AVX2 1
#else
#define RECKONWISE_NTT_AVX2 0
#endif

namespace bigint::kernels {
namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

// ---------------------------------------------------------------------------------------
// How a product is made.
//
// The blocks of a and b are the coefficients of polynomials A and B with A(2^32) = a. For
// each of three primes p below 2^31, the residues of A and B modulo the parts of a "shape"
// (factors of x^(2n) - 1 of total degree at least the product's length, see Shape) are
// transformed, multiplied pointwise and transformed back, which gives A B modulo p and the
// parts; joining the parts gives A B modulo p. The Chinese remainder step makes the exact
// coefficients from the three residues, and adding them up with their carries makes a b.
//
// The transforms (see "The transforms") work on 32-bit values with Shoup's multiplication by
// precomputed twiddles, radix 4, depth first in cache-sized blocks, with AVX2 kernels when the
// processor has them; very unbalanced operands are cut into chunks that share the transform
// of the shorter one (multiplyPieces), and the largest products run the two halves of every
// transform on two threads.
//
// Why three primes below 2^31 suffice. The primes p0 = 15 * 2^27 + 1, p1 = 27 * 2^26 + 1 and
// p2 = 7 * 2^26 + 1 each have 2^26 | p - 1, so each has roots of unity of order 2^26, and
//     P = p0 p1 p2 = 1713652354748588808931901441 > 2^90.46.
// One product of operands of la and lb blocks has la + lb - 1 coefficients, at most the
// capacity C <= maxLength = 2^26 of its shape, so min(la, lb) <= (C + 1) / 2, at most 2^25.
// Coefficient k is a sum of at most min(la, lb) products of two blocks:
//     c_k <= 2^25 (2^32 - 1)^2 < 2^89 < P,
// so its residues modulo the three primes determine it. Operands that would need a longer
// transform are cut into pieces whose products do not (multiplyPieces, multiplyWith).
// ---------------------------------------------------------------------------------------
constexpr int maxLogLength = 26;
constexpr std::size_t maxLength = std::size_t(1) << maxLogLength;

// ---------------------------------------------------------------------------------------
// Arithmetic modulo p < 2^31. Values are kept fully reduced, in [0, p).
//
// Products of two variables use Montgomery's reduction (R = 2^32): mul(a, b) = a b R^-1 for
// any a < 2^32 and b < p. Products with a constant w < p use Shoup's method with the
// precomputed w' = floor(w 2^32 / p): q = floor(a w' / 2^32) is floor(a w / p) or one less,
// so a w - q p, computed modulo 2^32, lies in [0, 2p) and one subtraction reduces it.
// ---------------------------------------------------------------------------------------
struct Modulus {
    u32 p;
    u32 pinv;    // p^-1 mod 2^32
    u32 one;     // R mod p: 1 in Montgomery form
    u32 r2;      // R^2 mod p: multiplying by it converts to Montgomery form
    u32 root;    // a root of unity of order 2^26, Montgomery form
    u32 rootInv; // its inverse
};

constexpr u32 reduce(u64 t, const Modulus &m) { // t < p 2^32  ->  t R^-1 mod p
    const u32 q = u32(t) * m.pinv;              // t - q p = 0 mod 2^32
    const u32 r = u32(t >> 32) - u32((u64(q) * m.p) >> 32);
    return std::int32_t(r) < 0 ? r + m.p : r;
}
constexpr u32 mul(u32 a, u32 b, const Modulus &m) {
    return reduce(u64(a) * b, m);
}
constexpr u32 add(u32 a, u32 b, u32 p) {
    const u32 s = a + b;
    return std::min(s, s - p); // s - p wraps above s when s < p
}
constexpr u32 sub(u32 a, u32 b, u32 p) {
    const u32 d = a - b;
    return std::min(d, d + p); // d + p wraps below d when a < b
}
constexpr u32 power(u32 a, u64 e, const Modulus &m) { // a and the result in Montgomery form
    u32 r = m.one;
    for (; e != 0; e >>= 1, a = mul(a, a, m)) {
        if (e & 1) r = mul(r, a, m);
    }
    return r;
}
constexpr u32 toMontgomery(u32 a, const Modulus &m) {
    return mul(a, m.r2, m);
}
constexpr u32 fromMontgomery(u32 a, const Modulus &m) {
    return mul(a, 1, m);
}
constexpr u32 inverse(u32 a, const Modulus &m) { // Montgomery form in and out
    return power(a, m.p - 2, m);
}

// floor(w 2^32 / p) for w < p: (w 2^32 - (w 2^32 mod p)) / p, an exact division that can be
// done modulo 2^32 since the quotient is below 2^32, where w 2^32 vanishes.
constexpr u32 shoup(u32 w, const Modulus &m) {
    return u32(0) - toMontgomery(w, m) * m.pinv;
}
constexpr u32 mulShoup(u32 a, u32 w, u32 ws, u32 p) {
    const u32 q = u32((u64(a) * ws) >> 32);
    const u32 r = a * w - q * p;
    return std::min(r, r - p);
}

// A constant with its Shoup companion.
struct Factor {
    u32 w, ws;
};

constexpr Factor factorOf(u32 w, const Modulus &m) {
    return {w, shoup(w, m)};
}

constexpr Modulus makeModulus(u32 p, u32 generator) {
    Modulus m{};
    m.p = p;
    m.pinv = p; // Newton's iteration doubles the correct low bits: 3, 6, 12, 24, 48
    for (int i = 0; i < 4; ++i)
        m.pinv *= 2 - p * m.pinv;
    m.one = u32((u64(1) << 32) % p);
    m.r2 = u32(u64(m.one) * m.one % p);
    m.root = power(toMontgomery(generator, m), (p - 1) >> maxLogLength, m);
    m.rootInv = inverse(m.root, m);
    return m;
}

constexpr Modulus moduli[3] = {makeModulus(15 * (u32(1) << 27) + 1, 31),
                               makeModulus(27 * (u32(1) << 26) + 1, 13),
                               makeModulus(7 * (u32(1) << 26) + 1, 3)};

constexpr bool validModulus(const Modulus &m) {
    const u32 w = m.p - 12345;
    return m.p * m.pinv == 1 && m.p < (u32(1) << 31) && (m.p - 1) % maxLength == 0 &&
           power(m.root, maxLength / 2, m) == m.p - m.one && // order exactly 2^26
           mul(m.root, m.rootInv, m) == m.one && shoup(w, m) == u32((u64(w) << 32) / m.p) &&
           shoup(1, m) == u32((u64(1) << 32) / m.p) &&
           mulShoup(0xFFFFFFFF, w, shoup(w, m), m.p) == u64(0xFFFFFFFF) * w % m.p;
}
static_assert(validModulus(moduli[0]) && validModulus(moduli[1]) && validModulus(moduli[2]));

// ---------------------------------------------------------------------------------------
// Storage aligned for vector loads, not initialised.
// ---------------------------------------------------------------------------------------
struct AlignedDelete {
    void operator()(u32 *p) const { ::operator delete[](p, std::align_val_t{64}); }
};
using Buffer = std::unique_ptr<u32[], AlignedDelete>;

Buffer allocate(std::size_t n) {
    return Buffer(static_cast<u32 *>(::operator new[](n * sizeof(u32), std::align_val_t{64})));
}

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
    std::size_t size = 0; // entries j < size
    Buffer fwd, fwdShoup, inv, invShoup;

    Factor forwardAt(std::size_t j) const { return {fwd[j], fwdShoup[j]}; }
    Factor inverseAt(std::size_t j) const { return {inv[j], invShoup[j]}; }
};

// ---------------------------------------------------------------------------------------
// Chinese remainder step (Garner): residues v_k = scale R^-1 c mod p_k of a coefficient c
// become digits d_k < p_k with c = d0 + p0 (d1 + p1 d2):
//     d0 = c mod p0,  d1 = (c - d0) / p0 mod p1,  d2 = (c - d0 - p0 d1) / (p0 p1) mod p2,
// each with a constant factor that also removes scale R^-1.
// ---------------------------------------------------------------------------------------
struct Garner {
    Factor k0, k1a, k1b, k2a, k2b, k2c;

    Garner() = default;
    constexpr explicit Garner(std::size_t scale) {
        const Modulus &m0 = moduli[0], &m1 = moduli[1], &m2 = moduli[2];
        // In Montgomery form: R / scale, 1 / p0 mod p1, 1 / (p0 p1) mod p2, 1 / p1 mod p2.
        auto unscale = [scale](const Modulus &m) {
            return mul(m.r2, inverse(toMontgomery(u32(scale % m.p), m), m), m);
        };
        const u32 inv0 = inverse(toMontgomery(m0.p, m1), m1);
        const u32 inv01 = inverse(mul(toMontgomery(m0.p, m2), toMontgomery(m1.p, m2), m2), m2);
        const u32 inv1 = inverse(toMontgomery(m1.p, m2), m2);
        auto factor = [](u32 montgomery, const Modulus &m) {
            return factorOf(fromMontgomery(montgomery, m), m);
        };
        k0 = factor(unscale(m0), m0);
        k1a = factor(mul(unscale(m1), inv0, m1), m1);
        k1b = factor(inv0, m1);
        k2a = factor(mul(unscale(m2), inv01, m2), m2);
        k2b = factor(inv01, m2);
        k2c = factor(inv1, m2); // p0 / (p0 p1)
    }
};

// The constants for every scale 2^e a product can have, computed by the compiler.
constexpr auto garners = [] {
    std::array<Garner, maxLogLength + 1> g{};
    for (int e = 0; e <= maxLogLength; ++e)
        g[e] = Garner(std::size_t(1) << e);
    return g;
}();

// A residue of an operand of up to 1.75 n blocks modulo x^s - c with s >= n / 4 sums at most
// seven pieces.
constexpr std::size_t maxResidueTerms = 7;

// ---------------------------------------------------------------------------------------
// Portable kernels: one value at a time.
//
// The transform kernels work on `blocks` consecutive blocks of length `size` of one level
// whose first block has number j (see above).
// ---------------------------------------------------------------------------------------
struct Portable {
    static constexpr int bottomLevels = 0;

    // Two levels at once: block j of length 4q with the quarters a0..a3 and w = fwd[2j]
    // (so fwd[j] = w^2, fwd[2j + 1] = i w) becomes, with c_k = w^k a_k,
    //     a0 + c2 + (c1 + c3), a0 + c2 - (c1 + c3), a0 - c2 + i (c1 - c3), a0 - c2 - i (c1 - c3).
    static void forward4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const u32 p = m.p;
        const Factor im = t.forwardAt(1);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor w1 = t.forwardAt(2 * j), w2 = t.forwardAt(j),
                         w3 = factorOf(mulShoup(w1.w, w2.w, w2.ws, p), m);
            for (std::size_t i = 0; i < q; ++i) {
                const u32 a0 = x[i], c1 = mulShoup(x[i + q], w1.w, w1.ws, p),
                          c2 = mulShoup(x[i + 2 * q], w2.w, w2.ws, p),
                          c3 = mulShoup(x[i + 3 * q], w3.w, w3.ws, p);
                const u32 s = add(a0, c2, p), d = sub(a0, c2, p), e = add(c1, c3, p),
                          f = mulShoup(c1 - c3 + p, im.w, im.ws, p);
                x[i] = add(s, e, p);
                x[i + q] = sub(s, e, p);
                x[i + 2 * q] = add(d, f, p);
                x[i + 3 * q] = sub(d, f, p);
            }
        }
    }

    static void forward2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t h = size / 2;
        const u32 p = m.p;
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor w = t.forwardAt(j);
            for (std::size_t i = 0; i < h; ++i) {
                const u32 u = x[i], v = mulShoup(x[i + h], w.w, w.ws, p);
                x[i] = add(u, v, p);
                x[i + h] = sub(u, v, p);
            }
        }
    }

    // The inverse of forward4, times 4: with v = inv[2j] = w^-1 and -i = inv[1],
    //     s = y0 + y1, d = y0 - y1, e = y2 + y3, f = -i (y2 - y3)
    //     -> s + e, v (d + f), v^2 (s - e), v^3 (d - f).
    static void inverse4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const u32 p = m.p;
        const Factor im = t.inverseAt(1);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor v1 = t.inverseAt(2 * j), v2 = t.inverseAt(j),
                         v3 = factorOf(mulShoup(v1.w, v2.w, v2.ws, p), m);
            for (std::size_t i = 0; i < q; ++i) {
                const u32 y0 = x[i], y1 = x[i + q], y2 = x[i + 2 * q], y3 = x[i + 3 * q];
                const u32 s = add(y0, y1, p), d = sub(y0, y1, p), e = add(y2, y3, p),
                          f = mulShoup(y2 - y3 + p, im.w, im.ws, p);
                x[i] = add(s, e, p); // the products take sums below 2p unreduced
                x[i + q] = mulShoup(d + f, v1.w, v1.ws, p);
                x[i + 2 * q] = mulShoup(s - e + p, v2.w, v2.ws, p);
                x[i + 3 * q] = mulShoup(d - f + p, v3.w, v3.ws, p);
            }
        }
    }

    static void inverse2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size)
            joinPairs(x, size / 2, size / 2, t.inverseAt(j), m);
    }

    // (x[i], x[i + h]) := (x[i] + x[i + h], (x[i] - x[i + h]) v) for i < count.
    static void joinPairs(u32 *x, std::size_t h, std::size_t count, Factor v, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t i = 0; i < count; ++i) {
            const u32 u = x[i], w = x[i + h];
            x[i] = add(u, w, p);
            x[i + h] = mulShoup(u - w + p, v.w, v.ws, p); // the product takes it unreduced
        }
    }

    static void forwardBottom(u32 *, std::size_t, std::size_t, const Twiddles &, const Modulus &) {}
    static void inverseBottom(u32 *, std::size_t, std::size_t, const Twiddles &, const Modulus &) {}

    // x := x y R^-1 (x^2 R^-1 when y is null).
    static void pointwise(u32 *x, const u32 *y, std::size_t n, const Modulus &m) {
        for (std::size_t i = 0; i < n; ++i)
            x[i] = mul(x[i], y ? y[i] : x[i], m);
    }

    // x[0..s) := sum over j of c[j] src[js..js+s), src[len..) taken as zeros: the residue
    // modulo x^s - c[1] when c[j] are the powers of c[1].
    static void loadResidue(u32 *x, std::size_t s, const u32 *src, std::size_t len, const Factor *c,
                            const Modulus &m) {
        for (std::size_t i = 0; i < s; ++i) {
            u32 v = 0;
            for (std::size_t j = 0, at = i; at < len; ++j, at += s)
                v = add(v, mulShoup(src[at], c[j].w, c[j].ws, m.p), m.p);
            x[i] = v;
        }
    }

    static void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count) {
        const u32 p0 = moduli[0].p, p1 = moduli[1].p, p2 = moduli[2].p;
        auto times = [](u32 a, Factor f, u32 p) { return mulShoup(a, f.w, f.ws, p); };
        for (std::size_t i = 0; i < count; ++i) {
            const u32 d0 = times(x0[i], g.k0, p0);
            const u32 d1 = sub(times(x1[i], g.k1a, p1), times(d0, g.k1b, p1), p1);
            const u32 d2 = sub(sub(times(x2[i], g.k2a, p2), times(d0, g.k2b, p2), p2),
                               times(d1, g.k2c, p2), p2);
            x0[i] = d0, x1[i] = d1, x2[i] = d2;
        }
    }

    // The loops of the joins (see joinParts): with the pieces of len coefficients of x, for
    // k of [from, to), u = sum of c^t x_t[k] and d = u - (n / len) x[n + k]:
    //     x_0[k] := 2 x_0[k] - d, x_t[k] := 2 x_t[k] for t > 0, x[n + k] := d.
    static void joinPart(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                         std::size_t to, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t k = from; k < to; ++k) {
            u32 u = x[k], g = x[n + k];
            for (std::size_t t = 1; t < n / len; ++t) {
                const u32 f = x[t * len + k];
                u = add(u, mulShoup(f, c[t].w, c[t].ws, p), p);
                x[t * len + k] = add(f, f, p);
                if ((t & (t - 1)) == 0) g = add(g, g, p); // at t = 1 and 2: g times n / len
            }
            const u32 d = sub(u, g, p);
            x[k] = sub(add(x[k], x[k], p), d, p);
            x[n + k] = d;
        }
    }

    // With the pieces of q coefficients, for k of [from, to): u = sum of c^t x_t[k] for t < 6,
    // v = (8 x_6[k] - u) / kappa, and
    //     x_0[k] += i v, x_2[k] -= v, x_4[k] -= i v, x_6[k] := v.
    static void joinLast(u32 *x, std::size_t q, const Factor *c, Factor over, Factor im,
                         std::size_t from, std::size_t to, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t k = from; k < to; ++k) {
            u32 u = x[k], g = x[6 * q + k];
            for (std::size_t t = 1; t < 6; ++t)
                u = add(u, mulShoup(x[t * q + k], c[t].w, c[t].ws, p), p);
            for (int j = 0; j < 3; ++j)
                g = add(g, g, p);
            const u32 v = mulShoup(sub(g, u, p), over.w, over.ws, p);
            const u32 iv = mulShoup(v, im.w, im.ws, p);
            x[k] = add(x[k], iv, p);
            x[2 * q + k] = sub(x[2 * q + k], v, p);
            x[4 * q + k] = sub(x[4 * q + k], iv, p);
            x[6 * q + k] = v;
        }
    }

    // x[i] := x[i] theta^i for i < n, theta in Montgomery form.
    static void twist(u32 *x, std::size_t n, u32 theta, const Modulus &m) {
        u32 power = m.one;
        for (std::size_t i = 0; i < n; ++i) {
            x[i] = mul(x[i], power, m);
            power = mul(power, theta, m);
        }
    }

    // out[i] := in[i] f, and outShoup[i] its companion, for i < count.
    static void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                      const Modulus &m) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = mulShoup(in[i], f.w, f.ws, m.p);
            outShoup[i] = shoup(out[i], m);
        }
    }
};

// ---------------------------------------------------------------------------------------
// AVX2 kernels: eight values at a time. The three lowest levels work on chunks of 64 values
// transposed as 8 x 8, so that every level is a vertical operation; the forward transform
// leaves the chunks transposed and the inverse starts from that order.
// ---------------------------------------------------------------------------------------
#if RECKONWISE_NTT_AVX2
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

struct Avx2 {
    using V = __m256i;
    static constexpr int bottomLevels = 3;

    static V load(const u32 *x) { return _mm256_load_si256(reinterpret_cast<const V *>(x)); }
    static void store(u32 *x, V v) { _mm256_store_si256(reinterpret_cast<V *>(x), v); }
    static V loadu(const u32 *x) { return _mm256_loadu_si256(reinterpret_cast<const V *>(x)); }
    static void storeu(u32 *x, V v) { _mm256_storeu_si256(reinterpret_cast<V *>(x), v); }
    static V all(u32 v) { return _mm256_set1_epi32(int(v)); }

    static V add(V a, V b, V p) {
        const V s = _mm256_add_epi32(a, b);
        return _mm256_min_epu32(s, _mm256_sub_epi32(s, p));
    }
    static V sub(V a, V b, V p) {
        const V d = _mm256_sub_epi32(a, b);
        return _mm256_min_epu32(d, _mm256_add_epi32(d, p));
    }
    // a - b + p and a + b in [0, 2p), unreduced: only as inputs to the products below.
    static V subLazy(V a, V b, V p) { return _mm256_add_epi32(_mm256_sub_epi32(a, b), p); }
    static V addLazy(V a, V b) { return _mm256_add_epi32(a, b); }
    // a b R^-1 mod p for lanes a < 2^32, b < p (Montgomery): the differences a b - q p with
    // q = a b p^-1 mod 2^32 have zero low halves, and their high halves are the results, less
    // p when negative.
    static V mul(V a, V b, V pinv, V p) {
        const V q = _mm256_mullo_epi32(_mm256_mullo_epi32(a, b), pinv);
        const V te = _mm256_mul_epu32(a, b);
        const V to = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(b, 32));
        const V qe = _mm256_mul_epu32(q, p);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(q, 32), p);
        const V r = _mm256_blend_epi32(_mm256_srli_epi64(_mm256_sub_epi64(te, qe), 32),
                                       _mm256_sub_epi64(to, qo), 0xAA);
        return _mm256_min_epu32(r, _mm256_add_epi32(r, p));
    }
    // a w mod p for lanes a < 2^32 and a constant (Shoup): w and ws the same in every lane.
    static V mulAll(V a, V w, V ws, V p) {
        const V qe = _mm256_mul_epu32(a, ws);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), ws);
        const V q = _mm256_blend_epi32(_mm256_srli_epi64(qe, 32), qo, 0xAA);
        const V r = _mm256_sub_epi32(_mm256_mullo_epi32(a, w), _mm256_mullo_epi32(q, p));
        return _mm256_min_epu32(r, _mm256_sub_epi32(r, p));
    }
    // The same with a constant per lane.
    static V mulEach(V a, V w, V ws, V p) {
        const V qe = _mm256_mul_epu32(a, ws);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(ws, 32));
        const V q = _mm256_blend_epi32(_mm256_srli_epi64(qe, 32), qo, 0xAA);
        const V r = _mm256_sub_epi32(_mm256_mullo_epi32(a, w), _mm256_mullo_epi32(q, p));
        return _mm256_min_epu32(r, _mm256_sub_epi32(r, p));
    }

    // A constant in every lane, with its companion.
    struct Constant {
        V w, ws;
        Constant() = default;
        explicit Constant(Factor f) : w(all(f.w)), ws(all(f.ws)) {}
        V times(V a, V p) const { return mulAll(a, w, ws, p); }
    };

    // One block of forward4; block 0's twiddles are all 1.
    template <bool first>
    static void forward4Block(u32 *x, std::size_t q, const Constant (&w)[3], const Constant &im,
                              V p) {
        for (std::size_t i = 0; i < q; i += 8) {
            V a0 = load(x + i), c1 = load(x + i + q), c2 = load(x + i + 2 * q),
              c3 = load(x + i + 3 * q);
            if constexpr (!first) {
                c1 = w[0].times(c1, p);
                c2 = w[1].times(c2, p);
                c3 = w[2].times(c3, p);
            }
            const V s = add(a0, c2, p), d = sub(a0, c2, p), e = add(c1, c3, p),
                    f = im.times(subLazy(c1, c3, p), p);
            store(x + i, add(s, e, p));
            store(x + i + q, sub(s, e, p));
            store(x + i + 2 * q, add(d, f, p));
            store(x + i + 3 * q, sub(d, f, p));
        }
    }

    static void forward4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const V p = all(m.p);
        const Constant im(t.forwardAt(1));
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor f1 = t.forwardAt(2 * j), f2 = t.forwardAt(j);
            const Constant w[3] = {Constant(f1), Constant(f2),
                                   Constant(factorOf(mulShoup(f1.w, f2.w, f2.ws, m.p), m))};
            if (j == 0)
                forward4Block<true>(x, q, w, im, p);
            else
                forward4Block<false>(x, q, w, im, p);
        }
    }

    static void forward2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t h = size / 2;
        const V p = all(m.p);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Constant w(t.forwardAt(j));
            for (std::size_t i = 0; i < h; i += 8) {
                const V u = load(x + i), v = w.times(load(x + i + h), p);
                store(x + i, add(u, v, p));
                store(x + i + h, sub(u, v, p));
            }
        }
    }

    template <bool first>
    static void inverse4Block(u32 *x, std::size_t q, const Constant (&v)[3], const Constant &im,
                              V p) {
        for (std::size_t i = 0; i < q; i += 8) {
            const V y0 = load(x + i), y1 = load(x + i + q), y2 = load(x + i + 2 * q),
                    y3 = load(x + i + 3 * q);
            const V s = add(y0, y1, p), d = sub(y0, y1, p), e = add(y2, y3, p),
                    f = im.times(subLazy(y2, y3, p), p);
            store(x + i, add(s, e, p));
            if constexpr (first) {
                store(x + i + q, add(d, f, p));
                store(x + i + 2 * q, sub(s, e, p));
                store(x + i + 3 * q, sub(d, f, p));
            } else {
                store(x + i + q, v[0].times(addLazy(d, f), p));
                store(x + i + 2 * q, v[1].times(subLazy(s, e, p), p));
                store(x + i + 3 * q, v[2].times(subLazy(d, f, p), p));
            }
        }
    }

    static void inverse4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const V p = all(m.p);
        const Constant im(t.inverseAt(1));
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor f1 = t.inverseAt(2 * j), f2 = t.inverseAt(j);
            const Constant v[3] = {Constant(f1), Constant(f2),
                                   Constant(factorOf(mulShoup(f1.w, f2.w, f2.ws, m.p), m))};
            if (j == 0)
                inverse4Block<true>(x, q, v, im, p);
            else
                inverse4Block<false>(x, q, v, im, p);
        }
    }

    static void inverse2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size)
            joinPairs(x, size / 2, size / 2, t.inverseAt(j), m);
    }

    // count a multiple of 8, x and x + h aligned.
    static void joinPairs(u32 *x, std::size_t h, std::size_t count, Factor f, const Modulus &m) {
        const V p = all(m.p);
        const Constant v(f);
        for (std::size_t i = 0; i < count; i += 8) {
            const V u = load(x + i), w = load(x + i + h);
            store(x + i, add(u, w, p));
            store(x + i + h, v.times(subLazy(u, w, p), p));
        }
    }

    // t[r] := column r of the 8 x 8 matrix whose rows are t[0..7].
    static void transpose(V (&t)[8]) {
        const V a0 = _mm256_unpacklo_epi32(t[0], t[1]), a1 = _mm256_unpackhi_epi32(t[0], t[1]);
        const V a2 = _mm256_unpacklo_epi32(t[2], t[3]), a3 = _mm256_unpackhi_epi32(t[2], t[3]);
        const V a4 = _mm256_unpacklo_epi32(t[4], t[5]), a5 = _mm256_unpackhi_epi32(t[4], t[5]);
        const V a6 = _mm256_unpacklo_epi32(t[6], t[7]), a7 = _mm256_unpackhi_epi32(t[6], t[7]);
        const V b0 = _mm256_unpacklo_epi64(a0, a2), b1 = _mm256_unpackhi_epi64(a0, a2);
        const V b2 = _mm256_unpacklo_epi64(a1, a3), b3 = _mm256_unpackhi_epi64(a1, a3);
        const V b4 = _mm256_unpacklo_epi64(a4, a6), b5 = _mm256_unpackhi_epi64(a4, a6);
        const V b6 = _mm256_unpacklo_epi64(a5, a7), b7 = _mm256_unpackhi_epi64(a5, a7);
        t[0] = _mm256_permute2x128_si256(b0, b4, 0x20);
        t[1] = _mm256_permute2x128_si256(b1, b5, 0x20);
        t[2] = _mm256_permute2x128_si256(b2, b6, 0x20);
        t[3] = _mm256_permute2x128_si256(b3, b7, 0x20);
        t[4] = _mm256_permute2x128_si256(b0, b4, 0x31);
        t[5] = _mm256_permute2x128_si256(b1, b5, 0x31);
        t[6] = _mm256_permute2x128_si256(b2, b6, 0x31);
        t[7] = _mm256_permute2x128_si256(b3, b7, 0x31);
    }

    // Entries 2c and 2c + 1 of tw[0..16) as vectors over c.
    static void deinterleave2(const u32 *tw, V &even, V &odd) {
        const __m256 lo = _mm256_castsi256_ps(load(tw)), hi = _mm256_castsi256_ps(load(tw + 8));
        even = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(lo, hi, 0x88)), 0xD8);
        odd = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(lo, hi, 0xDD)), 0xD8);
    }
    // Entries 4c + k of tw[0..32) as vectors over c (the transpose of an 8 x 4 matrix).
    static void deinterleave4(const u32 *tw, V (&w)[4]) {
        const V c0 = load(tw), c1 = load(tw + 8), c2 = load(tw + 16), c3 = load(tw + 24);
        const V p0 = _mm256_permute2x128_si256(c0, c2, 0x20),
                p1 = _mm256_permute2x128_si256(c0, c2, 0x31),
                p2 = _mm256_permute2x128_si256(c1, c3, 0x20),
                p3 = _mm256_permute2x128_si256(c1, c3, 0x31);
        const V t0 = _mm256_unpacklo_epi32(p0, p1), t1 = _mm256_unpackhi_epi32(p0, p1),
                t2 = _mm256_unpacklo_epi32(p2, p3), t3 = _mm256_unpackhi_epi32(p2, p3);
        w[0] = _mm256_unpacklo_epi64(t0, t2);
        w[1] = _mm256_unpackhi_epi64(t0, t2);
        w[2] = _mm256_unpacklo_epi64(t1, t3);
        w[3] = _mm256_unpackhi_epi64(t1, t3);
    }

    // The twiddles of the three lowest levels of chunk q from the table tw and its
    // companions ts: lane c of w8 is block 8q + c (length 8), of w4[h] block 16q + 2c + h
    // (length 4), of w2[k] block 32q + 4c + k (length 2).
    struct BottomTwiddles {
        V w8, s8, w4[2], s4[2], w2[4], s2[4];

        BottomTwiddles(const u32 *tw, const u32 *ts, std::size_t q) {
            w8 = load(tw + 8 * q);
            s8 = load(ts + 8 * q);
            deinterleave2(tw + 16 * q, w4[0], w4[1]);
            deinterleave2(ts + 16 * q, s4[0], s4[1]);
            deinterleave4(tw + 32 * q, w2);
            deinterleave4(ts + 32 * q, s2);
        }
    };

    static void forwardPair(V &a, V &b, V w, V ws, V p) {
        const V v = mulEach(b, w, ws, p);
        b = sub(a, v, p);
        a = add(a, v, p);
    }
    static void inversePair(V &a, V &b, V w, V ws, V p) {
        const V d = subLazy(a, b, p);
        a = add(a, b, p);
        b = mulEach(d, w, ws, p);
    }

    // The levels of block lengths 8, 4 and 2 of `chunks` chunks of 64 values; chunk k is
    // block q + k of its level. After the transpose, lane c of v[r] is value 8c + r.
    static void forwardBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 64) {
            V v[8];
            for (int r = 0; r < 8; ++r)
                v[r] = load(x + 8 * r);
            transpose(v);
            const BottomTwiddles w(t.fwd.get(), t.fwdShoup.get(), q);
            for (int r = 0; r < 4; ++r)
                forwardPair(v[r], v[r + 4], w.w8, w.s8, p);
            forwardPair(v[0], v[2], w.w4[0], w.s4[0], p);
            forwardPair(v[1], v[3], w.w4[0], w.s4[0], p);
            forwardPair(v[4], v[6], w.w4[1], w.s4[1], p);
            forwardPair(v[5], v[7], w.w4[1], w.s4[1], p);
            for (int r = 0; r < 4; ++r)
                forwardPair(v[2 * r], v[2 * r + 1], w.w2[r], w.s2[r], p);
            for (int r = 0; r < 8; ++r)
                store(x + 8 * r, v[r]);
        }
    }

    static void inverseBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 64) {
            V v[8];
            for (int r = 0; r < 8; ++r)
                v[r] = load(x + 8 * r);
            const BottomTwiddles w(t.inv.get(), t.invShoup.get(), q);
            for (int r = 0; r < 4; ++r)
                inversePair(v[2 * r], v[2 * r + 1], w.w2[r], w.s2[r], p);
            inversePair(v[0], v[2], w.w4[0], w.s4[0], p);
            inversePair(v[1], v[3], w.w4[0], w.s4[0], p);
            inversePair(v[4], v[6], w.w4[1], w.s4[1], p);
            inversePair(v[5], v[7], w.w4[1], w.s4[1], p);
            for (int r = 0; r < 4; ++r)
                inversePair(v[r], v[r + 4], w.w8, w.s8, p);
            transpose(v);
            for (int r = 0; r < 8; ++r)
                store(x + 8 * r, v[r]);
        }
    }

    static void pointwise(u32 *x, const u32 *y, std::size_t n, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        for (std::size_t i = 0; i < n; i += 8) {
            const V a = load(x + i);
            store(x + i, mul(a, y ? load(y + i) : a, pinv, p));
        }
    }

    static void loadResidue(u32 *x, std::size_t s, const u32 *src, std::size_t len, const Factor *c,
                            const Modulus &m) {
        const V p = all(m.p);
        Constant cs[maxResidueTerms];
        for (std::size_t j = 0; j * s < len; ++j)
            cs[j] = Constant(c[j]);
        for (std::size_t i = 0; i < s; i += 8) {
            V v = _mm256_setzero_si256();
            for (std::size_t j = 0, at = i; at < len; ++j, at += s) {
                V a;
                if (at + 8 <= len) {
                    a = loadu(src + at);
                } else {
                    alignas(32) u32 part[8] = {};
                    std::copy(src + at, src + len, part);
                    a = load(part);
                }
                v = add(v, cs[j].times(a, p), p);
            }
            store(x + i, v);
        }
    }

    static void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count) {
        const V p0 = all(moduli[0].p), p1 = all(moduli[1].p), p2 = all(moduli[2].p);
        const Constant k0(g.k0), k1a(g.k1a), k1b(g.k1b), k2a(g.k2a), k2b(g.k2b), k2c(g.k2c);
        std::size_t i = 0;
        for (; i + 8 <= count; i += 8) {
            const V d0 = k0.times(loadu(x0 + i), p0);
            const V d1 = sub(k1a.times(loadu(x1 + i), p1), k1b.times(d0, p1), p1);
            const V d2 = sub(sub(k2a.times(loadu(x2 + i), p2), k2b.times(d0, p2), p2),
                             k2c.times(d1, p2), p2);
            storeu(x0 + i, d0);
            storeu(x1 + i, d1);
            storeu(x2 + i, d2);
        }
        Portable::digits(g, x0 + i, x1 + i, x2 + i, count - i);
    }

    // The joins' loops as in Portable, with from and to multiples of 8.
    static void joinPart(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                         std::size_t to, const Modulus &m) {
        const V p = all(m.p);
        Constant cs[4];
        for (std::size_t t = 1; t < n / len; ++t)
            cs[t] = Constant(c[t]);
        for (std::size_t k = from; k < to; k += 8) {
            V u = load(x + k), g = load(x + n + k);
            for (std::size_t t = 1; t < n / len; ++t) {
                const V f = load(x + t * len + k);
                u = add(u, cs[t].times(f, p), p);
                store(x + t * len + k, add(f, f, p));
                if ((t & (t - 1)) == 0) g = add(g, g, p);
            }
            const V d = sub(u, g, p), x0 = load(x + k);
            store(x + k, sub(add(x0, x0, p), d, p));
            store(x + n + k, d);
        }
    }

    static void joinLast(u32 *x, std::size_t q, const Factor *c, Factor over, Factor im,
                         std::size_t from, std::size_t to, const Modulus &m) {
        const V p = all(m.p);
        Constant cs[6];
        for (std::size_t t = 1; t < 6; ++t)
            cs[t] = Constant(c[t]);
        const Constant ov(over), i(im);
        for (std::size_t k = from; k < to; k += 8) {
            V u = load(x + k), g = load(x + 6 * q + k);
            for (std::size_t t = 1; t < 6; ++t)
                u = add(u, cs[t].times(load(x + t * q + k), p), p);
            for (int j = 0; j < 3; ++j)
                g = add(g, g, p);
            const V v = ov.times(subLazy(g, u, p), p), iv = i.times(v, p);
            store(x + k, add(load(x + k), iv, p));
            store(x + 2 * q + k, sub(load(x + 2 * q + k), v, p));
            store(x + 4 * q + k, sub(load(x + 4 * q + k), iv, p));
            store(x + 6 * q + k, v);
        }
    }

    // x[i] := x[i] theta^i for i < n, n a multiple of 32, theta in Montgomery form: four
    // vectors of powers, each stepping by theta^32.
    static void twist(u32 *x, std::size_t n, u32 theta, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        alignas(32) u32 first[32];
        first[0] = m.one;
        for (int k = 1; k < 32; ++k)
            first[k] = ::bigint::kernels::mul(first[k - 1], theta, m);
        V power[4];
        for (int k = 0; k < 4; ++k)
            power[k] = load(first + 8 * k);
        const V step = all(::bigint::kernels::mul(first[31], theta, m));
        for (std::size_t i = 0; i < n; i += 32) {
            for (int k = 0; k < 4; ++k) {
                store(x + i + 8 * k, mul(load(x + i + 8 * k), power[k], pinv, p));
                power[k] = mul(power[k], step, pinv, p);
            }
        }
    }

    // out[i] := in[i] f and outShoup[i] its companion -(out[i] R mod p) p^-1, all aligned,
    // count a multiple of 8.
    static void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                      const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv), r2 = all(m.r2);
        const Constant c(f);
        for (std::size_t i = 0; i < count; i += 8) {
            const V v = c.times(load(in + i), p);
            store(out + i, v);
            store(outShoup + i, _mm256_sub_epi32(_mm256_setzero_si256(),
                                                 _mm256_mullo_epi32(mul(v, r2, pinv, p), pinv)));
        }
    }
};

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

// ---------------------------------------------------------------------------------------
// Twiddle tables.
// ---------------------------------------------------------------------------------------

// out[i] := in[i] f with companions, for i < count.
void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f, const Modulus &m,
           bool vector) {
#if RECKONWISE_NTT_AVX2
    if (vector && count >= 8) return Avx2::scale(out, outShoup, in, count, f, m);
#endif
    (void)vector;
    Portable::scale(out, outShoup, in, count, f, m);
}

// The tables of `size` entries (a power of two), extending `prefix` when given.
std::shared_ptr<const Twiddles> buildTwiddles(const Modulus &m, std::size_t size, bool vector,
                                              const Twiddles *prefix) {
    auto t = std::make_shared<Twiddles>();
    t->size = size;
    t->fwd = allocate(size);
    t->fwdShoup = allocate(size);
    t->inv = allocate(size);
    t->invShoup = allocate(size);
    std::size_t h = 1;
    t->fwd[0] = t->inv[0] = 1;
    t->fwdShoup[0] = t->invShoup[0] = shoup(1, m);
    if (prefix && prefix->size <= size) {
        h = prefix->size;
        std::copy(prefix->fwd.get(), prefix->fwd.get() + h, t->fwd.get());
        std::copy(prefix->fwdShoup.get(), prefix->fwdShoup.get() + h, t->fwdShoup.get());
        std::copy(prefix->inv.get(), prefix->inv.get() + h, t->inv.get());
        std::copy(prefix->invShoup.get(), prefix->invShoup.get() + h, t->invShoup.get());
    }
    for (; h < size; h *= 2) {
        // brv(h + j) = brv(h) + brv(j) for j < h, and brv(2^b) = 2^(24 - b).
        const u64 e = u64(1) << (24 - std::countr_zero(h));
        const Factor f = factorOf(fromMontgomery(power(m.root, e, m), m), m),
                     g = factorOf(fromMontgomery(power(m.rootInv, e, m), m), m);
        scale(t->fwd.get() + h, t->fwdShoup.get() + h, t->fwd.get(), h, f, m, vector);
        scale(t->inv.get() + h, t->invShoup.get() + h, t->inv.get(), h, g, m, vector);
    }
    return t;
}

// The tables grow up to this many entries (enough for transforms of 2^18) and are kept for
// the life of the process, 2 MB per prime at the limit; longer transforms twist their
// sub-trees (see pastTable) instead of needing longer tables.
constexpr std::size_t maxTwiddles = std::size_t(1) << 17;

// The tables of at least min(size, maxTwiddles) entries for prime k, safe to call from any
// thread. The portable code builds its own, the same as the vector code's.
std::shared_ptr<const Twiddles> twiddles(int k, std::size_t size, bool vector) {
    size = std::clamp<std::size_t>(size, 1024, maxTwiddles);
    static std::mutex mutex;
    static std::shared_ptr<const Twiddles> kept[3][2];
    const std::lock_guard lock(mutex);
    auto &entry = kept[k][vector];
    if (!entry || entry->size < size) entry = buildTwiddles(moduli[k], size, vector, entry.get());
    return entry;
}

// ---------------------------------------------------------------------------------------
// The order of the levels, the same for every kernel set: two levels at a time, depth first
// from the top while a block is larger than a cache block, then each cache block to the
// bottom (the last single level, if the count is odd, just above the kernel's own bottom
// levels); the inverse runs the same steps backwards. A product of two transforms runs
// forward, pointwise product and inverse on each cache block in turn.
// ---------------------------------------------------------------------------------------
constexpr std::size_t cacheBlock = 4096;

// The tree below block j of length n uses the table entries below (j + 1) n / 2. One that
// would run past the table, but is no longer than twice the table, is transformed instead as
// the cyclic tree (below block 0) of x_i theta^i, with theta^n = fwd[j]^2: substituting
// x = theta y turns x^n - fwd[j]^2 into fwd[j]^2 (y^n - 1). Longer trees split first.
bool pastTable(std::size_t n, std::size_t j, const Twiddles &t) {
    return j != 0 && (j + 1) * (n / 2) > t.size && n <= 2 * t.size;
}

// theta in Montgomery form, from z (or z^-1 for the inverse): fwd[j]^2 = z^(2 brv(j)) with
// brv the reversal of 25 bits, and 2 brv(j) is a multiple of n since j n <= 2^26.
u32 twistRoot(std::size_t n, std::size_t j, u32 z, const Modulus &m) {
    u64 reversed = 0;
    for (int b = 0; b < maxLogLength - 1; ++b)
        reversed |= u64((j >> b) & 1) << (maxLogLength - 2 - b);
    assert(2 * reversed % n == 0);
    return power(z, 2 * reversed / n, m);
}

template <class K>
struct Engine {
    static constexpr std::size_t bottom = std::size_t(1) << K::bottomLevels;

    static void finishForward(u32 *x, std::size_t size, std::size_t j, const Twiddles &t,
                              const Modulus &m) {
        std::size_t blocks = 1;
        for (; size >= 4 * bottom; size /= 4, j *= 4, blocks *= 4)
            K::forward4(x, blocks, size, j, t, m);
        if (size == 2 * bottom) {
            K::forward2(x, blocks, size, j, t, m);
            j *= 2, blocks *= 2;
        }
        if (K::bottomLevels > 0) K::forwardBottom(x, blocks / 8, j / 8, t, m);
    }

    static void finishInverse(u32 *x, std::size_t size, std::size_t j, const Twiddles &t,
                              const Modulus &m) {
        std::size_t blocks = size / bottom, s = bottom;
        j *= blocks;
        if (K::bottomLevels > 0) K::inverseBottom(x, blocks / 8, j / 8, t, m);
        if (std::countr_zero(blocks) % 2 == 1) {
            blocks /= 2, j /= 2, s *= 2;
            K::inverse2(x, blocks, s, j, t, m);
        }
        while (s < size) {
            blocks /= 4, j /= 4, s *= 4;
            K::inverse4(x, blocks, s, j, t, m);
        }
    }

    // Forward transform of x[0..n) as the tree below block j, depth first.
    static void forward(u32 *x, std::size_t n, std::size_t j, const Twiddles &t, const Modulus &m) {
        if (pastTable(n, j, t)) {
            K::twist(x, n, twistRoot(n, j, m.root, m), m);
            return forward(x, n, 0, t, m);
        }
        if (n <= cacheBlock) return finishForward(x, n, j, t, m);
        K::forward4(x, 1, n, j, t, m);
        for (std::size_t c = 0; c < 4; ++c)
            forward(x + c * (n / 4), n / 4, 4 * j + c, t, m);
    }

    // x := inverse(forward(x) * y), y a forward transform (x itself when y is null).
    static void convolve(u32 *x, const u32 *y, std::size_t n, std::size_t j, const Twiddles &t,
                         const Modulus &m) {
        if (pastTable(n, j, t)) {
            K::twist(x, n, twistRoot(n, j, m.root, m), m);
            convolve(x, y, n, 0, t, m);
            return K::twist(x, n, twistRoot(n, j, m.rootInv, m), m);
        }
        if (n <= cacheBlock) {
            finishForward(x, n, j, t, m);
            K::pointwise(x, y, n, m);
            return finishInverse(x, n, j, t, m);
        }
        K::forward4(x, 1, n, j, t, m);
        for (std::size_t c = 0; c < 4; ++c)
            convolve(x + c * (n / 4), y ? y + c * (n / 4) : nullptr, n / 4, 4 * j + c, t, m);
        K::inverse4(x, 1, n, j, t, m);
    }
};

// The vector kernels need at least one chunk of 64 values.
constexpr std::size_t minVectorLength = 64;

void forward(u32 *x, std::size_t n, std::size_t j0, const Twiddles &t, const Modulus &m,
             bool vector) {
#if RECKONWISE_NTT_AVX2
    if (vector && n >= minVectorLength) return Engine<Avx2>::forward(x, n, j0, t, m);
#endif
    (void)vector;
    Engine<Portable>::forward(x, n, j0, t, m);
}

void convolve(u32 *x, const u32 *y, std::size_t n, std::size_t j0, const Twiddles &t,
              const Modulus &m, bool vector) {
#if RECKONWISE_NTT_AVX2
    if (vector && n >= minVectorLength) return Engine<Avx2>::convolve(x, y, n, j0, t, m);
#endif
    (void)vector;
    Engine<Portable>::convolve(x, y, n, j0, t, m);
}

// Half `half` of the inverse of the level that splits block j of length n into its halves.
void inverseLevel(u32 *x, std::size_t n, std::size_t j, int half, const Twiddles &t,
                  const Modulus &m, bool vector) {
    const std::size_t quarter = n / 4;
    x += half * quarter;
#if RECKONWISE_NTT_AVX2
    if (vector && n >= minVectorLength)
        return Avx2::joinPairs(x, n / 2, quarter, t.inverseAt(j), m);
#endif
    (void)vector;
    Portable::joinPairs(x, n / 2, quarter, t.inverseAt(j), m);
}

void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count, bool vector) {
#if RECKONWISE_NTT_AVX2
    if (vector) return Avx2::digits(g, x0, x1, x2, count);
#endif
    (void)vector;
    Portable::digits(g, x0, x1, x2, count);
}

// ---------------------------------------------------------------------------------------
// Transform lengths. A shape is a cyclic transform of length n (modulo x^n - 1) plus, for
// 1, 2 or 3 extra quarters of n, twisted transforms of other nodes of the tree of length 2n:
//     1 quarter:   block 4 of length n/4 (modulo x^(n/4) - fwd[4]^2)
//     2 quarters:  block 2 of length n/2 (modulo x^(n/2) - i)
//     3 quarters:  blocks 2 of length n/2 and 6 of length n/4.
// Distinct nodes have coprime moduli, so the residues modulo all parts determine the product
// up to a degree of n + quarters n/4 (see the joins below): lengths 2^k, 5 2^(k-2),
// 3 2^(k-1) and 7 2^(k-2) are all served.
// ---------------------------------------------------------------------------------------
struct Shape {
    std::size_t n;
    int quarters;
    std::size_t capacity() const { return n + quarters * (n / 4); }
    // The twiddle table length that all parts need (below block j of length s, (j + 1) s / 2).
    std::size_t tableSize() const { return quarters ? n : std::max<std::size_t>(n / 2, 2); }
};

// The shortest shape for a product of `coefficients` coefficients; with the vector code, only
// shapes whose every part it serves.
Shape shapeFor(std::size_t coefficients, bool vector) {
    const std::size_t n = std::bit_ceil(coefficients);
    if (n < (vector ? 8 * minVectorLength : 8)) return {n, 0};
    const int quarters = int((coefficients - n / 2 + n / 8 - 1) / (n / 8));
    return quarters < 4 ? Shape{n / 2, quarters} : Shape{n, 0};
}

bool fits(Shape s) {
    return s.quarters ? s.n <= maxLength / 2 : s.n <= maxLength;
}

// A part of a shape: the residue modulo x^length - fwd[block]^2 at x + offset, transformed
// as the tree below `block` by the thread `owner`. The parts of length n and n/2 can be
// split into their two halves, which are independent.
struct Part {
    std::size_t offset, length, block;
    int owner;
};

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

// c = fwd[j]^2, the constant of block j's modulus x^s - c.
u32 blockConstant(std::size_t j, const Twiddles &t, const Modulus &m) {
    const Factor w = t.forwardAt(j);
    return mulShoup(w.w, w.w, w.ws, m.p);
}

// c^0, c^1, ... as factors.
void powersOf(u32 c, std::size_t count, Factor *powers, const Modulus &m) {
    powers[0] = factorOf(1, m);
    for (std::size_t k = 1; k < count; ++k)
        powers[k] = factorOf(mulShoup(powers[k - 1].w, c, shoup(c, m), m.p), m);
}

// x := the residue of src modulo the part's polynomial.
void loadResidue(u32 *x, const Part &p, ConstBlocks src, const Twiddles &t, const Modulus &m,
                 bool vector) {
    const std::size_t terms = (src.size() + p.length - 1) / p.length;
    assert(terms <= maxResidueTerms);
    Factor powers[maxResidueTerms];
    powersOf(blockConstant(p.block, t, m), terms, powers, m);
#if RECKONWISE_NTT_AVX2
    if (vector && p.length >= minVectorLength)
        return Avx2::loadResidue(x, p.length, src.data(), src.size(), powers, m);
#endif
    (void)vector;
    Portable::loadResidue(x, p.length, src.data(), src.size(), powers, m);
}

// The joins of the parts of a shape into the residue of the product modulo all of them
// (times 2n), on the coefficients [from, to) of each piece; join 0 for the first, 1 for the
// second of three quarters.
//
// Join 0: the residue F (times n) modulo x^n - 1 at x[0..n) and G (times L) modulo x^L - c at
// x[n..n+L), where c^(n/L) = -1, give the residue C modulo their product: with the pieces F_t
// of L coefficients of F, S = (sum of c^t F_t - G) / 2 is (C - F) / (x^n - 1) modulo x^L - c,
// since x^n - 1 = -2 there, and
//     C = F + (x^n - 1) S = (F_0 - S) + x^L (F_1, F_2, ...) + x^n S.
// Join 1: the residue C (times 2n) modulo P = (x^n - 1)(x^(n/2) - i) at x[0..6q), q = n/4,
// and G (times q) modulo x^q - c at x[6q..7q): P = x^6q - i x^4q - x^2q + i is a polynomial
// in x^q, so P = kappa = c^6 - i c^4 - c^2 + i modulo x^q - c, and with the pieces C_t of q
// coefficients, V = (8 G - sum of c^t C_t) / kappa gives the residue C + P V.
void joinParts(u32 *x, Shape s, int join, std::size_t from, std::size_t to, const Modulus &m,
               const Twiddles &t, bool vector) {
    const std::size_t n = s.n, len = s.quarters == 1 ? n / 4 : n / 2;
    Factor powers[7];
    powersOf(blockConstant(join ? 6 : s.quarters == 1 ? 4 : 2, t, m), 7, powers, m);
    const Factor im = t.forwardAt(1);
    Factor over{};
    if (join) {
        const u32 kappa = add(sub(powers[6].w, mulShoup(powers[4].w, im.w, im.ws, m.p), m.p),
                              sub(im.w, powers[2].w, m.p), m.p);
        over = factorOf(fromMontgomery(inverse(toMontgomery(kappa, m), m), m), m);
    }
    const bool vectorRange = vector && (from | to) % 8 == 0;
#if RECKONWISE_NTT_AVX2
    if (vectorRange) {
        if (join == 0) return Avx2::joinPart(x, n, len, powers, from, to, m);
        return Avx2::joinLast(x, n / 4, powers, over, im, from, to, m);
    }
#endif
    (void)vectorRange;
    if (join == 0) return Portable::joinPart(x, n, len, powers, from, to, m);
    Portable::joinLast(x, n / 4, powers, over, im, from, to, m);
}

// r (+)= carry + sum of c_i 2^(32 i) for the r.size() coefficients with digits d (added
// when accumulating, else written); returns what carries out of the top.
u128 addCoefficients(Blocks r, const u32 *d0, const u32 *d1, const u32 *d2, bool accumulate,
                     u128 acc) {
    const u64 p0 = moduli[0].p, p1 = moduli[1].p;
    for (std::size_t i = 0; i < r.size(); ++i) {
        acc += u128(d1[i] + p1 * d2[i]) * p0 + d0[i];
        if (accumulate) acc += r[i];
        r[i] = Block(acc);
        acc >>= 32;
    }
    return acc;
}

// r (+)= carry, carrying up as far as needed (accumulating) or writing all of r; the sum
// must fit r.
void addCarry(Blocks r, u128 carry, bool accumulate) {
    for (std::size_t i = 0; i < r.size() && (carry != 0 || !accumulate); ++i) {
        if (accumulate) carry += r[i];
        r[i] = Block(carry);
        carry >>= 32;
    }
    assert(carry == 0);
}

// ---------------------------------------------------------------------------------------
// Products of pieces.
// ---------------------------------------------------------------------------------------

// The cost of a transform of capacity c, in rough butterfly units, with the linear work
// around it (loading, pointwise product, Chinese remainder step) as a few more levels and the
// fixed cost of a call as a few thousand.
double transformCost(Shape s) {
    const double c = double(s.capacity());
    return c * (std::bit_width(s.n) + 4) + 4096;
}

struct Plan {
    Shape shape;
    std::size_t chunk; // blocks of a per transform
};

// The cheapest way to multiply na blocks by nb <= na blocks: chunks of a of `chunk` blocks,
// each multiplied by all of b, b transformed once.
Plan planFor(std::size_t na, std::size_t nb, bool square, bool vector) {
    const Shape whole = shapeFor(na + nb - 1, vector);
    if (square || (fits(whole) && whole.capacity() < 4 * nb)) return {whole, na};
    Plan best{whole, na};
    double bestCost = -1;
    for (std::size_t n = std::bit_ceil(nb); n <= maxLength; n *= 2) {
        for (int quarters = 0; quarters < 4; ++quarters) {
            const Shape s{n, quarters};
            if (!fits(s) || s.capacity() < nb + 1 ||
                (quarters && vector && n < 4 * minVectorLength))
                continue;
            const std::size_t chunk = std::min(na, s.capacity() - nb + 1);
            const double chunks = double((na + chunk - 1) / chunk);
            const double cost = transformCost(s) * (2 * chunks + 1);
            if (bestCost < 0 || cost < bestCost) best = {s, chunk}, bestCost = cost;
        }
        if (n >= na + nb) break;
    }
    return best;
}

// Transforms from parallelLength on are split into their two halves, which run on two
// threads; from splitLength on they are split on one thread too (the split costs a second
// pass over the operand and one over the result, but keeps the halves apart in the cache).
// Measured with a free second core: 1.4 times as fast at 2^16, 1.5 at 2^18, 1.9 at 2^21.
constexpr std::size_t parallelLength = std::size_t(1) << 16;
constexpr std::size_t splitLength = std::size_t(1) << 20;

// The transforms of one product of a chunk of a by b, modulo each prime.
struct Work {
    Shape shape;
    bool split;
    ConstBlocks a; // the chunk of a; empty: only b is transformed
    ConstBlocks b; // empty: b's transforms are in y already (or a squares)
    bool square;   // a times itself: no y
    u32 *x, *y;    // residues of a, and of b per prime `yStride` apart
    std::size_t cap, yStride;
    const Twiddles *tables[3];
    bool vector;
};

// The parts of half `half` (when split), or all of them.
void runHalf(const Work &w, int half) {
    Part parts[5];
    const int count = partsOf(w.shape, w.split, parts);
    for (int k = 0; k < 3; ++k) {
        const Twiddles &t = *w.tables[k];
        const Modulus &m = moduli[k];
        for (int i = 0; i < count; ++i) {
            const Part &p = parts[i];
            if (w.split && p.owner != half) continue;
            u32 *yk = w.square ? nullptr : w.y + k * w.yStride + p.offset;
            if (!w.b.empty()) {
                loadResidue(yk, p, w.b, t, m, w.vector);
                forward(yk, p.length, p.block, t, m, w.vector);
            }
            if (w.a.empty()) continue;
            u32 *xk = w.x + k * w.cap + p.offset;
            loadResidue(xk, p, w.a, t, m, w.vector);
            convolve(xk, yk, p.length, p.block, t, m, w.vector);
        }
    }
}

// Whether the transforms of shape s are long enough to share between two threads.
bool twoThreads(Shape s) {
    static const bool cores = std::thread::hardware_concurrency() >= 2;
    return cores && s.n >= parallelLength;
}

// f(0) here and f(1) on a second thread when `two` and a core is spare, else both here.
template <class F>
void inHalves(bool two, const F &f) {
    std::atomic<int> &spare = spareCores();
    int available = two ? spare.load() : 0;
    while (available > 0) {
        if (!spare.compare_exchange_weak(available, available - 1)) continue;
        struct GiveBack {
            std::atomic<int> &spare;
            ~GiveBack() { ++spare; }
        } giveBack{spare};
        std::thread helper;
        try {
            helper = std::thread([&f] { f(1); });
        } catch (const std::exception &) { // no thread to be had: do it here
            f(0);
            f(1);
            return;
        }
        f(0);
        helper.join();
        return;
    }
    f(0);
    f(1);
}

void run(const Work &w) {
    if (!w.split) return runHalf(w, 0);
    inHalves(twoThreads(w.shape), [&w](int half) { runHalf(w, half); });
}

// r (+)= the product of `count` coefficients from the residues of all parts: the inverse of
// the split, the joins of the parts, the Chinese remainder step and the carries, each
// in two halves on two threads when the product has them.
void finish(const Work &w, const Garner &g, Blocks r, std::size_t count, bool accumulate) {
    const Shape s = w.shape;
    const bool two = w.split && twoThreads(s);
    const std::size_t n = s.n;
    if (w.split) {
        inHalves(two, [&](int half) {
            for (int k = 0; k < 3; ++k) {
                u32 *xk = w.x + k * w.cap;
                const Twiddles &t = *w.tables[k];
                inverseLevel(xk, n, 0, half, t, moduli[k], w.vector);
                if (s.quarters >= 2) inverseLevel(xk + n, n / 2, 2, half, t, moduli[k], w.vector);
            }
        });
    }
    // The first join, with the part of block 4 or 2, then the second with that of block 6.
    for (int join = 0; join < (s.quarters == 3 ? 2 : s.quarters ? 1 : 0); ++join) {
        const std::size_t size = join || s.quarters == 1 ? n / 4 : n / 2;
        const std::size_t mid = two ? size / 2 : size;
        inHalves(two, [&](int half) {
            const std::size_t from = half ? mid : 0, to = half ? size : mid;
            for (int k = 0; k < 3; ++k)
                joinParts(w.x + k * w.cap, s, join, from, to, moduli[k], *w.tables[k], w.vector);
        });
    }
    const std::size_t mid = two ? count / 2 : count;
    u128 carry[2] = {};
    inHalves(two, [&](int half) {
        // In steps that keep the digits in the cache until the carries take them.
        constexpr std::size_t step = 2048;
        for (std::size_t at = half ? mid : 0, to = half ? count : mid; at < to; at += step) {
            const std::size_t n = std::min(step, to - at);
            u32 *x0 = w.x + at, *x1 = x0 + w.cap, *x2 = x1 + w.cap;
            digits(g, x0, x1, x2, n, w.vector);
            carry[half] = addCoefficients(r.subspan(at, n), x0, x1, x2, accumulate, carry[half]);
        }
    });
    // The top half's carry goes above the coefficients, then the bottom half's carry into the
    // top half.
    addCarry(r.subspan(count), carry[mid < count ? 1 : 0], accumulate);
    if (mid < count) addCarry(r.subspan(mid), carry[0], true);
}

// r := a * b (or r := r + a * b when accumulating, r long enough for the sum), with
// a.size() >= b.size() and b.size() <= maxLength / 2.
void multiplyPieces(Blocks r, ConstBlocks a, ConstBlocks b, bool square, bool vector,
                    bool accumulate) {
    const std::size_t na = a.size(), nb = b.size();
    assert(na >= nb && nb <= maxLength / 2);
    const Plan plan = planFor(na, nb, square, vector);
    const Shape s = plan.shape;
    const std::size_t cap = s.capacity();
    assert(fits(s) && plan.chunk + nb - 1 <= cap);
    assert(std::min(plan.chunk, nb) <= maxLength / 2); // the bound proven at the top
    const bool oneChunk = plan.chunk >= na;

    std::shared_ptr<const Twiddles> tables[3];
    for (int k = 0; k < 3; ++k)
        tables[k] = twiddles(k, s.tableSize(), vector);
    const Buffer x = allocate(3 * cap), y = square ? Buffer() : allocate((oneChunk ? 1 : 3) * cap);
    Work w{s,
           s.n >= splitLength || twoThreads(s),
           {},
           {},
           square,
           x.get(),
           y.get(),
           cap,
           oneChunk ? 0 : cap,
           {tables[0].get(), tables[1].get(), tables[2].get()},
           vector};
    if (!square) {
        w.b = b;
        if (!oneChunk) { // b once for all chunks
            run(w);
            w.b = {};
        }
    }
    if (!oneChunk && !accumulate) {
        std::fill(r.begin(), r.end(), 0);
        accumulate = true;
    }
    const Garner &garner = garners[std::countr_zero(s.quarters ? 2 * s.n : s.n)];
    for (std::size_t at = 0; at < na; at += plan.chunk) {
        w.a = a.subspan(at, std::min(plan.chunk, na - at));
        run(w);
        finish(w, garner, r.subspan(at), w.a.size() + nb - 1, accumulate);
    }
}

void multiplyWith(Blocks r, ConstBlocks a, ConstBlocks b, bool vector) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b));
    const bool square = a.data() == b.data() && a.size() == b.size();
    if (a.size() < b.size()) std::swap(a, b);
    constexpr std::size_t maxPiece = maxLength / 2;
    if (b.size() <= maxPiece) return multiplyPieces(r, a, b, square, vector, false);
    // Both operands longer than one transform serves: add up a times pieces of b.
    std::fill(r.begin(), r.end(), 0);
    for (std::size_t at = 0; at < b.size(); at += maxPiece) {
        multiplyPieces(r.subspan(at), a, b.subspan(at, std::min(maxPiece, b.size() - at)), false,
                       vector, true);
    }
}

bool haveAvx2() {
#if RECKONWISE_NTT_AVX2
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
#else
    return false;
#endif
}

} // namespace

void multiplyNtt(Blocks r, ConstBlocks a, ConstBlocks b) {
    multiplyWith(r, a, b, haveAvx2());
}

void multiplyNttPortable(Blocks r, ConstBlocks a, ConstBlocks b) {
    multiplyWith(r, a, b, false);
}

} // namespace bigint::kernels
