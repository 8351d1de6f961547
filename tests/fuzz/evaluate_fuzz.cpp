// SPDX-License-Identifier: MIT
// Fuzzes the evaluator: any text under any settings and output format has a value or no
// value, or fails with one of the calculator's constant messages; nothing else may happen.

#include "fuzz_support.h"
#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/outputFormats.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"

#include <cstdlib>

namespace {
constexpr std::int32_t rangeBitsChoices[] = {0, 8, 16, 32, 64};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // A small budget keeps huge results from eating the fuzzing time; the rules that refuse
    // them are the same at every budget.
    resultBudget::setMaxBits(1 << 16);
    FuzzInput in(data, size);
    settings::setAngleUnit(AngleUnit(in.pick(3)));
    const std::int32_t bits = rangeBitsChoices[in.pick(5)];
    settings::setValueRange(bits, in.pick(2) == 0);
    const auto format = OutputFormat(in.pick(outputFormatCount));
    const bool raw = in.pick(2) == 0;
    // Either the text as the window gives it (white space removed), or raw UTF-16 code
    // units, which reach lone surrogates and NUL characters directly.
    std::u16string text;
    if (raw) {
        const std::string_view bytes = in.rest();
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8);
    } else {
        text = stripWhiteSpace(utf8ToUtf16(in.rest()));
    }
    // Deep texts recurse once per level: evaluate on a stack made for it, as the window and
    // reckonwise-eval do. The cache's ceiling keeps a long fuzzing run's memory bounded.
    numberCache.setCeiling(std::size_t(64) << 20);
    NumberRef nRef;
    try {
        runWithLargeStack([&] { nRef = evaluateExpression(text); });
    } catch (const char *) {
        return 0; // an arithmetic failure, reported to the user as its message
    }
    {
        const Number &n = *nRef;
        const std::u16string shown = formatNumber(n, format);
        // No value shows nothing; a value shows something, apart from floats in the
        // integer-only formats.
        const bool integerOnly = isRadixFormat(format);
        if (n.kind == NoValue ? !shown.empty() : shown.empty() && !(integerOnly && n.kind == Float))
            std::abort();
        // Every text without value says why.
        if (n.kind == NoValue && n.reason == NoValueReason::none) std::abort();
        if (n.kind == Integer && n.rangeBits != 0 &&
            n.integerValue.getMagnitude().bitLength() > std::uint64_t(n.rangeBits))
            std::abort();
    }
    return 0;
}
