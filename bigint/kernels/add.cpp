// SPDX-License-Identifier: MIT
#include "bigint/kernels/add.h"

namespace bigint::kernels {

Block addSameSize(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(r.size() == a.size() && a.size() == b.size());
    DoubleBlock carry = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        DoubleBlock s = DoubleBlock(a[i]) + b[i] + carry;
        r[i] = Block(s);
        carry = s >> bitsPerBlock;
    }
    return Block(carry);
}

Block addBlock(Blocks r, ConstBlocks a, Block x) {
    assert(r.size() == a.size());
    std::size_t i = 0;
    Block carry = x;
    for (; i < a.size() && carry != 0; ++i) {
        Block s = a[i] + carry;
        carry = s < carry ? 1 : 0;
        r[i] = s;
    }
    if (r.data() != a.data()) {
        for (; i < a.size(); ++i)
            r[i] = a[i];
    }
    return carry;
}

Block add(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(a.size() >= b.size() && r.size() == a.size());
    assert(!overlaps(r, b) || r.data() == b.data());
    std::size_t n = b.size();
    Block carry = addSameSize(r.first(n), a.first(n), b);
    return addBlock(r.subspan(n), a.subspan(n), carry);
}

} // namespace bigint::kernels
