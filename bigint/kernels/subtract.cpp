// SPDX-License-Identifier: MIT
#include "bigint/kernels/subtract.h"

namespace bigint::kernels {

Block subtractSameSize(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(r.size() == a.size() && a.size() == b.size());
    Block borrow = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        DoubleBlock d = DoubleBlock(a[i]) - b[i] - borrow;
        r[i] = Block(d);
        borrow = Block(d >> 63); // the difference wrapped below zero
    }
    return borrow;
}

Block subtractBlock(Blocks r, ConstBlocks a, Block x) {
    assert(r.size() == a.size());
    std::size_t i = 0;
    Block borrow = x;
    for (; i < a.size() && borrow != 0; ++i) {
        Block d = a[i] - borrow;
        borrow = a[i] < borrow ? 1 : 0;
        r[i] = d;
    }
    if (r.data() != a.data()) {
        for (; i < a.size(); ++i)
            r[i] = a[i];
    }
    return borrow;
}

Block subtract(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(a.size() >= b.size() && r.size() == a.size());
    assert(!overlaps(r, b) || r.data() == b.data());
    std::size_t n = b.size();
    Block borrow = subtractSameSize(r.first(n), a.first(n), b);
    return subtractBlock(r.subspan(n), a.subspan(n), borrow);
}

} // namespace bigint::kernels
