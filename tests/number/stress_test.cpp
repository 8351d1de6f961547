// SPDX-License-Identifier: MIT
// Evaluations on several threads at once while another thread keeps changing the angle unit
// and the value range, and while converter threads compute conversions, as the window's
// workers and converter panel do. Every Number a thread gets must have the result texts that
// one thread computed beforehand for the settings recorded in that Number: an evaluation
// runs under one set of settings throughout, nested sub-texts included.

#include "converter/TextList.h"
#include "converter/catalogue/catalogue.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/start_gate.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// The settings the switching thread chooses from, and unlimited and unsigned: the two halves
// of the value range are separate words, so an evaluation that starts while the range
// changes from unlimited may read that pair.
constexpr AngleUnit angles[] = {Degrees, Radians, Grads};
constexpr std::pair<std::int32_t, bool> ranges[] = {{0, true}, {0, false},  {8, false},
                                                    {8, true}, {64, false}, {64, true}};
constexpr std::size_t comboCount = std::size(angles) * std::size(ranges);

// The index of a Number's settings among the combinations above, or comboCount.
std::size_t comboOf(AngleUnit angle, bool isSigned, std::int32_t bits) {
    for (std::size_t a = 0; a < std::size(angles); ++a)
        for (std::size_t r = 0; r < std::size(ranges); ++r)
            if (angles[a] == angle && ranges[r] == std::pair(bits, isSigned))
                return a * std::size(ranges) + r;
    return comboCount;
}

std::string describeCombo(std::size_t c) {
    if (c >= comboCount) return "settings never set";
    const auto [bits, isSigned] = ranges[c % std::size(ranges)];
    const char *const angleNames[] = {"degrees", "radians", "grads"};
    return std::string(angleNames[angles[c / std::size(ranges)]]) + ", " +
           (bits == 0 ? "unlimited" : (isSigned ? "int" : "uint") + std::to_string(bits)) +
           (bits == 0 && !isSigned ? " unsigned" : "");
}

void setCombo(std::size_t c) {
    settings::setAngleUnit(angles[c / std::size(ranges)]);
    settings::setValueRange(ranges[c % std::size(ranges)].first,
                            ranges[c % std::size(ranges)].second);
}

// Texts whose values depend on the angle unit and on the value range, with operands at the
// 8- and 64-bit boundaries, floats, a long double failure and every kind of bracket.
// Tokens are separated by one space; their prefixes share their left operands.
const char *const longExpressions[] = {
    "sin ( 30 + 60 ) * 255 + cos ( 45 ) - tan ( 100 / 3 ) + 2 ^ 63 - 1",
    "( 2 ^ 64 - 1 ) / 3 + asin ( 0.5 ) * 7 - atan ( 1 ) + 300 % 7 - 9223372036854775807 * 2",
    "[ 127 + 1 ] * { 3 - sin 90 } + 65535 + 1 - round ( 2.5 * 3 ) + floor ( - 7 / 2 )",
    "1 / 3 + 2 / 3 * 1e3 - 1.5e20 / 1e10 + 12345678901 - sqrt ( 2 ) * 100 + ln ( 10 )",
    "acos ( 0 ) + 250 + 10 - 20 ! / 10 ^ 10 + 1 << 40 >> 3",
    "cos 60 * 1000 + sin ( 45 ) * 1000 - tan 30 * 500 + 2 ^ 31 + 2 ^ 15 + 2 ^ 7",
    "6 | 3 xor 5 & 12 + 256 * 256 - 1 == 65535 || 1 and 0 or 7 > 3",
    "0xFFFF * 0x10 + 0o777 - 0b1011 * 200 + atan ( 2 ^ 64 ) - ~ 5",
    "- 2 ^ 63 + 9223372036854775807 * 3 - 18446744073709551616 / 2 + 4294967295 * 4294967297",
    "1e499 ^ 9 * 1e499 + sin ( 1e499 * 1e499 ) + 1",
};

// What a Number shows in a few formats, or the failure its evaluation threw.
struct Outcome {
    bool made = false;              // false when the evaluation threw
    std::size_t combo = comboCount; // the settings recorded in the Number
    std::u16string texts;

    static Outcome of(const std::u16string &text) {
        Outcome o;
        try {
            const NumberRef nRef = evaluateExpression(text);
            const Number &n = *nRef;
            o.made = true;
            o.combo = comboOf(n.angleUnit, n.rangeSigned, n.rangeBits);
            o.texts = asciiToUtf16(std::to_string(n.kind));
            for (OutputFormat f : {Normal, Full, Hexadecimal}) {
                o.texts += u'|';
                o.texts += formatNumber(n, f);
            }
        } catch (const char *failure) {
            o.texts = u"failure: " + asciiToUtf16(failure);
        }
        return o;
    }
};

// One conversion: list indexes into a converter filled with the category, and the value.
struct Conversion {
    int category, from, fromPrefix, to, toPrefix;
    const char *value;
};

std::u16string conversionExpression(StandaloneConverter &s, int &filled, const Conversion &c,
                                    const std::string &lead) {
    if (filled != c.category) {
        s.converter.fillUnits(c.category);
        filled = c.category;
    }
    const std::vector<Unit> &units = s.converter.units, &prefixes = s.converter.prefixes;
    return buildConversionExpression(utf8ToUtf16(lead + c.value), units[std::size_t(c.from)],
                                     prefixes[std::size_t(c.fromPrefix)], units[std::size_t(c.to)],
                                     prefixes[std::size_t(c.toPrefix)]);
}

std::vector<Conversion> someConversions() {
    const char *const values[] = {"5", "-40", "2.5", "255", "300", "1e3", "0x1F", "-1"};
    std::mt19937 random(20240611);
    std::vector<Conversion> list;
    for (int i = 0; i < 160; ++i) {
        int category = int(random() % categoryCount);
        int size = int(catalogueSections()[std::size_t(category)]->rows.size());
        int prefixes = int(cataloguePrefixes().size());
        auto prefix = [&] { return random() % 3 == 0 ? int(random() % prefixes) : defaultPrefix; };
        list.push_back({category, int(random() % size), prefix(), int(random() % size), prefix(),
                        values[random() % std::size(values)]});
    }
    return list;
}

struct Mismatch {
    std::u16string text;
    Outcome got;
    std::u16string expected; // for the Number's settings
};

TEST(Stress, EvaluationsAgreeWithOneThreadWhileTheSettingsChange) {
    // The threads' texts share no cache entry with the reference run: extra white space
    // changes every text without changing any value.
    const std::vector<std::u16string> threadTexts =
        evaluation_support::prefixTexts(longExpressions, "  ", "  ");
    const std::vector<std::u16string> referenceTexts =
        evaluation_support::prefixTexts(longExpressions, "", " ");
    const std::vector<Conversion> conversions = someConversions();

    // The reference: every text and conversion under every combination, on this thread.
    std::vector<std::array<std::u16string, comboCount>> expected(threadTexts.size());
    std::vector<std::array<std::u16string, comboCount>> expectedConversion(conversions.size());
    std::set<std::u16string> failures; // what the texts that throw under some settings throw
    {
        StandaloneConverter reference;
        reference.converter.initConverter();
        int filled = 0;
        for (std::size_t c = 0; c < comboCount; ++c) {
            setCombo(c);
            for (std::size_t i = 0; i < referenceTexts.size(); ++i) {
                expected[i][c] = Outcome::of(referenceTexts[i]).texts;
                if (expected[i][c].starts_with(u"failure")) failures.insert(expected[i][c]);
            }
            for (std::size_t i = 0; i < conversions.size(); ++i) {
                expectedConversion[i][c] =
                    Outcome::of(conversionExpression(reference, filled, conversions[i], "")).texts;
            }
        }
    }
    setCombo(0);

    constexpr int evaluatorCount = 4, converterCount = 2, passes = 3;
    std::vector<std::vector<Mismatch>> mismatches(evaluatorCount + converterCount);
    std::vector<std::array<int, comboCount>> seen(evaluatorCount + converterCount);
    std::atomic<int> working{evaluatorCount + converterCount};
    StartGate start(evaluatorCount + converterCount + 1);

    auto check = [&](int thread, const std::u16string &text, const auto &row) {
        Outcome got = Outcome::of(text);
        if (!got.made) {
            // A failure leaves no Number to tell the settings by; some settings must fail so.
            if (!failures.contains(got.texts))
                mismatches[std::size_t(thread)].push_back({text, got, u"(no failure)"});
            return;
        }
        ++seen[std::size_t(thread)][got.combo];
        if (got.combo == comboCount || got.texts != row[got.combo])
            mismatches[std::size_t(thread)].push_back(
                {text, got, got.combo < comboCount ? row[got.combo] : u"(settings never set)"});
    };

    std::vector<std::thread> threads;
    for (int t = 0; t < evaluatorCount; ++t) {
        threads.emplace_back([&, t] {
            std::vector<std::size_t> order(threadTexts.size());
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            std::mt19937 random{unsigned(t)};
            start.arrive_and_wait();
            for (int pass = 0; pass < passes; ++pass) {
                std::shuffle(order.begin(), order.end(), random);
                for (std::size_t i : order)
                    check(t, threadTexts[i], expected[i]);
            }
            --working;
        });
    }
    for (int t = evaluatorCount; t < evaluatorCount + converterCount; ++t) {
        threads.emplace_back([&, t] {
            StandaloneConverter own;
            own.converter.initConverter();
            int filled = 0;
            start.arrive_and_wait();
            for (int pass = 0; pass < passes; ++pass) {
                for (std::size_t k = 0; k < conversions.size(); ++k) {
                    std::size_t i = (k * 7 + std::size_t(t + pass)) % conversions.size();
                    check(t, conversionExpression(own, filled, conversions[i], " "),
                          expectedConversion[i]);
                }
            }
            --working;
        });
    }
    std::size_t switches = 0;
    threads.emplace_back([&] {
        std::mt19937 random(7);
        start.arrive_and_wait();
        while (working > 0) {
            std::size_t c = random() % comboCount;
            setCombo(c);
            ++switches;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });
    for (std::thread &thread : threads)
        thread.join();
    setCombo(0);

    std::size_t mismatchCount = 0;
    for (const auto &list : mismatches) {
        mismatchCount += list.size();
        for (std::size_t i = 0; i < std::min<std::size_t>(list.size(), 5); ++i) {
            const Mismatch &m = list[i];
            ADD_FAILURE() << "'" << utf16ToUtf8(m.text) << "' under " << describeCombo(m.got.combo)
                          << ": \"" << utf16ToUtf8(m.got.texts) << "\" instead of \""
                          << utf16ToUtf8(m.expected) << "\"";
        }
    }
    EXPECT_EQ(mismatchCount, 0u);

    // The settings did change under the threads.
    int combosSeen = 0;
    for (std::size_t c = 0; c < comboCount; ++c) {
        int count = 0;
        for (const auto &s : seen)
            count += s[c];
        combosSeen += count > 0;
    }
    EXPECT_GE(switches, 2u);
    EXPECT_GE(combosSeen, 2);
}

} // namespace
