// SPDX-License-Identifier: MIT
#include "bigint/textConversion.h"

#include "bigint/BigUnsignedInABase.h"
#include "bigint/kernels/radix.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace {

char digitSymbol(unsigned d) {
    return char(d < 10 ? '0' + d : 'A' + (d - 10));
}

// Appends the digits of x to out, with no copy of a long text in between.
void appendUnsignedText(std::string &out, const BigUnsigned &x, unsigned short base) {
    namespace k = bigint::kernels;
    if (x.getLength() <= 2 && base >= 2 && base <= 36) {
        // Most values fit a machine word: their digits come from it directly.
        std::uint64_t v = (std::uint64_t(x.blockAt(1)) << 32) | x.blockAt(0);
        char digits[64];
        char *end = digits + sizeof digits, *p = end;
        do {
            *--p = digitSymbol(unsigned(v % base));
            v /= base;
        } while (v != 0);
        out.append(p, end);
    } else if (powerOfTwoDigitBits(base) != 0 && !x.isZero()) {
        appendPowerOfTwoDigits(out, x, base);
    } else if (base == 10) {
        // The digits go to the end of the room made for them in the text, then to its start.
        const std::size_t start = out.size(), room = k::maxDigitsForBlocks(x.getLength(), 10);
        out.resize(start + room);
        const std::size_t count =
            k::toDecimalText(std::span<char>(out.data() + start, room), x.span());
        std::memmove(out.data() + start, out.data() + start + room - count, count);
        out.resize(start + count);
    } else if (base <= 36) {
        // The digits are written into the text itself, one byte each, then put in order and
        // turned into symbols there: no second copy of a long text.
        const std::size_t start = out.size();
        out.resize(start + k::maxDigitsForBlocks(x.getLength(), base));
        const std::span<k::SmallDigit> digits(reinterpret_cast<k::SmallDigit *>(out.data() + start),
                                              out.size() - start);
        const std::size_t count = k::toDigits(digits, x.span(), base);
        std::reverse(digits.begin(), digits.begin() + std::ptrdiff_t(count));
        for (std::size_t i = 0; i < count; ++i)
            out[start + i] = digitSymbol(digits[i]);
        out.resize(start + count);
    } else {
        out += BigUnsignedInABase(x, base).toString();
    }
}

// True when every character of s (non-empty) is '0' to '9'; eight at a time: a byte is a
// digit when its high half is 3 and stays 3 after 6 is added to its low half.
bool allDecimalDigits(std::string_view s) {
    if (s.empty()) return false;
    std::size_t i = 0;
    std::uint64_t outside = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, s.data() + i, 8);
        outside |= ((v & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u) |
                   (((v + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u);
    }
    for (; i < s.size(); ++i)
        outside |= static_cast<unsigned char>(s[i] - '0') >= 10;
    return outside == 0;
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
    // Short texts of valid digits are read into a machine word; anything else (a long text,
    // a value past 64 bits, a symbol that is no digit of the base) takes the general way,
    // which also reports the faults.
    if (s.size() <= 64 && !s.empty() && base >= 2 && base <= 36) {
        std::uint64_t v = 0;
        bool fits = true;
        for (char c : s) {
            unsigned d = c >= '0' && c <= '9'   ? unsigned(c - '0')
                         : c >= 'A' && c <= 'Z' ? unsigned(c - 'A' + 10)
                         : c >= 'a' && c <= 'z' ? unsigned(c - 'a' + 10)
                                                : 36;
            if (d >= base || __builtin_mul_overflow(v, std::uint64_t(base), &v) ||
                __builtin_add_overflow(v, std::uint64_t(d), &v)) {
                fits = false;
                break;
            }
        }
        if (fits) {
            const BigUnsigned::Blk blocks[2] = {BigUnsigned::Blk(v), BigUnsigned::Blk(v >> 32)};
            return BigUnsigned(blocks, 2);
        }
    }
    // Long decimal texts are read as they are, with no array of digit values in between.
    if (base == 10) {
        std::size_t first = 0; // leading zeros add nothing
        while (first + 1 < s.size() && s[first] == '0')
            ++first;
        const std::string_view digits = s.substr(first);
        if (allDecimalDigits(digits)) {
            namespace k = bigint::kernels;
            std::vector<k::Block> blocks(k::maxBlocksForDigits(digits.size(), 10));
            const std::size_t n = k::fromDecimalText(blocks, digits);
            return BigUnsigned(blocks.data(), BigUnsigned::Index(n));
        }
    }
    // Other long texts: their digit values, one byte each, least significant first. A symbol
    // that is no digit of the base goes the general way, which reports it.
    if (base >= 2 && base <= 36) {
        namespace k = bigint::kernels;
        std::size_t first = 0; // leading zeros add nothing
        while (first + 1 < s.size() && s[first] == '0')
            ++first;
        std::vector<k::SmallDigit> digits(s.size() - first);
        bool valid = !digits.empty();
        for (std::size_t i = 0; i < digits.size() && valid; ++i) {
            const char c = s[s.size() - 1 - i];
            const unsigned d = c >= '0' && c <= '9'   ? unsigned(c - '0')
                               : c >= 'A' && c <= 'Z' ? unsigned(c - 'A' + 10)
                               : c >= 'a' && c <= 'z' ? unsigned(c - 'a' + 10)
                                                      : 36;
            valid = d < base;
            digits[i] = k::SmallDigit(d);
        }
        if (valid) return digitsToUnsigned(digits, base);
    }
    return BigUnsignedInABase(s, base).toBigUnsigned();
}

BigUnsigned digitsToUnsigned(std::span<const std::uint8_t> digits, unsigned short base) {
    namespace k = bigint::kernels;
    std::size_t count = digits.size(); // leading zeros add nothing
    while (count > 0 && digits[count - 1] == 0)
        --count;
    if (count == 0) return BigUnsigned();
    std::vector<k::Block> blocks(k::maxBlocksForDigits(count, base));
    const std::size_t n = k::fromDigits(blocks, digits.first(count), base);
    return BigUnsigned(blocks.data(), BigUnsigned::Index(n));
}

BigUnsigned decimalTextToUnsigned(std::u16string_view digits) {
    namespace k = bigint::kernels;
    std::size_t first = 0; // leading zeros add nothing
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    digits.remove_prefix(first);
    if (digits.empty()) return BigUnsigned();
    std::vector<k::Block> blocks(k::maxBlocksForDigits(digits.size(), 10));
    const std::size_t n = k::fromDecimalText(blocks, digits);
    return BigUnsigned(blocks.data(), BigUnsigned::Index(n));
}

BigInteger textToInteger(std::string_view s, unsigned short base) {
    if (!s.empty() && s[0] == '-')
        return BigInteger(textToUnsigned(s.substr(1), base), BigInteger::negative);
    if (!s.empty() && s[0] == '+') return BigInteger(textToUnsigned(s.substr(1), base));
    return BigInteger(textToUnsigned(s, base));
}
