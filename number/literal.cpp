// SPDX-License-Identifier: MIT
#include "number/literal.h"

#include "bigint/textConversion.h"
#include "number/floatText.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool isDecimalDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Why t is not a literal: a stray bracket, a name the evaluator does not know, or a number
// written wrongly.
NoValueReason whyNotLiteral(std::u16string_view t) {
    if (t.find_first_of(u"()") != std::u16string_view::npos)
        return NoValueReason::unbalancedBrackets;
    const char16_t first = t[0];
    if (isDecimalDigit(first) || first == u'.' || first == u',' || first == u'#')
        return NoValueReason::malformedNumber;
    return NoValueReason::unknownName;
}

// Whether the exponent of a decimal literal ("1e-512") has a value of 500 or more.
bool exponentOver500(std::string_view text) {
    std::size_t at = text.find_first_of("eE");
    if (at == std::string_view::npos) return false;
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    int exponent = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        if ((exponent = exponent * 10 + (text[at] - '0')) >= 500) return true;
    return false;
}

// The most digits in base (2, 8, 10 or 16) that every number written with them fits in 64
// bits.
std::size_t maxDigitsIn64Bits(int base) {
    switch (base) {
    case 2:
        return 64;
    case 8:
        return 21;
    case 16:
        return 16;
    default:
        return 19;
    }
}

void fail(Number &n, std::u16string_view t, NoValueReason why) {
    n.kind = NoValue;
    n.reason = why;
    n.reasonText = why == NoValueReason::unbalancedBrackets ? nullptr : reasonDetail(t);
}

} // namespace

void readLiteral(Number &n, std::u16string_view t) {
    if (t.size() > 64 && std::all_of(t.begin(), t.end(), isDecimalDigit)) {
        // A long decimal integer, the operand of long calculations: read from the text
        // itself, without a copy of its digits.
        n.integerValue = BigInteger(decimalTextToUnsigned(t));
        n.kind = Integer;
        return;
    }
    const auto notLiteral = [&] { fail(n, t, whyNotLiteral(t)); };
    n.kind = NoValue;
    const std::size_t len = t.size();
    int base = 10;
    std::size_t start = 0;
    if (len > 2 && t[0] == u'0') {
        switch (t[1]) {
        case u'x':
        case u'X':
            base = 16, start = 2;
            break;
        case u'b':
        case u'B':
            base = 2, start = 2;
            break;
        case u'o':
        case u'O':
            base = 8, start = 2;
            break;
        default:
            break;
        }
    }
    if (len > 1 && t[0] == u'#') base = 16, start = 1;

    bool mark = false, exponent = false;
    for (std::size_t i = start; i < len; ++i) {
        char16_t c = t[i];
        if ((c == u'+' || c == u'-') && base != 16 && i > 0 &&
            (t[i - 1] == u'e' || t[i - 1] == u'E'))
            continue;
        if (c == u'.' || c == u',') {
            if (mark) return notLiteral();
            mark = true;
            continue;
        }
        if (base <= 13 && (c == u'e' || c == u'E')) {
            if (exponent) return notLiteral();
            exponent = true;
            continue;
        }
        int d = digitValue(c);
        if (d < 0 || d >= base) return notLiteral();
    }

    if (!mark && !exponent && len - start <= maxDigitsIn64Bits(base)) {
        // A short integer fits in 64 bits: read directly, without a digit string.
        std::uint64_t v = 0;
        for (std::size_t i = start; i < len; ++i)
            v = v * std::uint64_t(base) + std::uint64_t(digitValue(t[i]));
        const std::uint32_t blocks[2] = {std::uint32_t(v), std::uint32_t(v >> 32)};
        n.integerValue = BigInteger(BigUnsigned(blocks, (v >> 32) != 0 ? 2 : 1));
        n.kind = Integer;
        return;
    }
    if (!mark && !exponent && len - start > 64) {
        // A long integer: its digit values, one byte each, go to the conversion as they are.
        std::vector<std::uint8_t> digits(len - start);
        for (std::size_t i = start; i < len; ++i)
            digits[len - 1 - i] = std::uint8_t(digitValue(t[i]));
        n.integerValue = BigInteger(digitsToUnsigned(digits, static_cast<unsigned short>(base)));
        n.kind = Integer;
        return;
    }
    // Every character is ASCII from here on.
    std::string ascii(t.size() - start, '\0');
    for (std::size_t i = start; i < len; ++i)
        ascii[i - start] = char(t[i]);
    if (mark || exponent) {
        if (base != 10) return notLiteral();
        if (auto v = readDecimalLiteral(ascii)) {
            n.kind = Float;
            n.floatValue = *v;
            return;
        }
        // The reading refuses a mantissa without digits ("e5"), exponents of 500 or more
        // ("1e500") and values beyond the float range ("1e4933").
        const char16_t first = t[0];
        if (!isDecimalDigit(first) && first != u'.' && first != u',') return notLiteral();
        return fail(n, t,
                    exponentOver500(ascii) ? NoValueReason::exponentOver500
                                           : NoValueReason::outsideFloatRange);
    }
    n.integerValue = textToInteger(ascii, static_cast<unsigned short>(base));
    n.kind = Integer;
}
