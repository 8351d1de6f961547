// SPDX-License-Identifier: MIT
// Reasons told in the user's own text: the evaluator's detail, which may come from a text it
// rebuilt, is found again in the line as typed (blanks and brackets included), the rules of
// the language that surprise are named with the way to write the line instead, and nothing a
// message quotes can move a terminal's cursor.

#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/reasonInText.h"
#include "number/textUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string explained(const std::string &line) {
    const NumberRef n = evaluateExpression(stripWhiteSpace(utf8ToUtf16(line)));
    EXPECT_EQ(n->kind, NoValue) << line;
    return explainNoValue(n->reason, n->reasonText ? *n->reasonText : "", line);
}

TEST(ReasonInText, QuotesTheLineAsTyped) {
    const struct {
        std::string line, reason;
    } rows[] = {
        // A function's name taken from the front of a longer name.
        {"cosh(1)", "unknown name 'cosh'"},
        {"2 * sinh (0.5)", "unknown name 'sinh'"},
        // "or" inside a name splits it.
        {"format", "unknown name 'format'"},
        {"foo", "unknown name 'foo'"},
        {"1+foo", "unknown name 'foo'"},
        {"SIN 30", "unknown name 'SIN'"},
        {"1.2.3", "malformed number '1.2.3'"},
        {"0b102", "malformed number '0b102'"},
        {"[1.2.3]*2", "malformed number '1.2.3'"},
        {"1e500", "exponent of 500 or more in '1e500'"},
        {"2*1e-600", "exponent of 500 or more in '1e-600'"},
        // The rules of the language, named, with the line as it has to be written.
        {"pi-1", "'-' after a name is not an operator: write (pi)-1"},
        {"2*pi+1", "'+' after a name is not an operator: write (pi)+1"},
        {"0xff+1", "'+' after a hexadecimal digit is not an operator: write (0xff)+1"},
        {"#ff-1", "'-' after a hexadecimal digit is not an operator: write (#ff)-1"},
        {"2(3)", "values side by side are not multiplied: write 2*(3)"},
        {"2 (3+4)", "values side by side are not multiplied: write 2*(3+4)"},
        {"(1)(2)", "values side by side are not multiplied: write (1)*(2)"},
        {"2pi", "values side by side are not multiplied: write 2*pi"},
        {"3sin 30", "values side by side are not multiplied: write 3*sin 30"},
        {"pi(2)", "values side by side are not multiplied: write pi*(2)"},
        // A name that merely looks like a rule: no rule is named.
        {"x-1", "unknown name 'x'"},
        {"log10(100)(2)", "values side by side are not multiplied: write (100)*(2)"},
        // In a long line the column says where.
        {"1+2+3+4+5+6+7+8+9+10+11+12+13+cosh(1)", "unknown name 'cosh' at column 31"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(explained(row.line), row.reason) << row.line;
}

TEST(ReasonInText, ReasonsWithoutDetailAreUnchanged) {
    for (const char *line : {"2+", "(1", "()", "5/0", "7.5%2"}) {
        const NumberRef n = evaluateExpression(utf8ToUtf16(line));
        EXPECT_EQ(explainNoValue(n->reason, "", line), describeNoValue(n->reason, "")) << line;
    }
}

TEST(ReasonInText, EscapesWhatATerminalWouldObey) {
    const struct {
        std::string text, shown;
    } rows[] = {
        {"plain 2\u00B2", "plain 2\u00B2"},
        {"a\x1b[2Jb", "a\\x1b[2Jb"},
        {std::string("nul\0!", 5), "nul\\x00!"},
        {"del\x7f", "del\\x7f"},
        {"c1 \u0085", "c1 \\u0085"},
        {"bad \xff\xc3", "bad \\xff\\xc3"},
        {"overlong \xc0\xaf", "overlong \\xc0\\xaf"},
        {"tab\tand return\r", "tab\\x09and return\\x0d"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(escapedForMessage(row.text), row.shown) << row.shown;
}

TEST(ReasonInText, FindsControlCharactersButNotBlanks) {
    const struct {
        std::string line;
        std::size_t column; // 0: none
        char32_t code;
    } rows[] = {
        {std::string("3+\0"
                     "4",
                     4),
         3, 0},
        {"1 +\x1b"
         "2",
         4, 0x1B},
        {"\u00B2\u00B3\x7f", 3, 0x7F},
        {"2\u0085", 2, 0x85},
        {"1 +\t2\r\n\v\f", 0, 0},
        {"\u03C0\u00D72", 0, 0},
    };
    for (const auto &row : rows) {
        const auto found = findControlCharacter(row.line);
        if (row.column == 0) {
            EXPECT_FALSE(found) << row.line;
            continue;
        }
        ASSERT_TRUE(found) << row.line;
        EXPECT_EQ(found->column, row.column);
        EXPECT_EQ(found->code, row.code);
    }
    EXPECT_EQ(describeControlCharacter({3, 0}), "control character \\x00 at column 3");
}

TEST(ReasonInText, RemarksOnValuesThatAreNotNumbers) {
    Number n;
    n.kind = Float;
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct {
        long double value;
        OutputFormat format;
        std::string remark;
    } rows[] = {
        {0.5L, Normal, ""},
        {0.5L, Hexadecimal, "a non-integer has no hexadecimal text"},
        {0.5L, Binary, "a non-integer has no binary text"},
        {std::numeric_limits<long double>::quiet_NaN(), Full, "not a number"},
        {inf, Scientific, "infinite"},
        {-inf, Octal, "infinite, which has no octal text"},
    };
    for (const auto &row : rows) {
        n.floatValue = row.value;
        EXPECT_EQ(resultRemark(n, row.format), row.remark) << row.remark;
    }
    n.kind = Integer;
    EXPECT_EQ(resultRemark(n, Hexadecimal), "");
}

} // namespace
