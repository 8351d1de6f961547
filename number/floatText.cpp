// SPDX-License-Identifier: MIT
#include "number/floatText.h"

#include "bigint/uint128.h"
#include "number/cLocaleScope.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// |v| rounded to 18 significant digits (ties to even) as 0.d1d2...d18 x 10^e.
struct Digits18 {
    char digits[18];
    int exponent;
};

// The C library's conversion: exact for every value, and slow (a few thousand instructions,
// most of a short expression's time).
Digits18 eighteenDigitsByPrintf(long double magnitude) {
    char buffer[64];
    {
        const CLocaleScope c;
        std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    }
    // buffer: d.ddddddddddddddddde[+-]x
    Digits18 d;
    d.digits[0] = buffer[0];
    for (int i = 1; i < 18; ++i)
        d.digits[i] = buffer[i + 1];
    d.exponent = std::atoi(buffer + 20) + 1;
    return d;
}

#if LDBL_MANT_DIG == 64
using u128 = bigint::UInt128;

constexpr std::uint64_t tenTo17 = 100000000000000000ull, tenTo18 = 1000000000000000000ull;

u128 tenTo(int k) {
    u128 p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

// floor(m 2^q 10^k), and whether the part cut off is below, at or above one half (-1, 0,
// 1); nothing when a step would not fit 128 bits.
struct Scaled {
    std::uint64_t floor;
    int half;
};
std::optional<Scaled> scaled(std::uint64_t m, int q, int k) {
    if (q > 63 || q < -126 || k > 38 || k < -38) return std::nullopt;
    u128 num = m, den = 1;
    if (q >= 0)
        num <<= q;
    else
        den <<= -q;
    const u128 power = tenTo(k < 0 ? -k : k);
    u128 &side = k >= 0 ? num : den;
#ifdef __SIZEOF_INT128__
    if (__builtin_mul_overflow(side, power, &side)) return std::nullopt;
#else
    if (side > ~u128(0) / power) return std::nullopt; // the product would not fit
    side *= power;
#endif
    const u128 quotient = num / den, rest = num % den;
    if (quotient >> 64 != 0) return std::nullopt;
    const u128 other = den - rest;
    return Scaled{std::uint64_t(quotient), rest < other ? -1 : rest == other ? 0 : 1};
}

// The same digits in integer arithmetic of 128 bits, for the magnitudes where it reaches
// (from about 10^-19 to 2^127): m 2^q scaled by 10^k into [10^17, 10^18), rounded.
std::optional<Digits18> eighteenDigitsExactly(long double magnitude) {
    int binaryExponent;
    const long double fraction = std::frexp(magnitude, &binaryExponent); // in [0.5, 1)
    const std::uint64_t m = std::uint64_t(std::ldexp(fraction, 64));
    const int q = binaryExponent - 64;
    // magnitude < 2^binaryExponent, so its decimal exponent is about binaryExponent log10 2;
    // the estimate is corrected below by the floor's own digit count.
    int k = 18 - int(std::floor((binaryExponent - 1) * 0.30102999566398120L)) - 1;
    std::optional<Scaled> s;
    for (int tries = 0; tries < 3; ++tries) {
        s = scaled(m, q, k);
        if (!s) return std::nullopt;
        if (s->floor >= tenTo18)
            --k;
        else if (s->floor < tenTo17)
            ++k;
        else
            break;
    }
    if (s->floor < tenTo17 || s->floor >= tenTo18) return std::nullopt;
    std::uint64_t n = s->floor;
    if (s->half > 0 || (s->half == 0 && (n & 1) != 0)) ++n;
    int exponent = 18 - k;
    if (n == tenTo18) {
        n = tenTo17;
        ++exponent;
    }
    Digits18 d;
    for (int i = 17; i >= 0; --i, n /= 10)
        d.digits[i] = char('0' + n % 10);
    d.exponent = exponent;
    return d;
}
#endif

Digits18 eighteenDigits(long double magnitude) {
#if LDBL_MANT_DIG == 64
    if (const std::optional<Digits18> d = eighteenDigitsExactly(magnitude)) return *d;
#endif
    return eighteenDigitsByPrintf(magnitude);
}

void appendExponent(std::string &s, int value, int minDigits) {
    std::string digits = std::to_string(value);
    if (int(digits.size()) < minDigits) s.append(std::size_t(minDigits) - digits.size(), '0');
    s += digits;
}

} // namespace

std::string renderFloat(long double v, FloatStyle style, int precision, int exponentDigits) {
    if (precision < 2) precision = 2;
    if (precision > 18) precision = 18;
    if (exponentDigits > 4) exponentDigits = 0;
    if (exponentDigits < 0) exponentDigits = 0;

    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (std::isnan(v)) return "NAN";
    int cls = std::fpclassify(v);
    bool tiny = cls == FP_ZERO || cls == FP_SUBNORMAL;
    if (tiny) {
        if (style == FloatStyle::general) return "0";
        std::string s = "0,";
        s.append(std::size_t(precision - 1), '0');
        s += "E+";
        appendExponent(s, 0, exponentDigits < 1 ? 1 : exponentDigits);
        return s;
    }

    Digits18 d = eighteenDigits(std::fabs(v));
    std::string digits(d.digits, 18);
    int e = d.exponent;
    if (precision < 18) {
        bool up = digits[std::size_t(precision)] >= '5';
        digits.resize(std::size_t(precision));
        if (up) {
            int i = precision - 1;
            while (i >= 0 && digits[std::size_t(i)] == '9')
                digits[std::size_t(i--)] = '0';
            if (i < 0) {
                digits = "1";
                ++e;
            } else {
                ++digits[std::size_t(i)];
            }
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    const int n = int(digits.size());

    std::string s = v < 0 ? "-" : "";
    if (style == FloatStyle::general) {
        if (e > precision || e < -3) {
            s += digits[0];
            if (n > 1) s += "," + digits.substr(1);
            s += "E";
            if (e - 1 < 0) s += "-";
            appendExponent(s, std::abs(e - 1), exponentDigits);
        } else if (e <= 0) {
            s += "0";
            if (n > 0) s += "," + std::string(std::size_t(-e), '0') + digits;
        } else {
            for (int i = 0; i < e; ++i)
                s += i < n ? digits[std::size_t(i)] : '0';
            if (n > e) s += "," + digits.substr(std::size_t(e));
        }
    } else {
        s += digits[0];
        s += ",";
        for (int i = 1; i < precision; ++i)
            s += i < n ? digits[std::size_t(i)] : '0';
        s += "E";
        s += e - 1 >= 0 ? "+" : "-";
        appendExponent(s, std::abs(e - 1), exponentDigits < 1 ? 1 : exponentDigits);
    }
    return s;
}

std::optional<long double> readDecimalLiteral(std::string_view text) {
    std::size_t i = 0;
    std::string normal; // the same number in the shape the C library reads: d.dEx
    std::size_t intStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    std::string_view intDigits = text.substr(intStart, i - intStart);
    bool mark = false;
    std::string_view fracDigits;
    if (i < text.size() && (text[i] == ',' || text[i] == '.')) {
        mark = true;
        std::size_t fracStart = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty() && !mark) return std::nullopt;
    int exponent = 0;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            exponent = exponent * 10 + (text[i] - '0');
            if (exponent >= 500) return std::nullopt;
            ++i;
        }
    }
    if (i != text.size()) return std::nullopt;

    normal.append(intDigits.empty() ? std::string_view("0") : intDigits);
    normal += '.';
    normal.append(fracDigits.empty() ? std::string_view("0") : fracDigits);
    normal += negativeExponent ? "e-" : "e";
    normal += std::to_string(exponent);

    long double v;
    int error;
    {
        const CLocaleScope c;
        errno = 0;
        v = std::strtold(normal.c_str(), nullptr);
        error = errno; // before the locale is put back
    }
    if (error == ERANGE && std::isinf(v)) return std::nullopt;
    return v;
}
