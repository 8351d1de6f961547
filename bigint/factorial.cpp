// SPDX-License-Identifier: MIT
#include "bigint/factorial.h"

#include "bigint/interrupt.h"

#include <bit>
#include <vector>

namespace {

using Word = std::uint64_t;
__extension__ typedef unsigned __int128 DoubleWord; // a GCC and clang type

// A value of a few words as a BigUnsigned.
BigUnsigned fromWords(const std::vector<Word> &words) {
    std::vector<BigUnsigned::Blk> blocks(2 * words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        blocks[2 * i] = BigUnsigned::Blk(words[i]);
        blocks[2 * i + 1] = BigUnsigned::Blk(words[i] >> 32);
    }
    return BigUnsigned(blocks.data(), BigUnsigned::Index(blocks.size()));
}

// Up to this many factors are multiplied one word at a time into a growing number; more
// are split in halves, whose products are then of the same size.
constexpr std::size_t wordsAtOnce = 24;

// The product of factors[lo, hi).
BigUnsigned productOf(const std::vector<Word> &factors, std::size_t lo, std::size_t hi) {
    if (hi - lo <= wordsAtOnce) {
        std::vector<Word> acc{1};
        for (std::size_t i = lo; i < hi; ++i) {
            Word carry = 0;
            for (Word &w : acc) {
                const DoubleWord p = DoubleWord(w) * factors[i] + carry;
                w = Word(p);
                carry = Word(p >> 64);
            }
            if (carry != 0) acc.push_back(carry);
        }
        return fromWords(acc);
    }
    bigint::checkInterrupt();
    const std::size_t mid = lo + (hi - lo) / 2;
    return productOf(factors, lo, mid) * productOf(factors, mid, hi);
}

// The product of the odd numbers in (low, high], packed: each word holds as many
// consecutive odd numbers as fit.
BigUnsigned oddProduct(std::uint64_t low, std::uint64_t high) {
    std::vector<Word> factors;
    Word word = 1;
    for (std::uint64_t k = low + 1 + (low & 1); k <= high; k += 2) {
        if (DoubleWord(word) * k >> 64) {
            factors.push_back(word);
            word = 1;
        }
        word *= k;
    }
    if (word != 1) factors.push_back(word);
    if (factors.empty()) return BigUnsigned(1u);
    return productOf(factors, 0, factors.size());
}

} // namespace

// n! = 2^(n - popcount(n)) * O(n) * O(n/2) * O(n/4) * ..., where O(m) is the product of the
// odd numbers up to m: the odd part of each factor k <= n, k = j 2^i with j odd, is
// counted once, in O(n >> i). From the top level down, O(n >> i) is O(n >> (i + 1)) times
// the odd numbers in between, and the result gathers every O.
BigUnsigned factorial(std::uint32_t n) {
    if (n < 2) return BigUnsigned(1u);
    BigUnsigned odd(1u), result(1u);
    for (int i = std::bit_width(n) - 1; i >= 0; --i) {
        bigint::checkInterrupt();
        const std::uint64_t high = std::uint64_t(n) >> i, low = high >> 1;
        if (high > low + 1 || (high & 1)) {
            BigUnsigned between = oddProduct(low, high);
            if (!(between.getLength() == 1 && between.getBlock(0) == 1)) odd.multiply(odd, between);
        }
        if (!(odd.getLength() == 1 && odd.getBlock(0) == 1)) result.multiply(result, odd);
    }
    BigUnsigned shifted;
    shifted.bitShiftLeft(result, int(n - std::uint32_t(std::popcount(n))));
    return shifted;
}
