// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_knuth.h"

#include "bigint/kernels/limb_division.h"
#include "bigint/kernels/limbs_multiply_subtract.h"

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

    // Normalise so that the divisor's top bit is set, as the division steps by its
    // reciprocal need.
    const std::size_t vl = (n + 1) / 2, ul = (u.size() + 1) / 2, ql = ul - vl + 1;
    std::vector<Limb> work(vl + ul + 1 + ql);
    Limb *vn = work.data(), *un = vn + vl, *quotient = un + ul + 1;
    const Limb vTopUnshifted = (Limb(n % 2 == 0 ? v[n - 1] : 0) << 32) | v[2 * vl - 2];
    const unsigned shift = unsigned(std::countl_zero(vTopUnshifted));
    loadShifted(vn, v, vl, shift);
    un[ul] = loadShifted(un, u, ul, shift);

    const Limb vTop = vn[vl - 1];
    if (vl == 1) {
        const Limb inverse = limbReciprocal(vTop);
        Limb remainder = un[ul]; // below 2^shift, so below vTop
        for (std::size_t j = ul; j-- > 0;)
            quotient[j] = divideTwoByOne(remainder, un[j], vTop, inverse, remainder);
        storeBlocks(q, quotient, ul);
        const Limb r = remainder >> shift;
        storeBlocks(u, &r, 1);
        return;
    }
    // Each quotient limb is that of the dividend's top three limbs by the divisor's top two,
    // which is the true one or one too large; the top three limbs' remainder comes with it,
    // so only the divisor's other vl - 2 limbs are multiplied and subtracted.
    const Limb vNext = vn[vl - 2];
    const Limb inverse = twoLimbReciprocal(vTop, vNext);
    for (std::size_t j = ul - vl + 1; j-- > 0;) {
        Limb *window = un + j; // vl + 1 limbs, the top vl of them below the divisor
        const Limb top = window[vl], next = window[vl - 1];
        Limb qhat;
        if (top == vTop && next == vNext) {
            // The window's top two limbs equal the divisor's (they cannot exceed them; with
            // a divisor of two limbs the window would not be below it), outside the steps'
            // range. The quotient limb is then 2^64 - 1 exactly: the remainder, the divisor's
            // top two limbs plus the window's lower limbs less 2^64 - 1 times the divisor's
            // lower limbs, is not negative, as the top limb's top bit is set.
            qhat = ~Limb(0);
            [[maybe_unused]] const Limb borrow = subtractMultiplyLimbs(window, vn, vl, qhat);
            assert(borrow == top);
        } else {
            Limb r1, r0;
            qhat = divideThreeByTwo(top, next, window[vl - 2], vTop, vNext, inverse, r1, r0);
            const Limb borrow = subtractMultiplyLimbs(window, vn, vl - 2, qhat);
            const Limb r0Before = r0;
            r0 -= borrow;
            const Limb r1Borrow = r0 > r0Before ? 1 : 0;
            const bool negative = r1 < r1Borrow;
            window[vl - 2] = r0;
            window[vl - 1] = r1 - r1Borrow;
            if (negative) {
                // The estimate was one too large (rare): add the divisor back once; the carry
                // out of the top cancels the borrow.
                --qhat;
                addLimbs(window, vn, vl);
            }
        }
        window[vl] = 0;
        quotient[j] = qhat;
    }
    storeBlocks(q, quotient, ql);

    // The remainder: the low vl limbs shifted back.
    for (std::size_t i = 0; i < vl; ++i)
        un[i] = shift == 0 ? un[i] : (un[i] >> shift) | (un[i + 1] << (64 - shift));
    storeBlocks(u, un, vl);
}

} // namespace bigint::kernels
