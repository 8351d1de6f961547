// SPDX-License-Identifier: MIT
#include "bigint/kernels/multiply.h"

#include "bigint/interrupt.h"
#include "bigint/kernels/add.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/multiply_karatsuba.h"
#include "bigint/kernels/multiply_ntt.h"
#include "bigint/kernels/multiply_toom3.h"
#include "bigint/tuning.h"

#include <algorithm>
#include <bit>
#include <utility>

// Which algorithm serves which sizes, by the shorter operand's size s (bigint/tuning.h):
//   s == 1                                    one row (multiplyBlock)
//   s < karatsubaThreshold                    schoolbook, at any length of the other operand
//   karatsubaThreshold <= s < toom3Threshold  Karatsuba
//   toom3Threshold <= s < nttThreshold        Toom-3
//   nttThreshold <= s                         number-theoretic transform, any balance
// Squares switch at karatsubaSquareThreshold, toom3SquareThreshold and nttSquareThreshold.
// On this machine the transform overtakes before Toom-3's crossover, so Toom-3 serves no
// size today; it stays for machines and builds where the transform is slower.
// The balanced algorithms need the shorter operand to reach past their split of the longer
// one (Toom-3 within 1.5 times, Karatsuba within 2 times); a longer one is cut into pieces
// of the shorter one's size whose products are added up (`slices`), so that every piece is
// a balanced product again.
//
// The transform (multiply_ntt.h) allocates its own buffers, so it takes no scratch.

namespace bigint::kernels {

namespace {

enum class Method { row, basecase, karatsuba, toom3, slices, ntt };

bool karatsubaFits(std::size_t longer, std::size_t shorter) {
    return shorter > (longer + 1) / 2;
}

bool toom3Fits(std::size_t longer, std::size_t shorter) {
    return shorter > 2 * ((longer + 2) / 3);
}

static_assert(karatsubaThreshold >= 2 && karatsubaSquareThreshold >= 2,
              "Karatsuba splits operands of at least 2 blocks");
static_assert(toom3Threshold >= 7 && toom3SquareThreshold >= 7,
              "Toom-3 splits operands of at least 5 blocks; its scratch bound needs 7");

Method methodFor(std::size_t longer, std::size_t shorter) {
    if (shorter == 1) return Method::row;
    if (shorter < karatsubaThreshold) return Method::basecase;
    if (shorter >= nttThreshold) return Method::ntt;
    if (!karatsubaFits(longer, shorter)) return Method::slices;
    if (shorter >= toom3Threshold && toom3Fits(longer, shorter)) return Method::toom3;
    return Method::karatsuba;
}

Method squareMethodFor(std::size_t n) {
    if (n == 1) return Method::row;
    if (n < karatsubaSquareThreshold) return Method::basecase;
    if (n < toom3SquareThreshold) return Method::karatsuba;
    if (n >= nttSquareThreshold) return Method::ntt;
    return Method::toom3;
}

// r := a * b piece by piece for a much longer than b: each b.size() blocks of a times b go
// to temp and are added in at their place; the first one goes straight into r.
void multiplySlices(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch) {
    const std::size_t n = b.size();
    const Blocks rest = scratch.subspan(2 * n);
    multiply(r.first(2 * n), a.first(n), b, rest);
    for (std::size_t at = n; at < a.size(); at += n) {
        const ConstBlocks piece = a.subspan(at, std::min(n, a.size() - at));
        const Blocks temp = scratch.first(piece.size() + n);
        multiply(temp, piece, b, rest);
        // r[at, at + n) holds the top of the products so far; above it nothing is written.
        const Block carry = addSameSize(r.subspan(at, n), r.subspan(at, n), temp.first(n));
        [[maybe_unused]] const Block out =
            addBlock(r.subspan(at + n, piece.size()), temp.subspan(n), carry);
        assert(out == 0);
    }
}

} // namespace

// For a longer operand of m blocks, B(m) = 6m + 32 w(m - 1) blocks are enough, w being the
// bit width. Each method needs its own blocks plus B of its longest partial product, and
// w(ceil(m / 2) - 1) = w(m - 1) - 1, so that stays within B(m):
//   Karatsuba, h = ceil(m / 2): 4h + B(h) <= 5m + 5 + 32 w(m - 1) - 32
//   Toom-3, k = ceil(m / 3) <= ceil(m / 2) - 1 for m >= 7:
//                               10 (k + 1) + B(k + 1) <= (16m + 80) / 3 + 32 w(m - 1) - 32
//   slices of s <= ceil(m / 2): 2s + B(s), less than Karatsuba's
// The schoolbook method needs none. The asserts in multiply check this on every call.
std::size_t multiplyScratchSize(std::size_t na, std::size_t nb) {
    const std::size_t longer = std::max(na, nb), shorter = std::min(na, nb);
    if (shorter < std::min(karatsubaThreshold, karatsubaSquareThreshold)) return 0;
    return 6 * longer + 32 * std::size_t(std::bit_width(longer - 1));
}

void multiply(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b) && !overlaps(r, scratch));
    assert(!overlaps(scratch, a) && !overlaps(scratch, b));
    assert(scratch.size() >= multiplyScratchSize(a.size(), b.size()));
    if (a.size() < b.size()) std::swap(a, b);
    const bool square = a.data() == b.data() && a.size() == b.size();
    switch (square ? squareMethodFor(a.size()) : methodFor(a.size(), b.size())) {
    case Method::row:
        r[a.size()] = multiplyBlock(r.first(a.size()), a, b[0]);
        return;
    case Method::basecase:
        multiplyBasecase(r, a, b);
        return;
    case Method::karatsuba:
        checkInterrupt();
        if (square)
            squareKaratsuba(r, a, scratch);
        else
            multiplyKaratsuba(r, a, b, scratch);
        return;
    case Method::toom3:
        checkInterrupt();
        if (square)
            squareToom3(r, a, scratch);
        else
            multiplyToom3(r, a, b, scratch);
        return;
    case Method::slices:
        multiplySlices(r, a, b, scratch);
        return;
    case Method::ntt:
        multiplyNtt(r, a, b);
        return;
    }
}

void multiply(Blocks r, ConstBlocks a, ConstBlocks b) {
    const std::size_t size = multiplyScratchSize(a.size(), b.size());
    // Small products, the most frequent ones, skip the scratch buffer altogether, and so do
    // the largest, which the transform serves with buffers of its own.
    if (std::min(a.size(), b.size()) >= std::min(nttThreshold, nttSquareThreshold)) {
        multiplyNtt(r, a, b);
        return;
    }
    if (size == 0)
        multiply(r, a, b, Blocks());
    else
        withScratch(size, [&](Blocks scratch) { multiply(r, a, b, scratch); });
}

} // namespace bigint::kernels
