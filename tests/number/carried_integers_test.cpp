// SPDX-License-Identifier: MIT
// A long bracketed integer travels through its rebuilt text as a token, not as its digits;
// every text must still give exactly what it gives with the digits written out, and a
// typed text that looks like a token must never be taken for one.
#include "number/NumberCache.h"
#include "number/carriedIntegers.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace evaluation_support;

struct Answer {
    NumberKind kind = NoValue;
    std::u16string text; // the Full text, or the failure's message
    NoValueReason reason = NoValueReason::none;
    std::string detail;
    bool operator==(const Answer &) const = default;
};

Answer answerOf(const std::u16string &text) {
    Answer a;
    try {
        const NumberRef n = evaluateExpression(text);
        a.kind = n->kind;
        a.text = formatNumber(*n, Full);
        a.reason = n->reason;
        a.detail = n->reasonText ? *n->reasonText : "";
    } catch (const char *failure) {
        a.text = asciiToUtf16(failure);
    }
    return a;
}

// text with each outermost bracketed part written out as " digits ", as the evaluator
// rebuilds it without tokens. The rows' bracketed parts all have an integer value.
std::u16string writtenOut(std::u16string_view text) {
    std::u16string out;
    std::size_t depth = 0, open = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'(') {
            if (depth++ == 0) open = i;
        } else if (text[i] == u')' && depth > 0 && --depth == 0) {
            const NumberRef inner = evaluateExpression(text.substr(open + 1, i - open - 1));
            EXPECT_EQ(inner->kind, Integer) << utf16ToUtf8(text);
            out += u' ';
            out += formatNumber(*inner, Full);
            out += u' ';
        } else if (depth == 0) {
            out += text[i];
        }
    }
    return out;
}

TEST(CarriedIntegers, TextsGiveWhatTheirWrittenOutDigitsGive) {
    // 2^223 has 7 blocks and is written out; 2^255 has 8 and is carried.
    const std::vector<std::string> rows = {
        "(2^300)&1",
        "(2^300)+1",
        "(2^300)-(2^300)",
        "(2^255)*(2^223)",
        "(2^223)+1",
        "-(2^300)",
        "+(2^300)",
        "(-(2^300))^2",
        "(-(2^300))^2-(2^600)",
        "3(-(2^300))",           // the token's sign is a binary minus here
        "3(-(2^300))(-(2^300))", // and here twice
        "2^(-(2^300))",          // the power of the negative value
        "(2^300) foo",           // a malformed number, its detail in digits
        "foo (2^300)",           // an unknown name, its detail in digits
        "(2^300)e5",
        "(2^300).5",
        "(2^300)!",
        "(2^300)²",
        "(2^300)³-(2^900)",
        "~(2^300)",
        "!(2^300)",
        "not (2^300)",
        "(2^300)==(2^300)",
        "(2^300) eq (2^300)",
        "(2^300)<<2>>(2^3)",
        "(2^300)>(2^299)",
        "(2^300)/(2^290)",
        "(2^300)%(3^100)",
        "(2^300) xor (2^300) or (2^301) and 1",
        "(2^300)||(2^300)&&0",
        "sin(2^300)",
        "abs(-(2^300))",
        "sqrt(2^300)",
        "(2^300)*1.5",
        "(10^5000)%7",
        "(10^5000)-(10^5000-1)",
        "(2^300)(2^300)",
        "(2^300)+",
        "(2^300)))",
        "((2^300)+(2^300))*((2^300)-(2^301))",
        "[2^300]*{2^300}-(2^600)",
    };
    for (int pass = 0; pass < 2; ++pass) { // in an empty cache, then with every part cached
        if (pass == 0) emptyCache();
        for (const std::string &row : rows) {
            const std::u16string text = utf8ToUtf16(row);
            const std::u16string reference = writtenOut(text);
            EXPECT_EQ(answerOf(text), answerOf(reference))
                << row << " against " << utf16ToUtf8(reference) << " (pass " << pass << ")";
        }
    }
}

TEST(CarriedIntegers, ATypedTokenIsNeverTakenForAValue) {
    emptyCache();
    const NumberRef product = evaluateExpression(std::u16string_view(u"(2^300)*3"));
    ASSERT_EQ(product->kind, Integer);
    // The name the bracketed 2^300 got in the rebuilt text " <token> *3".
    const NumberRef inner = evaluateExpression(std::u16string_view(u"2^300"));
    const std::uint64_t name = inner->carriedName.load();
    ASSERT_NE(name, 0u);
    const std::u16string token = carriedIntegerMark + utf8ToUtf16(std::to_string(name));

    // Typed, the same texts (and texts holding them) have no value: the mark is no digit.
    for (const std::u16string &typed :
         {u" " + token + u" *3", token, u"2+ " + token + u" *3", u"(2^300)+" + token, u"-" + token,
          u"(" + token + u")", u"(2^300)*(" + token + u")"}) {
        const NumberRef n = evaluateExpression(typed);
        EXPECT_EQ(n->kind, NoValue) << utf16ToUtf8(typed);
        EXPECT_EQ(n->reason, NoValueReason::unknownName) << utf16ToUtf8(typed);
    }
    // And what they left in the cache does not change the true token's answer.
    EXPECT_EQ(evaluateExpression(std::u16string_view(u"(2^300)*3")), product);
    EXPECT_EQ(answerOf(u"(2^300)*3+1"), answerOf(writtenOut(u"(2^300)*3+1")));
}

TEST(CarriedIntegers, EachNumberKeepsOneNameAndNoOtherHasIt) {
    emptyCache();
    evaluateExpression(std::u16string_view(u"(2^300)+(3^200)+(2^300)"));
    NumberRef a = evaluateExpression(std::u16string_view(u"2^300"));
    NumberRef b = evaluateExpression(std::u16string_view(u"3^200"));
    const std::uint64_t nameA = a->carriedName.load(), nameB = b->carriedName.load();
    EXPECT_NE(nameA, 0u);
    EXPECT_NE(nameB, 0u);
    EXPECT_NE(nameA, nameB);
    evaluateExpression(std::u16string_view(u"(2^300)*(3^200)"));
    EXPECT_EQ(a->carriedName.load(), nameA);
    // A Number made again after the cache dropped the first gets a name of its own, so the
    // entries that still hold the old name can never answer for it.
    const Number *first = a.get();
    a.reset();
    b.reset();
    emptyCache();
    evaluateExpression(std::u16string_view(u"(2^300)-1"));
    const NumberRef a2 = evaluateExpression(std::u16string_view(u"2^300"));
    EXPECT_NE(a2.get(), first);
    EXPECT_NE(a2->carriedName.load(), nameA);
    EXPECT_NE(a2->carriedName.load(), nameB);
}

} // namespace
