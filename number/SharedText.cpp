// SPDX-License-Identifier: MIT
#include "number/SharedText.h"

#include "bigint/uint128.h"
#include "number/operatorScan.h"

#include <algorithm>
#include <limits>

namespace {

using u128 = bigint::UInt128;

// A polynomial hash modulo the Mersenne prime 2^61 - 1: the hash of any piece follows from
// two prefix hashes and a power of the base, so a text's pieces hash in constant time.
constexpr std::uint64_t modulus = (std::uint64_t(1) << 61) - 1;
constexpr std::uint64_t base = 0x1F3D5B79A2C6E1ull % modulus;

std::uint64_t reduce(u128 x) {
    std::uint64_t r = std::uint64_t(x & modulus) + std::uint64_t(x >> 61);
    r = (r & modulus) + (r >> 61);
    return r >= modulus ? r - modulus : r;
}
std::uint64_t mulMod(std::uint64_t a, std::uint64_t b) {
    return reduce((u128)a * b);
}
std::uint64_t powMod(std::uint64_t b, std::size_t e) {
    std::uint64_t r = 1;
    for (; e != 0; e >>= 1) {
        if (e & 1) r = mulMod(r, b);
        b = mulMod(b, b);
    }
    return r;
}
std::uint64_t step(std::uint64_t h, char16_t c) {
    return reduce((u128)h * base + c + 1);
}

// Plain work on a text past this many times its length builds the index that replaces it.
constexpr std::uint64_t workBeforeIndex = 4;
constexpr std::size_t smallestIndexedText = 64;

bool isBracket(char16_t c) {
    return c == u'[' || c == u']' || c == u'{' || c == u'}';
}

// The hash of `before` followed by text, from h, the hash of `before`. Four characters a
// step, the same value as one at a time: h B^4 + c0' B^3 + c1' B^2 + c2' B + c3' (with
// c' = c + 1) has one reduction on the chain where four had.
std::uint64_t extend(std::uint64_t h, std::u16string_view text) {
    static const std::uint64_t b2 = mulMod(base, base), b3 = mulMod(b2, base),
                               b4 = mulMod(b3, base);
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        const u128 sum = (u128)h * b4 + (u128)(text[i] + 1u) * b3 + (u128)(text[i + 1] + 1u) * b2 +
                         (u128)(text[i + 2] + 1u) * base + (text[i + 3] + 1u);
        h = reduce(sum);
    }
    for (; i < text.size(); ++i)
        h = step(h, text[i]);
    return h;
}

} // namespace

std::uint64_t hashText(std::u16string_view text) {
    return extend(0, text);
}

struct TextBuffer::Indexes {
    // Prefix hashes are kept at every stride-th position only (an eighth of a byte per
    // character instead of eight); the positions between are at most stride - 1 steps on.
    static constexpr std::size_t stride = 64;

    explicit Indexes(std::u16string_view text) : operators(text) {
        prefixHashes.resize(text.size() / stride + 1);
        std::uint64_t h = 0;
        for (std::size_t j = 0; j < prefixHashes.size(); ++j) {
            prefixHashes[j] = h;
            h = extend(h, text.substr(j * stride, stride));
        }
    }
    // The hash of [0, i).
    std::uint64_t prefixHash(std::u16string_view text, std::size_t i) const {
        std::uint64_t h = prefixHashes[i / stride];
        for (std::size_t k = i - i % stride; k < i; ++k)
            h = step(h, text[k]);
        return h;
    }
    std::vector<std::uint64_t> prefixHashes; // the hash of [0, stride j) at j
    OperatorIndex operators;
};

TextBuffer::TextBuffer(std::u16string chars) : text(std::move(chars)) {
    // One pass without early exits, which the compiler turns into vector compares.
    bool anyBracket = false, anyMark = false;
    for (const char16_t c : text) {
        anyBracket |= isBracket(c);
        anyMark |= c == carriedIntegerMark;
    }
    brackets = anyBracket;
    carriedMark = anyMark;
}

TextBuffer::~TextBuffer() {
    delete built.load(std::memory_order_acquire);
}

const TextBuffer::Indexes *TextBuffer::indexes(std::size_t work) const {
    if (const Indexes *ready = built.load(std::memory_order_acquire)) return ready;
    if (text.size() < smallestIndexedText ||
        text.size() >= std::numeric_limits<std::uint32_t>::max())
        return nullptr; // positions in the index are 32-bit
    const std::uint64_t done = plainWork.fetch_add(work, std::memory_order_relaxed) + work;
    if (done <= workBeforeIndex * text.size()) return nullptr;
    // Two threads may build at once; the first to publish wins and the other's is freed.
    auto fresh = std::make_unique<const Indexes>(view());
    const Indexes *expected = nullptr;
    if (built.compare_exchange_strong(expected, fresh.get(), std::memory_order_acq_rel))
        return fresh.release();
    return expected;
}

std::uint64_t TextBuffer::hash(std::size_t begin, std::size_t end) const {
    const std::size_t count = end - begin;
    const Indexes *ix = indexes(count);
    if (!ix) return hashText(view().substr(begin, count));
    const std::uint64_t shifted = mulMod(ix->prefixHash(view(), begin), powMod(base, count));
    const std::uint64_t h = ix->prefixHash(view(), end);
    return h >= shifted ? h - shifted : h + modulus - shifted;
}

const OperatorIndex *TextBuffer::operatorIndex(std::size_t scanned) const {
    const Indexes *ix = indexes(scanned);
    return ix ? &ix->operators : nullptr;
}

std::size_t TextBuffer::footprint() const {
    std::size_t bytes = sizeof(TextBuffer) + text.capacity() * sizeof(char16_t);
    if (const Indexes *ix = built.load(std::memory_order_acquire))
        bytes += ix->prefixHashes.capacity() * sizeof(std::uint64_t) + ix->operators.footprint();
    return bytes;
}

SharedText::SharedText(std::u16string chars)
    : SharedText(std::make_shared<const TextBuffer>(std::move(chars))) {}

SharedText::SharedText(std::shared_ptr<const TextBuffer> whole)
    : buffer(std::move(whole)), offset(0), length(buffer ? buffer->size() : 0) {}

SharedText SharedText::piece(std::size_t pos, std::size_t count) const {
    SharedText p = *this;
    pos = std::min(pos, length);
    p.offset = offset + pos;
    p.length = std::min(count, length - pos);
    return p;
}
