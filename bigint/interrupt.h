// SPDX-License-Identifier: MIT
#pragma once
// Stopping a long computation on request. The user of a terminal who presses Ctrl+C during
// a computation of minutes wants the prompt back, not the program ended: the signal handler
// requests an interruption, and the long loops of the kernels (every multiplication past
// the schoolbook sizes, each part of a transform, each level of a division) and of the
// evaluator test for it and throw Interrupted. Every buffer on the way is owned, so nothing
// leaks, and a value whose making was interrupted is never kept.
//
// The request is one flag for the whole process: the command-line tool evaluates one line
// at a time, and the window never requests one.

#include <atomic>

namespace bigint {

// Thrown by a computation that stops because an interruption was requested.
struct Interrupted {};

namespace detail {
inline std::atomic<bool> interruptFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
} // namespace detail

// Requests an interruption of whatever computes now; safe in a signal handler.
inline void requestInterrupt() noexcept {
    detail::interruptFlag.store(true, std::memory_order_relaxed);
}

// Withdraws the request, before the next computation that should run to its end.
inline void clearInterrupt() noexcept {
    detail::interruptFlag.store(false, std::memory_order_relaxed);
}

inline bool interruptRequested() noexcept {
    return detail::interruptFlag.load(std::memory_order_relaxed);
}

// Throws Interrupted when an interruption has been requested.
inline void checkInterrupt() {
    if (interruptRequested()) [[unlikely]]
        throw Interrupted{};
}

} // namespace bigint
