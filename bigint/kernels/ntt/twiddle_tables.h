// SPDX-License-Identifier: MIT
#pragma once
// The twiddle tables of each prime, built on first use, grown when a longer transform needs
// more, and kept for the life of the process.

#include "bigint/kernels/ntt/kernel_set.h"
#include "bigint/kernels/ntt/twiddles.h"

#include <memory>

namespace bigint::kernels::ntt {

// The tables of at least min(size, maxTwiddles) entries for prime k, safe to call from any
// thread. Each kernel set builds its own (with its own loops), the same as the others'.
std::shared_ptr<const Twiddles> twiddlesFor(const KernelSet &kernels, int k, std::size_t size);

// The tables grow up to this many entries (enough for transforms of 2^16) and are kept for
// the life of the process, 512 KB per prime at the limit; longer transforms twist their
// sub-trees (see pastTable) instead of needing longer tables. Measured against 2^17 entries
// (bench/ntt_bench, medians of 3): 100000-block products 5.18 against 4.88 ms, 1000000-block
// products 35.4 against 36.0 ms, for 4.5 MB less memory kept.
inline constexpr std::size_t maxTwiddles = std::size_t(1) << 15;

} // namespace bigint::kernels::ntt
