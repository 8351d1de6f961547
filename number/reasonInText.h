// SPDX-License-Identifier: MIT
#pragma once
// Why a line has no value, told in the words of the line the user wrote. The evaluator's
// reasons carry a piece of the text it was working on when the value was lost, and that text
// may be one it rebuilt (a bracket's value written back between blanks: "cosh(1)" fails as
// "h 1"). These functions find that piece again in the user's line, quote it as typed, and
// name the rule of the language the line broke where one did ("pi-1", "2(3)").

#include "number/Number.h"
#include "number/Settings.h"
#include "number/noValueReason.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text as a message quotes it: control characters and bytes that are not UTF-8 are written
// as \xNN (C1 controls as \u0080 ... \u009F), so a message never moves the terminal's cursor
// or changes its colours.
std::string escapedForMessage(std::string_view utf8);

// A control character that is not white space (the evaluator would drop it unseen at the
// end of an operand): its column (1-based, counted in characters) and its code.
struct ControlCharacter {
    std::size_t column;
    char32_t code;
};
std::optional<ControlCharacter> findControlCharacter(std::string_view utf8);
// "control character \x00 at column 3".
std::string describeControlCharacter(const ControlCharacter &found);

// The reason for a line without value: describeNoValue's text, with the evaluator's detail
// replaced by the span of line it came from (and its column when the line is long), or by the
// rule the line broke and how to write it instead.
std::string explainNoValue(NoValueReason reason, std::string_view detail, std::string_view line);

// What a value that has one lacks when shown in format: "not a number" and "infinite" (their
// texts "nan", "inf" and "-inf" are results a script should not take for numbers), or "a
// non-integer has no hexadecimal text" where the format has no text for it. Empty for a value
// shown as a number.
std::string resultRemark(const Number &n, OutputFormat format);
