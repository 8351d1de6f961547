// SPDX-License-Identifier: MIT
#pragma once
// The largest exact result the calculator makes. An integer result that needs more bits
// than the budget has no value: a text of a few characters (9^9^9, 99999999!) can ask for
// more memory than the machine has, and an unbounded result would take the whole process
// (or the machine) down with it. Results inside the budget stay exact, however long they
// take to compute.

#include "bigint/BigUnsigned.h"

#include <cstdint>

namespace resultBudget {

// Enough for every integer of up to 10^8 decimal digits: ceil(10^8 * log2(10)) bits.
inline constexpr std::uint64_t defaultMaxBits = 332'192'810;

// The budget in force, in bits of magnitude.
std::uint64_t maxBits();

// Lowers (or restores) the budget for the whole process. Tests and fuzzing use small
// budgets so that huge results are refused in microseconds instead of seconds.
void setMaxBits(std::uint64_t bits);

inline bool fits(const BigUnsigned &magnitude) {
    return magnitude.bitLength() <= maxBits();
}

} // namespace resultBudget
