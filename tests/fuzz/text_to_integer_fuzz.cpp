// SPDX-License-Identifier: MIT
// Fuzzes reading digit texts in every base: a text is either refused with a constant
// message, or read into a value whose text in that base reads back to the same value and
// spells the same digits.

#include "bigint/textConversion.h"
#include "fuzz_support.h"

#include <cctype>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput in(data, size);
    // Mostly the bases in use (2 to 36); sometimes an unsupported one, which must be refused.
    unsigned base = in.pick(64);
    if (base < 35) base += 2;
    const std::string text(in.rest());
    BigInteger value;
    try {
        value = textToInteger(text, static_cast<unsigned short>(base));
    } catch (const char *) {
        return 0;
    }
    if (base < 2 || base > 36) std::abort();

    const std::string back = integerToText(value, static_cast<unsigned short>(base));
    if (textToInteger(back, static_cast<unsigned short>(base)) != value) std::abort();

    // The same digits: drop the sign and leading zeros of the input, and compare in upper
    // case ("-0" reads as zero, whose text has no sign).
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    while (digits.size() > 1 && digits[0] == '0')
        digits.remove_prefix(1);
    std::string expected = digits.empty() ? "0" : std::string(digits);
    for (char &c : expected)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (negative && expected != "0") expected.insert(0, "-");
    if (!text.empty() && back != expected) std::abort();
    return 0;
}
