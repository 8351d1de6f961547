// SPDX-License-Identifier: MIT
#pragma once
// Conversions between long doubles and decimal texts that do not depend on the process
// locale: "," is always the decimal mark.

#include <optional>
#include <string>
#include <string_view>

enum class FloatStyle { general, exponent };

// The system's float-to-text conversion. The value is rounded to 18 significant digits
// (ties to even), then to `precision` digits (2..18, half up), trailing zeros dropped.
// general: plain notation unless the decimal exponent is above the precision or below -3;
// exponent: always d,ddd...E+x. exponentDigits (0..4) is the least number of exponent digits.
// Infinities and NaN give "INF", "-INF", "NAN"; the exponent letter is an upper-case "E".
std::string renderFloat(long double v, FloatStyle style, int precision, int exponentDigits);

// Reads a decimal literal that has already passed the character checks: digits, at most
// one "," decimal mark, at most one exponent letter "e"/"E" with an optional sign. Digits
// may be missing on either side of the mark, and missing exponent digits mean 0. No value
// when the part before the exponent holds neither a digit nor the mark, when the exponent
// reaches 500, when the text does not have that shape, or when the value overflows.
// A value too small for the range becomes 0 (or a subnormal).
std::optional<long double> readDecimalLiteral(std::string_view text);
