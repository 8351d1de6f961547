// SPDX-License-Identifier: MIT
#pragma once
// The key of the cache's entries: the exact text of a Number and the settings it was made
// under, with the hash that places it in the cache's index.

#include "number/Number.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// What makes two Numbers the same entry: the exact text and the settings it was made under.
struct NumberKey {
    std::u16string_view text;
    std::uint64_t textHash; // hashText(text), carried so that a look-up does not rehash
    AngleUnit angleUnit;
    bool rangeSigned;
    std::int32_t rangeBits;

    bool operator==(const NumberKey &o) const {
        return textHash == o.textHash && angleUnit == o.angleUnit && rangeSigned == o.rangeSigned &&
               rangeBits == o.rangeBits && text == o.text;
    }
};

struct NumberKeyHash {
    std::size_t operator()(const NumberKey &k) const noexcept;
};

inline NumberKey keyOf(const Number &n) {
    return NumberKey{n.text.view(), n.textHash, n.angleUnit, n.rangeSigned, n.rangeBits};
}
