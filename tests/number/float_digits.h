// SPDX-License-Identifier: MIT
#pragma once
// Which float digits the tests may expect on this platform. Their texts were written where
// long double is x87's 80-bit format and the maths library is glibc's; elsewhere the last
// digits of a Full text differ (ARM64 Linux has a 128-bit long double, MinGW another maths
// library), so a float text is compared there to its first 15 significant digits.

#include <cfloat>
#include <climits>
#include <string>
#include <string_view>

namespace float_digits {

inline constexpr bool x87Format = LDBL_MANT_DIG == 64;
#if LDBL_MANT_DIG == 64 && defined(__GLIBC__)
inline constexpr bool exactFloatDigits = true;
#else
inline constexpr bool exactFloatDigits = false;
#endif
inline constexpr int portableDigits = 15;

// A decimal result text ("-1,25e-7", "0,5", "12,5") rounded to `digits` significant digits,
// half up, in one spelling for every way of writing the value: "-125e-9". Texts that are no
// decimal number ("nan", "INF", "0x1F") stay as they are.
inline std::string roundedDigits(std::string_view text, int digits) {
    std::string mantissa; // the digits from the first that is not zero
    bool negative = false, mark = false;
    long exponent = 0; // of the last digit in mantissa
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') negative = true, ++i;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == ',' || c == '.') {
            if (mark) return std::string(text);
            mark = true;
        } else if (c >= '0' && c <= '9') {
            if (mark) --exponent;
            if (!mantissa.empty() || c != '0') mantissa += c;
        } else {
            return std::string(text);
        }
    }
    if (i == (negative ? 1u : 0u)) return std::string(text);
    if (i < text.size()) exponent += std::stol(std::string(text.substr(i + 1)));
    if (mantissa.empty()) return "0";
    if (int(mantissa.size()) > digits) {
        const bool up = mantissa[std::size_t(digits)] >= '5';
        exponent += long(mantissa.size()) - digits;
        mantissa.resize(std::size_t(digits));
        for (std::size_t k = mantissa.size(); up; --k) {
            if (k == 0) {
                mantissa.insert(mantissa.begin(), '1');
                mantissa.pop_back();
                ++exponent;
                break;
            }
            if (mantissa[k - 1] == '9') {
                mantissa[k - 1] = '0';
            } else {
                ++mantissa[k - 1];
                break;
            }
        }
    }
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back(), ++exponent;
    return (negative ? "-" : "") + mantissa + "e" + std::to_string(exponent);
}

// Whether a float's text matches the text expected for it, as far as this platform's
// digits go.
inline bool sameFloatText(std::string_view got, std::string_view want) {
    if (exactFloatDigits) return got == want;
    return roundedDigits(got, portableDigits) == roundedDigits(want, portableDigits);
}

} // namespace float_digits
