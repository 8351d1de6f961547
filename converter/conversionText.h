// SPDX-License-Identifier: MIT
#pragma once
// The converter's result line: "value fromSymbol = result toSymbol", computed with the
// calculator's evaluator and result formats.

#include "converter/Converter.h"
#include "number/Settings.h"

#include <optional>
#include <string>
#include <string_view>

// The line for converting `value` (a result text) as the panel shows it: the left part
// (the value evaluated and formatted again, the prefix and unit symbols, " = ") only when
// the "From" unit has a symbol; the right part is the converted value and, when the "To"
// unit has a symbol, its prefix and unit symbols. Empty parts where there is no value.
// Arithmetic failures propagate as constant message texts.
std::u16string conversionText(std::u16string_view value, const Unit &from, const Unit &fromPrefix,
                              const Unit &to, const Unit &toPrefix, OutputFormat format);

// The four records a conversion uses, copied from converter.units and converter.prefixes
// by list index; nothing when an index is outside its list.
struct ConversionUnits {
    Unit from, fromPrefix, to, toPrefix;
};
std::optional<ConversionUnits> conversionUnits(const Converter &converter, int from, int fromPrefix,
                                               int to, int toPrefix);

// The line from list indexes into converter.units and converter.prefixes; empty when an
// index is outside its list.
std::u16string conversionText(std::u16string_view value, const Converter &converter, int from,
                              int fromPrefix, int to, int toPrefix, OutputFormat format);

// The panel's line for value and units: conversionText, or an empty line when the
// arithmetic fails (an overflow or a value too large to hold), as for a value that does
// not evaluate.
std::u16string conversionLine(std::u16string_view value, const ConversionUnits &units,
                              OutputFormat format);
