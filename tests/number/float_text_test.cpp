// SPDX-License-Identifier: MIT
// The locale-free conversions between long doubles and decimal texts: rendering in both
// styles, reading decimal literals, and both under a locale whose decimal point is ",".

#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/floatText.h"
#include "number/format.h"
#include "number/outputFormats.h"
#include "number/valueKind.h"

#include "bigint/textConversion.h"

#include "tests/number/float_digits.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr FloatStyle general = FloatStyle::general, exponent = FloatStyle::exponent;
constexpr long double inf = std::numeric_limits<long double>::infinity();
constexpr long double nan = std::numeric_limits<long double>::quiet_NaN();

struct RenderRow {
    long double value;
    FloatStyle style;
    int precision;
    int exponentDigits;
    const char *text;
};

void checkRender(const std::vector<RenderRow> &rows) {
    for (const RenderRow &r : rows) {
        EXPECT_EQ(renderFloat(r.value, r.style, r.precision, r.exponentDigits), r.text)
            << std::hexfloat << r.value << (r.style == general ? " general " : " exponent ")
            << r.precision << " " << r.exponentDigits;
    }
}

TEST(RenderFloat, GeneralStyle) {
    checkRender({
        {1.5L, general, 18, 0, "1,5"},
        {0.1L, general, 18, 0, "0,1"},
        {1.0L / 3, general, 18, 0, "0,333333333333333333"},
        {1.0L / 3, general, 25, 0, "0,333333333333333333"}, // precision limited to 18
        {2.0L / 3, general, 10, 0, "0,6666666667"},
        {-1234.5L, general, 10, 2, "-1234,5"},
        {0.000123L, general, 18, 0, "0,000123"},       // exponent -3: still plain
        {0.0000123L, general, 18, 0, "1,23E-5"},       // exponent -4: exponent form
        {9999999999.0L, general, 10, 0, "9999999999"}, // as many digits as the precision
        {1e10L, general, 10, 0, "1E10"},
        {1e10L, general, 18, 0, "10000000000"},
        {123456.0L, general, 3, 0, "1,23E5"},
        {1.5e-5L, general, 10, 2, "1,5E-05"},
        {1.5e-5L, general, 10, 4, "1,5E-0005"},
        {1.5e-5L, general, 10, 7, "1,5E-5"}, // more than 4 exponent digits counts as 0
        {1e100L, general, 10, 2, "1E100"},
        // Rounding: half up at the precision, carried into a new leading digit.
        {0.125L, general, 2, 0, "0,13"},
        {1.25L, general, 1, 0, "1,3"}, // precision raised to 2
        {9.9999999999L, general, 10, 0, "10"},
        {-9.99999999996L, general, 10, 0, "-10"},
        {0.99999999999L, general, 10, 0, "1"},
        // First to 18 digits with ties to even, and only then to the precision.
        {1000000000000000005.0L, general, 18, 0, "1E18"},
        {1000000000000000015.0L, general, 18, 0, "1,00000000000000002E18"},
        {std::nextafter(1.2345L, 0.0L), general, 4, 0, "1,235"},
        {LDBL_MAX, general, 18, 0, "1,18973149535723177E4932"},
        {LDBL_MIN, general, 18, 0, "3,36210314311209351E-4932"},
        // Zero and subnormals are "0", without a sign.
        {0.0L, general, 18, 0, "0"},
        {-0.0L, general, 10, 2, "0"},
        {LDBL_TRUE_MIN, general, 18, 0, "0"},
        {-LDBL_MIN / 4, general, 18, 0, "0"},
        {inf, general, 10, 2, "INF"},
        {-inf, general, 18, 0, "-INF"},
        {nan, general, 18, 0, "NAN"},
        {-nan, general, 10, 2, "NAN"},
    });
}

TEST(RenderFloat, ExponentStyle) {
    checkRender({
        {1.5L, exponent, 10, 0, "1,500000000E+0"},
        {-1234.5L, exponent, 10, 0, "-1,234500000E+3"},
        {0.015L, exponent, 10, 0, "1,500000000E-2"},
        {123.0L, exponent, 2, 0, "1,2E+2"},
        {1.5e-5L, exponent, 4, 4, "1,500E-0005"},
        {1e22L, exponent, 10, 2, "1,000000000E+22"},
        {1e100L, exponent, 3, 2, "1,00E+100"},
        {9.9999999999L, exponent, 10, 0, "1,000000000E+1"},
        {0.125L, exponent, 2, 0, "1,3E-1"},
        {0.0L, exponent, 10, 0, "0,000000000E+0"},
        {-0.0L, exponent, 3, 2, "0,00E+00"},
        {LDBL_TRUE_MIN, exponent, 10, 0, "0,000000000E+0"},
        {-LDBL_MIN / 4, exponent, 10, 0, "0,000000000E+0"},
        {inf, exponent, 10, 0, "INF"},
        {-inf, exponent, 10, 0, "-INF"},
        {nan, exponent, 10, 0, "NAN"},
    });
}

// A float becomes an integer exactly when its 18-digit text is a plain whole number; the
// shortcuts that skip the text must agree with it, most of all next to whole numbers and at
// the edges of the shortcuts' ranges.
TEST(NormalizeFloat, FollowsTheText) {
    std::vector<long double> values = {0.0L,          -0.0L,
                                       LDBL_TRUE_MIN, LDBL_TRUE_MIN * 3,
                                       0.5L,          2.5L,
                                       1e16L,         1e17L,
                                       1e18L,         123456789012345678.0L,
                                       1e19L,         0x1p63L,
                                       0x1p64L,       1e300L,
                                       0.001L,        9.99e-4L,
                                       1.0L / 3};
    std::mt19937_64 rng(7);
    for (int i = 0; i < 4000; ++i) {
        const long double base =
            std::ldexp(static_cast<long double>(rng() >> 11), int(rng() % 140) - 80);
        values.push_back(base);
        values.push_back(std::round(base));
    }
    for (long double whole : {1.0L, 3.0L, 1e3L, 99999999999.0L, 1e15L, 1e16L, 9e16L, 1e17L}) {
        long double below = whole, above = whole;
        for (int step = 0; step < 3000; ++step) {
            below = std::nextafter(below, 0.0L);
            above = std::nextafter(above, inf);
            values.insert(values.end(), {below, above});
        }
        // Where the shortcut's bound lies: 10^-16 of the value away from it.
        for (long double f : {0.9L, 1.0L, 1.1L, 5.0L, 10.0L, 11.0L})
            values.push_back(whole + whole * f * 1e-16L);
    }
    for (long double magnitude : values) {
        for (long double v : {magnitude, -magnitude}) {
            const std::string text = renderFloat(v, general, 18, 0);
            const bool whole = text.find_first_not_of("-0123456789") == std::string::npos;
            Number n;
            n.kind = Float;
            n.floatValue = v;
            normalizeFloat(n);
            ASSERT_EQ(n.kind == Integer, whole) << std::hexfloat << v << " " << text;
            if (whole) {
                ASSERT_EQ(n.integerValue, textToInteger(text, 10)) << text;
            }
        }
    }
}

TEST(ReadDecimalLiteral, AcceptedShapes) {
    struct Row {
        std::string text;
        long double value;
    };
    std::vector<Row> rows = {
        {".", 0.0L},
        {",", 0.0L},
        {",5", 0.5L},
        {"5,", 5.0L},
        {"1,5", 1.5L},
        {"0,1", 0.1L},
        {",e5", 0.0L},
        {"1e", 1.0L},
        {"1E+5", 1e5L},
        {"2,5e-3", 0.0025L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"2,71828182845904523536028747135266249775724709369995",
         2.71828182845904523536028747135266249775724709369995L},
    };
#if LDBL_MAX_10_EXP >= 4932
    rows.insert(rows.end(), {{"1e499", 1e499L},
                             {"1e0499", 1e499L},
                             {"1e-499", 1e-499L},
                             {"1" + std::string(4432, '0') + "e499", 1e4931L}});
#else
    // A double's range (armhf's long double, and ppc64el's pair of doubles) ends near 1.8e308:
    // these overflow, or are too small and become 0.
    for (const std::string &text :
         {std::string("1e499"), std::string("1e0499"), "1" + std::string(4432, '0') + "e499"})
        EXPECT_FALSE(readDecimalLiteral(text).has_value()) << text.substr(0, 80);
    rows.push_back({"1e-499", 0.0L});
#endif
    // Just above the midpoint of 1 and the next long double in x87's 80-bit format: rounds up.
    // (A wider format holds the text's value more closely.)
    if (LDBL_MANT_DIG == 64)
        rows.push_back({"1,00000000000000000005421010862427522170037264004349708557128906251",
                        1.0L + LDBL_EPSILON});
    for (const Row &r : rows) {
        std::optional<long double> v = readDecimalLiteral(r.text);
        ASSERT_TRUE(v.has_value()) << r.text.substr(0, 80);
        EXPECT_EQ(*v, r.value) << r.text.substr(0, 80);
    }
    // Below the long double range: a subnormal, or zero.
    std::optional<long double> tiny = readDecimalLiteral("," + std::string(4940, '0') + "1");
    ASSERT_TRUE(tiny.has_value());
    if (float_digits::x87Range) {
        EXPECT_GT(*tiny, 0.0L);
    }
    EXPECT_LT(*tiny, LDBL_MIN);
    EXPECT_EQ(readDecimalLiteral("," + std::string(5000, '0') + "1e-499"),
              std::optional<long double>(0.0L));
}

TEST(ReadDecimalLiteral, RejectedShapes) {
    // The exponent's digits stop at 500, whatever its sign.
    for (const char *text : {"", "e", "e5", "E+1", "1,2,3", "1e5e", "1e5,", "1e500", "1e00500",
                             "1e4933", "1e5000", "1e-4940"})
        EXPECT_FALSE(readDecimalLiteral(text).has_value()) << text;
    // 2e4932 overflows.
    EXPECT_FALSE(readDecimalLiteral("2" + std::string(4433, '0') + "e499").has_value());
}

// A locale whose decimal point is ",", or nullptr when none is installed.
const char *setCommaLocale() {
    // POSIX names, then the Windows C runtime's.
    std::vector<std::string> names = {"de_DE.UTF-8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"};
    if (FILE *list = popen("locale -a 2>/dev/null", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, list)) {
            std::string name(line);
            while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
                name.pop_back();
            names.push_back(name);
        }
        pclose(list);
    }
    for (const std::string &name : names) {
        const char *set = std::setlocale(LC_ALL, name.c_str());
        if (set && std::string(std::localeconv()->decimal_point) == ",") return set;
    }
    std::setlocale(LC_ALL, "C");
    return nullptr;
}

// The 18 digits come from integer arithmetic wherever it reaches and from the C library
// elsewhere; both must give the C library's digits, ties to even, for every value. The
// reference is the C library's "%.17Le" in the exponent style's shape.
std::string printfDigits(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", v);
    std::string s(buffer);
    const std::size_t e = s.find('e');
    const int power = std::atoi(s.c_str() + e + 1);
    std::string out = s.substr(0, e);
    out[out.find('.')] = ',';
    out += power < 0 ? "E-" : "E+";
    const std::string digits = std::to_string(std::abs(power));
    out.append(digits.size() < 4 ? 4 - digits.size() : 0, '0');
    return out + digits;
}

TEST(RenderFloat, EighteenDigitsAreTheCLibrarys) {
    std::vector<long double> values;
    // Ties at the 19th digit: integers of 19 digits ending in 5 (exact in a 64-bit
    // significand), and halves after 17 and 18 integer digits.
    for (const unsigned long long n :
         {1000000000000000005ull, 1000000000000000015ull, 1234567890123456785ull,
          9999999999999999995ull, 1844674407370955165ull, 12345678901234567895ull}) {
        values.push_back((long double)n);
        values.push_back((long double)n * 2);
    }
    for (const long double half : {123456789012345678.5L, 12345678901234567.5L,
                                   99999999999999999.5L, 999999999999999999.5L, 0.5L, 2.5L})
        values.push_back(half);
    // Powers of ten and 2, their neighbours, and the ends of the integer path's reach.
    for (int k = -40; k <= 45; ++k) {
        const long double p = std::pow(10.0L, (long double)k);
        values.insert(values.end(), {p, std::nextafter(p, 0.0L), std::nextafter(p, inf)});
        values.push_back(std::ldexp(1.0L, 3 * k));
    }
    values.insert(values.end(), {LDBL_MAX, LDBL_MIN, std::ldexp(1.0L, 127),
                                 std::nextafter(std::ldexp(1.0L, 127), 0.0L), 0.1L, 1 / 3.0L,
                                 2 / 3.0L, 1e-19L, 9.99999999999999999e-20L});
    // Random significands at every binary exponent the integer path reaches and beyond.
    std::mt19937_64 rng(18);
    for (int i = 0; i < 200000; ++i) {
        const int binaryExponent = int(rng() % 400) - 200;
        const std::uint64_t m = rng() | (std::uint64_t(1) << 63);
        values.push_back(std::ldexp((long double)m, binaryExponent - 64));
    }
    for (int i = 0; i < 20000; ++i) // short decimal fractions, as calculations give them
        values.push_back((long double)(rng() % 1000000) / (long double)(1 + rng() % 1000));
    int wrong = 0;
    for (const long double v : values) {
        if (renderFloat(v, exponent, 18, 4) != printfDigits(v) && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << v << ": " << renderFloat(v, exponent, 18, 4)
                          << " against " << printfDigits(v);
    }
    EXPECT_EQ(wrong, 0);
}

TEST(FloatTextLocale, CommaLocaleChangesNothing) {
    if (!setCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    struct RestoreC {
        ~RestoreC() { std::setlocale(LC_ALL, "C"); }
    } restore;

    EXPECT_EQ(renderFloat(1.5L, general, 18, 0), "1,5");
    EXPECT_EQ(renderFloat(-1234.5L, exponent, 10, 0), "-1,234500000E+3");
    EXPECT_EQ(renderFloat(1.5e-5L, general, 10, 2), "1,5E-05");
    EXPECT_EQ(readDecimalLiteral("1,5"), std::optional<long double>(1.5L));
    EXPECT_EQ(readDecimalLiteral("2,5e-3"), std::optional<long double>(0.0025L));

    const NumberRef nRef = evaluateExpression(u"0.375+1,25");

    const Number &n = *nRef;
    EXPECT_EQ(n.kind, Float);
    EXPECT_TRUE(formatNumber(n, Normal) == u"1,625");
    EXPECT_TRUE(formatNumber(n, Full) == u"1,625");
    EXPECT_TRUE(formatNumber(n, Engineer) == u"1,625e0");
    const NumberRef wholeRef = evaluateExpression(u"(0.375+1,25)*8");
    const Number &whole = *wholeRef;
    EXPECT_EQ(whole.kind, Integer);
    EXPECT_TRUE(formatNumber(whole, Full) == u"13");
}

} // namespace

// The table of output formats decides how an integer is written: in a radix format, its
// prefix and base (the sign before the prefix); floats have no text there.
TEST(OutputFormatTable, DrivesTheIntegerTexts) {
    for (const OutputFormatRow &row : outputFormats) {
        const std::u16string positive = formatNumber(*evaluateExpression(u"-(-255)"), row.format);
        const std::u16string negative = formatNumber(*evaluateExpression(u"-255"), row.format);
        const std::u16string half = formatNumber(*evaluateExpression(u"1/2"), row.format);
        if (row.radix == 10) {
            EXPECT_EQ(u"-" + positive, negative); // "255", "2,55e2", "255e0"
            EXPECT_FALSE(half.empty());
            continue;
        }
        const std::u16string digits = row.radix == 16  ? u"FF"
                                      : row.radix == 8 ? u"377"
                                                       : u"11111111";
        EXPECT_EQ(positive, std::u16string(row.prefix) + digits);
        EXPECT_EQ(negative, u"-" + positive);
        EXPECT_TRUE(half.empty());
    }
}
