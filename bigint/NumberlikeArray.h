// SPDX-License-Identifier: MIT
#pragma once
// A growable array of fixed-width blocks: the storage of BigUnsigned (32-bit blocks) and of
// BigUnsignedInABase (16-bit digits). Growth is always to the exact size asked for and the
// capacity never shrinks while the object lives, so memory use is predictable. Arrays of up to
// eight bytes live inside the object, so the common small values need no allocation.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

template <class Blk>
class NumberlikeArray {
public:
    using Index = std::uint32_t;
    using Block = Blk;

    NumberlikeArray() noexcept = default;

    // An empty array with room for exactly c blocks.
    explicit NumberlikeArray(Index c) : capacity(c), blocks(storageFor(c)) {}

    // A tight copy of the first len blocks of b.
    NumberlikeArray(const Blk *b, Index len) : capacity(len), length(len), blocks(storageFor(len)) {
        std::copy(b, b + len, blocks);
    }

    // Copies are deep and tight: capacity equals the source's length.
    NumberlikeArray(const NumberlikeArray &x)
        : capacity(x.length), length(x.length), blocks(storageFor(x.length)) {
        std::copy(x.blocks, x.blocks + x.length, blocks);
    }

    // Assignment keeps the target's array when it is big enough.
    NumberlikeArray &operator=(const NumberlikeArray &x) {
        if (this == &x) return *this;
        growDiscarding(x.length);
        length = x.length;
        std::copy(x.blocks, x.blocks + x.length, blocks);
        return *this;
    }

    NumberlikeArray(NumberlikeArray &&x) noexcept { take(x); }

    NumberlikeArray &operator=(NumberlikeArray &&x) noexcept {
        if (this != &x) {
            release();
            take(x);
        }
        return *this;
    }

    ~NumberlikeArray() { release(); }

    // Makes room for c blocks; the content is undefined afterwards when it had to grow.
    void growDiscarding(Index c) {
        if (c <= capacity) return;
        Blk *fresh = storageFor(c);
        if (fresh != blocks) release();
        blocks = fresh;
        capacity = c;
    }

    // Makes room for c blocks, keeping the first `length` blocks.
    void growPreserving(Index c) {
        if (c <= capacity) return;
        Blk *fresh = storageFor(c);
        if (fresh != blocks) {
            std::copy(blocks, blocks + length, fresh);
            release();
            blocks = fresh;
        }
        capacity = c;
    }

    Index getCapacity() const { return capacity; }
    Index getLength() const { return length; }
    Blk getBlock(Index i) const { return blocks[i]; }
    bool isEmpty() const { return length == 0; }

    // The blocks in use, least significant first.
    std::span<const Blk> span() const { return {blocks, length}; }

    // Equal lengths and equal blocks in use; the capacity plays no part.
    bool operator==(const NumberlikeArray &x) const {
        return length == x.length && std::equal(blocks, blocks + length, x.blocks);
    }

protected:
    Index capacity = 0;
    Index length = 0;
    Blk *blocks = nullptr; // `local`, or an array of its own when capacity > localCapacity

private:
    static constexpr Index localCapacity = 8 / sizeof(Blk);
    Blk local[localCapacity];

    Blk *storageFor(Index c) { return c <= localCapacity ? local : new Blk[c]; }
    void release() {
        if (blocks != local) delete[] blocks;
    }
    // Takes x's blocks, leaving x empty; blocks inside x are copied.
    void take(NumberlikeArray &x) noexcept {
        capacity = std::exchange(x.capacity, 0);
        length = std::exchange(x.length, 0);
        Blk *theirs = std::exchange(x.blocks, nullptr);
        if (theirs == x.local) {
            std::copy(theirs, theirs + length, local);
            blocks = local;
        } else {
            blocks = theirs;
        }
    }
};
