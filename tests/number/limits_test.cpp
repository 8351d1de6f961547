// The limits that keep hostile texts from exhausting the machine: the result budget
// (integers up to it are exact, larger ones have no value, refused before the work is done)
// and the nesting depth of an evaluation.

#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/resultBudget.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string repeated(std::u16string_view part, int count) {
    std::u16string s;
    for (int i = 0; i < count; ++i)
        s += part;
    return s;
}

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
    for (const char16_t *text : {u"9^9^9", u"99999999!", u"1<<2147483647", u"2^2147483647",
                                 u"2^200000000*2^200000000", u"3^300000000", u"10^100000001",
                                 u"-(7^2000000000)"}) {
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
        {u"2^999", Integer},        {u"2^1000", NoValue},
        {u"1<<999", Integer},       {u"1<<1000", NoValue},
        {u"(2^999)+(2^999)-1", NoValue}, // the sum needs 1001 bits before the subtraction
        {u"(2^999)+((2^999)-1)", Integer},
        {u"(2^500)*(2^499)", Integer}, {u"(2^500)*(2^500)", NoValue},
        {u"(-3)^630", Integer},     {u"3^631", NoValue},
        {u"7^356", Integer},        {u"7^357", NoValue},
        {u"(2^64+1)^15", Integer},  {u"(2^64+1)^16", NoValue},
        {u"167!", Integer},         {u"168!", NoValue},
        {u"(1<<999)>>999", Integer}, {u"((1<<999)<<1)>>1", NoValue},
        {u"0<<100000", Integer},    {u"0*(2^1000)", NoValue},
        {u"1^2000000000", Integer}, {u"(-1)^2000000001", Integer},
        {u"2^1000.5", Float},       {u"1e300*1e300", Float},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text, row.text + std::char_traits<char16_t>::length(row.text)));
        EXPECT_EQ(kindOf(row.text), row.kind);
    }
}

TEST_F(LimitsTest, HostileTextsEndWithOrWithoutAValue) {
    const std::u16string literal(1 << 20, u'9');
    const struct {
        std::u16string text;
        NumberKind kind;
    } rows[] = {
        // Brackets around a whole text hand the integer on without writing its digits.
        {repeated(u"(", 50) + u"2^5000000" + repeated(u")", 50), Integer},
        // A hundred 12-million-digit partial sums.
        {u"2^40000000" + repeated(u"+2^40000000", 99), Integer},
        {u"2^4000000" + repeated(u"+2^4000000", 9), Integer},
        {literal, Integer},
        {literal + u"!", NoValue},
        {u"9" + repeated(u"^9", 300000), NoValue},
        // NUL and the other control characters around a text are white space.
        {std::u16string(u"\0\0 7\0", 5), Integer},
        {std::u16string(u"1+\0", 3), NoValue},
        {u"1+\xD800", NoValue},
        {u"\xDC00\xD800" + repeated(u"\xFFFF(", 1000), NoValue},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(evaluateDeep(row.text)->kind, row.kind) << row.text.size() << " characters";
    }
    EXPECT_TRUE(formatNumber(*evaluateDeep(literal), Full) == literal);
}

} // namespace
