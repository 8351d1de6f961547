// SPDX-License-Identifier: MIT
#include "number/NumberCache.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <sys/types.h>
// (after sys/types.h, which it needs)
#include <sys/sysctl.h>
#elif defined(__unix__)
#include <unistd.h>
#endif

// Never destroyed: a process that ends does not need to free every entry one by one first.
NumberCache &numberCache = *new NumberCache;

namespace {

// What one entry costs besides its value and texts: the Number, the list and index nodes.
constexpr std::size_t entryOverhead = sizeof(Number) + 128;

std::size_t valueBytes(const Number &n) {
    std::size_t bytes = entryOverhead;
    if (n.kind == Integer)
        bytes += std::size_t(n.integerValue.getMagnitude().getCapacity()) * sizeof(std::uint32_t);
    for (const auto &t : n.resultText)
        if (t) bytes += sizeof(std::u16string) + t->capacity() * sizeof(char16_t);
    return bytes;
}

// How far past the ceiling an insertion may go before it trims: trimming walks the oldest
// entries, so it runs now and then rather than at every insertion.
std::size_t slackOf(std::size_t ceiling) {
    return std::clamp<std::size_t>(ceiling / 64, std::size_t(1) << 20, std::size_t(64) << 20);
}

} // namespace

std::size_t NumberKeyHash::operator()(const NumberKey &k) const noexcept {
    std::uint64_t s = (std::uint64_t(std::uint32_t(k.angleUnit)) << 40) ^
                      (std::uint64_t(std::uint32_t(k.rangeBits)) << 8) ^
                      std::uint64_t(k.rangeSigned) ^ (std::uint64_t(k.text.size()) << 20);
    std::uint64_t h = k.textHash ^ (s * 0x9e3779b97f4a7c15ull);
    h ^= h >> 29;
    return std::size_t(h * 0xbf58476d1ce4e5b9ull);
}

NumberCache::NumberCache() : limit(defaultCeiling()) {}

namespace {

// The machine's physical memory in bytes, or 0 where the system does not say.
std::uint64_t physicalMemory() {
#if defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) return status.ullTotalPhys;
#elif defined(__APPLE__)
    std::uint64_t bytes = 0;
    std::size_t size = sizeof bytes;
    int name[2] = {CTL_HW, HW_MEMSIZE};
    if (sysctl(name, 2, &bytes, &size, nullptr, 0) == 0) return bytes;
#elif defined(__unix__) && defined(_SC_PHYS_PAGES)
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0) return std::uint64_t(pages) * std::uint64_t(pageSize);
#endif
    return 0;
}

} // namespace

std::size_t NumberCache::defaultCeiling() {
    // A quarter of the memory, at most 4 GiB and at most a quarter of the address space
    // (1 GiB in a 32-bit process); 1 GiB where the memory is not known.
    constexpr std::uint64_t most = std::min<std::uint64_t>(
        std::uint64_t(4) << 30, std::numeric_limits<std::size_t>::max() / 4 + 1);
    const std::uint64_t memory = physicalMemory();
    if (memory == 0) return std::size_t(1) << 30;
    return std::size_t(std::min(most, memory / 4));
}

std::size_t NumberCache::ceiling() const {
    return limit.load(std::memory_order_relaxed);
}

void NumberCache::setCeiling(std::size_t bytes) {
    limit.store(bytes, std::memory_order_relaxed);
}

NumberRef NumberCache::find(const NumberKey &key) {
    std::lock_guard<std::mutex> guard(lock);
    Entries::iterator *it = index.find(key, NumberKeyHash()(key));
    if (!it) return nullptr;
    lru.splice(lru.end(), lru, *it);
    return **it;
}

NumberRef NumberCache::insert(std::shared_ptr<Number> n) {
    std::vector<std::shared_ptr<Number>> dropped; // freed after the lock is released
    std::lock_guard<std::mutex> guard(lock);
    const NumberKey key = keyOf(*n);
    const std::size_t hash = NumberKeyHash()(key);
    if (Entries::iterator *it = index.find(key, hash)) {
        lru.splice(lru.end(), lru, *it);
        return **it;
    }
    n->cachedBytes = valueBytes(*n);
    held += n->cachedBytes;
    if (const TextBuffer *b = n->text.textBuffer(); b && b->cacheUses++ == 0) {
        b->cacheCharged = b->footprint();
        held += b->cacheCharged;
    }
    lru.push_back(n);
    index.insert(hash, std::prev(lru.end()));
    const std::size_t ceiling = limit.load(std::memory_order_relaxed);
    if (held > ceiling + slackOf(ceiling)) trimTo(ceiling, dropped);
    return n;
}

void NumberCache::trim() {
    std::vector<std::shared_ptr<Number>> dropped;
    std::lock_guard<std::mutex> guard(lock);
    trimTo(limit.load(std::memory_order_relaxed), dropped);
}

void NumberCache::trimTo(std::size_t target, std::vector<std::shared_ptr<Number>> &dropped) {
    // Entries in use are moved to the recent end and looked at again only after every
    // other entry, so each is passed over at most once per trim.
    for (std::size_t left = lru.size(); left > 0 && held > target; --left) {
        auto it = lru.begin();
        // Under the lock nobody can take a new reference to an entry the cache alone
        // holds, so a count of 1 stays 1.
        if (it->use_count() == 1)
            drop(it, dropped);
        else
            lru.splice(lru.end(), lru, it);
    }
}

void NumberCache::drop(Entries::iterator it, std::vector<std::shared_ptr<Number>> &dropped) {
    Number &n = **it;
    const NumberKey key = keyOf(n);
    index.erase(key, NumberKeyHash()(key));
    held -= n.cachedBytes;
    n.cachedBytes = 0;
    if (const TextBuffer *b = n.text.textBuffer(); b && --b->cacheUses == 0)
        held -= b->cacheCharged;
    dropped.push_back(std::move(*it));
    lru.erase(it);
}

void NumberCache::resultTextAdded(const Number &n, std::size_t bytes) {
    if (n.cachedBytes == 0) return; // not (or no longer) cached
    n.cachedBytes += bytes;
    held += bytes;
}

std::size_t NumberCache::bytes() {
    std::lock_guard<std::mutex> guard(lock);
    return held;
}

std::size_t NumberCache::entries() {
    std::lock_guard<std::mutex> guard(lock);
    return lru.size();
}
