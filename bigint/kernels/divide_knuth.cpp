// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_knuth.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/shift.h"

#include <bit>
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

void divideKnuth(Blocks q, Blocks u, ConstBlocks v) {
    const std::size_t n = v.size();
    assert(n >= 2 && v[n - 1] != 0 && u.size() >= n && q.size() == u.size() - n + 1);
    assert(!overlaps(q, u) && !overlaps(q, v) && !overlaps(u, v));
    const std::size_t m = u.size() - n;

    // Normalise so that the divisor's top bit is set: the quotient-block estimate from the
    // top two blocks is then at most two too large.
    const unsigned shift = unsigned(std::countl_zero(v[n - 1]));
    std::vector<Block> vn(n);
    std::vector<Block> un(u.size() + 1);
    shiftLeft(vn, v, shift);
    un[u.size()] = shiftLeft(Blocks(un).first(u.size()), u, shift);

    const DoubleBlock vTop = vn[n - 1];
    const DoubleBlock vNext = vn[n - 2];
    const DoubleBlock base = DoubleBlock(1) << bitsPerBlock;
    for (std::size_t j = m + 1; j-- > 0;) {
        DoubleBlock num = (DoubleBlock(un[j + n]) << bitsPerBlock) | un[j + n - 1];
        DoubleBlock qhat = num / vTop;
        DoubleBlock rhat = num % vTop;
        while (qhat >= base || qhat * vNext > ((rhat << bitsPerBlock) | un[j + n - 2])) {
            --qhat;
            rhat += vTop;
            if (rhat >= base) break;
        }
        Blocks window = Blocks(un).subspan(j, n);
        Block borrow = subtractMultiplyBlock(window, vn, Block(qhat));
        Block top = un[j + n];
        un[j + n] = top - borrow;
        if (top < borrow) {
            // The estimate was one too large (rare): add the divisor back once.
            --qhat;
            un[j + n] += addSameSize(window, window, vn);
        }
        q[j] = Block(qhat);
    }

    shiftRight(u.first(n), Blocks(un).first(n), shift);
    if (shift != 0) u[n - 1] |= un[n] << (bitsPerBlock - shift);
    for (std::size_t i = n; i < u.size(); ++i)
        u[i] = 0;
}

} // namespace bigint::kernels
