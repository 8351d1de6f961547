// SPDX-License-Identifier: MIT
// Expression texts evaluated and formatted end to end: each row gives the text, the settings
// it is evaluated under, the output format, and the exact kind and result text expected.

#include "bigint/textConversion.h"
#include "number/NumberCache.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/float_digits.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace {

using namespace evaluation_support;

struct Row {
    const char *expression; // UTF-8
    NumberKind kind;
    const char *text;
    OutputFormat format = Full;
    Setup setup = plain;
};

std::string describe(const Row &r) {
    return evaluation_support::describe(r.expression, r.setup, r.format);
}

void check(const Row &r) {
    NumberKind kind = NoValue;
    std::u16string text;
    try {
        SettingsScope scope(r.setup);
        const NumberRef nRef = evaluateExpression(utf8ToUtf16(r.expression));
        const Number &n = *nRef;
        kind = n.kind;
        text = formatNumber(n, r.format);
    } catch (const char *failure) {
        ADD_FAILURE() << describe(r) << " threw \"" << failure << "\"";
        return;
    }
    EXPECT_EQ(kindNames[kind], std::string(kindNames[r.kind])) << describe(r);
    const bool same = r.kind == Float ? float_digits::sameFloatText(utf16ToUtf8(text), r.text)
                                      : text == utf8ToUtf16(r.text);
    EXPECT_TRUE(same) << describe(r) << ": expected \"" << r.text << "\", got \""
                      << utf16ToUtf8(text) << "\"";
}

void checkAll(std::initializer_list<Row> rows) {
    for (const Row &r : rows)
        check(r);
}

// One value in the four decimal formats.
struct DecimalRow {
    const char *expression;
    NumberKind kind;
    const char *normal, *full, *scientific, *engineer;
};

void checkDecimalFormats(std::initializer_list<DecimalRow> rows) {
    for (const DecimalRow &d : rows) {
        check({d.expression, d.kind, d.normal, Normal});
        check({d.expression, d.kind, d.full, Full});
        check({d.expression, d.kind, d.scientific, Scientific});
        check({d.expression, d.kind, d.engineer, Engineer});
    }
}

TEST(Evaluation, OperatorLevelsAndSpellings) {
    checkAll({
        {"2+3*4", I, "14"},
        {"(2+3)*4", I, "20"},
        {"[2+3]*{4}", I, "20"},
        {"2^3^2", I, "512"},
        {"2**3**2", I, "512"},
        {"1+2*3^2", I, "19"},
        {"-2^2", I, "4"},
        {"2^-1", F, "0,5"},
        {"2--3", I, "5"},
        {"10-2-3", I, "5"},
        {"12/2/3", I, "2"},
        {"2*3%4", I, "2"},
        {"2*-3", I, "-6"},
        {"1<2==1", I, "1"},
        {"1<<2<3", I, "0"},
        {"3 > 2 > 1", I, "0"},
        {"1 + 2 << 1", I, "6"},
        {"6 & 3 == 2", I, "0"},
        {"2 xor 3 & 1", I, "3"},
        {"1 | 2 xor 3", I, "1"},
        {"1|2 && 0", I, "0"},
        {"0 && 1 || 1", I, "1"},
        {"1 eq 1", I, "1"},
        {"2 not_eq 3", I, "1"},
        {"2 != 2", I, "0"},
        {"6 bitand 3", I, "2"},
        {"6 bitor 3", I, "7"},
        {"6 xor 3", I, "5"},
        {"1 and 0", I, "0"},
        {"1 or 0", I, "1"},
        {"3 >= 3", I, "1"},
        {"1e5+1", I, "100001"},
        {"1e-5-1", F, "-0,99999"},
        {"\t7\n", I, "7"},
        // A sign after a name or a hexadecimal letter is not an operator; a parenthesised
        // value is written back as digits, after which it is.
        {"pi-1", N, ""},
        {"0xff+1", N, ""},
        {"(pi)-1", F, "2,14159265358979312"},
        {"0xff*1+1", I, "256"},
        // A function takes what no looser operator split off.
        {"sin 30*2", F, "0,999999999999999999"},
        {"sin 2^2", F, "0,00121797487008787619"},
        {"sin 30!", N, ""},
    });
}

TEST(Evaluation, PrefixAndPostfix) {
    checkAll({
        {"!0 || 0", I, "1"},
        {"!(0) || 1", I, "0"},
        {"!0+1", I, "0"},
        {"~1|2", I, "4294967292"},
        {"not 1", I, "0"},
        {"!2.5", I, "0"},
        {"compl 0", I, "0"},
        {"~5", I, "4294967290"},
        {"~-5", I, "-4294967290"},
        {"~4294967296", I, "18446744069414584319"},
        {"~5", I, "250", Full, u8},
        {"~5", I, "-6", Full, s32},
        {"~2.5", N, ""},
        {"!", N, ""},
        {"~", N, ""},
        {"+5", I, "5"},
        {"--5", I, "5"},
        {"-(-5)", I, "5"},
        {"5!", I, "120"},
        {"0!", I, "1"},
        {"20!", I, "2432902008176640000"},
        {"3!!", I, "720"},
        {"5!-2!", I, "118"},
        {"3!+1", I, "7"},
        {"(3)!", I, "6"},
        {"2^3!", I, "64"},
        {"-3!", N, ""},
        {"(-3)!", N, ""},
        {"2.5!", N, ""},
        {"2³", I, "8"},
        {"2²+1", I, "5"},
        {"(1+1)³", I, "8"},
        {"2.5²", F, "6,25"},
    });
}

TEST(Evaluation, FunctionsAndConstants) {
    checkAll({
        {"floor(2.5)", I, "2"},
        {"floor -0.5", I, "-1"},
        {"floor 1e20", N, ""},
        {"int(-2.5)", I, "-3"},
        {"ceil 2.1", I, "3"},
        {"ceil -0.5", I, "0"},
        {"round 2.5", I, "3"},
        {"round -2.5", I, "-2"},
        {"round 0.5", I, "1"},
        {"round -0.5", I, "0"},
        {"abs -5", I, "5"},
        {"abs -2.5", F, "2,5"},
        {"ln 100", F, "4,60517018598809137"},
        {"log 100", F, "4,60517018598809137"},
        {"log10 100", I, "2"},
        {"ln 1", I, "0"},
        {"ln 0", F, "-inf"},
        {"-ln 0", F, "inf"},
        {"sqrt 2", F, "1,41421356237309505"},
        {"sqrt 16", I, "4"},
        {"sqrt -1", F, "nan"},
        {"(sqrt -1)+1", N, ""},
        {"exp 0", I, "1"},
        {"exp 1", F, "2,71828182845904524"},
        {"exp2", F, "7,38905609893065023"},
        {"exp 1 == e", I, "0"},
        {"exp", F, "2,71828182845904509"},
        {"E", F, "2,71828182845904509"},
        {"PI", F, "3,14159265358979312"},
        {"Phi", F, "1,6180339887498949"},
        {"sin", N, ""},
        {"SIN 30", N, ""},
        {"sin30", F, "0,5"},
        {"sin 30", F, "0,5"},
        {"cos 60", F, "0,500000000000000001"},
        {"sin 90", I, "1"},
        {"cos 180", I, "-1"},
        {"tan 45", F, "0,999999999999999999"},
        {"asin 1", F, "90,0000000000000035"},
        {"atan 1", F, "45,0000000000000018"},
        {"acos 2", F, "nan"},
        {"sin 0", I, "0", Full, radians},
        {"sin 1", F, "0,841470984807896507", Full, radians},
        {"asin 1", F, "1,57079632679489662", Full, radians},
        {"sin 100", I, "1", Full, grads},
        {"asin 1", F, "100,000000000000004", Full, grads},
    });
    // What is left of pi after rounding, so its digits are the maths library's own: glibc's
    // on x87 give these, another library or a wider long double other tiny values.
    if (float_digits::exactFloatDigits) {
        check({"sin 180", F, "2,55191963783852732e-18"});
    } else {
        SettingsScope scope(plain);
        const NumberRef n = evaluateExpression(u"sin180");
        EXPECT_EQ(n->kind, Float);
        EXPECT_GT(std::fabs(n->floatValue), 0.0L);
        EXPECT_LT(std::fabs(n->floatValue), 1e-17L);
    }
}

TEST(Evaluation, LiteralsInEveryBase) {
    checkAll({
        {"42", I, "42"},
        {"0x2A", I, "42"},
        {"0X2a", I, "42"},
        {"#2a", I, "42"},
        {"0o52", I, "42"},
        {"0O52", I, "42"},
        {"0b101010", I, "42"},
        {"007", I, "7"},
        {"0x1e5", I, "485"},
        {"0xfffffffffffffffffffff", I, "19342813113834066795298815"},
        {"123456789012345678901234567890", I, "123456789012345678901234567890"},
        {"1.5", F, "1,5"},
        {"1,5", F, "1,5"},
        {"1,000", I, "1"},
        {"2.5e-3", F, "0,0025"},
        {",5", F, "0,5"},
        {"5,", I, "5"},
        {".", I, "0"},
        {"1e", I, "1"},
        {"1.5e3", I, "1500"},
        {"1e+5", I, "100000"},
        {"1e-5", F, "1e-5"},
        {"1e17", I, "100000000000000000"},
        {"1e18", F, "1e18"},
        {"1e499", F, "1e499"},
        {"1e-499", F, "1e-499"},
        {"1e500", N, ""},
        {"1e4933", N, ""},
        {"0x1.8", N, ""},
        {"0xfe+1", N, ""},
        {"0b102", N, ""},
        {"0b1e1", N, ""},
        {"0o8", N, ""},
        {"0o1e1", N, ""},
    });
}

TEST(Evaluation, TextsWithoutValue) {
    // Malformed texts and missing operands; such a Number has no text in any format.
    for (const char *text :
         {"",     "   ", "()", "(1",    "1)",    ")(", "1+(2", "2+", "*3",  "foo",     "2pi",
          "2(3)", "0x",  "#",  "1.2.3", "1e2e3", "e5", "12a",  "0b", "1/0", "(ln 0)*0"}) {
        for (int f = 0; f < outputFormatCount; ++f)
            check({text, N, "", OutputFormat(f)});
    }
}

TEST(Evaluation, ArithmeticOperations) {
    checkAll({
        {"6/3", I, "2"},
        {"7/2", F, "3,5"},
        {"-6/4", F, "-1,5"},
        {"0/5", I, "0"},
        {"10^30/10^10", I, "100000000000000000000"},
        {"5/0", N, ""},
        {"1/3*3", I, "1"},
        {"(1/3)*3", F, "0,999999999999999999"},
        {"0.1+0.2", F, "0,3"},
        {"0.5+0.5", I, "1"},
        {"2.5*4", I, "10"},
        {"10^30+0.5", F, "1e30"},
        {"1e15+0.5", F, "1000000000000000,5"},
        {"1e18-1", I, "999999999999999999"},
        {"-0.0", I, "0"},
        // Domain and pole errors of the math library are values, not failures.
        {"(-8)^(1/3)", F, "nan"},
        {"0^-1", F, "inf"},
        {"7%3", I, "1"},
        {"-7%3", I, "2"},
        {"7%-3", I, "-2"},
        {"7%0", N, ""},
        {"7.5%2", N, ""},
        {"2^10", I, "1024"},
        {"2^-2", F, "0,25"},
        {"0^0", I, "1"},
        {"(-2)^3", I, "-8"},
        {"2^100", I, "1267650600228229401496703205376"},
        // Powers of two are placed by a shift; signs and multi-block bases as multiplied.
        {"(-4)^3", I, "-64"},
        {"(-8)^4", I, "4096"},
        {"4294967296^3", I, "79228162514264337593543950336"},
        {"(0-18446744073709551616)^3", I,
         "-6277101735386680763835789423207666416102355444464034512896"},
        {"3^40", I, "12157665459056928801"},
        {"4^0.5", I, "2"},
        {"2^0.5", F, "1,41421356237309505"},
        {"2^2147483648", N, ""},
    });
}

TEST(Evaluation, ComparisonsAndLogic) {
    checkAll({
        {"1<2", I, "1"},
        {"2<=2", I, "1"},
        {"3==3.0", I, "1"},
        {"0.5==1/2", I, "1"},
        {"10^30==10^30+1", I, "0"},
        // Not-a-number: equality fails, "<" and "<=" hold, ">" and ">=" do not.
        {"sqrt -1 == sqrt -1", I, "0"},
        {"sqrt -1 != 1", I, "1"},
        {"sqrt -1 < 1", I, "1"},
        {"sqrt -1 <= 1", I, "1"},
        {"sqrt -1 > 1", I, "0"},
        {"sqrt -1 >= 1", I, "0"},
        {"sqrt -1 and 1", I, "1"},
        {"2 or 0", I, "1"},
        {"0.0 or 0", I, "0"},
        {"1 and 1/0", N, ""},
    });
}

TEST(Evaluation, BitwiseAndShifts) {
    checkAll({
        {"6|3", I, "7"},
        {"6&3", I, "2"},
        {"-6|3", I, "7"},
        {"6|-3", I, "-7"},
        {"6 xor -3", I, "-5"},
        {"4&-3", I, "0"},
        {"-6|0", I, "6"},
        {"2^32|1", I, "4294967297"},
        {"2.5|1", N, ""},
        {"1<<3", I, "8"},
        {"-1<<3", I, "8"},
        {"1<<70", I, "1180591620717411303424"},
        {"256>>4", I, "16"},
        {"-8>>1", I, "4"},
        {"5>>3", I, "0"},
        {"1<<-1", N, ""},
        {"1<<2147483648", N, ""},
        {"1.5<<1", N, ""},
    });
}

TEST(Evaluation, ValueRanges) {
    checkAll({
        {"255+1", I, "0", Full, u8},
        {"0-1", I, "255", Full, u8},
        {"300", I, "44", Full, u8},
        {"7/2", I, "3", Full, u8},
        {"-7/2", I, "124", Full, u8},
        {"255+1-1", I, "255", Full, u8},
        {"0.5+0.5", I, "0", Full, u8},
        {"2^0.5", I, "1", Full, u8},
        {"sqrt -1", I, "15", Full, u8}, // the operand -1 is 255 here
        {"sqrt -1", N, "", Full, s8},
        {"0-1", I, "0b11111111", Binary, u8},
        {"127+1", I, "-128", Full, s8},
        {"200", I, "-56", Full, s8},
        {"-129", I, "127", Full, s8},
        {"-3.7", I, "-3", Full, s8},
        {"1e20", I, "0", Full, s8},
        {"0-1", I, "-0x1", Hexadecimal, s8},
        {"-1", I, "65535", Full, u16},
        {"32767+1", I, "-32768", Full, s16},
        {"3e9", I, "3000000000", Full, u32},
        {"-3e9", I, "1294967296", Full, u32},
        {"2^31", I, "-2147483648", Full, s32},
        {"2^63", I, "-9223372036854775808", Full, s64},
        {"2^63-1", I, "9223372036854775807", Full, s64},
        {"2^64+5", I, "5", Full, u64},
        {"5e9", I, "5000000000", Full, u64},
        {"1e19", I, "10000000000000000000", Full, u64},
    });
}

TEST(Evaluation, FloatFormats) {
    checkDecimalFormats({
        {"2.5", F, "2,5", "2,5", "2,5e0", "2,5e0"},
        {"1/3", F, "0,3333333333", "0,333333333333333333", "3,333333333e-1", "333,3333333e-3"},
        {"2/3", F, "0,6666666667", "0,666666666666666667", "6,666666667e-1", "666,6666667e-3"},
        {"0.0001", F, "0,0001", "0,0001", "1e-4", "100e-6"},
        {"0.000015", F, "1,5e-05", "1,5e-5", "1,5e-5", "15e-6"},
        {"1.5e-7", F, "1,5e-07", "1,5e-7", "1,5e-7", "150e-9"},
        {"-0.5", F, "-0,5", "-0,5", "-5e-1", "-500e-3"},
        {"0.00012345678912", F, "0,0001234567891", "0,00012345678912", "1,234567891e-4",
         "123,4567891e-6"},
        {"1.5e20", F, "1,5e20", "1,5e20", "1,5e20", "150e18"},
        {"1e22", F, "1e22", "1e22", "1e22", "10e21"},
        {"1e100", F, "1e100", "1e100", "1e100", "10e99"},
        {"-1234.5", F, "-1234,5", "-1234,5", "-1,2345e3", "-1,2345e3"},
        {"1234567890.5", F, "1234567891", "1234567890,5", "1,234567891e9", "1,234567891e9"},
        {"12345678901.5", F, "1,23456789e10", "12345678901,5", "1,23456789e10", "12,3456789e9"},
        {"pi", F, "3,141592654", "3,14159265358979312", "3,141592654e0", "3,141592654e0"},
        {"-ln 0", F, "inf", "inf", "inf", "inf"},
        {"ln 0", F, "-inf", "-inf", "-inf", "-inf"},
        {"sqrt -1", F, "nan", "nan", "nan", "nan"},
    });
}

TEST(Evaluation, IntegerFormats) {
    checkDecimalFormats({
        {"0", I, "0", "0", "0e0", "0e0"},
        {"-5", I, "-5", "-5", "-5e0", "-5e0"},
        {"12", I, "12", "12", "1,2e1", "12e0"},
        {"-12", I, "-12", "-12", "-1,2e1", "-12e0"},
        {"-123456", I, "-123456", "-123456", "-1,23456e5", "-123,456e3"},
        {"-99999999999999", I, "-99999999999999", "-99999999999999", "-9,99999999e13",
         "-99,9999999e12"},
        {"10^15-1", I, "999999999999999", "999999999999999", "9,999999999e14", "999,9999999e12"},
        {"-(10^15-1)", I, "-9,99999999e14", "-999999999999999", "-9,99999999e14", "-999,999999e12"},
        {"10^15", I, "1e15", "1000000000000000", "1e15", "1e15"},
        {"1999999999999999", I, "1,999999999e15", "1999999999999999", "1,999999999e15",
         "1,999999999e15"},
        {"123456789012345678", I, "1,23456789e17", "123456789012345678", "1,23456789e17",
         "123,456789e15"},
        {"2^64", I, "1,844674407e19", "18446744073709551616", "1,844674407e19", "18,44674407e18"},
        {"10^20-1", I, "9,999999999e19", "99999999999999999999", "9,999999999e19",
         "99,99999999e18"},
        {"-(10^20-1)", I, "-1e20", "-99999999999999999999", "-9,99999999e19", "-99,9999999e18"},
        {"10^30", I, "1e30", "1000000000000000000000000000000", "1e30", "1e30"},
        {"2^100", I, "1,2676506e30", "1267650600228229401496703205376", "1,2676506e30",
         "1,2676506e30"},
        {"0-2^100", I, "-1,2676506e30", "-1267650600228229401496703205376", "-1,2676506e30",
         "-1,2676506e30"},
    });
}

TEST(Formatting, DigitCountEstimateIsWithinOne) {
    EXPECT_EQ(estimatedDigitCount(BigInteger(0), 10), 0);
    for (const char *decimal : {"1", "9", "10", "4294967295", "4294967296", "99999999999999999999",
                                "-123456789012345678901234567890"}) {
        BigInteger x = textToInteger(decimal, 10);
        for (unsigned short base : {2, 8, 10, 16, 36}) {
            long long digits = (long long)integerToText(x, base).size() - (decimal[0] == '-');
            EXPECT_NEAR(estimatedDigitCount(x, base), digits, 1) << decimal << " in base " << base;
        }
    }
}

TEST(Evaluation, RadixFormats) {
    checkAll({
        {"-255", I, "-0xFF", Hexadecimal},
        {"0", I, "0x0", Hexadecimal},
        {"2^32", I, "0x100000000", Hexadecimal},
        {"0x1000000ff", I, "0x1000000FF", Hexadecimal},
        {"0xDEADBEEF12345678", I, "0xDEADBEEF12345678", Hexadecimal},
        {"8", I, "0o10", Octal},
        {"-8", I, "-0o10", Octal},
        {"2^32", I, "0o40000000000", Octal},
        {"2^64-1", I, "0o1777777777777777777777", Octal},
        {"0", I, "0b0", Binary},
        {"255", I, "0b11111111", Binary},
        {"-5", I, "-0b101", Binary},
        {"2^32+1", I, "0b100000000000000000000000000000001", Binary},
        {"2.5", F, "", Hexadecimal},
        {"2.5", F, "", Octal},
        {"2.5", F, "", Binary},
    });
}

// Evaluation recurses once per operator and parenthesis, so deep texts run on a large stack.
TEST(Evaluation, DeepTexts) {
    const struct {
        std::u16string text;
        NumberKind kind;
        const char16_t *full;
    } rows[] = {
        {repeated(u"1+", 999) + u"1", Integer, u"1000"},
        {repeated(u"(", 1000) + u"7" + repeated(u")", 1000), Integer, u"7"},
        {repeated(u"1+", 99999) + u"1", NoValue, u""},
        {repeated(u"(", 100000) + u"1" + repeated(u")", 100000), NoValue, u""},
    };
    for (const auto &row : rows) {
        if (row.text.size() / 2 > std::size_t(evaluation_support::deepestTestedText)) continue;
        NumberRef n;
        runWithLargeStack([&] { n = evaluateExpression(row.text); });
        EXPECT_EQ(n->kind, row.kind) << row.text.size() << " characters";
        EXPECT_TRUE(formatNumber(*n, Full) == row.full) << row.text.size() << " characters";
    }
}

} // namespace
