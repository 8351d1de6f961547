// SPDX-License-Identifier: MIT
#pragma once
// Hand-overs between threads through Qt's event queue, declared to ThreadSanitizer. The
// distribution's Qt is not built with it, so the locks inside Qt's queued and blocking
// calls are invisible to it, and every delivery would read as a race. Outside
// ThreadSanitizer builds these compile to nothing.

#if defined(RECKONWISE_TSAN)
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

namespace handOver {

// What this thread has done so far is seen by a thread that later calls received(token).
inline void sent([[maybe_unused]] const void *token) {
#if defined(RECKONWISE_TSAN)
    __tsan_release(const_cast<void *>(token));
#endif
}

// This thread sees what the threads that called sent(token) before had done.
inline void received([[maybe_unused]] const void *token) {
#if defined(RECKONWISE_TSAN)
    __tsan_acquire(const_cast<void *>(token));
#endif
}

} // namespace handOver
