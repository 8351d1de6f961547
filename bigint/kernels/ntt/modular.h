// SPDX-License-Identifier: MIT
#pragma once
// Arithmetic modulo the three transform primes: Montgomery and Shoup products, the primes with
// their roots of unity, and the constants of the Chinese remainder step. The types are plain
// data shared by every kernel set; the functions have internal linkage, so that a kernel file
// built for wider vectors keeps its own copies and never lends them to the portable code.

#include "bigint/uint128.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace bigint::kernels::ntt {

using u32 = std::uint32_t;
using u64 = std::uint64_t;
using u128 = bigint::UInt128;

// ---------------------------------------------------------------------------------------
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
inline constexpr int maxLogLength = 26;
inline constexpr std::size_t maxLength = std::size_t(1) << maxLogLength;

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

// A constant with its Shoup companion.
struct Factor {
    u32 w, ws;
};

// ---------------------------------------------------------------------------------------
// Chinese remainder step (Garner): residues v_k = scale R^-1 c mod p_k of a coefficient c
// become digits d_k < p_k with c = d0 + p0 (d1 + p1 d2):
//     d0 = c mod p0,  d1 = (c - d0) / p0 mod p1,  d2 = (c - d0 - p0 d1) / (p0 p1) mod p2,
// each with a constant factor that also removes scale R^-1 (see garnerFor).
// ---------------------------------------------------------------------------------------
struct Garner {
    Factor k0, k1a, k1b, k2a, k2b, k2c;
};

namespace {

constexpr u32 reduce(u64 t, const Modulus &m) { // t < p 2^32  ->  t R^-1 mod p
    const u32 q = u32(t) * m.pinv;              // t - q p = 0 mod 2^32
    const u32 r = u32(t >> 32) - u32((u64(q) * m.p) >> 32);
    return std::int32_t(r) < 0 ? r + m.p : r;
}
constexpr u32 mul(u32 a, u32 b, const Modulus &m) {
    return reduce(u64(a) * b, m);
}
constexpr u32 add(u32 a, u32 b, u32 p) {
    const u32 s = a + b, t = s - p;
    return t < s ? t : s; // s - p wraps above s when s < p
}
constexpr u32 sub(u32 a, u32 b, u32 p) {
    const u32 d = a - b, e = d + p;
    return e < d ? e : d; // d + p wraps below d when a < b
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
    const u32 r = a * w - q * p, s = r - p;
    return s < r ? s : r;
}

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

// The constants of the Chinese remainder step for residues of the given scale.
constexpr Garner garnerFor(std::size_t scale) {
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
    Garner g{};
    g.k0 = factor(unscale(m0), m0);
    g.k1a = factor(mul(unscale(m1), inv0, m1), m1);
    g.k1b = factor(inv0, m1);
    g.k2a = factor(mul(unscale(m2), inv01, m2), m2);
    g.k2b = factor(inv01, m2);
    g.k2c = factor(inv1, m2); // p0 / (p0 p1)
    return g;
}

// The constants for every scale 2^e a product can have, computed by the compiler.
constexpr auto garners = [] {
    std::array<Garner, maxLogLength + 1> g{};
    for (int e = 0; e <= maxLogLength; ++e)
        g[e] = garnerFor(std::size_t(1) << e);
    return g;
}();

} // namespace
} // namespace bigint::kernels::ntt
