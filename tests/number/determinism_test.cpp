// SPDX-License-Identifier: MIT
// A result depends only on its text and the settings: the same text gives the same answer
// in an empty cache, after its own prefixes were evaluated (as typing does), after the
// cache dropped entries, and on any thread in any order. Long texts of the expression line
// all have their value.

#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/start_gate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace evaluation_support;

struct Answer {
    NumberKind kind = NoValue;
    std::u16string text; // the result text, or the failure's message
    bool operator==(const Answer &) const = default;
};

Answer answerOf(const std::u16string &text, OutputFormat format) {
    Answer a;
    try {
        const NumberRef n = evaluateExpression(text);
        a = {n->kind, formatNumber(*n, format)};
    } catch (const char *failure) {
        a.text = asciiToUtf16(failure);
    }
    return a;
}

std::u16string joined(int count, const std::string &separator,
                      const std::function<std::string(int)> &term) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += (i ? separator : "") + term(i);
    return utf8ToUtf16(s);
}

struct Row {
    const char *name;
    std::u16string text;
    OutputFormat format;
    NumberKind kind;
    std::u16string start; // how the result text begins
};

std::vector<Row> longTexts() {
    const int tooDeep = int(maxEvaluationHeight) + 100;
    return {
        {"3 000-term sum", joined(3000, "+", [](int i) { return std::to_string(1000 + i); }),
         Normal, Integer, u"7498500"},
        {"5 000-term sum", joined(5000, "+", [](int i) { return std::to_string(1000 + i % 9000); }),
         Normal, Integer, u"17497500"},
        {"16 000 ones", joined(16000, "+", [](int) { return "1"; }), Normal, Integer, u"16000"},
        {"10 000 brackets", repeated(u"(", 10000) + u"7" + repeated(u")", 10000), Normal, Integer,
         u"7"},
        {"3 000 factors", joined(3000, "*", [](int i) { return std::to_string(2 + i % 7); }),
         Normal, Integer, u"1,745682576e1973"},
        {"bracketed huge power", u"(10^200000)+1>0", Hexadecimal, Integer, u"0x1"},
        {"signs and brackets", repeated(u"-(", 8000) + u"5" + repeated(u")", 8000), Normal, Integer,
         u"5"},
        {"too deep", joined(tooDeep, "+", [](int) { return "1"; }), Normal, NoValue, u""},
    };
}

// Evaluated alone in an empty cache, and again after every so many of its prefixes, each
// text gives the same answer.
TEST(Determinism, ATextGivesTheSameAnswerAfterItsPrefixes) {
    for (const Row &row : longTexts()) {
        SCOPED_TRACE(row.name);
        if (row.text.size() / 2 > std::size_t(deepestTestedText)) continue;
        Answer alone, typed;
        runWithLargeStack([&] {
            emptyCache();
            alone = answerOf(row.text, row.format);
            emptyCache();
            const std::size_t step = std::max<std::size_t>(1, row.text.size() / 150);
            for (std::size_t length = 1; length < row.text.size(); length += step)
                answerOf(row.text.substr(0, length), row.format);
            typed = answerOf(row.text, row.format);
        });
        EXPECT_EQ(alone.kind, row.kind);
        EXPECT_TRUE(alone.text.starts_with(row.start)) << utf16ToUtf8(alone.text.substr(0, 40));
        EXPECT_TRUE(typed == alone);
    }
}

// A text deeper than the limit has no value even when a deep part of it is cached already;
// the same text one level shallower has its value.
TEST(Determinism, TheDepthLimitCountsCachedParts) {
    if (deepestTestedText < int(maxEvaluationHeight)) GTEST_SKIP() << "too deep for this build";
    const int height = int(maxEvaluationHeight);
    const std::u16string part = joined(height - 10, "+", [](int) { return "1"; });
    runWithLargeStack([&] {
        EXPECT_EQ(evaluateExpression(part)->kind, Integer);
        std::u16string deeper = part;
        for (int extra = 0; extra < 20; ++extra)
            deeper = u"-" + deeper;
        EXPECT_EQ(evaluateExpression(deeper)->kind, NoValue);
        emptyCache();
        EXPECT_EQ(evaluateExpression(deeper)->kind, NoValue);
    });
}

// Short expressions of every kind, evaluated alone in an empty cache; then by several
// threads, each in its own random order and after random prefixes of random texts, while
// the cache keeps dropping entries.
TEST(Determinism, ThreadsInAnyOrderAgreeWithEachTextAlone) {
    std::mt19937 rng(77);
    // Powers only with small exponents: the texts stay quick to evaluate again and again.
    const char *const operators[] = {"+", "-",     "*",  "/", "%",     "^2",   "<<", ">>", "|",
                                     "&", " xor ", "==", "<", " and ", "**3*", "-",  "+"};
    const char *const functions[] = {"sin ", "abs", "sqrt ", "-", "~", "not ", "round"};
    std::function<std::string(int)> term = [&](int depth) -> std::string {
        switch (depth > 3 ? 0 : rng() % 6) {
        case 0:
            // Now and then a long integer, which brackets carry by reference.
            if (rng() % 6 == 0) return "(2^" + std::to_string(250 + rng() % 80) + ")";
            return std::to_string(rng() % 40);
        case 1:
            return std::to_string(rng() % 13) + "!";
        // The parts one after another, so that they draw from rng in the order they are
        // written (the operands of one + are evaluated in an order the compiler chooses).
        case 2: {
            const std::string left = term(depth + 1);
            const char *const op = operators[rng() % std::size(operators)];
            const std::string right = term(depth + 1);
            return "(" + left + op + right + ")";
        }
        case 3: {
            std::string t = functions[rng() % std::size(functions)];
            t += term(depth + 1);
            return t;
        }
        case 4:
            return rng() % 2 ? "pi" : "2.5";
        default: {
            const std::string inner = term(depth + 1);
            return "[" + inner + "]" + (rng() % 2 ? "²" : "");
        }
        }
    };
    std::vector<std::u16string> texts;
    for (int i = 0; i < 300; ++i) {
        std::string t = term(0);
        for (int k = int(rng() % 8); k > 0; --k)
            t += operators[rng() % std::size(operators)] + term(1);
        texts.push_back(utf8ToUtf16(t));
    }
    for (const evaluation_support::Setup &setup : {plain, s16}) {
        SettingsScope scope(setup);
        std::vector<Answer> expected;
        for (const auto &t : texts) {
            emptyCache();
            expected.push_back(answerOf(t, Full));
        }
        EXPECT_GT(std::count_if(expected.begin(), expected.end(),
                                [](const Answer &a) { return a.kind != NoValue; }),
                  60);

        constexpr int threadCount = 4;
        std::vector<std::vector<Answer>> got(threadCount, std::vector<Answer>(texts.size()));
        std::optional<CeilingScope> dropping(std::in_place, 16 << 10); // drops all the time
        StartGate start(threadCount);
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t) {
            threads.emplace_back([&, t] {
                std::mt19937 order(unsigned(t) * 131 + 5);
                std::vector<std::size_t> indexes(texts.size());
                for (std::size_t i = 0; i < indexes.size(); ++i)
                    indexes[i] = i;
                std::shuffle(indexes.begin(), indexes.end(), order);
                start.arrive_and_wait();
                for (std::size_t i : indexes) {
                    const std::u16string &other = texts[order() % texts.size()];
                    answerOf(other.substr(0, order() % (other.size() + 1)), Full);
                    answerOf(texts[i].substr(0, order() % (texts[i].size() + 1)), Full);
                    got[t][i] = answerOf(texts[i], Full);
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        dropping.reset();
        for (int t = 0; t < threadCount; ++t)
            for (std::size_t i = 0; i < texts.size(); ++i)
                EXPECT_TRUE(got[t][i] == expected[i])
                    << "thread " << t << ": '" << utf16ToUtf8(texts[i]) << "' gives '"
                    << utf16ToUtf8(got[t][i].text) << "' instead of '"
                    << utf16ToUtf8(expected[i].text) << "'";
    }
}

} // namespace
