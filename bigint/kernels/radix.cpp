// SPDX-License-Identifier: MIT
#include "bigint/kernels/radix.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide_knuth.h"
#include "bigint/kernels/multiply_basecase.h"
#include "bigint/kernels/radix_dc.h"
#include "bigint/tuning.h"
#include "bigint/uint128.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace bigint::kernels {

namespace {

// The largest power of base that fits in a block, and its exponent: the conversion moves
// that many digits per pass over the number (nine for base 10).
struct BigBase {
    Block power = 1;
    unsigned digits = 0;
};

constexpr BigBase bigBaseOf(unsigned base) {
    BigBase b;
    while (DoubleBlock(b.power) * base <= 0xFFFFFFFFu) {
        b.power *= base;
        ++b.digits;
    }
    return b;
}

// log2(base) for a power of two, else 0.
unsigned powerOfTwoBits(unsigned base) {
    return std::has_single_bit(base) ? unsigned(std::countr_zero(base)) : 0;
}

template <class D>
std::size_t toDigitsPowerOfTwo(std::span<D> digits, ConstBlocks x, unsigned bits) {
    std::size_t n = normalizedSize(x);
    if (n == 0) return 0;
    std::size_t totalBits = n * bitsPerBlock - std::size_t(std::countl_zero(x[n - 1]));
    std::size_t count = (totalBits + bits - 1) / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t bit = i * bits;
        std::size_t blk = bit / bitsPerBlock;
        unsigned off = unsigned(bit % bitsPerBlock);
        DoubleBlock window = x[blk];
        if (blk + 1 < n) window |= DoubleBlock(x[blk + 1]) << bitsPerBlock;
        digits[i] = D((window >> off) & mask);
    }
    return count;
}

template <class D>
std::size_t fromDigitsPowerOfTwo(Blocks r, std::span<const D> digits, unsigned bits) {
    std::fill(r.begin(), r.end(), 0);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] == 0) continue;
        std::size_t bit = i * bits;
        std::size_t blk = bit / bitsPerBlock;
        unsigned off = unsigned(bit % bitsPerBlock);
        DoubleBlock v = DoubleBlock(digits[i]) << off;
        r[blk] |= Block(v);
        if ((v >> bitsPerBlock) != 0) r[blk + 1] |= Block(v >> bitsPerBlock);
    }
    return normalizedSize(r);
}

// The quadratic conversion: one pass of division by the big base per block of digits. With
// the base known at compile time (Base != 0; decimal, by far the most common), the divisions
// by constants become multiplications.
template <unsigned Base, class D>
std::size_t toDigitsQuadratic(std::span<D> digits, ConstBlocks x, unsigned runtimeBase) {
    const unsigned base = Base != 0 ? Base : runtimeBase;
    const BigBase big = Base != 0 ? bigBaseOf(Base) : bigBaseOf(base);
    Block w[toDigitsDivideAndConquerThreshold];
    std::size_t n = normalizedSize(x);
    assert(n < toDigitsDivideAndConquerThreshold);
    std::copy(x.begin(), x.begin() + std::ptrdiff_t(n), w);
    std::size_t count = 0;
    while (n > 0) {
        DoubleBlock rem = 0;
        for (std::size_t i = n; i-- > 0;) {
            const DoubleBlock cur = (rem << bitsPerBlock) | w[i];
            w[i] = Block(cur / big.power);
            rem = cur % big.power;
        }
        Block chunk = Block(rem);
        while (n > 0 && w[n - 1] == 0)
            --n;
        // Inner chunks give exactly big.digits digits (leading zeros included); the last
        // one stops at its highest non-zero digit.
        for (unsigned d = 0; d < big.digits && (chunk != 0 || n > 0); ++d) {
            digits[count++] = D(chunk % base);
            chunk /= base;
        }
    }
    return count;
}

// Decimal conversion on 64-bit limbs, 19 digits a pass: a quarter of the passes over half
// as many words as with 32-bit blocks and 9 digits.
using Limb = std::uint64_t;
using DoubleLimb = bigint::UInt128;

constexpr Limb tenTo19 = 10000000000000000000ull; // its top bit is set
// floor((2^128 - 1) / 10^19) - 2^64: the quotient of a two-limb number by 10^19 from two
// multiplications (Moller and Granlund, "Improved division by invariant integers").
constexpr Limb tenTo19Inverse = Limb(~DoubleLimb(0) / tenTo19 - (DoubleLimb(1) << 64));

// (high * 2^64 + low) / 10^19 and its remainder, for high < 10^19.
inline Limb divideByTenTo19(Limb high, Limb low, Limb &remainder) {
    const DoubleLimb estimate =
        DoubleLimb(tenTo19Inverse) * high + ((DoubleLimb(high) << 64) | low);
    Limb q = Limb(estimate >> 64) + 1;
    Limb r = low - q * tenTo19;
    if (r > Limb(estimate)) {
        --q;
        r += tenTo19;
    }
    if (r >= tenTo19) {
        ++q;
        r -= tenTo19;
    }
    remainder = r;
    return q;
}

// How many limbs a conversion of this many blocks works in on the stack; more on the heap.
constexpr std::size_t stackLimbs = 64;

template <class D>
std::size_t toDecimalQuadratic(std::span<D> digits, ConstBlocks x) {
    const std::size_t blocks = normalizedSize(x);
    std::size_t n = (blocks + 1) / 2;
    Limb onStack[stackLimbs];
    std::vector<Limb> onHeap(n > stackLimbs ? n : 0);
    Limb *w = n > stackLimbs ? onHeap.data() : onStack;
    for (std::size_t i = 0; i < n; ++i)
        w[i] = Limb(x[2 * i]) | (2 * i + 1 < blocks ? Limb(x[2 * i + 1]) << 32 : 0);
    std::size_t count = 0;
    while (n > 0) {
        Limb rem = 0;
        for (std::size_t i = n; i-- > 0;)
            w[i] = divideByTenTo19(rem, w[i], rem);
        while (n > 0 && w[n - 1] == 0)
            --n;
        // Inner chunks give exactly 19 digits (leading zeros included); the last one stops
        // at its highest non-zero digit.
        Limb chunk = rem;
        for (unsigned d = 0; d < 19 && (chunk != 0 || n > 0); ++d) {
            digits[count++] = D(chunk % 10);
            chunk /= 10;
        }
    }
    return count;
}

// The 8 decimal characters of v < 10^8, most significant first, with a few multiplications
// on all of them at once: v's two halves of four digits, then pairs, then single digits,
// each in its own lanes of one word (the first character in the lowest byte).
inline void writeEightDigits(char *out, std::uint32_t v) {
    const std::uint64_t high = v / 10000, low = v % 10000;
    std::uint64_t x = high | low << 32;
    // Lanes of 32 bits below 10^4: n / 100 == n * 5243 >> 19 there.
    std::uint64_t top = ((x * 5243) >> 19) & 0x0000007F0000007Fu;
    x = top | (x - top * 100) << 16;
    // Lanes of 16 bits below 100: n / 10 == n * 103 >> 10 there.
    top = ((x * 103) >> 10) & 0x000F000F000F000Fu;
    x = top | (x - top * 10) << 8;
    x += 0x3030303030303030u;
    if constexpr (std::endian::native == std::endian::big) x = __builtin_bswap64(x);
    std::memcpy(out, &x, 8);
}

// The 19 decimal characters of v < 10^19, leading zeros included.
inline void writeNineteenDigits(char *out, Limb v) {
    const unsigned top = unsigned(v / 10000000000000000u);
    const Limb rest = v % 10000000000000000u;
    out[0] = char('0' + top / 100);
    out[1] = char('0' + top / 10 % 10);
    out[2] = char('0' + top % 10);
    writeEightDigits(out + 3, std::uint32_t(rest / 100000000));
    writeEightDigits(out + 11, std::uint32_t(rest % 100000000));
}

// toDecimalText by dividing by 10^19 a pass, as toDecimalQuadratic; the chunks go to the
// text from its end.
std::size_t toDecimalTextQuadratic(std::span<char> text, ConstBlocks x) {
    const std::size_t blocks = normalizedSize(x);
    std::size_t n = (blocks + 1) / 2;
    Limb onStack[stackLimbs];
    std::vector<Limb> onHeap(n > stackLimbs ? n : 0);
    Limb *w = n > stackLimbs ? onHeap.data() : onStack;
    for (std::size_t i = 0; i < n; ++i)
        w[i] = Limb(x[2 * i]) | (2 * i + 1 < blocks ? Limb(x[2 * i + 1]) << 32 : 0);
    char *end = text.data() + text.size(), *p = end;
    while (n > 0) {
        Limb rem = 0;
        for (std::size_t i = n; i-- > 0;)
            w[i] = divideByTenTo19(rem, w[i], rem);
        while (n > 0 && w[n - 1] == 0)
            --n;
        if (n > 0) {
            p -= 19;
            writeNineteenDigits(p, rem);
        } else {
            // The most significant chunk, without its leading zeros.
            char last[19];
            writeNineteenDigits(last, rem);
            std::size_t skip = 0;
            while (skip < 18 && last[skip] == '0')
                ++skip;
            p -= 19 - skip;
            std::memcpy(p, last + skip, 19 - skip);
        }
    }
    return std::size_t(end - p);
}

// r := the value of the decimal digits, by Horner's rule 19 digits a step.
template <class D>
std::size_t fromDecimalQuadratic(Blocks r, std::span<const D> digits) {
    const std::size_t room = (r.size() + 1) / 2;
    Limb onStack[stackLimbs];
    std::vector<Limb> onHeap(room > stackLimbs ? room : 0);
    Limb *w = room > stackLimbs ? onHeap.data() : onStack;
    std::size_t len = 0;
    std::size_t i = digits.size();
    // The first group takes the remainder so that every later group is full.
    std::size_t group = i % 19;
    if (group == 0) group = 19;
    while (i > 0) {
        Limb chunk = 0, scale = 1;
        for (std::size_t g = 0; g < group; ++g) {
            chunk = chunk * 10 + digits[--i];
            scale *= 10;
        }
        Limb carry = chunk;
        for (std::size_t k = 0; k < len; ++k) {
            const DoubleLimb t = DoubleLimb(w[k]) * scale + carry;
            w[k] = Limb(t);
            carry = Limb(t >> 64);
        }
        if (carry != 0) w[len++] = carry;
        group = 19;
    }
    for (std::size_t k = 0; k < r.size(); ++k)
        r[k] = k / 2 < len ? Block(w[k / 2] >> (32 * (k % 2))) : 0;
    return normalizedSize(r);
}

// The value of 8 decimal characters, the first the most significant, with a few
// multiplications on all of them at once (the first character in the lowest byte).
inline std::uint32_t eightDigits(const char *p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    v -= 0x3030303030303030u;                        // one digit a byte, each at most 9
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFu;   // pairs: at most 99 in each 16 bits
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFu; // fours: at most 9999 in each 32 bits
    return std::uint32_t((v & 0xFFFFFFFFu) * 10000 + (v >> 32));
}

// The value of count <= 19 decimal characters.
inline Limb someDigits(const char *p, std::size_t count) {
    Limb v = 0;
    for (; count >= 8; count -= 8, p += 8)
        v = v * 100000000 + eightDigits(p);
    for (; count > 0; --count)
        v = v * 10 + Limb(*p++ - '0');
    return v;
}

// The value of exactly 19 decimal characters.
inline Limb nineteenDigits(const char *p) {
    return Limb(eightDigits(p)) * 100000000000u + Limb(eightDigits(p + 8)) * 1000 +
           Limb(p[16] - '0') * 100 + Limb(p[17] - '0') * 10 + Limb(p[18] - '0');
}

// r := the value of the text, by Horner's rule 38 digits a step: each pass multiplies the
// limbs read so far by 10^38, two limbs, in one sweep that loads and stores each limb once.
std::size_t fromDecimalTextQuadratic(Blocks r, std::string_view text) {
    const std::size_t room = (r.size() + 1) / 2 + 1;
    Limb onStack[stackLimbs];
    std::vector<Limb> onHeap(room > stackLimbs ? room : 0);
    Limb *w = room > stackLimbs ? onHeap.data() : onStack;
    constexpr DoubleLimb tenTo38 = DoubleLimb(tenTo19) * tenTo19;
    // The first group takes the remainder so that every later group is full.
    const char *p = text.data(), *end = p + text.size();
    std::size_t group = text.size() % 38;
    if (group == 0) group = 38;
    const std::size_t lowPart = group < 19 ? group : 19;
    const DoubleLimb first = DoubleLimb(someDigits(p, group - lowPart)) * tenTo19 +
                             someDigits(p + group - lowPart, lowPart);
    w[0] = Limb(first);
    w[1] = Limb(first >> 64);
    std::size_t len = w[1] != 0 ? 2 : w[0] != 0 ? 1 : 0;
    for (p += group; p < end; p += 38) {
        const DoubleLimb chunk = DoubleLimb(nineteenDigits(p)) * tenTo19 + nineteenDigits(p + 19);
        // c0 goes to limb k (the high half of the low product from k - 1 and the low half of
        // the high one), c1 on to k + 1; every sum stays below 2^128.
        Limb c0 = Limb(chunk), c1 = Limb(chunk >> 64);
        const Limb m0 = Limb(tenTo38), m1 = Limb(tenTo38 >> 64);
        for (std::size_t k = 0; k < len; ++k) {
            const Limb limb = w[k];
            const DoubleLimb p0 = DoubleLimb(limb) * m0 + c0;
            w[k] = Limb(p0);
            // c1 first: it is ready early, p0 is the loop's chain of carries.
            const DoubleLimb p1 = DoubleLimb(limb) * m1 + c1 + Limb(p0 >> 64);
            c0 = Limb(p1);
            c1 = Limb(p1 >> 64);
        }
        w[len] = c0;
        w[len + 1] = c1;
        len += 2;
        while (len > 0 && w[len - 1] == 0)
            --len;
    }
    for (std::size_t k = 0; k < r.size(); ++k)
        r[k] = k / 2 < len ? Block(w[k / 2] >> (32 * (k % 2))) : 0;
    return normalizedSize(r);
}

} // namespace

std::size_t maxBlocksForDigits(std::size_t count, unsigned base) {
    std::size_t bits = std::size_t(std::bit_width(base - 1u));
    return (count * bits + bitsPerBlock - 1) / bitsPerBlock + 1;
}

std::size_t maxDigitsForBlocks(std::size_t blocks, unsigned base) {
    // Each digit carries at least floor(log2(base)) bits.
    std::size_t bits = std::size_t(std::bit_width(base)) - 1;
    return (blocks * bitsPerBlock + bits - 1) / bits;
}

// Which method serves which sizes (thresholds in bigint/tuning.h):
//   bases 2, 4, 8, ...  bit packing, in linear time, at every size
//   to digits, from toDigitsDivideAndConquerThreshold blocks (without leading zero blocks),
//   and from digits, from fromDigitsDivideAndConquerThreshold blocks of maxBlocksForDigits:
//                       divide and conquer on powers of the base (radix_dc.h), about 2.5
//                       (to digits) and 1.1 (from digits) times the cost of a product of
//                       two numbers of the same size
//   below them          the quadratic loops here, one block of digits per pass; the
//                       divide-and-conquer methods come back here for their small pieces
//   decimal text        (toDecimalText, fromDecimalText) the same methods on the characters
//                       themselves, the reading's quadratic loop up to
//                       fromDecimalTextDivideAndConquerThreshold

namespace {

template <class D>
std::size_t toDigitsAnyDigit(std::span<D> digits, ConstBlocks x, unsigned base) {
    assert(base >= 2 && base - 1 <= std::numeric_limits<D>::max());
    if (unsigned bits = powerOfTwoBits(base)) return toDigitsPowerOfTwo(digits, x, bits);
    if (normalizedSize(x) >= toDigitsDivideAndConquerThreshold)
        return toDigitsDivideAndConquer(digits, x, base);

    if (base == 10) return toDecimalQuadratic(digits, x);
    return toDigitsQuadratic<0>(digits, x, base);
}

template <class D>
std::size_t fromDigitsAnyDigit(Blocks r, std::span<const D> digits, unsigned base) {
    assert(base >= 2 && base - 1 <= std::numeric_limits<D>::max());
    assert(r.size() >= maxBlocksForDigits(digits.size(), base));
    if (unsigned bits = powerOfTwoBits(base)) return fromDigitsPowerOfTwo(r, digits, bits);
    if (maxBlocksForDigits(digits.size(), base) >= fromDigitsDivideAndConquerThreshold)
        return fromDigitsDivideAndConquer(r, digits, base);

    if (base == 10) return fromDecimalQuadratic(r, digits);
    std::fill(r.begin(), r.end(), 0);
    const BigBase big = bigBaseOf(base);
    std::size_t len = 0;
    std::size_t i = digits.size();
    // Horner's rule, big.digits digits at a time from the top; the first group takes the
    // remainder so that every later group is full.
    std::size_t group = i % big.digits;
    if (group == 0) group = big.digits;
    while (i > 0) {
        Block chunk = 0, scale = 1;
        for (std::size_t g = 0; g < group; ++g) {
            chunk = chunk * base + digits[--i];
            scale *= base;
        }
        Block carry = multiplyBlock(r.first(len), r.first(len), scale);
        if (carry != 0) r[len++] = carry;
        carry = addBlock(r.first(len), r.first(len), chunk);
        if (carry != 0) r[len++] = carry;
        group = big.digits;
    }
    return normalizedSize(r.first(len));
}

} // namespace

std::size_t toDigits(std::span<Digit> digits, ConstBlocks x, unsigned base) {
    return toDigitsAnyDigit(digits, x, base);
}
std::size_t toDigits(std::span<SmallDigit> digits, ConstBlocks x, unsigned base) {
    return toDigitsAnyDigit(digits, x, base);
}
std::size_t fromDigits(Blocks r, std::span<const Digit> digits, unsigned base) {
    return fromDigitsAnyDigit(r, digits, base);
}
std::size_t fromDigits(Blocks r, std::span<const SmallDigit> digits, unsigned base) {
    return fromDigitsAnyDigit(r, digits, base);
}

std::size_t toDecimalText(std::span<char> text, ConstBlocks x) {
    if (normalizedSize(x) >= toDigitsDivideAndConquerThreshold)
        return toDecimalTextDivideAndConquer(text, x);
    return toDecimalTextQuadratic(text, x);
}

std::size_t fromDecimalText(Blocks r, std::string_view text) {
    assert(r.size() >= maxBlocksForDigits(text.size(), 10));
    if (maxBlocksForDigits(text.size(), 10) >= fromDecimalTextDivideAndConquerThreshold)
        return fromDecimalTextDivideAndConquer(r, text);
    return fromDecimalTextQuadratic(r, text);
}

std::size_t fromDecimalText(Blocks r, std::u16string_view text) {
    assert(r.size() >= maxBlocksForDigits(text.size(), 10));
    if (maxBlocksForDigits(text.size(), 10) >= fromDecimalTextDivideAndConquerThreshold)
        return fromDecimalTextDivideAndConquer(r, text);
    // A piece below the divide-and-conquer threshold: a few thousand characters at most.
    std::string narrow(text.size(), '0');
    for (std::size_t i = 0; i < text.size(); ++i)
        narrow[i] = char(text[i]);
    return fromDecimalTextQuadratic(r, narrow);
}

} // namespace bigint::kernels
