#pragma once
// numberCache: the process-wide, append-only list of every Number ever made, which owns
// them, and the one process-wide lock that guards it. A search returns the earliest entry
// with the same text and settings; a hash index makes that a constant-time look-up.
//
// The lock is held only for a search, an append, or a read or write of a Number's result
// texts, never across an evaluation or a text computation.

#include "number/Number.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

// What makes two Numbers the same entry: the exact text and the settings it was made under.
struct NumberKey {
    std::u16string_view text;
    AngleUnit angleUnit;
    bool rangeSigned;
    std::int32_t rangeBits;

    bool operator==(const NumberKey &) const = default;
};

struct NumberKeyHash {
    std::size_t operator()(const NumberKey &k) const noexcept;
};

class NumberCache {
public:
    // The process-wide lock; callers lock it around lookUp, append and the result texts.
    std::mutex &mutex() { return lock; }

    // The earliest Number with this key, or nullptr. The lock must be held.
    Number *lookUp(const NumberKey &key) const;
    // Appends n (takes ownership) and returns it. The lock must be held.
    Number &append(std::unique_ptr<Number> n);
    // Every Number with this key, earliest first (empty when none). The lock must be held.
    const std::vector<Number *> &entriesLike(const NumberKey &key) const;
    // The number of Numbers made so far. The lock must be held.
    std::size_t size() const { return entries.size(); }

private:
    std::mutex lock;
    std::vector<std::unique_ptr<Number>> entries;
    // Keys view the text of their first Number, which lives as long as the cache.
    std::unordered_map<NumberKey, std::vector<Number *>, NumberKeyHash> index;
};

extern NumberCache numberCache;

inline NumberKey keyOf(const Number &n) {
    return NumberKey{n.text, n.angleUnit, n.rangeSigned, n.rangeBits};
}
