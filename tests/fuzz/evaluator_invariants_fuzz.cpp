// SPDX-License-Identifier: MIT
// Fuzzes two promises of the evaluator that no single result shows:
//  - a text's result depends only on the text and the settings: evaluated in an empty cache,
//    and again after its prefixes have filled the cache, it gives the same texts in every
//    format;
//  - in a limited range, a text made of integers, "+", "-", "*", small powers and
//    parentheses gives the unlimited result wrapped into the range (these operations commute
//    with taking the low bits).

#include "fuzz_support.h"
#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"

#include <array>
#include <cstdlib>
#include <string>

namespace {

constexpr std::int32_t rangeBitsChoices[] = {8, 16, 32, 64};

using AllTexts = std::array<std::u16string, outputFormatCount + 1>; // texts, then the kind

AllTexts evaluateAll(const std::u16string &text) {
    AllTexts out;
    try {
        NumberRef n;
        runWithLargeStack([&] { n = evaluateExpression(text); });
        for (int f = 0; f < outputFormatCount; ++f)
            out[std::size_t(f)] = formatNumber(*n, OutputFormat(f));
        out[outputFormatCount] = char16_t(u'0' + n->kind);
    } catch (const char *failure) {
        out[outputFormatCount] = utf8ToUtf16(failure);
    }
    return out;
}

void emptyCache() {
    const std::size_t ceiling = numberCache.ceiling();
    numberCache.setCeiling(0);
    numberCache.trim();
    numberCache.setCeiling(ceiling);
}

void sameAfterPrefixes(const std::u16string &text) {
    emptyCache();
    const AllTexts alone = evaluateAll(text);
    emptyCache();
    // Every prefix for short texts; for long ones, prefixes at spread lengths.
    const std::size_t step = text.size() <= 64 ? 1 : text.size() / 64;
    for (std::size_t length = 1; length < text.size(); length += step)
        evaluateAll(text.substr(0, length));
    if (evaluateAll(text) != alone) std::abort();
}

// A text of the ring operations, built from the input.
std::u16string ringText(FuzzInput &in, int depth = 0) {
    std::u16string t;
    const unsigned terms = 1 + in.pick(4);
    for (unsigned i = 0; i < terms; ++i) {
        if (i > 0) t += u"+-*"[in.pick(3)];
        if (in.pick(4) == 0) t += u'-';
        if (depth < 3 && in.pick(3) == 0) {
            t += u'(' + ringText(in, depth + 1) + u')';
        } else {
            const unsigned digits = 1 + in.pick(24);
            for (unsigned d = 0; d < digits; ++d)
                t += char16_t(u'0' + in.pick(10));
        }
        if (in.pick(5) == 0) t += u'^' + std::u16string(1, char16_t(u'0' + in.pick(6)));
    }
    return t;
}

// x wrapped into the range: its low bits, read as signed when the range is.
BigInteger wrapped(const BigInteger &x, std::int32_t bits, bool isSigned) {
    BigUnsigned power;
    power.bitShiftLeft(BigUnsigned(1u), bits);
    BigInteger low = x, quotient;
    low.divideWithRemainder(BigInteger(power), quotient); // floor: 0 <= low < 2^bits
    BigUnsigned half;
    half.bitShiftLeft(BigUnsigned(1u), bits - 1);
    if (isSigned && low.getMagnitude() >= half) low = low - BigInteger(power);
    return low;
}

void wrapsLikeTheUnlimitedResult(FuzzInput &in) {
    const std::int32_t bits = rangeBitsChoices[in.pick(4)];
    const bool isSigned = in.pick(2) == 0;
    const std::u16string text = ringText(in);
    NumberRef unlimited, limited;
    try {
        settings::setValueRange(0, true);
        runWithLargeStack([&] { unlimited = evaluateExpression(text); });
        settings::setValueRange(bits, isSigned);
        runWithLargeStack([&] { limited = evaluateExpression(text); });
    } catch (const char *) {
        return; // a result too large for the budget: nothing to compare
    }
    if (unlimited->kind != Integer) return; // "0^0"-like corners and refused sizes
    if (limited->kind != Integer) std::abort();
    if (!(limited->integerValue == wrapped(unlimited->integerValue, bits, isSigned))) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    resultBudget::setMaxBits(1 << 16);
    numberCache.setCeiling(std::size_t(64) << 20);
    FuzzInput in(data, size);
    if (in.pick(2) == 0) {
        settings::setAngleUnit(AngleUnit(in.pick(3)));
        settings::setValueRange(in.pick(2) ? 0 : rangeBitsChoices[in.pick(4)], in.pick(2) == 0);
        sameAfterPrefixes(stripWhiteSpace(utf8ToUtf16(in.rest())));
    } else {
        wrapsLikeTheUnlimitedResult(in);
    }
    return 0;
}
