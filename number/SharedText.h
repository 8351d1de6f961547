// SPDX-License-Identifier: MIT
#pragma once
// SharedText: a piece of an immutable, reference-counted text. The evaluator hands its
// sub-texts on as pieces of the text they came from, so a text of n characters and all of
// its sub-texts together keep n characters alive, not n²/2. A piece's hash (the cache looks
// entries up by it) is the same whichever text the characters are a piece of.
//
// A text that is split many times (a chain of n operators is split n times, each piece
// looked up once) builds two indexes on demand: prefix hashes, so that a piece's hash costs
// a few multiplications instead of a pass over it, and the evaluator's operator positions
// (operatorScan.h). Both are built once the plain work on the text passes a few times its
// length, so a text used once pays nothing for them.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class OperatorIndex;

// The character (from Unicode's private use area) that begins a long integer carried by
// reference in the evaluator's rebuilt texts (number/carriedIntegers.h).
inline constexpr char16_t carriedIntegerMark = u'\uE000';

class TextBuffer {
public:
    explicit TextBuffer(std::u16string chars);
    ~TextBuffer();
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;

    std::u16string_view view() const { return text; }
    std::size_t size() const { return text.size(); }
    // Whether any "[", "]", "{" or "}" occurs (the evaluator reads them as parentheses).
    bool hasBrackets() const { return brackets; }
    // Whether carriedIntegerMark occurs.
    bool hasCarriedMark() const { return carriedMark; }

    // The hash of the characters [begin, end).
    std::uint64_t hash(std::size_t begin, std::size_t end) const;

    // The operator index, or nullptr while plain scans are cheaper. `scanned` is the number
    // of characters the caller is about to scan without it.
    const OperatorIndex *operatorIndex(std::size_t scanned) const;

    // Bytes this text holds, its indexes included (for the cache's accounting).
    std::size_t footprint() const;

    // How many numberCache entries view this text, and the bytes the cache counted for it
    // when the first came; numberCache's lock guards both.
    mutable std::size_t cacheUses = 0;
    mutable std::size_t cacheCharged = 0;

private:
    struct Indexes;
    // The indexes once the plain work (characters hashed or scanned) has passed a few
    // times the text's length; null before.
    const Indexes *indexes(std::size_t work) const;

    const std::u16string text;
    bool brackets = false;
    bool carriedMark = false;
    mutable std::atomic<std::uint64_t> plainWork{0};
    mutable std::atomic<const Indexes *> built{nullptr};
};

// The hash of a text's characters, computed directly; TextBuffer::hash gives the same value.
std::uint64_t hashText(std::u16string_view text);

class SharedText {
public:
    SharedText() = default;
    // A new text of its own.
    explicit SharedText(std::u16string chars);
    // The whole of an existing text.
    explicit SharedText(std::shared_ptr<const TextBuffer> buffer);

    std::u16string_view view() const {
        return buffer ? buffer->view().substr(offset, length) : std::u16string_view();
    }
    std::size_t size() const { return length; }
    bool empty() const { return length == 0; }
    char16_t operator[](std::size_t i) const { return buffer->view()[offset + i]; }

    // The piece [pos, pos + count) of this piece, sharing its characters.
    SharedText piece(std::size_t pos, std::size_t count = std::u16string_view::npos) const;

    std::uint64_t hash() const { return buffer ? buffer->hash(offset, offset + length) : 0; }

    const TextBuffer *textBuffer() const { return buffer.get(); }
    std::size_t start() const { return offset; } // where this piece begins in its text

private:
    std::shared_ptr<const TextBuffer> buffer;
    std::size_t offset = 0;
    std::size_t length = 0;
};
