// SPDX-License-Identifier: MIT
// The limits that keep hostile texts from exhausting the machine: the result budget
// (integers up to it are exact, larger ones have no value, refused before the work is done)
// and the nesting depth of an evaluation.

#include "number/evaluator.h"
#include "number/floatChecks.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"
#include "number/valueKind.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/float_digits.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

using evaluation_support::repeated;

// The cache remembers every result, also the ones refused under a lowered budget. These
// tests evaluate in grads, which no other test uses for integer texts, so that what they
// leave behind cannot answer another test's look-up.
class LimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::setAngleUnit(Grads);
        settings::setValueRange(0, true);
    }
    void TearDown() override {
        resultBudget::setMaxBits(resultBudget::defaultMaxBits);
        settings::setAngleUnit(Degrees);
    }
    static NumberKind kindOf(const char16_t *text) { return evaluateExpression(text)->kind; }
    static NumberRef evaluateDeep(const std::u16string &text) {
        NumberRef n;
        runWithLargeStack([&] { n = evaluateExpression(text); });
        return n;
    }
};

TEST_F(LimitsTest, HugeResultsHaveNoValueAtTheDefaultBudget) {
    for (const char16_t *text :
         {u"9^9^9", u"99999999!", u"1<<2147483647", u"2^2147483647", u"2^200000000*2^200000000",
          u"3^300000000", u"10^100000001", u"-(7^2000000000)"}) {
        SCOPED_TRACE(std::string(text, text + std::char_traits<char16_t>::length(text)));
        EXPECT_EQ(kindOf(text), NoValue);
    }
}

TEST_F(LimitsTest, ResultsUpToTheBudgetStayExact) {
    resultBudget::setMaxBits(1000);
    struct Row {
        const char16_t *text;
        NumberKind kind;
    };
    // Each pair straddles the limit: 1000 bits fit, 1001 do not.
    const Row rows[] = {
        {u"2^999", Integer},
        {u"2^1000", NoValue},
        {u"1<<999", Integer},
        {u"1<<1000", NoValue},
        {u"(2^999)+(2^999)-1", NoValue}, // the sum needs 1001 bits before the subtraction
        {u"(2^999)+((2^999)-1)", Integer},
        {u"(2^500)*(2^499)", Integer},
        {u"(2^500)*(2^500)", NoValue},
        {u"(-3)^630", Integer},
        {u"3^631", NoValue},
        {u"7^356", Integer},
        {u"7^357", NoValue},
        {u"(2^64+1)^15", Integer},
        {u"(2^64+1)^16", NoValue},
        {u"167!", Integer},
        {u"168!", NoValue},
        {u"(1<<999)>>999", Integer},
        {u"((1<<999)<<1)>>1", NoValue},
        {u"0<<100000", Integer},
        {u"0*(2^1000)", NoValue},
        {u"1^2000000000", Integer},
        {u"(-1)^2000000001", Integer},
        {u"2^1000.5", Float},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(
            std::string(row.text, row.text + std::char_traits<char16_t>::length(row.text)));
        EXPECT_EQ(kindOf(row.text), row.kind);
    }
    // 1e600 is a float in x87's range; past a double's (armhf, ppc64el) the product fails.
    if (float_digits::x87Range) {
        EXPECT_EQ(kindOf(u"1e300*1e300"), Float);
    } else {
        const char *failure = "";
        try {
            kindOf(u"1e300*1e300");
        } catch (const char *message) {
            failure = message;
        }
        EXPECT_STREQ(failure, floatcheck::overflow);
    }
}

TEST_F(LimitsTest, HostileTextsEndWithOrWithoutAValue) {
    const std::u16string literal(1 << 20, u'9');
    const struct {
        std::u16string text;
        NumberKind kind;
        bool deep = false; // nests deeper than every limit
    } rows[] = {
        // Brackets around a whole text hand the integer on without writing its digits.
        {repeated(u"(", 50) + u"2^5000000" + repeated(u")", 50), Integer},
        // A hundred 12-million-digit partial sums.
        {repeated(u"2^40000000+", 99) + u"2^40000000", Integer},
        {repeated(u"2^4000000+", 9) + u"2^4000000", Integer},
        {literal, Integer},
        {literal + u"!", NoValue},
        {repeated(u"9^", 300000) + u"9", NoValue, true},
        // NUL and the other control characters around a text are white space.
        {std::u16string(u"\0\0 7\0", 5), Integer},
        {std::u16string(u"1+\0", 3), NoValue},
        {u"1+\xD800", NoValue},
        {u"\xDC00\xD800" + repeated(u"\xFFFF(", 1000), NoValue},
    };
    for (const auto &row : rows) {
        if (row.deep && evaluation_support::deepestTestedText < int(maxEvaluationHeight)) continue;
        EXPECT_EQ(evaluateDeep(row.text)->kind, row.kind) << row.text.size() << " characters";
    }
    EXPECT_TRUE(formatNumber(*evaluateDeep(literal), Full) == literal);
}

} // namespace

namespace {

// In a limited range only the low bits of a result survive, and power, product, factorial
// and left shift compute only those: the same as computing in full and wrapping, for
// operands that the range leaves as they are, in each of the eight ranges.
TEST(LimitedRanges, ComputeOnlyTheBitsTheyKeep) {
    using namespace evaluation_support;
    std::mt19937_64 rng(11);
    for (const evaluation_support::Setup &range : {u8, s8, u16, s16, u32, s32, u64, s64}) {
        // Operands inside the range, so that wrapping them first changes nothing, and at
        // most 20 bits, so that the results computed in full stay small.
        const int valueBits = std::min(range.bits - (range.isSigned ? 1 : 0), 20);
        const std::int64_t high = (std::int64_t(1) << valueBits) - 1;
        auto operand = [&] {
            std::int64_t v = std::int64_t(rng() % std::uint64_t(high));
            if (range.isSigned && rng() % 2) v = -v;
            const std::string digits = std::to_string(v);
            return v < 0 ? "(" + digits + ")" : digits;
        };
        for (int i = 0; i < 150; ++i) {
            const std::string texts[] = {
                operand() + "^" +
                    std::to_string(rng() % std::uint64_t(std::min<std::int64_t>(high, 400))),
                operand() + "*" + operand(),
                operand() + "<<" + std::to_string(rng() % 100),
                std::to_string(rng() % std::uint64_t(std::min<std::int64_t>(high, 300))) + "!",
            };
            for (const std::string &text : texts) {
                const std::u16string t = utf8ToUtf16(text);
                settings::setValueRange(0, true);
                const NumberRef full = evaluateExpression(t);
                Number wrapped;
                wrapped.kind = full->kind;
                wrapped.integerValue = full->integerValue;
                wrapped.rangeBits = range.bits;
                wrapped.rangeSigned = range.isSigned;
                applyValueRange(wrapped);
                settings::setValueRange(range.bits, range.isSigned);
                const NumberRef ranged = evaluateExpression(t);
                settings::setValueRange(0, true);
                ASSERT_EQ(full->kind, Integer) << text;
                ASSERT_EQ(ranged->kind, Integer) << text;
                EXPECT_TRUE(ranged->integerValue == wrapped.integerValue)
                    << text << " in " << range.bits << (range.isSigned ? " signed" : " unsigned");
            }
        }
    }
}

// Results far past the budget that the wrap makes small: computed, at once.
TEST(LimitedRanges, HugeResultsThatWrapSmallHaveTheirValue) {
    settings::setValueRange(32, false);
    const struct {
        const char16_t *text;
        const char16_t *full;
    } rows[] = {
        {u"3^1000000000", u"783845377"}, {u"1<<400000000", u"0"},          {u"100000000!", u"0"},
        {u"33!", u"2147483648"},         {u"7^2147483647", u"3067833783"},
    };
    for (const auto &row : rows)
        EXPECT_TRUE(formatNumber(*evaluateExpression(row.text), Full) == row.full);
    settings::setValueRange(0, true);
}

} // namespace
