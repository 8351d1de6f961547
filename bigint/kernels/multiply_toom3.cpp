// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_toom3.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/multiply_karatsuba.h"

#include <algorithm>
#include <cstdint>
#include <utility>

// With x = B^k, a = a2 x^2 + a1 x + a0 and b likewise, the product is
// c(x) = c4 x^4 + c3 x^3 + c2 x^2 + c1 x + c0, known from its values at five points:
//   v0 = a0 b0 = c0, vinf = a2 b2 = c4, v1 = a(1) b(1), vm1 = a(-1) b(-1), v2 = a(2) b(2).
// Interpolation, in an order where only vm1 may be negative and every later value is a
// sum of coefficients, so it stays non-negative on unsigned blocks:
//   r3 = (v2 - vm1) / 3      = c1 + c2 + 3 c3 + 5 c4
//   r1 = (v1 - vm1) / 2      = c1 + c3
//   r2 = v1 - v0             = c1 + c2 + c3 + c4
//   c3 = (r3 - r2) / 2 - 2 vinf
//   c2 = r2 - r1 - vinf
//   c1 = r1 - c3
// Every operand piece is below B^k, so a(1) < 3 B^k, |a(-1)| < 2 B^k and a(2) < 7 B^k fit
// k + 1 blocks, and the point products fit 2k + 2.
//
// The linear steps are a good part of the cost at the sizes where Toom-3 takes over from
// Karatsuba, so each group of them is one pass from the lowest block up, with a carry chain
// per step; a halving, which needs the block above, lags one block behind.

namespace bigint::kernels {

namespace {

void noCarry([[maybe_unused]] std::int64_t carry) {
    assert(carry == 0);
}

std::size_t thirdOf(std::size_t longer) {
    return (longer + 2) / 3;
}

// Block i of x, zero above its top.
Block at(ConstBlocks x, std::size_t i) {
    return i < x.size() ? x[i] : 0;
}

struct Thirds {
    ConstBlocks low, middle, high;
};

Thirds split(ConstBlocks x, std::size_t k) {
    return {x.first(k), x.subspan(k, k), x.subspan(2 * k)};
}

// s := x0 + x2, the part x(1) and x(-1) share.
void sumOfEnds(Blocks s, Thirds x) {
    const std::size_t k = x.low.size();
    s[k] = add(s.first(k), x.low, x.high);
}

// p := x(1) = s + x1.
void valueAtOne(Blocks p, ConstBlocks s, Thirds x) {
    noCarry(add(p, s, x.middle));
}

// p := |x(-1)| = |s - x1|; returns 1 when x(-1) is negative.
Block valueAtMinusOne(Blocks p, ConstBlocks s, Thirds x) {
    return absoluteDifference(p, s, x.middle);
}

// p := x(2) = x0 + 2 x1 + 4 x2.
void valueAtTwo(Blocks p, Thirds x) {
    const std::size_t k = x.low.size();
    DoubleBlock carry = 0;
    for (std::size_t i = 0; i < k; ++i) {
        carry += x.low[i] + 2 * DoubleBlock(x.middle[i]) + 4 * DoubleBlock(at(x.high, i));
        p[i] = Block(carry);
        carry >>= bitsPerBlock;
    }
    p[k] = Block(carry);
}

// Exact division by 3, lowest block first: each quotient block is the remaining block times
// the inverse of 3 modulo 2^32, and 3 q carries its high block into the next as a borrow;
// a block smaller than the borrow it meets wraps and borrows one more.
struct ExactThirds {
    static constexpr Block inverseOf3 = 0xAAAAAAAB;
    static_assert(Block(3 * inverseOf3) == 1);
    Block borrow = 0;

    Block next(Block block) {
        const Block under = block < borrow ? 1 : 0;
        const Block q = (block - borrow) * inverseOf3;
        borrow = Block((DoubleBlock(q) * 3) >> bitsPerBlock) + under;
        return q;
    }
};

// Halving, one block behind: given block i of x, returns block i - 1 of x / 2.
struct LaggingHalf {
    Block previous = 0;

    Block next(Block block) {
        const Block half = (previous >> 1) | (block << (bitsPerBlock - 1));
        previous = block;
        return half;
    }
};

// The low block of a running signed sum, leaving its carry (maybe negative) for the next.
Block settle(std::int64_t &carry) {
    const Block block = Block(carry);
    carry >>= bitsPerBlock;
    return block;
}

// v1, vm1 (the magnitude; `vm1Negative` gives its sign) and v2 have w = 2k + 2 blocks each;
// v0 has 2k. Overwrites v2 with r3, vm1 with r1, v1 with r2.
void interpolateFirst(ConstBlocks v0, Blocks v1, Blocks vm1, bool vm1Negative, Blocks v2) {
    const std::int64_t sign = vm1Negative ? 1 : -1; // v - vm1 = v + sign |vm1|
    std::int64_t u = 0, t = 0, d = 0;
    ExactThirds third;
    LaggingHalf half;
    for (std::size_t i = 0; i < v1.size(); ++i) {
        const std::int64_t m = sign * vm1[i], one = v1[i];
        u += v2[i] + m;
        v2[i] = third.next(settle(u));
        t += one + m;
        const Block halfBlock = half.next(settle(t));
        if (i > 0) vm1[i - 1] = halfBlock;
        d += one - at(v0, i);
        v1[i] = settle(d);
    }
    vm1.back() = half.next(0);
    noCarry(u | t | d | third.borrow);
}

// From r3 in v2, r1 in vm1 and r2 in v1 to c3 in v2, c1 in vm1 and c2 in v1. c3 and c1 lag
// one block behind the halving of r3 - r2.
void interpolateSecond(ConstBlocks vinf, Blocks v1, Blocks vm1, Blocks v2) {
    const std::size_t w = v1.size();
    std::int64_t difference = 0, c3 = 0, c1 = 0, c2 = 0;
    LaggingHalf half;
    for (std::size_t i = 0; i <= w; ++i) {
        if (i < w) difference += std::int64_t(v2[i]) - v1[i];
        const Block halfBlock = half.next(i < w ? settle(difference) : 0);
        if (i > 0) {
            const std::size_t j = i - 1;
            c3 += halfBlock - 2 * std::int64_t(at(vinf, j));
            v2[j] = settle(c3);
            c1 += std::int64_t(vm1[j]) - v2[j];
            vm1[j] = settle(c1);
        }
        if (i < w) {
            c2 += std::int64_t(v1[i]) - vm1[i] - at(vinf, i);
            v1[i] = settle(c2);
        }
    }
    noCarry(difference | c3 | c1 | c2);
}

// r holds v0 in r[0, 2k) and vinf from r[4k); r[2k, 4k) is unwritten. Adds in c1, c2 and c3
// at blocks k, 2k and 3k in one pass, leaving the product.
void recompose(Blocks r, std::size_t k, ConstBlocks c1, ConstBlocks c2, ConstBlocks c3) {
    DoubleBlock carry = 0;
    for (std::size_t j = k; j < r.size(); ++j) {
        carry += (j < 2 * k || j >= 4 * k ? r[j] : 0) + DoubleBlock(at(c1, j - k));
        if (j >= 2 * k) carry += at(c2, j - 2 * k);
        if (j >= 3 * k) carry += at(c3, j - 3 * k);
        r[j] = Block(carry);
        carry >>= bitsPerBlock;
    }
    noCarry(std::int64_t(carry));
    assert(normalizedSize(c1.subspan(std::min(c1.size(), r.size() - k))) == 0);
    assert(normalizedSize(c3.subspan(std::min(c3.size(), r.size() - 3 * k))) == 0);
}

// r holds v0 and vinf; v1, vm1 and v2 are overwritten. Leaves the product in r.
void interpolate(Blocks r, std::size_t k, Blocks v1, Blocks vm1, bool vm1Negative, Blocks v2) {
    interpolateFirst(r.first(2 * k), v1, vm1, vm1Negative, v2);
    interpolateSecond(r.subspan(4 * k), v1, vm1, v2);
    recompose(r, k, vm1, v1, v2);
}

} // namespace

// scratch: the three point products of 2k + 2 blocks, the four evaluations of k + 1 (two for
// a square), then what the partial products need: they have at most k + 1 blocks.
std::size_t toom3ScratchSize(std::size_t na, std::size_t nb) {
    const std::size_t k = thirdOf(std::max(na, nb));
    return 10 * (k + 1) + multiplyScratchSize(k + 1, k + 1);
}

void multiplyToom3(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch) {
    if (a.size() < b.size()) std::swap(a, b);
    const std::size_t k = thirdOf(a.size()), w = 2 * k + 2;
    assert(b.size() > 2 * k && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b) && !overlaps(r, scratch));
    assert(!overlaps(scratch, a) && !overlaps(scratch, b));
    assert(scratch.size() >= toom3ScratchSize(a.size(), b.size()));
    if (a.data() == b.data() && a.size() == b.size()) {
        squareToom3(r, a, scratch);
        return;
    }
    const Thirds x = split(a, k), y = split(b, k);
    const Blocks v1 = scratch.first(w), vm1 = scratch.subspan(w, w), v2 = scratch.subspan(2 * w, w);
    const Blocks sx = scratch.subspan(3 * w, k + 1), px = scratch.subspan(3 * w + k + 1, k + 1);
    const Blocks sy = scratch.subspan(3 * w + 2 * (k + 1), k + 1);
    const Blocks py = scratch.subspan(3 * w + 3 * (k + 1), k + 1);
    const Blocks rest = scratch.subspan(3 * w + 4 * (k + 1));

    multiply(r.first(2 * k), x.low, y.low, scratch);
    multiply(r.subspan(4 * k), x.high, y.high, scratch);
    sumOfEnds(sx, x);
    sumOfEnds(sy, y);
    valueAtOne(px, sx, x);
    valueAtOne(py, sy, y);
    multiply(v1, px, py, rest);
    valueAtTwo(px, x);
    valueAtTwo(py, y);
    multiply(v2, px, py, rest);
    const bool vm1Negative = valueAtMinusOne(px, sx, x) != valueAtMinusOne(py, sy, y);
    multiply(vm1, px, py, rest);
    interpolate(r, k, v1, vm1, vm1Negative, v2);
}

void multiplyToom3(Blocks r, ConstBlocks a, ConstBlocks b) {
    withScratch(toom3ScratchSize(a.size(), b.size()),
                [&](Blocks scratch) { multiplyToom3(r, a, b, scratch); });
}

void squareToom3(Blocks r, ConstBlocks a, Blocks scratch) {
    const std::size_t n = a.size(), k = thirdOf(n), w = 2 * k + 2;
    assert(n > 2 * k && r.size() == 2 * n);
    assert(!overlaps(r, a) && !overlaps(r, scratch) && !overlaps(scratch, a));
    assert(scratch.size() >= toom3ScratchSize(n, n));
    const Thirds x = split(a, k);
    const Blocks v1 = scratch.first(w), vm1 = scratch.subspan(w, w), v2 = scratch.subspan(2 * w, w);
    const Blocks sx = scratch.subspan(3 * w, k + 1), px = scratch.subspan(3 * w + k + 1, k + 1);
    const Blocks rest = scratch.subspan(3 * w + 2 * (k + 1));

    multiply(r.first(2 * k), x.low, x.low, scratch);
    multiply(r.subspan(4 * k), x.high, x.high, scratch);
    sumOfEnds(sx, x);
    valueAtOne(px, sx, x);
    multiply(v1, px, px, rest);
    valueAtTwo(px, x);
    multiply(v2, px, px, rest);
    valueAtMinusOne(px, sx, x);
    multiply(vm1, px, px, rest);
    interpolate(r, k, v1, vm1, false, v2);
}

void squareToom3(Blocks r, ConstBlocks a) {
    withScratch(toom3ScratchSize(a.size(), a.size()),
                [&](Blocks scratch) { squareToom3(r, a, scratch); });
}

} // namespace bigint::kernels
