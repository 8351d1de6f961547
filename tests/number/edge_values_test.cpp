// SPDX-License-Identifier: MIT
// Edge values end to end: infinities, not-a-number, subnormals, negative zero, the ends of the
// long double range and the 64-bit boundaries under every value range, reached through the
// literal forms, operators and functions, and shown in every output format. Each text is
// evaluated as the window evaluates it: white space removed, under the row's settings.

#include "bigint/textConversion.h"
#include "number/evaluator.h"
#include "number/floatChecks.h"
#include "number/format.h"
#include "number/textUtils.h"
#include "tests/number/evaluation_support.h"
#include "tests/number/float_digits.h"

#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <string>

namespace {

using namespace evaluation_support;

// The largest long double, (2^64 - 1) * 2^16320, in binary digits; the number half-way from
// it to 2^16384, which rounds up to infinity; and the one just below that half-way point.
const std::string binaryMax = std::string(64, '1') + std::string(16320, '0');
const std::string binaryHalfWay = std::string(65, '1') + std::string(16319, '0');
const std::string binaryBelowHalfWay = std::string(64, '1') + "0" + std::string(16319, '1');

std::string decimal(const std::string &binaryDigits) {
    return integerToText(textToInteger(binaryDigits, 2), 10);
}

// The kind ("failure: ..." when the evaluation threw) and the text in one format.
struct Outcome {
    std::string kind;
    std::string text;
};

Outcome evaluate(const std::string &expression, const Setup &setup, OutputFormat format) {
    SettingsScope scope(setup);
    try {
        const NumberRef nRef = evaluateExpression(stripWhiteSpace(utf8ToUtf16(expression)));
        const Number &n = *nRef;
        return {kindNames[n.kind], utf16ToUtf8(formatNumber(n, format))};
    } catch (const char *failure) {
        return {std::string("failure: ") + failure, ""};
    }
}

void expectOutcome(const std::string &expression, const Setup &setup, OutputFormat format,
                   const std::string &kind, const std::string &text) {
    Outcome got = evaluate(expression, setup, format);
    EXPECT_EQ(got.kind, kind) << describe(expression, setup, format);
    if (kind == kindNames[Float])
        EXPECT_PRED2(float_digits::sameFloatText, got.text, text)
            << describe(expression, setup, format);
    else
        EXPECT_EQ(got.text, text) << describe(expression, setup, format);
}

// One value: its kind and Full text.
struct FullRow {
    std::string expression;
    NumberKind kind;
    const char *full;
    Setup setup = plain;
};

void checkFull(std::initializer_list<FullRow> rows) {
    for (const FullRow &r : rows)
        expectOutcome(r.expression, r.setup, Full, kindNames[r.kind], r.full);
}

TEST(EdgeValues, LiteralsAtTheBoundaries) {
    checkFull({
        // 2^63 - 1, 2^63, 2^64 - 1 and 2^64 in every base and spelling.
        {"9223372036854775807", I, "9223372036854775807"},
        {"0x7FFFFFFFFFFFFFFF", I, "9223372036854775807"},
        {"#7fffffffffffffff", I, "9223372036854775807"},
        {"0o" + std::string(21, '7'), I, "9223372036854775807"},
        {"0b" + std::string(63, '1'), I, "9223372036854775807"},
        {"0x8000000000000000", I, "9223372036854775808"},
        {"0O1" + std::string(21, '0'), I, "9223372036854775808"},
        {"0B1" + std::string(63, '0'), I, "9223372036854775808"},
        {"0XFFFFFFFFFFFFFFFF", I, "18446744073709551615"},
        {"0o1" + std::string(21, '7'), I, "18446744073709551615"},
        {"0b" + std::string(64, '1'), I, "18446744073709551615"},
        {"0x10000000000000000", I, "18446744073709551616"},
        {"0o2" + std::string(21, '0'), I, "18446744073709551616"},
        {"#10000000000000000", I, "18446744073709551616"},
        {"-0x8000000000000000", I, "-9223372036854775808"},
        {"-0o2" + std::string(21, '0'), I, "-18446744073709551616"},
        {"-0b" + std::string(64, '1'), I, "-18446744073709551615"},
        // Decimal fractions there are long doubles: 2^63 - 0.5 is exact, 2^63 + 0.5 and
        // 2^64 + 1 round to even; none has a plain 18-digit text, so all stay Floats.
        {"9.223372036854775807e18", F, "9,22337203685477581e18"},
        {"9223372036854775807.5", F, "9,22337203685477581e18"},
        {"9223372036854775808,5", F, "9,22337203685477581e18"},
        {"1.8446744073709551615E19", F, "1,84467440737095516e19"},
        {"18446744073709551617.", F, "1,84467440737095516e19"},
        {"-1.8446744073709551616e+19", F, "-1,84467440737095516e19"},
        // The exponent is limited to 499, leading zeros aside.
        {"1e" + std::string(22, '0') + "499", F, "1e499"},
        {"1e-" + std::string(21, '0') + "499", F, "1e-499"},
        {"1e" + std::string(22, '0') + "500", N, ""},
        // Long digit texts reach the top of the long double range; past the half-way point
        // to 2^16384 they overflow and have no value.
        {"118973149535723176502" + std::string(4912, '0') + ".", F, "1,18973149535723177e4932"},
        {decimal(binaryMax) + ".", F, "1,18973149535723177e4932"},
        {decimal(binaryBelowHalfWay) + ".", F, "1,18973149535723177e4932"},
        {"-" + decimal(binaryBelowHalfWay) + ",0", F, "-1,18973149535723177e4932"},
        {"1189731495357231765" + std::string(4415, '0') + "e499", F, "1,18973149535723177e4932"},
        {"11897314953572317651" + std::string(4414, '0') + "e499", N, ""},
        // ... and the bottom: the smallest normal value stays, anything subnormal is 0.
        {"0." + std::string(4931, '0') + "336210314311209350625e-1", I, "0"},
        {"0." + std::string(4939, '0') + "1", I, "0"},
        {"-0." + std::string(4939, '0') + "1", I, "0"},
        {"." + std::string(5000, '0') + "1", I, "0"},
        // Integer literals at the top of the range, read as long doubles by an operation.
        {"0b" + binaryMax + "+0.5", F, "1,18973149535723177e4932"},
        {"0b" + binaryBelowHalfWay + "+0.5", F, "1,18973149535723177e4932"},
        {"0x" + std::string(16, 'F') + std::string(4080, '0') + "+0.5", F,
         "1,18973149535723177e4932"},
        {"0x" + std::string(16, 'F') + std::string(4080, '0') + "==(2^64-1)*2^16320", I, "1"},
        // Signs and marks without digits; after a hexadecimal "e" a sign is no exponent sign.
        {"-0.0", I, "0"},
        {"-.e5", I, "0"},
        {"1e+", I, "1"},
        {"1E-", I, "1"},
        {"#1e-5", N, ""},
        {"0x1E5+5", I, "490"},
    });
    // The edges of x87's 80-bit format itself: the half-way point to 2^16384 overflows, and
    // the smallest normal value cut after 21 digits rounds up to it. A wider long double
    // (ARM64's 128 bits) holds the first and rounds the second to a subnormal.
    if constexpr (float_digits::x87Format) {
        checkFull({
            {decimal(binaryHalfWay) + ".", N, ""},
            {"0." + std::string(4931, '0') + "336210314311209350626", F,
             "3,36210314311209351e-4932"},
        });
    }
}

// Integer literals of every length around the 64-bit reading (up to 19 decimal, 16
// hexadecimal, 21 octal and 64 binary digits) and past it, with the largest and the
// smallest digit in every place, against the digit-string conversion.
TEST(EdgeValues, IntegerLiteralsAroundSixtyFourBits) {
    struct Base {
        int base;
        const char *prefix;
        char top;
    };
    for (const Base b :
         {Base{10, "", '9'}, Base{16, "0x", 'f'}, Base{8, "0o", '7'}, Base{2, "0b", '1'}}) {
        for (std::size_t length = 1; length <= 70; ++length) {
            for (const char digit : {b.top, '1', '0'}) {
                std::string digits(length, digit);
                if (digit == '0') digits.front() = '1'; // a one and zeros: a power of the base
                const std::string text = b.prefix + digits;
                const NumberRef n = evaluateExpression(asciiToUtf16(text));
                ASSERT_EQ(n->kind, Integer) << text;
                EXPECT_EQ(
                    integerToText(n->integerValue, 10),
                    integerToText(textToInteger(digits, static_cast<unsigned short>(b.base)), 10))
                    << text;
            }
        }
    }
    EXPECT_EQ(evaluateExpression(u"0")->integerValue.getSign(), BigInteger::zero);
    EXPECT_EQ(evaluateExpression(u"0x0000")->integerValue.getSign(), BigInteger::zero);
}

TEST(EdgeValues, InfinitiesAndNotANumber) {
    checkFull({
        // Poles and domain errors of the math functions are values.
        {"log0", F, "-inf"},
        {"log100", F, "-inf"}, // "log10" is tried first: the common logarithm of 0
        {"log10 0", F, "-inf"},
        {"log10 -1", N, ""}, // the "-" after the digit of "log10" is a subtraction
        {"log10 ln 0", F, "nan"},
        {"ln -1", F, "nan"},
        {"-sqrt -1", F, "nan"},
        {"asin 2", F, "nan"},
        {"acos -2", F, "nan"},
        {"sin -ln 0", F, "nan"},
        {"cos ln 0", F, "nan"},
        {"tan -ln 0", F, "nan"},
        {"ln ln 0", F, "nan"},
        {"ln -ln 0", F, "inf"},
        {"sqrt -ln 0", F, "inf"},
        {"abs ln 0", F, "inf"},
        {"abs sqrt -1", F, "nan"},
        {"1.5^20000", F, "6,68622694845378559e3521"},
        {"1.5^30000", F, "inf"},
        {"(-1.5)^30001", F, "-inf"},
        {"0.5^-20000", F, "inf"},
        {"pi^10000", F, "inf"},
        {"phi^30000", F, "inf"},
        {"E^11356", F, "7,04914579998140518e4931"}, // the double-precision e
        {"exp 11356", F, "7,04914579998566444e4931"},
        {"exp 11357", F, "inf"},
        {"exp 20000", F, "inf"},
        {"ln 0²", F, "inf"},
        {"ln 0³", F, "-inf"},
        {"sqrt -1³", F, "nan"},
        // Arithmetic that stays finite or keeps the infinity raises no failure.
        {"-ln 0+1", F, "inf"},
        {"1-ln 0", F, "inf"},
        {"sqrt -1+1", F, "nan"},
        {"sqrt -1*0", F, "nan"},
        {"ln 0*-ln 0", F, "-inf"},
        {"-ln 0/2", F, "inf"},
        {"1/-ln 0", I, "0"},
        {"-1/-ln 0", I, "0"},
        {"-ln 0/0", N, ""},
        // Comparisons and truth values.
        {"-ln 0==-ln 0", I, "1"},
        {"ln 0 eq ln 0", I, "1"},
        {"sqrt -1 not_eq sqrt -1", I, "1"},
        {"ln 0<-ln 0", I, "1"},
        {"-ln 0>=-ln 0", I, "1"},
        {"ln 0<=-ln 0", I, "1"},
        {"-ln 0>10^4000", I, "1"},
        {"!sqrt -1", I, "0"},
        {"not ln 0", I, "0"},
        {"sqrt -1 or 0", I, "1"},
        {"ln 0 and sqrt -1", I, "1"},
        {"ln 0&&-ln 0", I, "1"},
        {"sqrt -1||0", I, "1"},
        {"sqrt -1!=sqrt -1", I, "1"},
        // Integer-only operations and the rounding functions have nothing to work on.
        {"-ln 0%2", N, ""},
        {"sqrt -1|1", N, ""},
        {"~ln 0", N, ""},
        {"ln 0<<1", N, ""},
        {"-ln 0!", N, ""},
        {"floor -ln 0", N, ""},
        {"int ln 0", N, ""},
        {"round sqrt -1", N, ""},
        {"ceil 1e499", N, ""},
        // Inverse functions of infinite arguments in every angle unit.
        {"atan -ln 0", F, "90,0000000000000035"},
        {"atan ln 0", F, "-90,0000000000000035"},
        {"atan -ln 0", F, "1,57079632679489662", radians},
        {"atan -ln 0", F, "100,000000000000004", grads},
        {"acos -1", F, "180,000000000000007"},
        {"acos -1", F, "200,000000000000008", grads},
        {"asin 2", F, "nan", radians},
        {"sin -ln 0", F, "nan", radians},
        {"cos ln 0", F, "nan", grads},
        {"tan sqrt -1", F, "nan", grads},
    });
}

TEST(EdgeValues, SubnormalsAndNegativeZeroBecomeZero) {
    checkFull({
        {"2^-16382", F, "3,36210314311209351e-4932"},
        {"1/2^16382", F, "3,36210314311209351e-4932"},
        {"-1/2^16382", F, "-3,36210314311209351e-4932"},
        {"exp -11355", F, "3,85618613316889161e-4932"},
        {"2^-16383", I, "0"},
        {"1/2^16383", I, "0"},
        {"-1/2^16383", I, "0"},
        {"2^-16445", I, "0"},
        {"exp -11356", I, "0"},
        {"exp -20000", I, "0"},
        {"1.5^-30000", I, "0"},
        {"pi^-10000", I, "0"},
        {"PHI^-30000", I, "0"},
        {"e^-20000", I, "0"},
        // A subnormal quotient is 0 before it is multiplied back.
        {"2^-16382/2", I, "0"},
        {"2^-16382/2*2^16382", I, "0"},
        {"1e-499^9/1e450", I, "0"},
        // Negative zero, by multiplication, division, sign and rounding.
        {"-0.5*0", I, "0"},
        {"0*-1", I, "0"},
        {"-(0)", I, "0"},
        {"(-1e-499)^11", I, "0"},
        {"1/ln 0", I, "0"},
        {"-0.5*0==0", I, "1"},
        {"1/(-0.5*0)", N, ""},
        {"not -0.5*0", I, "1"},
        {"compl -0", I, "0"},
        {"ceil -0.25", I, "0"},
        {"round -0.25", I, "0"},
        {"sqrt -0.0", I, "0"},
        {"atan(-0.5*0)", I, "0"},
    });
}

TEST(EdgeValues, EndsOfTheLongDoubleRange) {
    checkFull({
        {"(2^64-1)*2^16320+0.5", F, "1,18973149535723177e4932"},
        {"-(2^64-1)*2^16320-0.5", F, "-1,18973149535723177e4932"},
        {"(2^64-1)*2^16320+2^16319-1+0.5", F, "1,18973149535723177e4932"},
        {"2^16383*1.5", F, "8,92298621517923824e4931"},
        {"-2^16383*1.5", F, "-8,92298621517923824e4931"},
        {"1754!+0.5", F, "1,97926189010501006e4930"},
        {"ln(2^16383)", F, "11355,830259113584"},
        {"log10(10^4932)", I, "4932"},
        {"log10(10^19)", I, "19"},
        // Integers past the range stay exact while no long double is needed.
        {"2^16384/2==2^16383", I, "1"},
        {"2^16384==2^16384+1", I, "0"},
        {"1755!>1754!", I, "1"},
        // A whole number of 10^18 or more keeps its exponent text and stays a Float.
        {"sqrt(2^128)", F, "1,84467440737095516e19"},
        {"sqrt(2^128)==2^64", I, "1"},
        {"floor " + std::string(18, '9') + ".5", I, "999999999999999999"},
        {"round " + std::string(18, '9') + ".5", N, ""},
        {"floor 9223372036854775807.5", N, ""},
        // Long double comparisons at the 64-bit boundaries: 2^63 + 1 is exact, 2^64 + 1
        // rounds to 2^64.
        {"2^63==9.223372036854775808e18", I, "1"},
        {"2^63+1==9.223372036854775808e18", I, "0"},
        {"2^64+1==1.8446744073709551616e19", I, "1"},
        {"2^64+1>1.8446744073709551616e19", I, "0"},
        {"2^64+1>2^64", I, "1"},
        {"2^64!=1.8446744073709551616e19", I, "0"},
        {"1 bitor 2^64", I, "18446744073709551617"},
        // An integer read as a long double rounds to nearest, ties to the even neighbour.
        {"2^64+3==18446744073709551620.0", I, "1"},
        {"2^64+5==18446744073709551620.0", I, "1"},
        {"2^65+7==36893488147419103240.0", I, "1"},
        {"(2^64-2)*2^16320+2^16319+0.5==(2^64-2)*2^16320+0.5", I, "1"},
        {"(2^64-2)*2^16320+2^16319+1+0.5==(2^64-1)*2^16320+0.5", I, "1"},
        {"(2^32)³", I, "79228162514264337593543950336"},
        {"2**64", I, "18446744073709551616"},
        // A parenthesised value goes on as its Full text, which is read back as a literal:
        // beyond an exponent of 499, and for the words inf and nan, there is no value.
        {"(1e499)", F, "1e499"},
        {"(1e499*9.99)", F, "9,99e499"},
        {"(1e499*10)", N, ""},
        {"(1e-499/10)", N, ""},
        {"(2^-16382)", N, ""},
        {"(-ln 0)", N, ""},
    });
}

struct FailureRow {
    std::string expression;
    const char *failure;
};

TEST(EdgeValues, LongDoubleFailuresAbandonTheEvaluation) {
    const char *const overflow = floatcheck::overflow;
    const char *const invalid = floatcheck::invalidOperation;
    const FailureRow rows[] = {
        {"-ln 0+ln 0", invalid},
        {"-ln 0*0", invalid},
        {"ln 0/-ln 0", invalid},
        {"1.5^30000*0", invalid},
        {"1e499^9*1e499", overflow},
        {"1e499^9*-1e499", overflow},
        {"2^16383*2.5", overflow},
        {"2^16383*-2.5", overflow},
        {"2^16383/0.5", overflow},
        // An integer that rounds past the largest long double cannot be read as one.
        {"(2^64-1)*2^16320+2^16319+0.5", overflow},
        {"0b" + binaryHalfWay + "+0.5", overflow},
        {"2^16384-1+0.5", overflow},
        {"1/2^16384", overflow},
        {"2^16384/3", overflow},
        {"2^16384==0.5", overflow},
        {"-ln 0>2^16384", overflow},
        {"sin(2^16384)", overflow},
        {"sqrt(2^16384)", overflow},
        {"log10(10^4933)", overflow},
        {"2^-(2^16384)", overflow},
        {"1755!+0.5", overflow},
        {"1755!>1.5", overflow},
    };
    for (const FailureRow &r : rows)
        expectOutcome(r.expression, plain, Full, std::string("failure: ") + r.failure, "");
}

// One text under every value range: the Full text, or none for no value. The kind is
// Integer in every limited range; in the unlimited one it is given.
constexpr const char *none = nullptr;
constexpr Setup everyRange[] = {plain, u8, s8, u16, s16, u32, s32, u64, s64};

struct RangeRow {
    const char *expression;
    NumberKind unlimitedKind;
    std::array<const char *, 9> full; // unlimited, u8, s8, u16, s16, u32, s32, u64, s64
};

TEST(EdgeValues, SixtyFourBitBoundariesUnderEveryRange) {
    const RangeRow rows[] = {
        // clang-format off
        {"9223372036854775807", I, {"9223372036854775807", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"9223372036854775808", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"18446744073709551615", I, {"18446744073709551615", "255", "-1", "65535", "-1", "4294967295", "-1", "18446744073709551615", "-1"}},
        {"18446744073709551616", I, {"18446744073709551616", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"-9223372036854775807", I, {"-9223372036854775807", "1", "1", "1", "1", "1", "1", "9223372036854775809", "-9223372036854775807"}},
        {"-9223372036854775808", I, {"-9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"-9223372036854775809", I, {"-9223372036854775809", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"-18446744073709551615", I, {"-18446744073709551615", "1", "1", "1", "1", "1", "1", "1", "1"}},
        {"-18446744073709551616", I, {"-18446744073709551616", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"0xFFFFFFFFFFFFFFFF", I, {"18446744073709551615", "255", "-1", "65535", "-1", "4294967295", "-1", "18446744073709551615", "-1"}},
        {"-0x8000000000000001", I, {"-9223372036854775809", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        // Every operand is wrapped on its own before the operation.
        {"2^63-1", I, {"9223372036854775807", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"2^63", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"2^64-1", I, {"18446744073709551615", "255", "-1", "65535", "-1", "4294967295", "-1", "18446744073709551615", "-1"}},
        {"2**64-1", I, {"18446744073709551615", "255", "-1", "65535", "-1", "4294967295", "-1", "18446744073709551615", "-1"}},
        {"2^64", I, {"18446744073709551616", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"-2^63", I, {"-9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"0-2^64", I, {"-18446744073709551616", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"9223372036854775807²", I, {"85070591730234615847396907784232501249", "1", "1", "1", "1", "1", "1", "1", "1"}},
        {"(2^32)³", I, {"79228162514264337593543950336", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"20!", I, {"2432902008176640000", "0", "0", "0", "0", "2192834560", "-2102132736", "2432902008176640000", "2432902008176640000"}},
        {"21!", I, {"51090942171709440000", "0", "0", "0", "0", "3099852800", "-1195114496", "14197454024290336768", "-4249290049419214848"}},
        {"-1%2^64", I, {"18446744073709551615", none, none, none, none, none, none, none, none}},
        {"2^63%3", I, {"2", "0", "0", "0", "0", "0", "0", "2", "1"}},
        {"2^64/2^32", I, {"4294967296", none, none, none, none, none, none, "0", "0"}},
        {"(2^64-1)/2", F, {"9,22337203685477581e18", "127", "0", "32767", "0", "2147483647", "0", "9223372036854775807", "0"}},
        // Shifts drop the sign; bitwise operators work on magnitudes with the right sign.
        {"1<<63", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"-1<<64", I, {"18446744073709551616", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"2^64>>1", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"~0x8000000000000000", I, {"9223372036854775807", "0", "0", "0", "0", "0", "0", "9223372036854775807", "-9223372036854775807"}},
        {"~2^64", I, {"79228162495817593519834398719", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"2^64-1&2^63", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "0"}},
        {"2^64-1 bitand -2^63", I, {"-9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "0"}},
        {"2^63|1", I, {"9223372036854775809", "1", "1", "1", "1", "1", "1", "9223372036854775809", "-9223372036854775807"}},
        {"-1 xor 2^64-1", I, {"18446744073709551614", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"2^63==9.223372036854775808e18", I, {"1", "1", "1", "1", "1", "1", "1", "1", "1"}},
        // Functions see the wrapped operand: the absolute value of the most negative
        // number is itself.
        {"abs -128", I, {"128", "128", "-128", "65408", "128", "4294967168", "128", "18446744073709551488", "128"}},
        {"abs -9223372036854775808", I, {"9223372036854775808", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"sqrt 18446744073709551615", I, {"4294967296", "15", none, "255", none, "65535", none, "4294967295", none}},
        {"log10(10^19)", I, {"19", none, none, none, none, "9", none, "19", none}},
        {"floor 9.223372036854775807e18", N, {none, "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        // Floats are cut to whole numbers, then wrapped; infinities and NaN have no value.
        {"9.223372036854775807e18", F, {"9,22337203685477581e18", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"9223372036854775807.5", F, {"9,22337203685477581e18", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"9.223372036854775808e18", F, {"9,22337203685477581e18", "0", "0", "0", "0", "0", "0", "9223372036854775808", "-9223372036854775808"}},
        {"-9.223372036854775809e18", F, {"-9,22337203685477581e18", "255", "-1", "65535", "-1", "4294967295", "-1", "9223372036854775807", "9223372036854775807"}},
        {"1.8446744073709551615e19", F, {"1,84467440737095516e19", "255", "-1", "65535", "-1", "4294967295", "-1", "18446744073709551615", "-1"}},
        {"-1.8446744073709551615e19", F, {"-1,84467440737095516e19", "1", "1", "1", "1", "1", "1", "1", "1"}},
        {"1.8446744073709551616e19", F, {"1,84467440737095516e19", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"(2^64-1)*2^16320+0.5", F, {"1,18973149535723177e4932", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {"-ln 0", F, {"inf", none, none, none, none, none, none, none, none}},
        {"sqrt -1", F, {"nan", "15", none, "255", none, "65535", none, "4294967295", none}},
        {"1.5^30000", F, {"inf", "1", "1", "1", "1", "1", "1", "1", "1"}},
        // The exponent -16382 wraps too: to 2 in 8 bits, to a count of 2^31 or more (no
        // value) in unsigned 32 and 64 bits.
        {"2^-16382", F, {"3,36210314311209351e-4932", "4", "4", "0", "0", none, "0", none, "0"}},
        // clang-format on
    };
    for (const RangeRow &r : rows) {
        for (std::size_t i = 0; i < std::size(everyRange); ++i) {
            NumberKind kind = r.full[i] == none ? NoValue : i == 0 ? r.unlimitedKind : Integer;
            expectOutcome(r.expression, everyRange[i], Full, kindNames[kind],
                          r.full[i] == none ? "" : r.full[i]);
        }
    }
}

// One value in all seven formats: Normal, Full, Scientific, Engineer, Hex, Octal, Binary.
struct FormatsRow {
    std::string expression;
    Setup setup;
    NumberKind kind;
    std::array<std::string, outputFormatCount> texts;
};

TEST(EdgeValues, EveryFormat) {
    const std::string ones63(63, '1'), zeros63(63, '0'), ones64(64, '1'), zeros64(64, '0');
    const FormatsRow rows[] = {
        // clang-format off
        {"-ln 0", plain, F, {"inf", "inf", "inf", "inf", "", "", ""}},
        {"ln 0", plain, F, {"-inf", "-inf", "-inf", "-inf", "", "", ""}},
        {"-sqrt -1", plain, F, {"nan", "nan", "nan", "nan", "", "", ""}},
        {"(2^64-1)*2^16320+0.5", plain, F, {"1,189731495e4932", "1,18973149535723177e4932", "1,189731495e4932", "1,189731495e4932", "", "", ""}},
        {"-(2^64-1)*2^16320-0.5", plain, F, {"-1,189731495e4932", "-1,18973149535723177e4932", "-1,189731495e4932", "-1,189731495e4932", "", "", ""}},
        {"2^-16382", plain, F, {"3,362103143e-4932", "3,36210314311209351e-4932", "3,362103143e-4932", "3,362103143e-4932", "", "", ""}},
        {"-1/2^16382", plain, F, {"-3,362103143e-4932", "-3,36210314311209351e-4932", "-3,362103143e-4932", "-3,362103143e-4932", "", "", ""}},
        {"exp -11355", plain, F, {"3,856186133e-4932", "3,85618613316889161e-4932", "3,856186133e-4932", "3,856186133e-4932", "", "", ""}},
        {"exp 11356", plain, F, {"7,0491458e4931", "7,04914579998566444e4931", "7,0491458e4931", "704,91458e4929", "", "", ""}},
        {"1754!+0.5", plain, F, {"1,97926189e4930", "1,97926189010501006e4930", "1,97926189e4930", "19,7926189e4929", "", "", ""}},
        {"9.223372036854775807e18", plain, F, {"9,223372037e18", "9,22337203685477581e18", "9,223372037e18", "9,223372037e18", "", "", ""}},
        {"2^-16383", plain, I, {"0", "0", "0e0", "0e0", "0x0", "0o0", "0b0"}},
        {"-0.5*0", plain, I, {"0", "0", "0e0", "0e0", "0x0", "0o0", "0b0"}},
        {"2^63-1", plain, I, {"9,223372036e18", "9223372036854775807", "9,223372036e18", "9,223372036e18", "0x7FFFFFFFFFFFFFFF", "0o777777777777777777777", "0b" + ones63}},
        {"-2^63", plain, I, {"-9,22337203e18", "-9223372036854775808", "-9,22337203e18", "-9,22337203e18", "-0x8000000000000000", "-0o1000000000000000000000", "-0b1" + zeros63}},
        {"2^64-1", plain, I, {"1,844674407e19", "18446744073709551615", "1,844674407e19", "18,44674407e18", "0xFFFFFFFFFFFFFFFF", "0o1777777777777777777777", "0b" + ones64}},
        {"0-(2^64-1)", plain, I, {"-1,8446744e19", "-18446744073709551615", "-1,8446744e19", "-18,446744e18", "-0xFFFFFFFFFFFFFFFF", "-0o1777777777777777777777", "-0b" + ones64}},
        {"2^64", plain, I, {"1,844674407e19", "18446744073709551616", "1,844674407e19", "18,44674407e18", "0x10000000000000000", "0o2000000000000000000000", "0b1" + zeros64}},
        {"0-2^64", plain, I, {"-1,8446744e19", "-18446744073709551616", "-1,8446744e19", "-18,446744e18", "-0x10000000000000000", "-0o2000000000000000000000", "-0b1" + zeros64}},
        // Limited ranges: a negative value keeps its sign, never two's complement.
        {"0-1", u64, I, {"1,844674407e19", "18446744073709551615", "1,844674407e19", "18,44674407e18", "0xFFFFFFFFFFFFFFFF", "0o1777777777777777777777", "0b" + ones64}},
        {"0-1", s64, I, {"-1", "-1", "-1e0", "-1e0", "-0x1", "-0o1", "-0b1"}},
        {"2^63", s64, I, {"-9,22337203e18", "-9223372036854775808", "-9,22337203e18", "-9,22337203e18", "-0x8000000000000000", "-0o1000000000000000000000", "-0b1" + zeros63}},
        {"2^63-1", s64, I, {"9,223372036e18", "9223372036854775807", "9,223372036e18", "9,223372036e18", "0x7FFFFFFFFFFFFFFF", "0o777777777777777777777", "0b" + ones63}},
        {"2^64-1", u32, I, {"4294967295", "4294967295", "4,294967295e9", "4,294967295e9", "0xFFFFFFFF", "0o37777777777", "0b11111111111111111111111111111111"}},
        {"-129", s8, I, {"127", "127", "1,27e2", "127e0", "0x7F", "0o177", "0b1111111"}},
        {"-1", u16, I, {"65535", "65535", "6,5535e4", "65,535e3", "0xFFFF", "0o177777", "0b1111111111111111"}},
        // clang-format on
    };
    for (const FormatsRow &r : rows) {
        for (int f = 0; f < outputFormatCount; ++f)
            expectOutcome(r.expression, r.setup, OutputFormat(f), kindNames[r.kind],
                          r.texts[std::size_t(f)]);
    }
}

} // namespace
