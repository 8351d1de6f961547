// SPDX-License-Identifier: MIT
#include "number/resultBudget.h"

#include <atomic>

namespace resultBudget {

namespace {
std::atomic<std::uint64_t> budgetBits{defaultMaxBits};
}

std::uint64_t maxBits() {
    return budgetBits.load(std::memory_order_relaxed);
}

void setMaxBits(std::uint64_t bits) {
    budgetBits.store(bits, std::memory_order_relaxed);
}

} // namespace resultBudget
