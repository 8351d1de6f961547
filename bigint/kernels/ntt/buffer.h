// SPDX-License-Identifier: MIT
#pragma once
// Storage for the residues and the twiddle tables: aligned for the widest vector loads, not
// initialised. For the portable files only (the engine and the tables); the vector kernels
// take the pointers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace bigint::kernels::ntt {

struct AlignedDelete {
    void operator()(std::uint32_t *p) const { ::operator delete[](p, std::align_val_t{64}); }
};
using Buffer = std::unique_ptr<std::uint32_t[], AlignedDelete>;

inline Buffer allocate(std::size_t n) {
    return Buffer(static_cast<std::uint32_t *>(
        ::operator new[](n * sizeof(std::uint32_t), std::align_val_t{64})));
}

} // namespace bigint::kernels::ntt
