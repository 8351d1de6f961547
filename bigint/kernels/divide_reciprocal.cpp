// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_reciprocal.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/subtract.h"

#include <algorithm>

namespace bigint::kernels {

std::vector<Block> reciprocal(ConstBlocks v, std::size_t n) {
    const std::size_t m = v.size();
    assert(m >= 1 && v[m - 1] != 0 && n >= m);
    std::vector<Block> power(n + 1, 0);
    power[n] = 1;
    std::vector<Block> mu(n - m + 2);
    divideWithRemainder(mu, power, v);
    mu.resize(normalizedSize(mu));
    return mu;
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
        if (un >= m) divideWithRemainder(q, u, v);
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
        divideWithRemainder(q, u, v);
        return;
    }
    if (qn > 0) {
        std::vector<Block> product(qn + m);
        multiply(product, q3.first(qn), v);
        const ConstBlocks p = ConstBlocks(product).first(normalizedSize(product));
        if (compare(p, x) > 0) {
            divideWithRemainder(q, u, v);
            return;
        }
        std::copy(q3.begin(), q3.begin() + std::ptrdiff_t(qn), q.begin());
        [[maybe_unused]] const Block borrow = subtract(u.first(un), x, p);
        assert(borrow == 0);
    }
    // The remainder is below 3v: at most two more units of the quotient.
    for (;;) {
        const std::size_t rn = normalizedSize(u);
        if (rn < m || (rn == m && compareSameSize(ConstBlocks(u).first(m), v) < 0)) break;
        [[maybe_unused]] const Block borrow = subtract(u.first(rn), ConstBlocks(u).first(rn), v);
        assert(borrow == 0);
        [[maybe_unused]] const Block carry = addBlock(q, q, 1);
        assert(carry == 0);
    }
}

} // namespace bigint::kernels
