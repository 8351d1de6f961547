// SPDX-License-Identifier: MIT
#pragma once
// Multiplication of natural numbers of any size: picks the algorithm by operand size.

#include "bigint/kernels/blocks.h"

#include <memory>

namespace bigint::kernels {

// r := a * b, r.size() == a.size() + b.size(), both operands non-empty.
// r must not overlap a or b; a and b may be the same span (squaring).
void multiply(Blocks r, ConstBlocks a, ConstBlocks b);

// The same with scratch space from the caller, for the recursive algorithms, which call it
// for their partial products. scratch.size() >= multiplyScratchSize(a.size(), b.size());
// scratch must not overlap r, a or b, and its contents are left undefined.
void multiply(Blocks r, ConstBlocks a, ConstBlocks b, Blocks scratch);

// Scratch blocks that multiply needs for operands of sizes na and nb (in either order), the
// same span passed twice included: a bound that is quick to compute rather than the exact
// need (bigint/kernels/multiply.cpp shows it holds), at most 6 max(na, nb) + 32 * 64.
std::size_t multiplyScratchSize(std::size_t na, std::size_t nb);

// Calls f(scratch) with `size` blocks of scratch, allocated once for a whole product: on the
// stack while small, as a heap allocation costs 5-10 ns (2-3%) of a product of 20 to 50
// blocks, else from the heap.
template <class F>
void withScratch(std::size_t size, F f) {
    constexpr std::size_t onStack = 512;
    if (size <= onStack) {
        Block local[onStack];
        f(Blocks(local, size));
        return;
    }
#if defined(__cpp_lib_smart_ptr_for_overwrite)
    const auto heap = std::make_unique_for_overwrite<Block[]>(size);
#else
    // Standard libraries before C++20's overwrite form (libc++ 15 and older): new[] on a
    // trivial type leaves the blocks uninitialised just the same.
    const std::unique_ptr<Block[]> heap(new Block[size]);
#endif
    f(Blocks(heap.get(), size));
}

} // namespace bigint::kernels
