// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_basecase.h"

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

void multiplyBasecase(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b));
    // The longer operand runs along the inner loop, which keeps the loop overhead low.
    if (a.size() < b.size()) std::swap(a, b);
    std::size_t n = a.size();
    r[n] = multiplyBlock(r.first(n), a, b[0]);
    for (std::size_t j = 1; j < b.size(); ++j) {
        r[n + j] = addMultiplyBlock(r.subspan(j, n), a, b[j]);
    }
}

} // namespace bigint::kernels
