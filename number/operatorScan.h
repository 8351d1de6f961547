// SPDX-License-Identifier: MIT
#pragma once
// Where the evaluator splits a text: the first parenthesis and its partner, and the binary
// operator of the loosest level, each level scanned in its own direction with its own
// rules for what counts as the operator. Scanning a text costs a pass over it; a text split
// again and again (a chain of n operators is split n times) gets an OperatorIndex of the
// positions where each level's operators match, and each split becomes a look-up. Both ways
// find the same position for every text.

#include "number/SharedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

enum class BinaryOp {
    logicalOr,
    logicalAnd,
    bitwiseOr,
    bitwiseXor,
    bitwiseAnd,
    equal,
    notEqual,
    greaterOrEqual,
    greater,
    lessOrEqual,
    less,
    shiftLeft,
    shiftRight,
    add,
    subtract,
    multiply,
    divide,
    modulo,
    power,
};

struct Split {
    std::size_t at = 0;         // where the operator starts
    std::size_t rightStart = 0; // where the right operand starts
    BinaryOp op{};
};

// The levels, loosest first; all but the last are scanned from the right.
inline constexpr int operatorLevelCount = 11;

// The operator of the loosest level in t (positions relative to t), or nothing.
std::optional<Split> findSplit(const SharedText &t);
// The same, by scanning t alone (no index); for tests and short texts.
std::optional<Split> scanSplit(std::u16string_view t);

// The first "(" at or after position `from` of t, and the position of its partner in t
// (nothing when t has no partner for it).
struct Parenthesis {
    std::size_t open;
    std::optional<std::size_t> close;
};
std::optional<Parenthesis> nextParenthesis(const SharedText &t, std::size_t from);

// For one text: the positions where each level's operators match with the whole text
// around them, and every "(" with its partner.
class OperatorIndex {
public:
    explicit OperatorIndex(std::u16string_view text);

    // Rightmost (or leftmost) match of `level` in [begin, end), or nothing.
    std::optional<std::size_t> lastMatch(int level, std::size_t begin, std::size_t end) const;
    std::optional<std::size_t> firstMatch(int level, std::size_t begin, std::size_t end) const;
    // The first "(" in [begin, end) and its partner anywhere after it (npos when none).
    std::optional<std::pair<std::size_t, std::size_t>> firstOpen(std::size_t begin,
                                                                 std::size_t end) const;
    std::size_t footprint() const;

private:
    std::array<std::vector<std::uint32_t>, operatorLevelCount> matches;
    std::vector<std::uint32_t> opens;    // every "(" in order
    std::vector<std::uint32_t> partners; // the partner of opens[i], or UINT32_MAX
};
