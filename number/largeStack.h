// SPDX-License-Identifier: MIT
#pragma once
// Runs a function on a fresh thread with a large stack and waits for it. Evaluation
// recurses once per operator, so deep texts need more stack than a default thread has.

#include <cstddef>
#include <functional>

inline constexpr std::size_t evaluationStackSize = std::size_t(512) << 20;

// Runs f on a thread with stackSize bytes of stack and returns when it has finished.
// An exception escaping f is rethrown in the caller.
void runWithLargeStack(const std::function<void()> &f, std::size_t stackSize = evaluationStackSize);
