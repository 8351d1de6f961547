// SPDX-License-Identifier: MIT
#pragma once
// Which float digits and which float range the tests may expect on this platform. Their
// texts were written where long double is x87's 80-bit format (x86-64, i386) and the maths
// library is glibc's; elsewhere the last digits of a Full text differ (ARM64 and s390x have
// IEEE's 128-bit format, ppc64el a pair of doubles, armhf a plain double, MinGW another maths
// library), so a float text is compared there to its first 15 significant digits (give or
// take one unit of the last). The pair of doubles and the plain double also end where a
// double does, near 1.8e308 and 2.2e-308, where x87's format reaches 1.19e4932.

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace float_digits {

inline constexpr bool x87Format = LDBL_MANT_DIG == 64;
// The bits of the mantissa: 64 (x87), 113 (IEEE's 128 bits), 106 (a pair of doubles), 53.
inline constexpr int mantissaBits = LDBL_MANT_DIG;
// Whether long double reaches x87's exponents (to 1.19e4932, down to 3.36e-4932 normal).
inline constexpr bool x87Range = LDBL_MAX_10_EXP >= 4932 && LDBL_MIN_10_EXP <= -4931;
#if LDBL_MANT_DIG == 64 && defined(__GLIBC__)
inline constexpr bool exactFloatDigits = true;
#else
inline constexpr bool exactFloatDigits = false;
#endif

// A decimal result text ("-1,25e-7", "0,5", "12,5") as its first 17 significant digits
// (padded with zeros) and the power of ten of its first digit; nothing for a text that is no
// decimal number ("nan", "INF", "0x1F").
struct Leading {
    bool negative = false;
    std::uint64_t digits = 0; // 0, or 10^16 to 10^17 - 1
    long exponent = 0;
};

inline std::optional<Leading> leadingDigits(std::string_view text) {
    Leading r;
    std::string mantissa;
    bool mark = false, anyDigit = false;
    long lastDigitExponent = 0;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') r.negative = true, ++i;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if ((c == ',' || c == '.') && !mark) {
            mark = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (mantissa.empty() && c == '0') {
                if (mark) --lastDigitExponent;
                continue;
            }
            if (mark) --lastDigitExponent;
            mantissa += c;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size()) lastDigitExponent += std::stol(std::string(text.substr(i + 1)));
    if (mantissa.empty()) return r; // zero
    r.exponent = lastDigitExponent + long(mantissa.size()) - 1;
    mantissa.resize(17, '0');
    r.digits = std::stoull(mantissa);
    return r;
}

// Whether a float's text matches the text expected for it, as far as this platform's
// digits go: elsewhere than on x87 with glibc, the two values may differ by one unit of
// their 15th significant digit.
inline bool sameFloatText(std::string_view got, std::string_view want) {
    if (exactFloatDigits || got == want) return got == want;
    const std::optional<Leading> a = leadingDigits(got), b = leadingDigits(want);
    if (!a || !b) return false;
    if (a->digits == 0 || b->digits == 0) return a->digits == b->digits;
    if (a->negative != b->negative || std::labs(a->exponent - b->exponent) > 1) return false;
    // Both as 17 digits of the larger one's first digit.
    const long top = std::max(a->exponent, b->exponent);
    const long double x = (long double)(a->digits) / (a->exponent < top ? 10 : 1);
    const long double y = (long double)(b->digits) / (b->exponent < top ? 10 : 1);
    return std::fabs(x - y) <= 1e-14L * std::max(x, y);
}

} // namespace float_digits
