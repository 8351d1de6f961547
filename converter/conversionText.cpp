// SPDX-License-Identifier: MIT
#include "converter/conversionText.h"

#include "number/evaluator.h"
#include "number/format.h"

#include <new>

std::u16string conversionText(std::u16string_view value, const Unit &from, const Unit &fromPrefix,
                              const Unit &to, const Unit &toPrefix, OutputFormat format) {
    const NumberRef converted =
        evaluateExpression(buildConversionExpression(value, from, fromPrefix, to, toPrefix));
    std::u16string line;
    if (!from.abbreviation.empty()) {
        line = formatNumber(*evaluateExpression(value), format);
        if (!line.empty()) line += u" " + fromPrefix.abbreviation + from.abbreviation + u" = ";
    }
    const std::u16string result = formatNumber(*converted, format);
    line += result;
    if (!result.empty() && !to.abbreviation.empty())
        line += u" " + toPrefix.abbreviation + to.abbreviation;
    return line;
}

std::optional<ConversionUnits> conversionUnits(const Converter &c, int from, int fromPrefix, int to,
                                               int toPrefix) {
    auto inside = [](int i, std::size_t size) { return i >= 0 && std::size_t(i) < size; };
    if (!inside(from, c.units.size()) || !inside(to, c.units.size())) return std::nullopt;
    if (!inside(fromPrefix, c.prefixes.size()) || !inside(toPrefix, c.prefixes.size()))
        return std::nullopt;
    return ConversionUnits{c.units[std::size_t(from)], c.prefixes[std::size_t(fromPrefix)],
                           c.units[std::size_t(to)], c.prefixes[std::size_t(toPrefix)]};
}

std::u16string conversionText(std::u16string_view value, const Converter &c, int from,
                              int fromPrefix, int to, int toPrefix, OutputFormat format) {
    const auto u = conversionUnits(c, from, fromPrefix, to, toPrefix);
    if (!u) return {};
    return conversionText(value, u->from, u->fromPrefix, u->to, u->toPrefix, format);
}

std::u16string conversionLine(std::u16string_view value, const ConversionUnits &u,
                              OutputFormat format) {
    try {
        return conversionText(value, u.from, u.fromPrefix, u.to, u.toPrefix, format);
    } catch (const char *) {
    } catch (const std::bad_alloc &) {
    }
    return {};
}
