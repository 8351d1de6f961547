// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide_dc.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide_knuth.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/shift.h"
#include "bigint/kernels/subtract.h"
#include "bigint/tuning.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace bigint::kernels {

namespace {

constexpr std::size_t leafSize = divideDivideAndConquerThreshold;
static_assert(leafSize >= 2, "Knuth's method at the leaves needs divisors of two blocks");

// In what follows b (size n) has its top bit set, a has n + k blocks with a < b * 2^(32k),
// and q has k blocks. Each function sets q := floor(a / b) and a's low n blocks := a mod b,
// and leaves a's top k blocks undefined. scratch holds at least n blocks and overlaps none
// of them.

void divideLeaf(Blocks q, Blocks a, ConstBlocks b, Blocks scratch) {
    // Knuth's method writes one more quotient block, which is zero here; the blocks go to
    // scratch when it is long enough.
    std::vector<Block> own;
    if (scratch.size() <= q.size()) own.resize(q.size() + 1);
    const Blocks q1 = own.empty() ? scratch.first(q.size() + 1) : Blocks(own);
    divideKnuth(q1, a, b);
    assert(q1.back() == 0);
    std::copy(q1.begin(), q1.end() - 1, q.begin());
}

void divideRecursive(Blocks q, Blocks a, ConstBlocks b, Blocks scratch);

// k < n: the quotient of the top 2k blocks of a by the top k blocks of b, found recursively
// (or 2^(32k) - 1 if it does not fit in k blocks), is at most two too large since b's top bit
// is set; subtracting its product with b's low n - k blocks shows by how much.
void divideTopHalf(Blocks q, Blocks a, ConstBlocks b, Blocks scratch) {
    const std::size_t n = b.size(), k = q.size(), low = n - k;
    assert(k < n && a.size() == n + k);
    const ConstBlocks bTop = b.subspan(low), bLow = b.first(low);
    const Blocks aTop = a.subspan(low); // 2k blocks
    Block carry = 0;
    if (compareSameSize(aTop.subspan(k), bTop) < 0) {
        divideRecursive(q, aTop, bTop, scratch);
    } else {
        // The top k blocks of a equal bTop (they cannot exceed it), so the estimate is
        // 2^(32k) - 1, and aTop - estimate * bTop = aTop's low half + bTop.
        std::fill(q.begin(), q.end(), ~Block(0));
        carry = addSameSize(aTop.first(k), aTop.first(k), bTop);
    }
    // a's low n blocks and carry above them: a - estimate * bTop * 2^(32 low).
    const Blocks product = scratch.first(n);
    multiply(product, q, bLow);
    const Blocks rest = a.first(n);
    int top = int(carry) - int(subtractSameSize(rest, rest, product));
    while (top < 0) {
        top += int(addSameSize(rest, rest, b));
        subtractBlock(q, q, 1);
    }
    assert(top == 0);
}

void divideRecursive(Blocks q, Blocks a, ConstBlocks b, Blocks scratch) {
    const std::size_t n = b.size(), k = q.size();
    assert(a.size() == n + k && (b[n - 1] >> (bitsPerBlock - 1)) == 1);
    if (n < leafSize || k < leafSize) {
        divideLeaf(q, a, b, scratch);
    } else if (k < n) {
        divideTopHalf(q, a, b, scratch);
    } else if (k == n) {
        // The top half of the quotient, then the bottom one (k >= 2: both are below n).
        const std::size_t lo = k / 2;
        divideTopHalf(q.subspan(lo), a.subspan(lo), b, scratch);
        divideTopHalf(q.first(lo), a.first(n + lo), b, scratch);
    } else {
        // Long division by n quotient blocks at a time, from the top: each remainder becomes
        // the top of the next window of the dividend.
        std::size_t end = k;
        for (std::size_t chunk = k % n == 0 ? n : k % n; end > 0; chunk = n) {
            end -= chunk;
            divideRecursive(q.subspan(end, chunk), a.subspan(end, n + chunk), b, scratch);
        }
    }
}

} // namespace

void divideDivideAndConquer(Blocks q, Blocks u, ConstBlocks v) {
    const std::size_t n = v.size();
    assert(n >= 2 && v[n - 1] != 0 && u.size() >= n && q.size() == u.size() - n + 1);
    assert(!overlaps(q, u) && !overlaps(q, v) && !overlaps(u, v));
    // Normalise so that the divisor's top bit is set. The shifted dividend has one more block
    // and, since the quotient fits in q, its top n blocks are below the shifted divisor.
    const unsigned shift = unsigned(std::countl_zero(v[n - 1]));
    std::vector<Block> vn(n), un(u.size() + 1), scratch(n + 1);
    shiftLeft(vn, v, shift);
    un[u.size()] = shiftLeft(Blocks(un).first(u.size()), u, shift);
    divideRecursive(q, un, vn, scratch);
    // The remainder is below the shifted divisor, so it fits in n blocks.
    shiftRight(u.first(n), Blocks(un).first(n), shift);
    std::fill(u.begin() + std::ptrdiff_t(n), u.end(), Block(0));
}

} // namespace bigint::kernels
