// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_knuth.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace bigint::kernels {

Block divideBlock(Blocks q, ConstBlocks a, Block d) {
    assert(d != 0 && q.size() == a.size());
    assert(!overlaps(q, a) || q.data() == a.data());
    DoubleBlock rem = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        DoubleBlock cur = (rem << bitsPerBlock) | a[i];
        q[i] = Block(cur / d);
        rem = cur % d;
    }
    return Block(rem);
}

Block remainderBlock(ConstBlocks a, Block d) {
    assert(d != 0);
    DoubleBlock rem = 0;
    for (std::size_t i = a.size(); i-- > 0;)
        rem = ((rem << bitsPerBlock) | a[i]) % d;
    return Block(rem);
}

namespace {

// The division works on 64-bit limbs, pairs of blocks: a quarter of the block products and a
// quarter of the quotient estimates of the same division on blocks.
using Limb = std::uint64_t;
__extension__ typedef unsigned __int128 DoubleLimb; // a GCC and clang type

// (high * 2^64 + low) / d and its remainder, for high < d.
inline Limb divideLimb(Limb high, Limb low, Limb d, Limb &remainder) {
#if defined(__x86_64__)
    Limb quotient;
    __asm__("divq %[d]" : "=a"(quotient), "=d"(remainder) : [d] "rm"(d), "a"(low), "d"(high));
    return quotient;
#else
    const DoubleLimb num = (DoubleLimb(high) << 64) | low;
    remainder = Limb(num % d);
    return Limb(num / d);
#endif
}

// high * 2^64 + low := a * b.
inline void multiplyLimbs(Limb a, Limb b, Limb &low, Limb &high) {
#if defined(__x86_64__)
    // The product straight into two registers: through a 128-bit value GCC 12 stores the
    // high half to memory and loads it back, on the critical path of the loop below.
    __asm__("mulq %[b]" : "=a"(low), "=d"(high) : "a"(a), [b] "rm"(b) : "cc");
#else
    const DoubleLimb p = DoubleLimb(a) * b;
    low = Limb(p);
    high = Limb(p >> 64);
#endif
}

// The blocks of x as `count` limbs, zeros past its end, shifted left by `shift` bits (< 64);
// returns the bits shifted out at the top.
Limb loadShifted(Limb *out, ConstBlocks x, std::size_t count, unsigned shift) {
    Limb carry = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Limb low = 2 * i < x.size() ? x[2 * i] : 0;
        const Limb high = 2 * i + 1 < x.size() ? x[2 * i + 1] : 0;
        const Limb limb = low | high << 32;
        out[i] = limb << shift | carry;
        carry = shift == 0 ? 0 : limb >> (64 - shift);
    }
    return carry;
}

// r := r - a * m over n limbs; returns the limb borrowed out at the top.
Limb subtractMultiplyLimb(Limb *r, const Limb *a, std::size_t n, Limb m) {
    Limb borrow = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // The high half of a * m + borrow is at most 2^64 - 2: adding one more never wraps.
        Limb low, high;
        multiplyLimbs(a[i], m, low, high);
        low += borrow;
        high += low < borrow;
        const Limb ri = r[i];
        r[i] = ri - low;
        borrow = high + (ri < low);
    }
    return borrow;
}

// r := r + a over n limbs; returns the carry out.
Limb addLimbs(Limb *r, const Limb *a, std::size_t n) {
    Limb carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const DoubleLimb s = DoubleLimb(r[i]) + a[i] + carry;
        r[i] = Limb(s);
        carry = Limb(s >> 64);
    }
    return carry;
}

// out's blocks from the limbs of x (zeros past `count` limbs).
void storeBlocks(Blocks out, const Limb *x, std::size_t count) {
    for (std::size_t k = 0; k < out.size(); ++k)
        out[k] = k / 2 < count ? Block(x[k / 2] >> (32 * (k % 2))) : 0;
}

} // namespace

void divideKnuth(Blocks q, Blocks u, ConstBlocks v) {
    const std::size_t n = v.size();
    assert(n >= 2 && v[n - 1] != 0 && u.size() >= n && q.size() == u.size() - n + 1);
    assert(!overlaps(q, u) && !overlaps(q, v) && !overlaps(u, v));

    // Normalise so that the divisor's top bit is set: the quotient-limb estimate from the
    // top two limbs is then at most two too large.
    const std::size_t vl = (n + 1) / 2, ul = (u.size() + 1) / 2, ql = ul - vl + 1;
    std::vector<Limb> work(vl + ul + 1 + ql);
    Limb *vn = work.data(), *un = vn + vl, *quotient = un + ul + 1;
    const Limb vTopUnshifted = (Limb(n % 2 == 0 ? v[n - 1] : 0) << 32) | v[2 * vl - 2];
    const unsigned shift = unsigned(std::countl_zero(vTopUnshifted));
    loadShifted(vn, v, vl, shift);
    un[ul] = loadShifted(un, u, ul, shift);

    const Limb vTop = vn[vl - 1];
    if (vl == 1) {
        Limb remainder = un[ul]; // below 2^shift, so below vTop
        for (std::size_t j = ul; j-- > 0;)
            quotient[j] = divideLimb(remainder, un[j], vTop, remainder);
        storeBlocks(q, quotient, ul);
        const Limb r = remainder >> shift;
        storeBlocks(u, &r, 1);
        return;
    }
    const Limb vNext = vn[vl - 2];
    for (std::size_t j = ul - vl + 1; j-- > 0;) {
        const Limb top = un[j + vl], next = un[j + vl - 1];
        Limb qhat, rhat = 0;
        bool refine = true;
        if (top >= vTop) { // top == vTop: the estimate is 2^64 - 1
            qhat = ~Limb(0);
            const DoubleLimb r = DoubleLimb(next) + vTop;
            refine = (r >> 64) == 0;
            rhat = Limb(r);
        } else {
            qhat = divideLimb(top, next, vTop, rhat);
        }
        while (refine && DoubleLimb(qhat) * vNext > ((DoubleLimb(rhat) << 64) | un[j + vl - 2])) {
            --qhat;
            const Limb before = rhat;
            rhat += vTop;
            if (rhat < before) break; // rhat reached 2^64: the test holds no more
        }
        const Limb borrow = subtractMultiplyLimb(un + j, vn, vl, qhat);
        const Limb t = un[j + vl];
        un[j + vl] = t - borrow;
        if (t < borrow) {
            // The estimate was one too large (rare): add the divisor back once.
            --qhat;
            un[j + vl] += addLimbs(un + j, vn, vl);
        }
        quotient[j] = qhat;
    }
    storeBlocks(q, quotient, ql);

    // The remainder: the low vl limbs shifted back.
    for (std::size_t i = 0; i < vl; ++i)
        un[i] = shift == 0 ? un[i] : (un[i] >> shift) | (un[i + 1] << (64 - shift));
    storeBlocks(u, un, vl);
}

} // namespace bigint::kernels
