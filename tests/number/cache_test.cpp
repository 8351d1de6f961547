// numberCache as the evaluator and formatNumber use it: one Number per text and settings,
// result texts shared only between equal entries, failed creations left out, and several
// threads evaluating the same texts at once.

#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/floatChecks.h"
#include "number/format.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

std::size_t entryCount(std::u16string_view text, AngleUnit angle = Degrees) {
    std::lock_guard lock(numberCache.mutex());
    return numberCache.entriesLike(NumberKey{text, angle, true, 0}).size();
}

struct DefaultSettingsAtExit {
    ~DefaultSettingsAtExit() {
        settings::setAngleUnit(Degrees);
        settings::setValueRange(0, true);
    }
};

TEST(NumberCache, SameTextAndSettingsGiveTheSameNumber) {
    Number &first = evaluateExpression(u"17*3+0.25");
    EXPECT_EQ(&evaluateExpression(u"17*3+0.25"), &first);
    EXPECT_EQ(entryCount(u"17*3+0.25"), 1u);
    // The key is the text as given, not the trimmed one.
    Number &spaced = evaluateExpression(u" 17*3+0.25");
    EXPECT_NE(&spaced, &first);
    EXPECT_TRUE(formatNumber(spaced, Full) == formatNumber(first, Full));
}

TEST(NumberCache, AngleUnitAndValueRangeArePartOfTheKey) {
    DefaultSettingsAtExit restore;
    Number &degrees = evaluateExpression(u"sin 17+0");
    settings::setAngleUnit(Radians);
    Number &radians = evaluateExpression(u"sin 17+0");
    settings::setAngleUnit(Degrees);
    Number &degreesAgain = evaluateExpression(u"sin 17+0");
    settings::setValueRange(8, false);
    Number &ranged = evaluateExpression(u"sin 17+0");
    settings::setValueRange(0, true);

    EXPECT_NE(&degrees, &radians);
    EXPECT_EQ(&degrees, &degreesAgain);
    EXPECT_NE(&degrees, &ranged);
    EXPECT_EQ(radians.angleUnit, Radians);
    EXPECT_EQ(ranged.rangeBits, 8);
    EXPECT_FALSE(ranged.rangeSigned);
    EXPECT_TRUE(formatNumber(degrees, Full) == u"0,292371704722736728");
    EXPECT_TRUE(formatNumber(radians, Full) == u"-0,961397491879556857");
    EXPECT_TRUE(formatNumber(ranged, Full) == u"0");
    EXPECT_EQ(entryCount(u"sin 17+0", Degrees), 1u);
    EXPECT_EQ(entryCount(u"sin 17+0", Radians), 1u);
}

// An entry for "123*4+0" made by hand, as a second thread evaluating it at once would.
std::unique_ptr<Number> entry492(AngleUnit angle, bool isSigned, std::int32_t bits) {
    auto n = std::make_unique<Number>();
    n->kind = Integer;
    n->integerValue = 492;
    n->text = u"123*4+0";
    n->angleUnit = angle;
    n->rangeSigned = isSigned;
    n->rangeBits = bits;
    return n;
}

TEST(NumberCache, ResultTextsAreSharedOnlyWithEqualEntries) {
    Number &made = evaluateExpression(u"123*4+0");
    Number *equal, *otherAngle, *otherRange;
    {
        std::lock_guard lock(numberCache.mutex());
        equal = &numberCache.append(entry492(Degrees, true, 0));
        otherAngle = &numberCache.append(entry492(Radians, true, 0));
        otherRange = &numberCache.append(entry492(Degrees, false, 16));
    }
    EXPECT_EQ(&evaluateExpression(u"123*4+0"), &made); // the earliest entry wins

    std::u16string scientific = formatNumber(made, Scientific);
    EXPECT_TRUE(scientific == u"4,92e2");
    {
        std::lock_guard lock(numberCache.mutex());
        EXPECT_TRUE(equal->resultTextReady[Scientific]);
        EXPECT_TRUE(equal->resultText[Scientific] == scientific);
        EXPECT_FALSE(equal->resultTextReady[Normal]);
        EXPECT_FALSE(otherAngle->resultTextReady[Scientific]);
        EXPECT_FALSE(otherRange->resultTextReady[Scientific]);
    }

    // Sharing goes both ways: formatting the later entry fills the earlier one.
    EXPECT_TRUE(formatNumber(*equal, Binary) == u"0b111101100");
    {
        std::lock_guard lock(numberCache.mutex());
        EXPECT_TRUE(made.resultTextReady[Binary]);
        EXPECT_TRUE(made.resultText[Binary] == u"0b111101100");
        EXPECT_FALSE(otherAngle->resultTextReady[Binary]);
    }

    // A text once made is returned as it is, not made again.
    {
        std::lock_guard lock(numberCache.mutex());
        otherRange->resultText[Octal] = u"kept";
        otherRange->resultTextReady[Octal] = true;
    }
    EXPECT_TRUE(formatNumber(*otherRange, Octal) == u"kept");
    EXPECT_TRUE(formatNumber(made, Octal) == u"0o754");
}

struct FailureRow {
    const char16_t *text;
    const char *failure;
    const char16_t *finishedPart; // a sub-text made before the failure
};

TEST(NumberCache, FailedCreationIsNotCachedButItsFinishedPartsAre) {
    const FailureRow rows[] = {
        {u"1e499*10^4500", floatcheck::overflow, u"10^4500"},
        {u"(2e499*10^4500)+1", floatcheck::overflow, u"2e499"},
        {u"10^5000*1.5", floatcheck::overflow, u"10^5000"},
        {u"ln 0-ln 0", floatcheck::invalidOperation, u"ln 0"},
    };
    for (const FailureRow &row : rows) {
        std::string name = utf16ToUtf8(row.text);
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::string thrown;
            try {
                evaluateExpression(row.text);
            } catch (const char *failure) {
                thrown = failure;
            }
            EXPECT_EQ(thrown, row.failure) << name << ", attempt " << attempt;
        }
        EXPECT_EQ(entryCount(row.text), 0u) << name;
        EXPECT_EQ(entryCount(row.finishedPart), 1u) << name;
    }
    EXPECT_EQ(entryCount(u"2e499*10^4500"), 0u);
}

// Long expressions, tokens separated by one space; their prefixes are the texts of the
// concurrency test.
const char *const longExpressions[] = {
    "( 17 + 4 ) * 3 - 2 ^ 10 / 8 + 1 / 3 - 7 % 4 + 0.25 * 6 - 19 ! / 3 ^ 2 + 2 ^ 100",
    "sqrt ( 2 ) * 1.5e3 - sin ( 30 ) + cos ( 60 ) * ln ( 10 ) - abs ( - 2.5 ) + exp ( 1 ) / pi",
    "~ ( 5 | 6 & 12 xor 3 ) + ( 1 << 70 ) - ( 2 ^ 64 >> 3 ) + ( 6 bitand 3 ) * ( 1 < 2 == 1 )",
    "- 12345678901234567890 * 987654321 + 10 ^ 30 / 10 ^ 10 - 0x1F * 0b101 + 0o17 * #1a0 - 25 !",
    "3 >= 2 && 5 != 4 || 0 and not 1 or 2 > 3 && 7 <= 7 || 1 eq 2",
    "1 / 3 + 2 / 3 * 0.000015 - 1.5e20 / 1e22 + 12345678901.5 - 1234.5 * 1e-7 + 2 ^ 0.5",
    "[ ( 2 + 3 ) * { 4 - ( 1 / 4 ) } ] ^ 2 - ( ( 7 ) ) ! + ( 2 ² + 3 ³ ) % 5",
    "round ( 2.5 ) + floor ( - 0.5 ) * ceil ( 2.1 ) - int ( 7 / 2 ) + log10 ( 1000 ) - tan ( 45 )",
};

using AllFormats = std::array<std::u16string, outputFormatCount + 1>; // texts, then the kind

AllFormats evaluateAndFormat(const std::u16string &text) {
    AllFormats out;
    try {
        Number &n = evaluateExpression(text);
        for (int f = 0; f < outputFormatCount; ++f)
            out[f] = formatNumber(n, OutputFormat(f));
        out[outputFormatCount] = asciiToUtf16(std::to_string(n.kind));
    } catch (const char *failure) {
        out[outputFormatCount] = asciiToUtf16(failure);
    }
    return out;
}

TEST(NumberCache, ThreadsEvaluatingTheSameTextsAgreeWithOneThread) {
    // The threads share texts with each other but none with the single-thread run: white
    // space changes every sub-text without changing any value.
    const std::vector<std::u16string> threadTexts =
        evaluation_support::prefixTexts(longExpressions, "  ", "  ");
    const std::vector<std::u16string> singleTexts =
        evaluation_support::prefixTexts(longExpressions, "", " ");
    ASSERT_GE(threadTexts.size(), 200u);

    constexpr int threadCount = 4;
    std::vector<std::vector<AllFormats>> results(threadCount);
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            for (const std::u16string &text : threadTexts)
                results[t].push_back(evaluateAndFormat(text));
        });
    }
    for (std::thread &thread : threads)
        thread.join();

    std::size_t valued = 0;
    for (std::size_t i = 0; i < singleTexts.size(); ++i) {
        AllFormats expected = evaluateAndFormat(singleTexts[i]);
        valued += expected[outputFormatCount] != u"0";
        for (int t = 0; t < threadCount; ++t) {
            for (int f = 0; f <= outputFormatCount; ++f) {
                EXPECT_TRUE(results[t][i][f] == expected[f])
                    << "thread " << t << ", '" << utf16ToUtf8(singleTexts[i]) << "', format " << f
                    << ": \"" << utf16ToUtf8(results[t][i][f]) << "\" instead of \""
                    << utf16ToUtf8(expected[f]) << "\"";
            }
        }
    }
    EXPECT_GT(valued, singleTexts.size() / 4); // many prefixes end in an operator
}

} // namespace
