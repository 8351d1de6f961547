// SPDX-License-Identifier: MIT
#pragma once
// The cores that the kernels may still borrow for a second thread. The transform
// multiplication and the radix conversion both run halves of their largest work on another
// core; taking a core from this one count, and giving it back afterwards, keeps work that
// nests (a conversion whose halves multiply) or runs on several threads at once from
// starting more threads than the machine has cores.

#include <atomic>

namespace bigint::kernels {

// Starts at the number of cores minus one; never negative while every taker gives back.
std::atomic<int> &spareCores();

} // namespace bigint::kernels
