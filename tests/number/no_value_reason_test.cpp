// SPDX-License-Identifier: MIT
// Why an evaluation has no value: each way a text can fail names its own reason, an operand
// without value passes its reason up through every operator and bracket, and the reason is
// the same whether the text is made fresh or found in the cache.

#include "bigint/interrupt.h"
#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/largeStack.h"
#include "number/noValueReason.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"
#include "number/valueKind.h"
#include "tests/number/evaluation_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using evaluation_support::repeated;
using R = NoValueReason;

struct ReasonRow {
    std::u16string_view text;
    NoValueReason reason;
    std::string detail; // the reason's detail, when it has one
};

std::string describeOf(const Number &n) {
    return describeNoValue(n.reason, n.reasonText ? *n.reasonText : "");
}

TEST(NoValueReasons, EachFailureSaysWhy) {
    const ReasonRow rows[] = {
        {u"2+", R::missingOperand, ""},
        {u"*3", R::missingOperand, ""},
        {u"sin", R::missingOperand, ""},
        {u"2*(", R::unbalancedBrackets, ""},
        {u"(1", R::unbalancedBrackets, ""},
        {u"1)", R::unbalancedBrackets, ""},
        {u"2*3)+1", R::unbalancedBrackets, ""},
        {u"()", R::emptyBrackets, ""},
        {u"foo", R::unknownName, "foo"},
        {u"SIN 30", R::unknownName, "SIN 30"},
        {u"pi-1", R::unknownName, "pi-1"},
        {u"1.2.3", R::malformedNumber, "1.2.3"},
        {u"0x", R::malformedNumber, "0x"},
        {u"0x1.5", R::malformedNumber, "0x1.5"},
        {u"0b102", R::malformedNumber, "0b102"},
        {u"2pi", R::malformedNumber, "2pi"},
        {u"1e2e3", R::malformedNumber, "1e2e3"},
        {u"1e500", R::exponentOver500, "1e500"},
        {u"2*1e-600", R::exponentOver500, "1e-600"},
        {u"(sqrt -1)+1", R::notFiniteInBrackets, ""},
        {u"5/0", R::divisionByZero, ""},
        {u"5/(1-1)", R::divisionByZero, ""},
        {u"7%0", R::divisionByZero, ""},
        {u"1.5/0.0", R::divisionByZero, ""},
        {u"7.5%2", R::moduloOfFloat, ""},
        {u"6|0.5", R::bitwiseOfFloat, ""},
        {u"~0.5", R::bitwiseOfFloat, ""},
        {u"1.5<<1", R::shiftOfFloat, ""},
        {u"1<<-1", R::shiftCountRange, ""},
        {u"1>>2^31", R::shiftCountRange, ""},
        {u"(-3)!", R::factorialDomain, ""},
        {u"2.5!", R::factorialDomain, ""},
        {u"(2^31)!", R::factorialDomain, ""},
        {u"2^2147483648", R::exponentTooLarge, ""},
        {u"floor sqrt -1", R::roundingNotFinite, ""},
        {u"round 1e30", R::roundingTooLarge, ""},
        {u"9^9^9", R::overBudget, ""},
        {u"99999999!", R::overBudget, ""},
        {u"1<<400000000", R::overBudget, ""},
    };
    for (const ReasonRow &row : rows) {
        const std::string text = utf16ToUtf8(row.text);
        const NumberRef n = evaluateExpression(row.text);
        ASSERT_EQ(n->kind, NoValue) << text;
        EXPECT_EQ(n->reason, row.reason) << text << ": " << describeOf(*n);
        EXPECT_EQ(n->reasonText ? *n->reasonText : "", row.detail) << text;
        // Found again in the cache, it says the same.
        EXPECT_EQ(evaluateExpression(row.text)->reason, row.reason) << text;
    }
}

TEST(NoValueReasons, AnOperandPassesItsReasonUp) {
    // The failing part sits under every kind of operator, function, sign and bracket.
    const std::u16string_view wrappers[] = {
        u"1+X",   u"X*2",   u"2^X",     u"X||1",  u"1 and X", u"X|1",  u"X xor 1",
        u"X&1",   u"X==1",  u"X<1",     u"X<<1",  u"1%X",     u"-X",   u"+X",
        u"!X",    u"~X",    u"not X",   u"sin X", u"sqrt X",  u"X!",   u"X\u00B2",
        u"abs X", u"(X)+1", u"[{X}]*2", u"exp X", u"round X", u"((X))"};
    for (const std::u16string_view wrapper : wrappers) {
        std::u16string text(wrapper);
        text.replace(text.find(u'X'), 1, u"foo");
        const NumberRef n = evaluateExpression(text);
        ASSERT_EQ(n->kind, NoValue) << utf16ToUtf8(text);
        EXPECT_EQ(describeOf(*n), "unknown name 'foo'") << utf16ToUtf8(text);
    }
    // Of two failing operands, the first one's reason is given.
    EXPECT_EQ(evaluateExpression(u"1/0+foo")->reason, R::divisionByZero);
    EXPECT_EQ(evaluateExpression(u"foo+1/0")->reason, R::unknownName);
}

TEST(NoValueReasons, LongDetailsAreShortened) {
    const std::u16string name = repeated(u"x", 1000);
    const NumberRef n = evaluateExpression(name);
    ASSERT_EQ(n->reason, R::unknownName);
    EXPECT_EQ(*n->reasonText, std::string(40, 'x') + "...");
}

TEST(NoValueReasons, RangeAndDepthLimits) {
    {
        evaluation_support::SettingsScope u8(evaluation_support::u8);
        EXPECT_EQ(evaluateExpression(u"ln 0")->reason, R::rangeNotFinite);
        EXPECT_EQ(evaluateExpression(u"(ln 0)*2")->reason, R::rangeNotFinite);
    }
    NumberRef deep;
    runWithLargeStack([&] { deep = evaluateExpression(repeated(u"-", 70000) + u"1"); });
    EXPECT_EQ(deep->reason, R::tooDeep);
    EXPECT_EQ(describeOf(*deep), "expression nested more than 65536 levels deep");
}

// Random texts from the language's characters: whatever has no value says why.
TEST(NoValueReasons, NoTextIsWithoutAReason) {
    const std::u16string_view alphabet =
        u"0123456789.,eExXbB#()[]+-*/%^!~|&=<>\u00B2\u00B3 sinlogpa";
    std::mt19937 random(20261207);
    int withoutValue = 0;
    for (int i = 0; i < 20000; ++i) {
        std::u16string text(1 + random() % 12, u' ');
        for (char16_t &c : text)
            c = alphabet[random() % alphabet.size()];
        NumberRef n;
        try {
            n = evaluateExpression(text);
        } catch (const char *) {
            continue; // a float failure, reported as its message
        }
        if (n->kind != NoValue) continue;
        ++withoutValue;
        EXPECT_NE(n->reason, R::none) << utf16ToUtf8(text);
    }
    EXPECT_GT(withoutValue, 1000);
}

TEST(NoValueReasons, EveryReasonHasItsText) {
    for (int r = int(R::missingOperand); r <= int(R::tooDeep); ++r)
        EXPECT_NE(describeNoValue(NoValueReason(r), "x"), "no value") << r;
    EXPECT_EQ(describeNoValue(R::overBudget, ""), "result larger than 332192810 bits");
}

// An interruption stops an evaluation with Interrupted; nothing half-made is cached, and the
// same text evaluates in full afterwards.
TEST(Interruption, StopsTheComputationAndLeavesTheCacheWhole) {
    const std::u16string text = u"(3^2000000)%1000007+4"; // reached only through multiplications
    bigint::requestInterrupt();
    EXPECT_THROW(evaluateExpression(text), bigint::Interrupted);
    bigint::clearInterrupt();
    const NumberRef n = evaluateExpression(text);
    ASSERT_EQ(n->kind, Integer);
    // 3^2000000 mod 1000007, by modular exponentiation.
    std::uint64_t power = 1, base = 3;
    for (std::uint64_t e = 2000000; e; e >>= 1, base = base * base % 1000007)
        if (e & 1) power = power * base % 1000007;
    EXPECT_EQ(low64(n->integerValue), power + 4);
}

} // namespace
