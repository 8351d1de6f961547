#include "bigint/textConversion.h"

#include "bigint/BigUnsignedInABase.h"

std::string unsignedToText(const BigUnsigned &x, unsigned short base) {
    return BigUnsignedInABase(x, base).toString();
}

std::string integerToText(const BigInteger &x, unsigned short base) {
    std::string digits = unsignedToText(x.getMagnitude(), base);
    return x.getSign() == BigInteger::negative ? "-" + digits : digits;
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
