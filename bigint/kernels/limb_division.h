// SPDX-License-Identifier: MIT
#pragma once
// Division steps on 64-bit limbs by a divisor known in advance: a reciprocal of its top
// limb or two, computed once, turns each step into multiplications where a hardware
// division costs tens of cycles (Moller and Granlund, "Improved division by invariant
// integers"). The long division (divide_knuth.cpp) takes one such step per quotient limb.

#include "bigint/uint128.h"

#include <cstdint>

namespace bigint::kernels {

using Limb = std::uint64_t;
using DoubleLimb = bigint::UInt128;

// floor((2^128 - 1) / d) - 2^64 for d with its top bit set.
inline Limb limbReciprocal(Limb d) {
    return Limb(~DoubleLimb(0) / d); // the quotient is 2^64 + the result: the cast drops 2^64
}

// floor((2^192 - 1) / (d1 2^64 + d0)) - 2^64 for d1 with its top bit set. d1's reciprocal
// is never below it; it is lowered by one each time (2^64 + v) (d1 2^64 + d0) would pass
// 2^192 - 1, which shows in the carries out of that product's middle limb p: once or twice
// for adding d0 2^64, once or twice for adding the high limb of v d0.
inline Limb twoLimbReciprocal(Limb d1, Limb d0) {
    Limb v = limbReciprocal(d1);
    Limb p = d1 * v;
    p += d0;
    if (p < d0) { // a carry out of the middle limb
        --v;
        if (p >= d1) {
            --v;
            p -= d1;
        }
        p -= d1;
    }
    const DoubleLimb t = DoubleLimb(v) * d0;
    const Limb t1 = Limb(t >> 64), t0 = Limb(t);
    p += t1;
    if (p < t1) {
        --v;
        if (p > d1 || (p == d1 && t0 >= d0)) --v;
    }
    return v;
}

// Divides (u1 2^64 + u0) by d (top bit set, u1 < d) given v = limbReciprocal(d); returns the
// quotient and sets r to the remainder.
inline Limb divideTwoByOne(Limb u1, Limb u0, Limb d, Limb v, Limb &r) {
    const DoubleLimb q = DoubleLimb(v) * u1 + ((DoubleLimb(u1) << 64) | u0);
    Limb q1 = Limb(q >> 64) + 1;
    const Limb q0 = Limb(q);
    Limb rem = u0 - q1 * d;
    if (rem > q0) { // the estimate was one too large
        --q1;
        rem += d;
    }
    if (rem >= d) { // one too small (rare)
        ++q1;
        rem -= d;
    }
    r = rem;
    return q1;
}

// Divides (u2, u1, u0) by (d1, d0) (d1's top bit set, (u2, u1) < (d1, d0)) given
// v = twoLimbReciprocal(d1, d0); returns the quotient, which fits in a limb, and sets
// (r1, r0) to the remainder.
inline Limb divideThreeByTwo(Limb u2, Limb u1, Limb u0, Limb d1, Limb d0, Limb v, Limb &r1,
                             Limb &r0) {
    const DoubleLimb q = DoubleLimb(v) * u2 + ((DoubleLimb(u2) << 64) | u1);
    Limb q1 = Limb(q >> 64);
    const Limb q0 = Limb(q);
    // The remainder of the estimate q1 + 1, modulo 2^128.
    const DoubleLimb d = (DoubleLimb(d1) << 64) | d0;
    DoubleLimb r = (DoubleLimb(u1 - q1 * d1) << 64) | u0;
    r -= DoubleLimb(d0) * q1;
    r -= d;
    ++q1;
    if (Limb(r >> 64) >= q0) { // the estimate was one too large
        --q1;
        r += d;
    }
    if (r >= d) { // one too small (rare)
        ++q1;
        r -= d;
    }
    r1 = Limb(r >> 64);
    r0 = Limb(r);
    return q1;
}

} // namespace bigint::kernels
