// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply_karatsuba.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/subtract.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace bigint::kernels {

Block absoluteDifference(Blocks r, ConstBlocks x, ConstBlocks y) {
    assert(r.size() == x.size() && x.size() >= y.size());
    assert(!overlaps(r, y) && (!overlaps(r, x) || r.data() == x.data()));
    const std::size_t n = y.size();
    const bool xHigh = normalizedSize(x.subspan(n)) != 0;
    if (xHigh || compareSameSize(x.first(n), y) >= 0) {
        subtract(r, x, y);
        return 0;
    }
    // y > x, so x's blocks above y's are all zero and so are the result's.
    subtractSameSize(r.first(n), y, x.first(n));
    std::fill(r.begin() + std::ptrdiff_t(n), r.end(), Block(0));
    return 1;
}

namespace {

// Split at h = ceil(m / 2) blocks of the longer operand: a = a1 B^h + a0, b = b1 B^h + b0.
// The middle term a0 b1 + a1 b0 is z0 + z2 - (a0 - a1)(b0 - b1), which needs no sums
// of h + 1 blocks and so no carries into the half-size products.
std::size_t splitOf(std::size_t longer) {
    return (longer + 1) / 2;
}

// Adds the signed carry c into r at its bottom, modulo 2^(32 r.size()); returns the carry
// (+1) or borrow (-1) out at the top.
int addSignedCarry(Blocks r, std::int64_t c) {
    if (c >= 0) return int(addBlock(r, r, Block(c)));
    return -int(subtractBlock(r, r, Block(-c)));
}

// r[h, 3h) += z0 + z2 - zm, or + zm when `zmAdds`, where r holds z0 = r[0, 2h) and
// z2 = r[2h, ...). With r in quarters L, M1, M2, H of h blocks (H maybe shorter), the middle
// gains (M1 L) + (H M2) -+ zm, so its low half becomes M1 + L + M2 -+ zm_low and its high half
// M2 + M1 + H -+ zm_high: one pass with two carry chains, each read before it is written.
// Either chain may run negative; the product is non-negative and fits r, so the two ends
// settle out once both are added in.
void addMiddleTerm(Blocks r, std::size_t h, ConstBlocks zm, bool zmAdds) {
    assert(zm.size() == 2 * h && r.size() >= 3 * h);
    const std::size_t top = r.size() - 3 * h;
    const std::int64_t sign = zmAdds ? 1 : -1;
    std::int64_t low = 0, high = 0;
    for (std::size_t i = 0; i < h; ++i) {
        const std::int64_t m = std::int64_t(r[h + i]) + r[2 * h + i];
        low += m + r[i] + sign * zm[i];
        high += m + (i < top ? r[3 * h + i] : 0) + sign * zm[h + i];
        r[h + i] = Block(low);
        r[2 * h + i] = Block(high);
        low >>= bitsPerBlock;
        high >>= bitsPerBlock;
    }
    [[maybe_unused]] const int out =
        addSignedCarry(r.subspan(2 * h), low) + addSignedCarry(r.subspan(3 * h), high);
    assert(out == 0);
}

} // namespace

// The partial products have at most h blocks in either operand.
std::size_t karatsubaScratchSize(std::size_t na, std::size_t nb) {
    const std::size_t h = splitOf(std::max(na, nb));
    return 4 * h + multiplyScratchSize(h, h);
}

void multiplyKaratsuba(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch) {
    if (a.size() < b.size()) std::swap(a, b);
    const std::size_t h = splitOf(a.size());
    assert(b.size() > h && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b) && !overlaps(r, scratch));
    assert(!overlaps(scratch, a) && !overlaps(scratch, b));
    assert(scratch.size() >= karatsubaScratchSize(a.size(), b.size()));
    if (a.data() == b.data() && a.size() == b.size()) {
        squareKaratsuba(r, a, scratch); // one difference, and squares below
        return;
    }
    // scratch: |a0 - a1|, |b0 - b1|, their product, then what the partial products need.
    // (a0 - a1)(b0 - b1) is negative when exactly one of the differences is.
    const Blocks da = scratch.first(h), db = scratch.subspan(h, h),
                 zm = scratch.subspan(2 * h, 2 * h);
    const Blocks rest = scratch.subspan(4 * h);
    const bool negative = absoluteDifference(da, a.first(h), a.subspan(h)) !=
                          absoluteDifference(db, b.first(h), b.subspan(h));
    multiply(zm, da, db, rest);
    multiply(r.first(2 * h), a.first(h), b.first(h), rest);
    multiply(r.subspan(2 * h), a.subspan(h), b.subspan(h), rest);
    addMiddleTerm(r, h, zm, negative);
}

void multiplyKaratsuba(Blocks r, ConstBlocks a, ConstBlocks b) {
    withScratch(karatsubaScratchSize(a.size(), b.size()),
                [&](Blocks scratch) { multiplyKaratsuba(r, a, b, scratch); });
}

void squareKaratsuba(Blocks r, ConstBlocks a, Blocks scratch) {
    const std::size_t n = a.size(), h = splitOf(n);
    assert(n >= 2 && r.size() == 2 * n);
    assert(!overlaps(r, a) && !overlaps(r, scratch) && !overlaps(scratch, a));
    assert(scratch.size() >= karatsubaScratchSize(n, n));
    // The layout of multiplyKaratsuba, without |b0 - b1|. (a0 - a1)^2 is never negative, so
    // the middle term is always z0 + z2 - zm.
    const Blocks da = scratch.first(h), zm = scratch.subspan(2 * h, 2 * h);
    const Blocks rest = scratch.subspan(4 * h);
    absoluteDifference(da, a.first(h), a.subspan(h));
    multiply(zm, da, da, rest);
    multiply(r.first(2 * h), a.first(h), a.first(h), rest);
    multiply(r.subspan(2 * h), a.subspan(h), a.subspan(h), rest);
    addMiddleTerm(r, h, zm, false);
}

void squareKaratsuba(Blocks r, ConstBlocks a) {
    withScratch(karatsubaScratchSize(a.size(), a.size()),
                [&](Blocks scratch) { squareKaratsuba(r, a, scratch); });
}

} // namespace bigint::kernels
