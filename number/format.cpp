// SPDX-License-Identifier: MIT
#include "number/format.h"

#include "bigint/textConversion.h"
#include "number/NumberCache.h"
#include "number/floatText.h"
#include "number/outputFormats.h"
#include "number/textUtils.h"

#include <cmath>
#include <mutex>

namespace {

std::string lowerCased(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// The mantissa of a decimal text t cut (not rounded) to 10 characters with the "," after
// the first digit (or after the first `grouping`-aligned digits), then "e" and exponent e.
std::string integerExponentForm(const std::string &t, long long e, int grouping) {
    std::string m = t.substr(0, 10);
    std::size_t p = 1;
    if (!m.empty() && m[0] == '-') {
        p = 2;
        --e;
    }
    if (grouping == 3) {
        while (e % 3 != 0) {
            --e;
            ++p;
        }
    }
    // Built by appending: g++ 12 at -O3 misreads insert() as an overlapping copy.
    const std::size_t cut = std::min(p, m.size());
    m = m.substr(0, cut) + ',' + m.substr(cut);
    while (m.size() > p && (m.back() == '0' || m.back() == ','))
        m.pop_back();
    return m + "e" + std::to_string(e);
}

BigInteger powerOfTen(long long k) {
    BigUnsigned acc(1u), square(10u);
    for (unsigned long long e = (unsigned long long)k;;) {
        if (e & 1) acc.multiply(acc, square);
        e >>= 1;
        if (e == 0) break;
        square.multiply(square, square);
    }
    return BigInteger(acc);
}

std::string normalInteger(const BigInteger &x) {
    long long d = estimatedDigitCount(x, 10);
    long long k = d > 20 ? d - 20 : 0;
    BigInteger q = x;
    if (k > 0) q /= powerOfTen(k);
    std::string t = integerToText(q, 10);
    if (t.size() <= 15) return t;
    return integerExponentForm(t, (long long)t.size() + k - 1, 1);
}

void scientificCleanUp(std::string &s) {
    std::size_t e = s.find('e');
    if (e == std::string::npos) return;
    if (e + 1 < s.size() && s[e + 1] == '+') s.erase(e + 1, 1);
    // Zeros after the "," and then the "," itself; never a digit before the ",".
    std::size_t comma = s.find(',');
    if (comma == std::string::npos || comma > e) return;
    while (e - 1 > comma && s[e - 1] == '0')
        s.erase(--e, 1);
    if (e - 1 == comma) s.erase(comma, 1);
}

void engineerCleanUp(std::string &s) {
    std::size_t e = s.find('e');
    long long n = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            n = n * 10 + (s[i] - '0');
        if (negative) n = -n;
    }
    if (n != 0) {
        while (n % 3 != 0) {
            std::size_t comma = s.find(',');
            if (comma != std::string::npos && comma + 1 < s.size())
                std::swap(s[comma], s[comma + 1]);
            --n;
        }
        s = s.substr(0, s.find('e') + 1) + std::to_string(n);
    }
    scientificCleanUp(s);
}

std::string floatText(long double v, OutputFormat format) {
    switch (format) {
    case Normal:
        return lowerCased(renderFloat(v, FloatStyle::general, 10, 2));
    case Full:
        return lowerCased(renderFloat(v, FloatStyle::general, 18, 0));
    case Scientific: {
        std::string s = lowerCased(renderFloat(v, FloatStyle::exponent, 10, 0));
        scientificCleanUp(s);
        return s;
    }
    case Engineer: {
        std::string s = lowerCased(renderFloat(v, FloatStyle::exponent, 10, 0));
        engineerCleanUp(s);
        return s;
    }
    default:
        return "";
    }
}

std::string integerText(const BigInteger &x, OutputFormat format) {
    switch (format) {
    case Normal:
        return normalInteger(x);
    case Full:
        return integerToText(x, 10);
    case Scientific:
    case Engineer: {
        std::string t = integerToText(x, 10);
        return integerExponentForm(t, (long long)t.size() - 1, format == Engineer ? 3 : 1);
    }
    default: // the radix formats are written as UTF-16 directly (radixText)
        return "";
    }
}

} // namespace

long long estimatedDigitCount(const BigInteger &x, unsigned base) {
    const BigUnsigned &m = x.getMagnitude();
    if (m.isZero()) return 0;
    long double n = m.getLength();
    long double top = m.getBlock(m.getLength() - 1);
    long double a = std::log(2.0L) * 32 * (n - 1) / std::log((long double)base);
    return (long long)(std::ceil(a) + std::log(top) / std::log((long double)base) + 1);
}

namespace {

// The radix formats of an integer, written straight as UTF-16: the binary text of a large
// result is hundreds of megabytes, too much to make twice.
std::u16string radixText(const BigInteger &x, OutputFormat format) {
    const OutputFormatRow &row = outputFormatRow(format);
    std::u16string text = x.getSign() == BigInteger::negative ? u"-" : u"";
    text += row.prefix;
    if (x.isZero())
        text += u'0';
    else
        appendPowerOfTwoDigits(text, x.getMagnitude(), row.radix);
    return text;
}

} // namespace

const std::u16string &formattedResult(const Number &n, OutputFormat format) {
    {
        std::lock_guard<std::mutex> guard(numberCache.mutex());
        if (n.resultText[format]) return *n.resultText[format];
    }
    std::u16string result;
    if (n.kind == Integer && isRadixFormat(format)) {
        result = radixText(n.integerValue, format);
    } else if (n.kind != NoValue) {
        std::string text = n.kind == Integer ? integerText(n.integerValue, format)
                                             : floatText(n.floatValue, format);
        result = asciiToUtf16(text);
    }
    std::lock_guard<std::mutex> guard(numberCache.mutex());
    // Another thread may have written it meanwhile; a text once ready never changes, which
    // is what makes handing out references to it safe.
    if (n.resultText[format]) return *n.resultText[format];
    n.resultText[format] = std::make_unique<const std::u16string>(std::move(result));
    numberCache.resultTextAdded(n, sizeof(std::u16string) +
                                       n.resultText[format]->capacity() * sizeof(char16_t));
    return *n.resultText[format];
}

std::string asciiResultText(const Number &n, OutputFormat format) {
    if (n.kind == Integer && !isRadixFormat(format)) return integerText(n.integerValue, format);
    if (n.kind == Float) return floatText(n.floatValue, format);
    return {};
}

std::u16string formatNumber(const Number &n, OutputFormat format) {
    return formattedResult(n, format);
}
