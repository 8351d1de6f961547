// SPDX-License-Identifier: MIT
// numberCache as the evaluator and formatNumber use it: one Number per text and settings,
// failed creations left out, a memory ceiling that drops only entries nobody uses, and
// several threads evaluating the same texts at once while entries are being dropped.

#include "number/KeyIndex.h"
#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/floatChecks.h"
#include "number/format.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/start_gate.h"

#include <array>
#include <atomic>
#include <gtest/gtest.h>
#include <limits>
#include <list>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

bool isCached(std::u16string_view text, AngleUnit angle = Degrees) {
    return numberCache.find(NumberKey{text, hashText(text), angle, true, 0}) != nullptr;
}

struct DefaultSettingsAtExit {
    ~DefaultSettingsAtExit() {
        settings::setAngleUnit(Degrees);
        settings::setValueRange(0, true);
    }
};

using evaluation_support::CeilingScope;

// The index under heavy collisions: hashes drawn from a few values (so runs of slots wrap
// around the table and interleave), entries added and removed in random order, every key
// checked against a plain map after each step.
TEST(KeyIndex, FindsWhatAMapFindsThroughCollisionsAndRemovals) {
    using Entries = std::list<std::shared_ptr<Number>>;
    Entries entries;
    KeyIndex<Entries::iterator> index;
    std::map<std::u16string, std::pair<std::size_t, Entries::iterator>> reference;
    std::mt19937_64 rng(11);
    std::vector<std::u16string> texts;
    for (int i = 0; i < 300; ++i) {
        std::u16string t = u"t";
        t.append(std::size_t(i % 7 + 1), char16_t(u'a' + i % 26));
        t += char16_t(u'0' + i % 10);
        t += char16_t(u'A' + i / 10);
        texts.push_back(t);
    }
    auto keyFor = [](const std::u16string &t) { return NumberKey{t, 0, Degrees, true, 0}; };
    for (int step = 0; step < 4000; ++step) {
        const std::u16string &t = texts[rng() % texts.size()];
        // Few distinct hashes, many landing on the last slots of the table.
        const std::size_t hash = (rng() % 5) * 0x9E3779B97F4A7C15ull + (rng() % 3 == 0 ? 63 : 0);
        if (auto it = reference.find(t); it != reference.end()) {
            index.erase(keyFor(t), it->second.first);
            entries.erase(it->second.second);
            reference.erase(it);
        } else {
            auto n = std::make_shared<Number>();
            n->text = SharedText(t);
            entries.push_back(n);
            index.insert(hash, std::prev(entries.end()));
            reference.emplace(t, std::pair{hash, std::prev(entries.end())});
        }
        ASSERT_EQ(index.size(), reference.size());
        if (step % 50 != 0) continue;
        for (const std::u16string &u : texts) {
            const auto want = reference.find(u);
            const std::size_t h = want == reference.end() ? 0 : want->second.first;
            Entries::iterator *got = index.find(keyFor(u), h);
            if (want == reference.end()) {
                EXPECT_EQ(got, nullptr) << step;
            } else {
                ASSERT_NE(got, nullptr) << step;
                EXPECT_EQ(*got, want->second.second) << step;
            }
        }
    }
}

TEST(NumberCache, SameTextAndSettingsGiveTheSameNumber) {
    const NumberRef first = evaluateExpression(u"17*3+2^-2");
    EXPECT_EQ(evaluateExpression(u"17*3+2^-2"), first);
    // The key is the text as given, not the trimmed one.
    const NumberRef spaced = evaluateExpression(u" 17*3+2^-2");
    EXPECT_NE(spaced, first);
    EXPECT_TRUE(formatNumber(*spaced, Full) == formatNumber(*first, Full));
}

TEST(NumberCache, AngleUnitAndValueRangeArePartOfTheKey) {
    DefaultSettingsAtExit restore;
    const NumberRef degrees = evaluateExpression(u"sin 17+0^1");
    settings::setAngleUnit(Radians);
    const NumberRef radians = evaluateExpression(u"sin 17+0^1");
    settings::setAngleUnit(Degrees);
    const NumberRef degreesAgain = evaluateExpression(u"sin 17+0^1");
    settings::setValueRange(8, false);
    const NumberRef ranged = evaluateExpression(u"sin 17+0^1");
    settings::setValueRange(0, true);

    EXPECT_NE(degrees, radians);
    EXPECT_EQ(degrees, degreesAgain);
    EXPECT_NE(degrees, ranged);
    EXPECT_EQ(radians->angleUnit, Radians);
    EXPECT_EQ(ranged->rangeBits, 8);
    EXPECT_FALSE(ranged->rangeSigned);
    EXPECT_TRUE(formatNumber(*degrees, Full) == u"0,292371704722736728");
    EXPECT_TRUE(formatNumber(*radians, Full) == u"-0,961397491879556857");
    EXPECT_TRUE(formatNumber(*ranged, Full) == u"0");
}

TEST(NumberCache, AnEqualEntryMadeMeanwhileIsTheOneKept) {
    const NumberRef made = evaluateExpression(u"123*4+0^1");
    // What a second thread that evaluated the same text at the same time would insert.
    auto late = std::make_shared<Number>();
    late->kind = Integer;
    late->integerValue = 492;
    late->text = SharedText(std::u16string(u"123*4+0^1"));
    late->textHash = late->text.hash();
    EXPECT_EQ(numberCache.insert(late), made);
    EXPECT_EQ(evaluateExpression(u"123*4+0^1"), made);
}

struct FailureRow {
    const char16_t *text;
    const char *failure;
    const char16_t *finishedPart; // a sub-text made before the failure
};

TEST(NumberCache, FailedCreationIsNotCachedButItsFinishedPartsAre) {
    const FailureRow rows[] = {
        {u"1e499*10^4500", floatcheck::overflow, u"10^4500"},
        {u"(2e499*10^4501)+1", floatcheck::overflow, u"10^4501"},
        {u"10^5000*1.5", floatcheck::overflow, u"10^5000"},
        {u"ln 00000000000000000000000000000000-ln 00000000000000000000000000000000",
         floatcheck::invalidOperation, u"ln 00000000000000000000000000000000"},
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
        EXPECT_FALSE(isCached(row.text)) << name;
        EXPECT_TRUE(isCached(row.finishedPart)) << name;
    }
    EXPECT_FALSE(isCached(u"2e499*10^4500"));
}

using AllFormats = std::array<std::u16string, outputFormatCount + 1>; // texts, then the kind

AllFormats evaluateAndFormat(const std::u16string &text) {
    AllFormats out;
    try {
        const NumberRef n = evaluateExpression(text);
        for (int f = 0; f < outputFormatCount; ++f)
            out[f] = formatNumber(*n, OutputFormat(f));
        out[outputFormatCount] = asciiToUtf16(std::to_string(n->kind));
    } catch (const char *failure) {
        out[outputFormatCount] = asciiToUtf16(failure);
    }
    return out;
}

TEST(NumberCache, TheCeilingDropsOnlyEntriesNobodyUses) {
    CeilingScope ceiling(0);
    const NumberRef held = evaluateExpression(u"3^4000+17");
    const std::u16string heldText = formatNumber(*held, Full);
    evaluateExpression(u"3^4001+17");
    ASSERT_TRUE(isCached(u"3^4001+17"));
    numberCache.trim();
    // The held entry is still the cached one, with its texts; everything else is gone.
    EXPECT_EQ(evaluateExpression(u"3^4000+17"), held);
    EXPECT_TRUE(formatNumber(*held, Full) == heldText);
    EXPECT_FALSE(isCached(u"3^4001+17"));
    EXPECT_FALSE(isCached(u"3^4000"));
    EXPECT_EQ(numberCache.entries(), 1u);
}

struct CheapRow {
    const char16_t *text;
    bool cached; // kept in the cache after its evaluation
};

// Short texts without power, factorial or left shift are made afresh each time; every
// result, reason and failure is the one the same text gives when it is long enough to be
// cached (the same text with blanks after it, which the evaluator trims).
TEST(NumberCache, ShortCheapTextsAreNotCachedAndGiveTheCachedResults) {
    const CheapRow rows[] = {
        {u"112+76*99", false},
        {u"-12*(61-91)+629", false},
        {u"sqrt(31)/2+sqrt(23)", false},
        {u"99999999999999999999*7", false},
        {u"0xFFFFFFFFFFFFFFFF+1", false},
        {u"1/0", false},
        {u"foo+1", false},
        {u"(1", false},
        {u"1e4932*10", false},
        {u"int 1e4931 bitand 255", false},
        {u"12345678901234567890123456789012", false}, // 32 characters
        {u"123456789012345678901234567890+12", true}, // 33
        {u"1234567890123456789012345678901234567890123456789012345678901234567890", false},
        {u"0x12345678901234567890123456789012", true},
        {u"2^100", true},
        {u"30!", true},
        {u"1<<100", true},
        {u"3\u00B2", true},
        {u"2*3\u00B3", true},
    };
    for (const CheapRow &row : rows) {
        const std::u16string text = row.text;
        const std::string name = utf16ToUtf8(text);
        evaluation_support::emptyCache();
        const AllFormats alone = evaluateAndFormat(text);
        EXPECT_EQ(isCached(text), row.cached) << name;
        EXPECT_EQ(isCheapText(text), !row.cached) << name;
        const std::u16string padded = text + std::u16string(cheapTextLength, u' ');
        EXPECT_TRUE(evaluateAndFormat(padded) == alone) << name;
        EXPECT_EQ(isCached(padded), alone[outputFormatCount].size() == 1) << name;
        if (!row.cached && alone[outputFormatCount].size() == 1) {
            EXPECT_NE(evaluateExpression(text), evaluateExpression(text)) << name;
        }
    }
}

TEST(NumberCache, ResultsAfterADropEqualThoseBefore) {
    const std::vector<std::u16string> texts = {
        u"2^200+(3!)!-1",  u"sin 30+sqrt 2", u"[1,5e3]*{7}/3", u"(2+3)*4-2^3^2",
        u"0x1F<<70|0b101", u"10!/3",         u"-2^2+1e-5",     u"(1/3)*3==1",
    };
    std::vector<AllFormats> before;
    for (const auto &t : texts)
        before.push_back(evaluateAndFormat(t));
    evaluation_support::emptyCache();
    EXPECT_EQ(numberCache.entries(), 0u);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(evaluateAndFormat(texts[i]) == before[i]) << utf16ToUtf8(texts[i]);
}

TEST(NumberCache, MemoryStaysNearTheCeiling) {
    constexpr std::size_t ceiling = std::size_t(2) << 20;
    CeilingScope scope(ceiling);
    std::size_t most = 0;
    for (int k = 0; k < 200; ++k) {
        // Each result is about 30 000 digits, kept with its Full text: about 80 KB an entry.
        const NumberRef n = evaluateExpression(u"7^" + asciiToUtf16(std::to_string(35000 + k)));
        formatNumber(*n, Full);
        most = std::max(most, numberCache.bytes());
    }
    EXPECT_LT(most, ceiling + (std::size_t(2) << 20)); // the slack before a trim, and one entry
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

// Threads evaluate the same texts at once, each with a ceiling that drops entries all the
// time (or none), and agree with one thread evaluating alone.
void checkThreadsAgree(std::size_t ceilingBytes) {
    const std::vector<std::u16string> threadTexts =
        evaluation_support::prefixTexts(longExpressions, "  ", "  ");
    const std::vector<std::u16string> singleTexts =
        evaluation_support::prefixTexts(longExpressions, "", " ");
    ASSERT_GE(threadTexts.size(), 200u);

    constexpr int threadCount = 4;
    std::vector<std::vector<AllFormats>> results(threadCount);
    {
        CeilingScope ceiling(ceilingBytes);
        StartGate start(threadCount + 1);
        std::atomic<bool> done{false};
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t) {
            threads.emplace_back([&, t] {
                start.arrive_and_wait();
                for (const std::u16string &text : threadTexts)
                    results[t].push_back(evaluateAndFormat(text));
            });
        }
        std::thread trimmer([&] {
            start.arrive_and_wait();
            while (!done.load())
                numberCache.trim();
        });
        for (std::thread &thread : threads)
            thread.join();
        done = true;
        trimmer.join();
    }

    evaluation_support::emptyCache();
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

// The default keeps something on any machine, also in a 32-bit process on one with more
// memory than it can address, and never more than a quarter of that address space.
TEST(NumberCache, DefaultCeilingFitsTheAddressSpace) {
    const std::size_t ceiling = NumberCache::defaultCeiling();
    EXPECT_GT(ceiling, std::size_t(0));
    EXPECT_LE(ceiling, std::numeric_limits<std::size_t>::max() / 4 + 1);
}

TEST(NumberCache, ThreadsEvaluatingTheSameTextsAgreeWithOneThread) {
    checkThreadsAgree(NumberCache::defaultCeiling());
}

TEST(NumberCache, ThreadsAgreeWhileEntriesAreDropped) {
    checkThreadsAgree(0);
}

} // namespace

// A long text the cache cannot hold is not kept, nor held by its Number: a line of millions
// of digits is freed before its operation runs, not after its result is written. Its result
// is the one it has when the cache holds it.
TEST(NumberCache, ALongTextOverTheCeilingIsNotKept) {
    std::u16string text(6000, u'7');
    text += u'*';
    text.append(5000, u'3');
    text += u"+1";
    evaluation_support::emptyCache();
    const NumberRef kept = evaluateExpression(text);
    EXPECT_TRUE(isCached(text));

    evaluation_support::CeilingScope ceiling(1024);
    numberCache.trim();
    auto buffer = std::make_shared<const TextBuffer>(text);
    const std::weak_ptr<const TextBuffer> watch = buffer;
    const NumberRef n = evaluateExpression(SharedText(std::move(buffer)));
    EXPECT_TRUE(watch.expired());
    EXPECT_NE(n, kept);
    EXPECT_EQ(n->kind, Integer);
    EXPECT_TRUE(formatNumber(*n, Full) == formatNumber(*kept, Full));
}
