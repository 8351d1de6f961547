// SPDX-License-Identifier: MIT
#include "number/floatText.h"

#include "number/cLocaleScope.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// |v| rounded to 18 significant digits (ties to even) as 0.d1d2...d18 x 10^e.
struct Digits18 {
    char digits[18];
    int exponent;
};

Digits18 eighteenDigits(long double magnitude) {
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
