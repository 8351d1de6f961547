// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_basecase.h"

#include "bigint/kernels/adx.h"
#include "bigint/kernels/limbs_multiply_add.h"
#include "bigint/uint128.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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
using DoubleLimb = bigint::UInt128;

// a * b + c + d, the low limb returned and the high one in `high`: at most
// (2^64-1)^2 + 2 (2^64-1) = 2^128 - 1, so nothing is lost. Spelt as 64-bit additions and
// their carries, which GCC keeps in registers; with sums of 128-bit values it spills the
// loops' variables to the stack, 13 instructions a product instead of 10.
inline Limb multiplyAdd(Limb a, Limb b, Limb c, Limb d, Limb &high) {
    const DoubleLimb p = DoubleLimb(a) * b;
    Limb low = Limb(p) + c;
    high = Limb(p >> 64) + (low < c ? 1 : 0);
    low += d;
    high += low < d ? 1 : 0;
    return low;
}

// row[from, n) += a[from, n) * (b0 + b1 2^64), c0 owed to row[from] and the two limbs
// carried out written to row[n] and row[n + 1]: one sweep that loads and stores the row
// once for two products. c0 is what goes to position k (the high half of the first product
// and the low half of the second one, from k - 1), c1 what goes on to k + 1; every sum
// stays below 2^128.
inline void addTwoRows(Limb *row, const Limb *a, std::size_t from, std::size_t n, Limb b0, Limb b1,
                       Limb c0) {
    Limb c1 = 0;
    for (std::size_t k = from; k < n; ++k) {
        Limb high0, high1;
        row[k] = multiplyAdd(a[k], b0, row[k], c0, high0);
        c0 = multiplyAdd(a[k], b1, high0, c1, high1);
        c1 = high1;
    }
    row[n] = c0;
    row[n + 1] = c1;
}

// x as ceil(x.size() / 2) limbs, the last one's high half 0 for an odd size: on a
// little-endian processor the same bytes.
void toLimbs(Limb *limbs, ConstBlocks x) {
    if constexpr (std::endian::native == std::endian::little) {
        limbs[(x.size() - 1) / 2] = 0;
        std::memcpy(limbs, x.data(), x.size() * sizeof(Block));
    } else {
        for (std::size_t i = 0; 2 * i < x.size(); ++i) {
            const Limb high = 2 * i + 1 < x.size() ? x[2 * i + 1] : 0;
            limbs[i] = x[2 * i] | high << 32;
        }
    }
}

// r from the limbs that hold it, r.size() blocks of them.
void fromLimbs(Blocks r, const Limb *limbs) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(r.data(), limbs, r.size() * sizeof(Block));
    } else {
        for (std::size_t k = 0; k < r.size(); ++k)
            r[k] = Block(limbs[k / 2] >> (32 * (k % 2)));
    }
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
    // With two carry flags a row at a time is faster than the pairs below from rows of 16
    // limbs (measured): the additions no longer wait on the products' carries.
    if (n >= 16 && haveMulxAdx()) {
        for (; j < m; ++j)
            r[j + n] = addMultiplyLimbs(r + j, a, n, b[j]);
        return;
    }
    // Two rows a pass: a * (b[j] + b[j + 1] 2^64) added in one sweep.
    for (; j + 1 < m; j += 2)
        addTwoRows(r + j, a, 0, n, b[j], b[j + 1], 0);
    for (; j < m; ++j) {
        carry = 0;
        const Limb bj = b[j];
        Limb *row = r + j;
        for (std::size_t i = 0; i < n; ++i)
            row[i] = multiplyAdd(a[i], bj, row[i], carry, carry);
        row[n] = carry;
    }
}

// r := a^2 on 64-bit limbs, a of n limbs, r of 2n: each product a[i] a[j] with i < j once,
// doubled, then the squares a[i]^2 added, about half the multiplications of a * a.
void squareLimbs(Limb *r, const Limb *a, std::size_t n) {
    // The products above the diagonal, a[i] * a[i+1, n) added in at position 2i + 1, two
    // rows a pass as in multiplyLimbs: the second row starts one product later.
    std::fill(r, r + 2 * n, Limb(0));
    std::size_t i = 0;
    if (haveMulxAdx()) {
        // A row at a time while the rows have 16 limbs or more, as in multiplyLimbs.
        for (; i + 17 <= n; ++i)
            r[i + n] = addMultiplyLimbs(r + 2 * i + 1, a + i + 1, n - i - 1, a[i]);
    }
    for (; i + 3 <= n; i += 2) {
        const Limb b0 = a[i], b1 = a[i + 1];
        Limb *row = r + i;
        const DoubleLimb first = DoubleLimb(a[i + 1]) * b0 + row[i + 1];
        row[i + 1] = Limb(first);
        addTwoRows(row, a, i + 2, n, b0, b1, Limb(first >> 64));
    }
    if (i + 2 == n) {
        // The last row, a single product.
        const DoubleLimb p = DoubleLimb(a[i]) * a[i + 1] + r[2 * i + 1];
        r[2 * i + 1] = Limb(p);
        r[2 * i + 2] = Limb(p >> 64);
    }
    // Twice that, plus the squares: limbs 2k and 2k + 1 shifted left by one bit take in the
    // top bit of limb 2k - 1; the sum carries at most 1 on. (multiplyAdd by 1 is the
    // sum of three limbs.)
    Limb top = 0, carry = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const DoubleLimb square = DoubleLimb(a[k]) * a[k];
        const Limb t0 = r[2 * k], t1 = r[2 * k + 1];
        const Limb low = t0 << 1 | top, high = t1 << 1 | t0 >> 63;
        top = t1 >> 63;
        Limb carryHigh;
        r[2 * k] = multiplyAdd(low, 1, Limb(square), carry, carryHigh);
        r[2 * k + 1] = multiplyAdd(high, 1, Limb(square >> 64), carryHigh, carry);
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
    toLimbs(la, a);
    if (a.data() == b.data() && a.size() == b.size()) {
        squareLimbs(lr, la, n);
    } else {
        toLimbs(lb, b);
        multiplyLimbs(lr, la, n, lb, m);
    }
    // The product has at most a.size() + b.size() blocks; the limbs' last half block, if
    // any, is zero.
    fromLimbs(r, lr);
}

} // namespace bigint::kernels
