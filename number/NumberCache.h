// SPDX-License-Identifier: MIT
#pragma once
// numberCache: the process-wide cache of Numbers by text and settings, and the one
// process-wide lock that guards it. Every distinct text evaluated under the same settings
// is made once and then found again, so re-evaluating a text that changed only at its end
// re-uses everything that did not change.
//
// The memory the cache holds is bounded: past its ceiling, the least recently used entries
// that nobody is using (no NumberRef outside the cache) are dropped. A dropped text is
// simply evaluated again, with the same result, since a result depends only on its text and
// settings. The lock is held only for a look-up, an insertion, a trim, or a read or write of
// a Number's result texts, never across an evaluation or a text computation.

#include "number/KeyIndex.h"
#include "number/Number.h"
#include "number/NumberKey.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

class NumberCache {
public:
    NumberCache();

    // The process-wide lock: formatNumber holds it for a Number's result texts.
    std::mutex &mutex() { return lock; }

    // The entry with this key, or null; a hit counts as a use for the ceiling's order.
    NumberRef find(const NumberKey &key);
    // Keeps n and returns the entry now cached for its key: n, or an equal entry another
    // thread made meanwhile. Drops unused entries when the cache is well past its ceiling.
    NumberRef insert(std::shared_ptr<Number> n);
    // Drops the least recently used entries that nobody uses until the cache is within its
    // ceiling (with a ceiling of 0: every entry nobody uses).
    void trim();

    // Result texts grew by `bytes` for n; the lock must be held.
    void resultTextAdded(const Number &n, std::size_t bytes);

    // The ceiling in bytes; the default is a quarter of the physical memory, at most 4 GiB
    // (1 GiB in a 32-bit process).
    std::size_t ceiling() const;
    void setCeiling(std::size_t bytes);
    static std::size_t defaultCeiling();

    std::size_t bytes();   // what the entries hold now, as the cache counts it
    std::size_t entries(); // how many entries it holds

private:
    using Entries = std::list<std::shared_ptr<Number>>; // least recently used first

    void trimTo(std::size_t target, std::vector<std::shared_ptr<Number>> &dropped);
    void drop(Entries::iterator it, std::vector<std::shared_ptr<Number>> &dropped);

    std::mutex lock;
    Entries lru;
    // Keys view the text of their own entry, which lives as long as the entry is cached.
    KeyIndex<Entries::iterator> index;
    std::size_t held = 0;
    std::atomic<std::size_t> limit;
};

extern NumberCache &numberCache;
