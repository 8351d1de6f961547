// SPDX-License-Identifier: MIT
#pragma once
// RecyclingAllocator: an allocator for objects that are made and dropped by the thousand,
// such as the evaluator's Numbers (several for every short expression). Each thread keeps
// a few freed blocks of each size for its next allocations, which spares the general heap
// its slow path: a short expression's blocks overflow the heap's own small per-thread
// caches. A block freed on another thread than the one that made it simply joins that
// thread's blocks; all of them come from operator new. Under the sanitizers every block
// goes back to the heap: AddressSanitizer then still finds a use after free, and
// ThreadSanitizer sees each block's new life begin (it keeps the state of the atomics at
// an address until the heap frees it). On Windows too: there MinGW keeps thread_local
// variables in storage that its threads library may free before their destructors run at
// the thread's end, so a thread's kept blocks cannot be handed back safely.

#include <cstddef>
#include <new>

#if !defined(RECKONWISE_ASAN) && !defined(RECKONWISE_TSAN) && !defined(_WIN32)
#define RECKONWISE_RECYCLES_BLOCKS 1
#endif

namespace recycling {

template <std::size_t Size, std::size_t Align>
class FreeBlocks {
public:
    static void *take() noexcept {
        if (gone) return nullptr;
        FreeBlocks &b = mine();
        return b.count == 0 ? nullptr : b.blocks[--b.count];
    }
    static bool give(void *p) noexcept {
        if (gone) return false;
        FreeBlocks &b = mine();
        if (b.count == kept) return false;
        b.blocks[b.count++] = p;
        return true;
    }
    ~FreeBlocks() {
        gone = true;
        while (count > 0)
            ::operator delete(blocks[--count], std::align_val_t(Align));
    }

private:
    static constexpr std::size_t kept = 64;
    static FreeBlocks &mine() noexcept {
        thread_local FreeBlocks b;
        return b;
    }
    // Set once this thread's blocks are destroyed (a thread's last frees, and static
    // objects destroyed after the main thread's, go straight to the heap). Trivially
    // destructible, so it may still be read then.
    static inline thread_local bool gone = false;
    void *blocks[kept];
    std::size_t count = 0;
};

} // namespace recycling

template <class T>
class RecyclingAllocator {
public:
    using value_type = T;
    RecyclingAllocator() noexcept = default;
    template <class U>
    RecyclingAllocator(const RecyclingAllocator<U> &) noexcept {}

    T *allocate(std::size_t n) {
#if defined(RECKONWISE_RECYCLES_BLOCKS)
        if (n == 1)
            if (void *p = Blocks::take()) return static_cast<T *>(p);
#endif
        return static_cast<T *>(::operator new(n * sizeof(T), std::align_val_t(alignof(T))));
    }
    void deallocate(T *p, [[maybe_unused]] std::size_t n) noexcept {
#if defined(RECKONWISE_RECYCLES_BLOCKS)
        if (n == 1 && Blocks::give(p)) return;
#endif
        ::operator delete(p, std::align_val_t(alignof(T)));
    }

    template <class U>
    bool operator==(const RecyclingAllocator<U> &) const noexcept {
        return true;
    }

private:
    using Blocks = recycling::FreeBlocks<sizeof(T), alignof(T)>;
};
