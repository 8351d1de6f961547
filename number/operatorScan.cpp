// SPDX-License-Identifier: MIT
#include "number/operatorScan.h"

#include <algorithm>
#include <bit>
#include <initializer_list>
#include <limits>

namespace {

using View = std::u16string_view;

bool at(View t, std::size_t i, View s) {
    return i + s.size() <= t.size() && t.substr(i, s.size()) == s;
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool pairAt(View t, std::size_t i, char16_t a, char16_t b) {
    return i + 1 < t.size() && t[i] == a && t[i + 1] == b;
}

Split split(std::size_t i, std::size_t opLength, BinaryOp op) {
    return Split{i, i + opLength, op};
}

// Whether the operator of `level` starts at position i of t, reading only t (never past
// either end). Every operator starts with a character that is not a decimal digit.
std::optional<Split> matchAt(int level, View t, std::size_t i) {
    const char16_t c = t[i];
    switch (level) {
    case 0: // logical or: "||", and "or" that is not the end of "bitor", "xor" or "floor"
        if (pairAt(t, i, u'|', u'|')) return split(i, 2, BinaryOp::logicalOr);
        if (pairAt(t, i, u'o', u'r') && i >= 1 && t[i - 1] != u't' && t[i - 1] != u'x' &&
            !(i >= 3 && at(t, i - 3, u"floor")))
            return split(i, 2, BinaryOp::logicalOr);
        return std::nullopt;
    case 1: // logical and: "&&", and "and" that is not the end of "bitand"
        if (pairAt(t, i, u'&', u'&')) return split(i, 2, BinaryOp::logicalAnd);
        if (c == u'a' && at(t, i, u"and") && i >= 1 && t[i - 1] != u't')
            return split(i, 3, BinaryOp::logicalAnd);
        return std::nullopt;
    case 2:
        if (c == u'|') return split(i, 1, BinaryOp::bitwiseOr);
        if (c == u'b' && at(t, i, u"bitor")) return split(i, 5, BinaryOp::bitwiseOr);
        return std::nullopt;
    case 3:
        if (c == u'x' && at(t, i, u"xor")) return split(i, 3, BinaryOp::bitwiseXor);
        return std::nullopt;
    case 4:
        if (c == u'&') return split(i, 1, BinaryOp::bitwiseAnd);
        if (c == u'b' && at(t, i, u"bitand")) return split(i, 6, BinaryOp::bitwiseAnd);
        return std::nullopt;
    case 5: // equality: "==", "eq" (not the end of "not_eq"), "!=", "not_eq"
        if (pairAt(t, i, u'=', u'=')) return split(i, 2, BinaryOp::equal);
        if (pairAt(t, i, u'e', u'q') && i >= 1 && t[i - 1] != u'_')
            return split(i, 2, BinaryOp::equal);
        if (pairAt(t, i, u'!', u'=')) return split(i, 2, BinaryOp::notEqual);
        if (c == u'n' && at(t, i, u"not_eq")) return split(i, 6, BinaryOp::notEqual);
        return std::nullopt;
    case 6: { // relational; a single "<" or ">" that belongs to a shift does not count
        if (c != u'>' && c != u'<') return std::nullopt;
        const bool gt = c == u'>';
        if (i + 1 < t.size() && t[i + 1] == u'=')
            return split(i, 2, gt ? BinaryOp::greaterOrEqual : BinaryOp::lessOrEqual);
        if ((i + 1 >= t.size() || t[i + 1] != c) && (i == 0 || t[i - 1] != c))
            return split(i, 1, gt ? BinaryOp::greater : BinaryOp::less);
        return std::nullopt;
    }
    case 7:
        if (pairAt(t, i, u'<', u'<')) return split(i, 2, BinaryOp::shiftLeft);
        if (pairAt(t, i, u'>', u'>')) return split(i, 2, BinaryOp::shiftRight);
        return std::nullopt;
    case 8: { // additive: binary only after a digit, ")", "²" or "³" (spaces and "!" skipped);
              // otherwise a sign, or the sign of an exponent as in 1e-5
        if (c != u'+' && c != u'-') return std::nullopt;
        std::size_t j = i;
        while (j > 0 && (t[j - 1] == u' ' || t[j - 1] == u'!'))
            --j;
        if (j == 0) return std::nullopt;
        const char16_t before = t[j - 1];
        if (isDigit(before) || before == u')' || before == u'\u00B2' || before == u'\u00B3')
            return split(i, 1, c == u'+' ? BinaryOp::add : BinaryOp::subtract);
        return std::nullopt;
    }
    case 9:
        if (c == u'*') {
            const bool partOfPower =
                (i > 0 && t[i - 1] == u'*') || (i + 1 < t.size() && t[i + 1] == u'*');
            if (partOfPower) return std::nullopt;
            return split(i, 1, BinaryOp::multiply);
        }
        if (c == u'/') return split(i, 1, BinaryOp::divide);
        if (c == u'%') return split(i, 1, BinaryOp::modulo);
        return std::nullopt;
    default: // power, the one level scanned from the left: right-associative
        if (c == u'^') return split(i, 1, BinaryOp::power);
        if (pairAt(t, i, u'*', u'*')) return split(i, 2, BinaryOp::power);
        return std::nullopt;
    }
}

constexpr int powerLevel = operatorLevelCount - 1;

// For each ASCII character, the levels (bit l for level l) whose operators may start with it;
// matchAt finds nothing at a character outside its level's set. The scans test only these.
constexpr std::array<std::uint16_t, 128> levelsStartingWith = [] {
    std::array<std::uint16_t, 128> table{};
    auto mark = [&table](char c, std::initializer_list<int> levels) {
        for (int l : levels)
            table[std::size_t(c)] |= std::uint16_t(1u << l);
    };
    mark('|', {0, 2});
    mark('o', {0});
    mark('&', {1, 4});
    mark('a', {1});
    mark('b', {2, 4});
    mark('x', {3});
    mark('=', {5});
    mark('e', {5});
    mark('!', {5});
    mark('n', {5});
    mark('<', {6, 7});
    mark('>', {6, 7});
    mark('+', {8});
    mark('-', {8});
    mark('*', {9, powerLevel});
    mark('/', {9});
    mark('%', {9});
    mark('^', {powerLevel});
    return table;
}();

std::uint16_t levelsAt(View t, std::size_t i) {
    return t[i] < 128 ? levelsStartingWith[t[i]] : 0;
}

// An operator's rules read at most three characters before its position and six from it,
// so away from both ends of a piece they see what they would see in the whole text
// (the additive level's look-back aside, which the match at the position confirms).
constexpr std::size_t edge = 8;

std::optional<Split> scanDown(int level, View t, std::size_t from, std::size_t downTo) {
    const std::uint16_t bit = std::uint16_t(1u << level);
    for (std::size_t i = from; i-- > downTo;)
        if (levelsAt(t, i) & bit)
            if (auto m = matchAt(level, t, i)) return m;
    return std::nullopt;
}
std::optional<Split> scanUp(int level, View t, std::size_t from, std::size_t upTo) {
    const std::uint16_t bit = std::uint16_t(1u << level);
    for (std::size_t i = from; i < upTo; ++i)
        if (levelsAt(t, i) & bit)
            if (auto m = matchAt(level, t, i)) return m;
    return std::nullopt;
}

constexpr std::uint32_t noPartner = std::numeric_limits<std::uint32_t>::max();

} // namespace

std::optional<Split> scanSplit(View t) {
    // One pass from the right: the first match of a level seen is its last in the text, and
    // the loosest level found wins; the power level keeps its leftmost match.
    std::optional<Split> loosest, power;
    int loosestLevel = powerLevel;
    for (std::size_t i = t.size(); i-- > 0;) {
        std::uint16_t levels = levelsAt(t, i);
        levels &= std::uint16_t(((1u << loosestLevel) - 1) | (1u << powerLevel));
        while (levels) {
            const int level = std::countr_zero(levels);
            levels &= std::uint16_t(levels - 1);
            if (auto m = matchAt(level, t, i)) {
                if (level == powerLevel) {
                    power = m;
                } else {
                    loosest = m;
                    loosestLevel = level;
                    break; // the levels left in the set are tighter
                }
            }
        }
        if (loosestLevel == 0) break;
    }
    return loosest ? loosest : power;
}

std::optional<Split> findSplit(const SharedText &text) {
    const std::size_t len = text.size();
    const TextBuffer *buffer = text.textBuffer();
    const OperatorIndex *index = buffer && len > 3 * edge ? buffer->operatorIndex(len) : nullptr;
    const View t = text.view();
    if (!index) return scanSplit(t);

    // Near the ends the rules are checked on the piece itself; in between the index says
    // where they hold, and the match at that position confirms it.
    const std::size_t s = text.start();
    for (int level = 0; level < powerLevel; ++level) {
        if (auto m = scanDown(level, t, len, len - edge)) return m;
        if (auto c = index->lastMatch(level, s + edge, s + len - edge)) {
            if (auto m = matchAt(level, t, *c - s)) return m;
            if (auto m = scanDown(level, t, *c - s, edge)) return m;
        }
        if (auto m = scanDown(level, t, edge, 0)) return m;
    }
    if (auto m = scanUp(powerLevel, t, 0, edge)) return m;
    if (auto c = index->firstMatch(powerLevel, s + edge, s + len - edge)) {
        if (auto m = matchAt(powerLevel, t, *c - s)) return m;
        if (auto m = scanUp(powerLevel, t, *c - s + 1, len - edge)) return m;
    }
    return scanUp(powerLevel, t, len - edge, len);
}

std::optional<Parenthesis> nextParenthesis(const SharedText &text, std::size_t from) {
    const std::size_t len = text.size();
    if (from >= len) return std::nullopt;
    const TextBuffer *buffer = text.textBuffer();
    const std::size_t s = text.start();
    if (const OperatorIndex *index = buffer ? buffer->operatorIndex(len - from) : nullptr) {
        auto found = index->firstOpen(s + from, s + len);
        if (!found) return std::nullopt;
        Parenthesis p{found->first - s, std::nullopt};
        if (found->second < s + len) p.close = found->second - s;
        return p;
    }
    const View t = text.view();
    const std::size_t open = t.find(u'(', from);
    if (open == View::npos) return std::nullopt;
    Parenthesis p{open, std::nullopt};
    int depth = 0;
    for (std::size_t i = open + 1; i < len; ++i) {
        if (t[i] == u'(') {
            ++depth;
        } else if (t[i] == u')') {
            if (depth == 0) {
                p.close = i;
                break;
            }
            --depth;
        }
    }
    return p;
}

OperatorIndex::OperatorIndex(View text) {
    std::vector<std::uint32_t> pending; // "(" still open
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        for (std::uint16_t levels = levelsAt(text, i); levels;
             levels &= std::uint16_t(levels - 1)) {
            const int level = std::countr_zero(levels);
            if (matchAt(level, text, i)) matches[std::size_t(level)].push_back(std::uint32_t(i));
        }
        if (c == u'(') {
            pending.push_back(std::uint32_t(opens.size()));
            opens.push_back(std::uint32_t(i));
            partners.push_back(noPartner);
        } else if (c == u')' && !pending.empty()) {
            partners[pending.back()] = std::uint32_t(i);
            pending.pop_back();
        }
    }
}

std::optional<std::size_t> OperatorIndex::lastMatch(int level, std::size_t begin,
                                                    std::size_t end) const {
    const auto &m = matches[std::size_t(level)];
    auto it = std::lower_bound(m.begin(), m.end(), end);
    if (it == m.begin() || *(it - 1) < begin) return std::nullopt;
    return *(it - 1);
}

std::optional<std::size_t> OperatorIndex::firstMatch(int level, std::size_t begin,
                                                     std::size_t end) const {
    const auto &m = matches[std::size_t(level)];
    auto it = std::lower_bound(m.begin(), m.end(), begin);
    if (it == m.end() || *it >= end) return std::nullopt;
    return *it;
}

std::optional<std::pair<std::size_t, std::size_t>> OperatorIndex::firstOpen(std::size_t begin,
                                                                            std::size_t end) const {
    auto it = std::lower_bound(opens.begin(), opens.end(), begin);
    if (it == opens.end() || *it >= end) return std::nullopt;
    const std::uint32_t partner = partners[std::size_t(it - opens.begin())];
    return std::pair<std::size_t, std::size_t>(*it, partner == noPartner ? std::size_t(-1)
                                                                         : std::size_t(partner));
}

std::size_t OperatorIndex::footprint() const {
    std::size_t bytes = sizeof(*this) + (opens.capacity() + partners.capacity()) * 4;
    for (const auto &m : matches)
        bytes += m.capacity() * 4;
    return bytes;
}
