// SPDX-License-Identifier: MIT
#include "bigint/textConversion.h"

#include "bigint/BigUnsignedInABase.h"

namespace {

// Appends the digits of x to out, with no copy of a long text in between.
void appendUnsignedText(std::string &out, const BigUnsigned &x, unsigned short base) {
    if (powerOfTwoDigitBits(base) != 0 && !x.isZero())
        appendPowerOfTwoDigits(out, x, base);
    else if (out.empty())
        out = BigUnsignedInABase(x, base).toString();
    else
        out += BigUnsignedInABase(x, base).toString();
}

} // namespace

std::string unsignedToText(const BigUnsigned &x, unsigned short base) {
    std::string text;
    appendUnsignedText(text, x, base);
    return text;
}

std::string integerToText(const BigInteger &x, unsigned short base) {
    std::string text = x.getSign() == BigInteger::negative ? "-" : "";
    appendUnsignedText(text, x.getMagnitude(), base);
    return text;
}

BigUnsigned textToUnsigned(std::string_view s, unsigned short base) {
    return BigUnsignedInABase(s, base).toBigUnsigned();
}

BigInteger textToInteger(std::string_view s, unsigned short base) {
    if (!s.empty() && s[0] == '-')
        return BigInteger(textToUnsigned(s.substr(1), base), BigInteger::negative);
    if (!s.empty() && s[0] == '+') return BigInteger(textToUnsigned(s.substr(1), base));
    return BigInteger(textToUnsigned(s, base));
}
