// SPDX-License-Identifier: MIT
#pragma once
// StartGate: lets a set number of threads start their work together, as std::latch would.
// The tests use this instead because std::latch of the MinGW GCC 12 library can lose a
// wake-up (it waits on a condition variable of its own), which left threads waiting for
// ever under Wine.

#include <condition_variable>
#include <cstddef>
#include <mutex>

class StartGate {
public:
    explicit StartGate(std::size_t count) : waiting(count) {}

    // Counts this thread in and waits until all of them are.
    void arrive_and_wait() {
        std::unique_lock lock(mutex);
        if (waiting > 0 && --waiting == 0) {
            opened.notify_all();
            return;
        }
        opened.wait(lock, [this] { return waiting == 0; });
    }

private:
    std::mutex mutex;
    std::condition_variable opened;
    std::size_t waiting;
};
