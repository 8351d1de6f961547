// SPDX-License-Identifier: MIT
// Fuzzes the unit converter: any category, units, prefixes, output format and value text
// give the converter's line or an arithmetic failure; the conversion expression of the
// catalogue's rows always reads back to a number for a plain value.

#include "converter/Converter.h"
#include "converter/TextList.h"
#include "converter/conversionText.h"
#include "fuzz_support.h"
#include "number/largeStack.h"
#include "number/resultBudget.h"
#include "number/textUtils.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    resultBudget::setMaxBits(1 << 16);
    static StandaloneConverter c = [] {
        StandaloneConverter made;
        made.converter.initConverter();
        return made;
    }();
    FuzzInput in(data, size);
    c.converter.fillUnits(int(in.pick(unsigned(c.category.items.size()))));
    const auto units = unsigned(c.converter.units.size());
    const auto prefixes = unsigned(c.converter.prefixes.size());
    const int from = int(in.pick(units)), to = int(in.pick(units));
    const int fromPrefix = int(in.pick(prefixes)), toPrefix = int(in.pick(prefixes));
    const auto format = OutputFormat(in.pick(outputFormatCount));
    const std::u16string value = stripWhiteSpace(utf8ToUtf16(in.rest()));
    try {
        (void)buildConversionExpression(value, c.converter.units[std::size_t(from)],
                                        c.converter.prefixes[std::size_t(fromPrefix)],
                                        c.converter.units[std::size_t(to)],
                                        c.converter.prefixes[std::size_t(toPrefix)]);
        // A value of any text evaluates one level per operator: on a stack made for it, as
        // reckonwise-eval --convert does (the window converts only result texts).
        runWithLargeStack([&] {
            (void)conversionText(value, c.converter, from, fromPrefix, to, toPrefix, format);
        });
    } catch (const char *) {
        // An arithmetic failure (an overflow, say), which the panel shows as no line.
    }
    return 0;
}
