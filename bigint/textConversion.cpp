#include "bigint/textConversion.h"

#include "bigint/BigUnsignedInABase.h"

namespace {

// Bits per digit of a power-of-two base, 0 for the others.
int bitsPerDigit(unsigned base) {
    switch (base) {
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    case 16: return 4;
    case 32: return 5;
    default: return 0;
    }
}

// In a power-of-two base every digit is a run of bits: the digits are written straight
// from the blocks, with no digit array in between (a large number's binary text is
// already 32 times the size of the number).
void appendPowerOfTwoDigits(std::string &out, const BigUnsigned &x, int bits) {
    const std::uint64_t digits = (x.bitLength() + unsigned(bits) - 1) / unsigned(bits);
    const std::size_t at = out.size();
    out.resize(at + digits);
    const unsigned mask = (1u << bits) - 1;
    for (std::uint64_t d = 0; d < digits; ++d) {
        const std::uint64_t bit = d * unsigned(bits);
        const auto i = BigUnsigned::Index(bit / 32);
        const std::uint64_t pair = x.blockAt(i) | std::uint64_t(x.blockAt(i + 1)) << 32;
        const unsigned v = unsigned(pair >> (bit % 32)) & mask;
        out[at + digits - 1 - d] = char(v < 10 ? '0' + v : 'A' + (v - 10));
    }
}

} // namespace

void appendUnsignedText(std::string &out, const BigUnsigned &x, unsigned short base) {
    if (const int bits = bitsPerDigit(base); bits != 0 && !x.isZero())
        appendPowerOfTwoDigits(out, x, bits);
    else if (out.empty())
        out = BigUnsignedInABase(x, base).toString();
    else
        out += BigUnsignedInABase(x, base).toString();
}

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
