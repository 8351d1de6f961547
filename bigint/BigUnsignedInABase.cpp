// SPDX-License-Identifier: MIT
#include "bigint/BigUnsignedInABase.h"

#include "bigint/kernels/radix.h"

#include <new>
#include <vector>

namespace k = bigint::kernels;

BigUnsignedInABase::BigUnsignedInABase(const BigUnsigned &x, Base b) : base(b) {
    if (b < 2) throw "BigUnsignedInABase(BigUnsigned, Base): The base must be at least 2";
    // Room for the longest possible digit string: a digit carries at least
    // (significant bits of the base) - 1 bits.
    unsigned baseBits = 0;
    for (unsigned v = b; v != 0; v >>= 1)
        ++baseBits;
    std::uint64_t room = (std::uint64_t(x.getLength()) * 32 + baseBits - 2) / (baseBits - 1);
    if (room > UINT32_MAX) throw std::bad_alloc();
    growDiscarding(Index(room));
    length = Index(k::toDigits({blocks, capacity}, x.span(), b));
}

BigUnsignedInABase::BigUnsignedInABase(std::string_view s, Base b) : base(b) {
    if (b > 36)
        throw "BigUnsignedInABase(std::string, Base): The default string conversion routines use "
              "the symbol set 0-9, A-Z and therefore support only up to base 36.  You tried a "
              "conversion with a base over 36; write your own string conversion routine.";
    if (s.size() > UINT32_MAX) throw std::bad_alloc();
    Index n = Index(s.size());
    growDiscarding(n);
    length = n;
    // Digit 0 is the last character; the digits are checked in that order.
    for (Index i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[n - 1 - i]);
        Digit d;
        if (c >= '0' && c <= '9')
            d = Digit(c - '0');
        else if (c >= 'A' && c <= 'Z')
            d = Digit(c - 'A' + 10);
        else if (c >= 'a' && c <= 'z')
            d = Digit(c - 'a' + 10);
        else
            throw "BigUnsignedInABase(std::string, Base): Bad symbol in input.  Only 0-9, A-Z, a-z "
                  "are accepted.";
        if (d >= b)
            throw "BigUnsignedInABase::BigUnsignedInABase(const Digit *, Index, Base): A digit is "
                  "too large for the specified base";
        blocks[i] = d;
    }
    while (length > 0 && blocks[length - 1] == 0)
        --length;
}

BigUnsigned BigUnsignedInABase::toBigUnsigned() const {
    if (length == 0) return BigUnsigned();
    std::size_t room = k::maxBlocksForDigits(length, base);
    if (room > UINT32_MAX) throw std::bad_alloc();
    std::vector<k::Block> r(room);
    std::size_t n = k::fromDigits(r, span(), base);
    return BigUnsigned(r.data(), Index(n));
}

std::string BigUnsignedInABase::toString() const {
    if (base > 36)
        throw "BigUnsignedInABase ==> std::string: The default string conversion routines use the "
              "symbol set 0-9, A-Z and therefore support only up to base 36.  You tried a "
              "conversion with a base over 36; write your own string conversion routine.";
    if (length == 0) return "0";
    std::string s(length, '0');
    for (Index i = 0; i < length; ++i) {
        Digit d = blocks[length - 1 - i];
        s[i] = char(d < 10 ? '0' + d : 'A' + (d - 10));
    }
    return s;
}
