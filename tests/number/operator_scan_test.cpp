// SPDX-License-Identifier: MIT
// The index that replaces scanning in long texts: for every piece of a text, the split, the
// next parenthesis and the hash found through the index are those a plain scan of the
// piece's own characters finds.

#include "number/evaluator.h"
#include "number/operatorScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Operator-dense texts: every level's spellings, the look-alikes that must not split
// ("bitor", "floor", "not_eq", "**", "<<"), signs after letters and exponents, spaces, "!".
std::u16string randomText(std::mt19937 &rng, std::size_t length) {
    static const char16_t *const parts[] = {
        u"1",  u"23",    u"e",   u"x",  u"||", u"or",     u"floor",  u"&&", u"and", u"bitand",
        u"|",  u"bitor", u"xor", u"&",  u"==", u"eq",     u"not_eq", u"!=", u"<",   u">",
        u"<=", u">=",    u"<<",  u">>", u"+",  u"-",      u"*",      u"/",  u"%",   u"^",
        u"**", u"(",     u")",   u" ",  u"!",  u"\u00B2", u"t",      u"_",  u"sin", u"1e-",
    };
    std::u16string t;
    std::uniform_int_distribution<std::size_t> pick(0, std::size(parts) - 1);
    while (t.size() < length)
        t += parts[pick(rng)];
    return t;
}

TEST(OperatorScan, TheIndexFindsWhatAScanFinds) {
    std::mt19937 rng(2024);
    int compared = 0;
    for (int round = 0; round < 12; ++round) {
        const SharedText whole(randomText(rng, 160));
        // Enough plain work to make the text build its index before the pieces are looked at.
        ASSERT_NE(whole.textBuffer()->operatorIndex(std::size_t(1) << 20), nullptr);
        const std::size_t n = whole.size();
        for (std::size_t begin = 0; begin < n; ++begin) {
            for (std::size_t end = begin + 1; end <= n; ++end) {
                const SharedText piece = whole.piece(begin, end - begin);
                const std::u16string_view chars = piece.view();
                const auto indexed = findSplit(piece);
                const auto scanned = scanSplit(chars);
                ASSERT_EQ(indexed.has_value(), scanned.has_value()) << begin << ".." << end;
                if (indexed) {
                    ASSERT_EQ(indexed->at, scanned->at) << begin << ".." << end;
                    ASSERT_EQ(indexed->rightStart, scanned->rightStart);
                    ASSERT_EQ(indexed->op, scanned->op);
                }
                // The same piece as a text of its own, too short or too new for an index.
                const SharedText alone{std::u16string(chars)};
                for (std::size_t from = 0; from < chars.size(); from += 7) {
                    const auto a = nextParenthesis(piece, from), b = nextParenthesis(alone, from);
                    ASSERT_EQ(a.has_value(), b.has_value());
                    if (a) {
                        ASSERT_EQ(a->open, b->open);
                        ASSERT_EQ(a->close, b->close) << begin << ".." << end << " from " << from;
                    }
                }
                ASSERT_EQ(piece.hash(), hashText(chars));
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 100000);
}

// Texts are compared by their characters, whatever text they are a piece of.
TEST(OperatorScan, EqualCharactersHashAlikeWhereverTheyLie) {
    const SharedText a(std::u16string(200, u'7') + u"+1+2"), b(std::u16string(u"+1+2"));
    a.textBuffer()->operatorIndex(std::size_t(1) << 20);
    EXPECT_EQ(a.piece(200).hash(), b.hash());
    EXPECT_EQ(a.piece(201, 3).hash(), b.piece(1).hash());
    EXPECT_NE(a.piece(199, 5).hash(), b.hash());
}

} // namespace

namespace {

// A function name never reads as an operator: none contains an operator keyword ("or" in
// "floor" is the one look-alike the rules know), and a name that ends in a digit ("log10")
// does not make the sign after its parenthesis a sign of that digit.
TEST(FunctionNames, NeverSplitATextAnewByTheirLetters) {
    for (std::u16string_view name : functionNames()) {
        const std::u16string call = std::u16string(name) + u"(2)";
        EXPECT_FALSE(scanSplit(call)) << std::string(name.begin(), name.end());
        for (std::u16string_view after : {u"+1", u"-1", u"*3", u"or 1"}) {
            const std::u16string text = call + std::u16string(after);
            const auto split = scanSplit(text);
            ASSERT_TRUE(split) << std::string(text.begin(), text.end());
            EXPECT_EQ(split->at, call.size()) << std::string(text.begin(), text.end());
        }
    }
}

} // namespace
