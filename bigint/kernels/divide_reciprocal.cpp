// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_reciprocal.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/subtract.h"
#include "bigint/tuning.h"

#include <algorithm>

namespace bigint::kernels {

namespace {

// floor(B^n / v) exactly, by division.
std::vector<Block> exactReciprocal(ConstBlocks v, std::size_t n) {
    std::vector<Block> power(n + 1, 0);
    power[n] = 1;
    std::vector<Block> mu(n - v.size() + 2);
    divideWithoutReciprocal(mu, power, v);
    mu.resize(normalizedSize(mu));
    return mu;
}

// x := x - 1 for x > 0, normalised after.
void decrement(std::vector<Block> &x) {
    if (x.empty()) return;
    [[maybe_unused]] const Block borrow = subtractBlock(x, x, 1);
    assert(borrow == 0);
    x.resize(normalizedSize(x));
}

// With B = 2^32 and mu = floor(B^n / v), for v of m blocks (top block non-zero) and n >= m:
// a value in [mu - 3, mu], by Newton's iteration. k = n - m + 1 blocks of mu matter.
//  - Only v's top k + 2 blocks count: with v' = floor(v / B^s) for the s blocks below them,
//    floor(B^(n-s) / v') is mu or mu + 1 (the dropped part is below B^s, which moves B^n / v
//    by less than B^k B^-(k+1) < 1); one is taken off.
//  - With X <= floor(B^nh / v) for nh = m + h - 1, h = ceil(k / 2) + 1 (the half-precision
//    value, made the same way), D = B^nh - v X >= 0 and
//        B^n / v = B^S (X + D / v),  S = n - nh,
//    where D / v exceeds D X / B^nh by D^2 / (v B^nh) < (D / v)^2 v / B^nh; D / v is at most
//    a few units and v / B^nh < B^(1-h), so B^S times that is below one unit for S <= h - 2.
//    Hence X B^S + floor(D X B^S / B^nh) lies in [mu - 2, mu].
std::vector<Block> approximateReciprocal(ConstBlocks v, std::size_t n) {
    const std::size_t m = v.size();
    const std::size_t k = n - m + 1;
    if (k < newtonReciprocalThreshold) return exactReciprocal(v, n);
    if (m > k + 2) {
        const std::size_t s = m - (k + 2);
        std::vector<Block> mu = approximateReciprocal(v.subspan(s), n - s);
        decrement(mu);
        return mu;
    }
    const std::size_t h = (k + 1) / 2 + 1;
    const std::size_t nh = m + h - 1;
    const std::size_t shift = n - nh;
    const std::vector<Block> x = approximateReciprocal(v, nh);
    // D = B^nh - v x, below a few v: the top blocks of v x are those of B^nh.
    std::vector<Block> t(m + x.size());
    multiply(t, v, x);
    const ConstBlocks vx = ConstBlocks(t).first(normalizedSize(t));
    std::vector<Block> d(nh + 1, 0);
    d[nh] = 1;
    if (compare(vx, d) > 0) return exactReciprocal(v, n); // x too large: not expected
    [[maybe_unused]] const Block borrow = subtract(d, d, vx);
    assert(borrow == 0);
    d.resize(normalizedSize(d));
    // mu' = x B^S + floor(d x B^S / B^nh).
    std::vector<Block> mu(shift + x.size() + 1, 0);
    std::copy(x.begin(), x.end(), mu.begin() + std::ptrdiff_t(shift));
    if (!d.empty()) {
        std::vector<Block> e(d.size() + x.size());
        multiply(e, d, x);
        // e B^S / B^nh = e / B^(nh - S); nh >= S, as h >= k / 2 + 1.
        const std::size_t drop = nh - shift;
        if (e.size() > drop) {
            const ConstBlocks correction = ConstBlocks(e).subspan(drop);
            [[maybe_unused]] const Block carry =
                add(mu, mu, correction.first(std::min(correction.size(), mu.size())));
            assert(carry == 0);
        }
    }
    mu.resize(normalizedSize(mu));
    return mu;
}

} // namespace

std::vector<Block> reciprocal(ConstBlocks v, std::size_t n) {
    assert(!v.empty() && v.back() != 0 && n >= v.size());
    return approximateReciprocal(v, n);
}

// With B = 2^32, x < B^n, v >= B^(m-1) and mu = floor(B^n / v), the estimate
//     q3 = floor(floor(x / B^(m-1)) mu / B^(n-m+1))
// satisfies x / v - 2 < q3 <= x / v: both floors lose less than one unit of their operand,
// which costs q3 less than x / B^n + B^(m-1) / v <= 2 below x / v. So the remainder
// x - q3 v lies in [0, 3v), and at most two subtractions of v finish the division. Should
// the estimate ever fail that bound, the division is done the general way instead.
void divideByReciprocal(Blocks q, Blocks u, ConstBlocks v, ConstBlocks mu, std::size_t n) {
    const std::size_t m = v.size();
    assert(u.size() <= n && u.size() >= m && q.size() == u.size() - m + 1);
    std::fill(q.begin(), q.end(), Block(0));
    const std::size_t un = normalizedSize(u);
    if (un < m || mu.empty()) {
        if (un >= m) divideWithoutReciprocal(q, u, v);
        return;
    }
    const ConstBlocks x = ConstBlocks(u).first(un);
    const ConstBlocks q1 = x.subspan(m - 1);
    std::vector<Block> t(q1.size() + mu.size());
    multiply(t, q1, mu);
    const std::size_t shift = n - m + 1;
    const ConstBlocks q3 =
        t.size() > shift ? ConstBlocks(t).subspan(shift) : ConstBlocks(t).last(0);
    const std::size_t qn = normalizedSize(q3);
    if (qn > q.size()) {
        divideWithoutReciprocal(q, u, v);
        return;
    }
    if (qn > 0) {
        std::vector<Block> product(qn + m);
        multiply(product, q3.first(qn), v);
        const ConstBlocks p = ConstBlocks(product).first(normalizedSize(product));
        if (compare(p, x) > 0) {
            divideWithoutReciprocal(q, u, v);
            return;
        }
        std::copy(q3.begin(), q3.begin() + std::ptrdiff_t(qn), q.begin());
        [[maybe_unused]] const Block borrow = subtract(u.first(un), x, p);
        assert(borrow == 0);
    }
    // The remainder is below 6v (3v, and up to three more units where mu was approximated):
    // at most five more units of the quotient. Should it be further off, the rest is divided
    // instead of subtracted unit by unit.
    for (int round = 0;; ++round) {
        const std::size_t rn = normalizedSize(u);
        if (rn < m || (rn == m && compareSameSize(ConstBlocks(u).first(m), v) < 0)) break;
        if (round == 8) {
            std::vector<Block> extra(rn - m + 1);
            divideWithoutReciprocal(extra, u.first(rn), v);
            [[maybe_unused]] const Block carry = add(q, q, extra);
            assert(carry == 0);
            break;
        }
        [[maybe_unused]] const Block borrow = subtract(u.first(rn), ConstBlocks(u).first(rn), v);
        assert(borrow == 0);
        [[maybe_unused]] const Block carry = addBlock(q, q, 1);
        assert(carry == 0);
    }
}

} // namespace bigint::kernels
