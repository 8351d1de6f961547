// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_basecase.h"

#include <cstdint>
#include <vector>

#include <utility>

namespace bigint::kernels {

Block multiplyBlock(Blocks r, ConstBlocks a, Block m) {
    assert(r.size() == a.size());
    DoubleBlock carry = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        DoubleBlock p = DoubleBlock(a[i]) * m + carry;
        r[i] = Block(p);
        carry = p >> bitsPerBlock;
    }
    return Block(carry);
}

Block addMultiplyBlock(Blocks r, ConstBlocks a, Block m) {
    assert(r.size() == a.size() && !overlaps(r, a));
    DoubleBlock carry = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        // (2^32-1)^2 + 2 (2^32-1) = 2^64 - 1: the sum never overflows 64 bits.
        DoubleBlock p = DoubleBlock(a[i]) * m + r[i] + carry;
        r[i] = Block(p);
        carry = p >> bitsPerBlock;
    }
    return Block(carry);
}

Block subtractMultiplyBlock(Blocks r, ConstBlocks a, Block m) {
    assert(r.size() == a.size() && !overlaps(r, a));
    DoubleBlock borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        DoubleBlock p = DoubleBlock(a[i]) * m + borrow;
        Block low = Block(p);
        borrow = p >> bitsPerBlock;
        Block ri = r[i];
        r[i] = ri - low;
        // When p>>32 is 2^32-1, p's low block is 0, so this never carries past 32 bits.
        if (ri < low) ++borrow;
    }
    return Block(borrow);
}

namespace {

using Limb = std::uint64_t;
__extension__ typedef unsigned __int128 DoubleLimb; // a GCC and clang type

// Blocks i and i + 1 of x as one 64-bit limb (zero past the end).
Limb limbAt(ConstBlocks x, std::size_t i) {
    const Limb low = i < x.size() ? x[i] : 0;
    const Limb high = i + 1 < x.size() ? x[i + 1] : 0;
    return low | high << 32;
}

// r := a * b on 64-bit limbs: a quarter of the multiplications of the same rows on blocks.
// r has a.size() + b.size() limbs.
void multiplyLimbs(Limb *r, const Limb *a, std::size_t n, const Limb *b, std::size_t m) {
    Limb carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const DoubleLimb p = DoubleLimb(a[i]) * b[0] + carry;
        r[i] = Limb(p);
        carry = Limb(p >> 64);
    }
    r[n] = carry;
    std::size_t j = 1;
    // Two rows a pass: a * (b[j] + b[j + 1] 2^64) added in one sweep, which loads and
    // stores the row once for two products. c0 is what goes to position i (the high half of
    // the first product and the low half of the second one, from i - 1), c1 what goes on to
    // i + 1; every sum stays below 2^128.
    for (; j + 1 < m; j += 2) {
        const Limb b0 = b[j], b1 = b[j + 1];
        Limb *row = r + j;
        Limb c0 = 0, c1 = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const DoubleLimb p0 = DoubleLimb(a[i]) * b0 + row[i] + c0;
            row[i] = Limb(p0);
            const DoubleLimb p1 = DoubleLimb(a[i]) * b1 + Limb(p0 >> 64) + c1;
            c0 = Limb(p1);
            c1 = Limb(p1 >> 64);
        }
        row[n] = c0;
        row[n + 1] = c1;
    }
    for (; j < m; ++j) {
        carry = 0;
        const Limb bj = b[j];
        Limb *row = r + j;
        for (std::size_t i = 0; i < n; ++i) {
            // (2^64-1)^2 + 2 (2^64-1) = 2^128 - 1: the sum never overflows 128 bits.
            const DoubleLimb p = DoubleLimb(a[i]) * bj + row[i] + carry;
            row[i] = Limb(p);
            carry = Limb(p >> 64);
        }
        row[n] = carry;
    }
}

} // namespace

void multiplyBasecase(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b));
    // The longer operand runs along the inner loop, which keeps the loop overhead low.
    if (a.size() < b.size()) std::swap(a, b);
    // Pairs of blocks as 64-bit limbs, the product back in blocks; small products on the
    // stack.
    const std::size_t n = (a.size() + 1) / 2, m = (b.size() + 1) / 2;
    constexpr std::size_t onStack = 64;
    Limb stack[4 * onStack];
    std::vector<Limb> heap;
    Limb *la = stack, *lb = stack + onStack, *lr = stack + 2 * onStack;
    if (n > onStack) {
        heap.resize(n + m + (n + m));
        la = heap.data();
        lb = la + n;
        lr = lb + m;
    }
    for (std::size_t i = 0; i < n; ++i)
        la[i] = limbAt(a, 2 * i);
    for (std::size_t j = 0; j < m; ++j)
        lb[j] = limbAt(b, 2 * j);
    multiplyLimbs(lr, la, n, lb, m);
    // The product has at most a.size() + b.size() blocks; the limbs' last half block, if
    // any, is zero.
    for (std::size_t k = 0; k < r.size(); ++k)
        r[k] = Block(lr[k / 2] >> (32 * (k % 2)));
}

} // namespace bigint::kernels
