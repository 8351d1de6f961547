// SPDX-License-Identifier: MIT
#pragma once
// Common vocabulary of the block kernels: natural numbers stored as spans of 32-bit blocks,
// least significant block first, with no sign and no growth of their own.
//
// Conventions shared by every kernel in this folder:
//  - Kernels allocate no result storage; a few take scratch space internally.
//  - A span holds exactly the blocks of its operand; leading zero blocks are allowed on input
//    unless a kernel says otherwise.
//  - The result span is written in full. Whether it may overlap an operand is stated at
//    each declaration and checked with assert.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace bigint::kernels {

using Block = std::uint32_t;
using DoubleBlock = std::uint64_t;
inline constexpr int bitsPerBlock = 32;

using Blocks = std::span<Block>;
using ConstBlocks = std::span<const Block>;

// True when the two spans share any memory.
inline bool overlaps(ConstBlocks a, ConstBlocks b) {
    if (a.empty() || b.empty()) return false;
    return a.data() < b.data() + b.size() && b.data() < a.data() + a.size();
}

// The length of x without its leading zero blocks.
inline std::size_t normalizedSize(ConstBlocks x) {
    std::size_t n = x.size();
    while (n > 0 && x[n - 1] == 0)
        --n;
    return n;
}

// -1, 0, +1 comparing a and b, which have the same size.
inline int compareSameSize(ConstBlocks a, ConstBlocks b) {
    assert(a.size() == b.size());
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

// -1, 0, +1 comparing a and b, both without leading zero blocks.
inline int compare(ConstBlocks a, ConstBlocks b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return compareSameSize(a, b);
}

} // namespace bigint::kernels
