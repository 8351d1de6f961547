// SPDX-License-Identifier: MIT
#pragma once
// Reading fuzz input: a few leading bytes choose settings, the rest is the text.

#include <cstddef>
#include <cstdint>
#include <string_view>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}

    // The next byte as a choice among `count` (0 when the input is used up).
    unsigned pick(unsigned count) {
        if (used == size) return 0;
        return data[used++] % count;
    }

    // Everything not consumed by pick.
    std::string_view rest() const {
        return {reinterpret_cast<const char *>(data + used), size - used};
    }

private:
    const std::uint8_t *data;
    std::size_t size;
    std::size_t used = 0;
};
