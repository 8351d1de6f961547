// SPDX-License-Identifier: MIT
#pragma once
// The cache's index from NumberKey to its entries: an open-addressed table whose slots keep
// each key's hash beside its entry. A look-up reads consecutive slots and the entry itself
// only when the hashes agree, and growing moves slots without hashing a key again; a chained
// hash map would follow a pointer per node and rehash every key as it grows, which for short
// expressions cost more than evaluating them.

#include "number/NumberKey.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Entry: an iterator to a std::shared_ptr<Number> (the cache's list position).
template <class Entry>
class KeyIndex {
public:
    // The entry with this key (hash = NumberKeyHash()(key)), or null.
    Entry *find(const NumberKey &key, std::size_t hash) {
        if (table.empty()) return nullptr;
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            Slot &s = table[i];
            if (!s.used) return nullptr;
            if (s.hash == hash && keyOf(**s.entry) == key) return &s.entry;
        }
    }

    // Adds an entry whose key is not in the index.
    void insert(std::size_t hash, Entry entry) {
        if (2 * (count + 1) > table.size()) grow();
        place(Slot{hash, entry, true});
        ++count;
    }

    // Removes the entry with this key, which must be in the index.
    void erase(const NumberKey &key, std::size_t hash) {
        std::size_t i = hash & mask();
        while (!(table[i].hash == hash && keyOf(**table[i].entry) == key))
            i = (i + 1) & mask();
        // Backward shift: later slots of the same run move up into the hole when their home
        // position does not lie between the hole and themselves.
        for (std::size_t j = (i + 1) & mask(); table[j].used; j = (j + 1) & mask()) {
            const std::size_t home = table[j].hash & mask();
            const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            table[i] = table[j];
            i = j;
        }
        table[i].used = false;
        --count;
    }

    std::size_t size() const { return count; }

private:
    struct Slot {
        std::size_t hash = 0;
        Entry entry{};
        bool used = false;
    };

    std::size_t mask() const { return table.size() - 1; }

    void place(const Slot &s) {
        std::size_t i = s.hash & mask();
        while (table[i].used)
            i = (i + 1) & mask();
        table[i] = s;
    }

    void grow() {
        std::vector<Slot> old(table.empty() ? 64 : 2 * table.size());
        old.swap(table);
        for (const Slot &s : old)
            if (s.used) place(s);
    }

    std::vector<Slot> table; // a power of two of slots, at most half of them used
    std::size_t count = 0;
};
