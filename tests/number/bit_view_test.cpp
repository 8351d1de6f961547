// SPDX-License-Identifier: MIT
// The view of a result's bits: the four base rows, the grid and its meaning in every value
// range at the edges (0, -1, each range's limits and one past them, 2^64 and beyond), and
// the text a flipped bit writes back.

#include "number/bitView.h"
#include "number/evaluator.h"
#include "tests/number/evaluation_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace evaluation_support;

namespace {

NumberRef evaluated(const std::string &text, const Setup &s) {
    SettingsScope scope(s);
    return evaluateExpression(utf8ToUtf16(text));
}

struct ViewRow {
    const char *expression;
    Setup setup;
    const char *decimal, *hexadecimal, *octal, *binary;
    int width;
    std::uint64_t bits;
    const char *summary;
};

const ViewRow viewRows[] = {
    {"0", plain, "0", "0x0", "0o0", "0b0", 64, 0, "Unlimited: 0 significant bits"},
    {"1", plain, "1", "0x1", "0o1", "0b1", 64, 1, "Unlimited: 1 significant bit"},
    {"-1", plain, "-1", "-0x1", "-0o1", "-0b1", 8, 0xFF,
     "Unlimited, negative: two's complement in 8 bits, 0xFF"},
    {"-128", plain, "-128", "-0x80", "-0o200", "-0b10000000", 8, 0x80,
     "Unlimited, negative: two's complement in 8 bits, 0x80"},
    {"-129", plain, "-129", "-0x81", "-0o201", "-0b10000001", 16, 0xFF7F,
     "Unlimited, negative: two's complement in 16 bits, 0xFF7F"},
    {"-2^31", plain, "-2147483648", "-0x80000000", "-0o20000000000",
     "-0b10000000000000000000000000000000", 32, 0x80000000,
     "Unlimited, negative: two's complement in 32 bits, 0x80000000"},
    {"-2^63", plain, "-9223372036854775808", "-0x8000000000000000", "-0o1000000000000000000000",
     "-0b1000000000000000000000000000000000000000000000000000000000000000", 64, 0x8000000000000000,
     "Unlimited, negative: two's complement in 64 bits, 0x8000000000000000"},
    {"-2^63-1", plain, "-9223372036854775809", "-0x8000000000000001", "-0o1000000000000000000001",
     "-0b1000000000000000000000000000000000000000000000000000000000000001", 64, 0x8000000000000001,
     "Unlimited, negative: sign and magnitude, 64 significant bits, bits 0 to 63 of the "
     "magnitude shown, 0 more above"},
    {"2^64-1", plain, "18446744073709551615", "0xFFFFFFFFFFFFFFFF", "0o1777777777777777777777",
     "0b1111111111111111111111111111111111111111111111111111111111111111", 64, 0xFFFFFFFFFFFFFFFF,
     "Unlimited: 64 significant bits"},
    {"2^64", plain, "18446744073709551616", "0x10000000000000000", "0o2000000000000000000000",
     "0b10000000000000000000000000000000000000000000000000000000000000000", 64, 0,
     "Unlimited: 65 significant bits, bits 0 to 63 shown, 1 more above"},
    {"-(2^100)-5", plain, "-1267650600228229401496703205381", "-0x10000000000000000000000005",
     "-0o2000000000000000000000000000000005",
     "-0b100000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000101",
     64, 5,
     "Unlimited, negative: sign and magnitude, 101 significant bits, bits 0 to 63 of the "
     "magnitude shown, 37 more above"},
    // The ranges at their limits and one past them: the radix rows hold the range's bits.
    {"255", u8, "255", "0xFF", "0o377", "0b11111111", 8, 0xFF, "8 bits: unsigned 255, signed -1"},
    {"256", u8, "0", "0x0", "0o0", "0b0", 8, 0, "8 bits: unsigned 0, signed 0"},
    {"-1", u8, "255", "0xFF", "0o377", "0b11111111", 8, 0xFF, "8 bits: unsigned 255, signed -1"},
    {"127", s8, "127", "0x7F", "0o177", "0b1111111", 8, 0x7F, "8 bits: unsigned 127, signed 127"},
    {"128", s8, "-128", "0x80", "0o200", "0b10000000", 8, 0x80,
     "8 bits: unsigned 128, signed -128"},
    {"-1", s8, "-1", "0xFF", "0o377", "0b11111111", 8, 0xFF, "8 bits: unsigned 255, signed -1"},
    {"65535", u16, "65535", "0xFFFF", "0o177777", "0b1111111111111111", 16, 0xFFFF,
     "16 bits: unsigned 65 535, signed -1"},
    {"65536", u16, "0", "0x0", "0o0", "0b0", 16, 0, "16 bits: unsigned 0, signed 0"},
    {"32768", s16, "-32768", "0x8000", "0o100000", "0b1000000000000000", 16, 0x8000,
     "16 bits: unsigned 32 768, signed -32 768"},
    {"-32769", s16, "32767", "0x7FFF", "0o77777", "0b111111111111111", 16, 0x7FFF,
     "16 bits: unsigned 32 767, signed 32 767"},
    {"2^32-1", u32, "4294967295", "0xFFFFFFFF", "0o37777777777",
     "0b11111111111111111111111111111111", 32, 0xFFFFFFFF,
     "32 bits: unsigned 4 294 967 295, signed -1"},
    {"2^31", s32, "-2147483648", "0x80000000", "0o20000000000",
     "0b10000000000000000000000000000000", 32, 0x80000000,
     "32 bits: unsigned 2 147 483 648, signed -2 147 483 648"},
    {"2^64", u64, "0", "0x0", "0o0", "0b0", 64, 0, "64 bits: unsigned 0, signed 0"},
    {"-1", u64, "18446744073709551615", "0xFFFFFFFFFFFFFFFF", "0o1777777777777777777777",
     "0b1111111111111111111111111111111111111111111111111111111111111111", 64, 0xFFFFFFFFFFFFFFFF,
     "64 bits: unsigned 18 446 744 073 709 551 615, signed -1"},
    {"2^63", s64, "-9223372036854775808", "0x8000000000000000", "0o1000000000000000000000",
     "0b1000000000000000000000000000000000000000000000000000000000000000", 64, 0x8000000000000000,
     "64 bits: unsigned 9 223 372 036 854 775 808, signed -9 223 372 036 854 775 808"},
    {"2^63-1", s64, "9223372036854775807", "0x7FFFFFFFFFFFFFFF", "0o777777777777777777777",
     "0b111111111111111111111111111111111111111111111111111111111111111", 64, 0x7FFFFFFFFFFFFFFF,
     "64 bits: unsigned 9 223 372 036 854 775 807, signed 9 223 372 036 854 775 807"},
    // A float is truncated by a range, so it has bits there.
    {"7/2", s8, "3", "0x3", "0o3", "0b11", 8, 3, "8 bits: unsigned 3, signed 3"},
};

TEST(BitView, RowsGridAndSummaryAtTheEdgesOfEveryRange) {
    for (const ViewRow &r : viewRows) {
        const std::string what = describe(r.expression, r.setup, Full);
        const NumberRef n = evaluated(r.expression, r.setup);
        const BitView v = bitView(*n);
        ASSERT_EQ(v.kind, BitViewKind::integer) << what;
        EXPECT_EQ(v.message, "") << what;
        EXPECT_EQ(v.rows[0].plain, r.decimal) << what;
        EXPECT_EQ(v.rows[1].plain, r.hexadecimal) << what;
        EXPECT_EQ(v.rows[2].plain, r.octal) << what;
        EXPECT_EQ(v.rows[3].plain, r.binary) << what;
        EXPECT_EQ(v.width, r.width) << what;
        EXPECT_EQ(v.bits, r.bits) << what;
        EXPECT_EQ(v.summary, r.summary) << what;
        if (r.setup.bits > 0) {
            // The two readings are of the same bits; the value is the range's own one.
            EXPECT_EQ(v.unsignedReading, std::to_string(r.bits)) << what;
            EXPECT_EQ(r.setup.isSigned ? v.signedReading : v.unsignedReading, r.decimal) << what;
        } else {
            EXPECT_EQ(v.unsignedReading, "") << what;
        }
    }
}

TEST(BitView, GroupedRowsForReading) {
    const NumberRef n = evaluated("-(2^40)-1", plain);
    const BitView v = bitView(*n);
    EXPECT_EQ(v.rows[0].grouped, "-1 099 511 627 777");
    EXPECT_EQ(v.rows[1].grouped, "-0x100 0000 0001");
    EXPECT_EQ(v.rows[2].grouped, "-0o20 000 000 000 001");
    EXPECT_EQ(v.rows[3].grouped, "-0b1 0000 0000 0000 0000 0000 0000 0000 0000 0000 0001");
    const NumberRef m = evaluated("-1", s8);
    EXPECT_EQ(bitView(*m).rows[3].grouped, "0b1111 1111");
    EXPECT_EQ(bitView(*m).rows[0].grouped, "-1");
}

TEST(BitView, GroupedDigits) {
    const struct {
        const char *text;
        int size;
        const char *grouped;
    } rows[] = {
        {"0", 3, "0"},
        {"123", 3, "123"},
        {"1234", 3, "1 234"},
        {"-123456", 3, "-123 456"},
        {"0xFFFF", 4, "0xFFFF"},
        {"0x1FFFF", 4, "0x1 FFFF"},
        {"-0b10000", 4, "-0b1 0000"},
        {"0o777", 3, "0o777"},
        {"", 3, ""},
        {"-", 3, "-"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(groupedDigits(r.text, r.size), r.grouped) << r.text;
}

TEST(BitView, ResultsWithoutBitsSaySoInWords) {
    const struct {
        const char *expression;
        evaluation_support::Setup setup;
        BitViewKind kind;
        const char *message;
    } rows[] = {
        {"7/2", plain, BitViewKind::notInteger,
         "Not an integer: only whole numbers have bits to show."},
        {"1/0", plain, BitViewKind::noValue, "No value."},
        {"", plain, BitViewKind::noValue, "No value."},
        {"1/0", u8, BitViewKind::noValue, "No value."},
    };
    for (const auto &r : rows) {
        const BitView v = bitView(*evaluated(r.expression, r.setup));
        EXPECT_EQ(v.kind, r.kind) << r.expression;
        EXPECT_EQ(v.message, r.message) << r.expression;
        EXPECT_EQ(v.width, 0) << r.expression;
        EXPECT_EQ(v.rows[0].plain, "") << r.expression;
    }
}

TEST(BitView, FlippedBitTextReadsBackAsTheFlippedValue) {
    const struct {
        const char *expression;
        evaluation_support::Setup setup;
        int bit;
        OutputFormat format;
        const char *text;  // written into the line
        const char *value; // what the line then evaluates to, in decimal
    } rows[] = {
        {"5", plain, 1, Normal, "7", "7"},
        {"5", plain, 0, Hexadecimal, "0x4", "4"},
        {"0", plain, 63, Hexadecimal, "0x8000000000000000", "9223372036854775808"},
        {"2^64", plain, 0, Octal, "0o2000000000000000000001", "18446744073709551617"},
        {"-1", plain, 7, Normal, "127", "127"},
        {"-1", plain, 0, Binary, "-0b10", "-2"},
        {"-129", plain, 15, Hexadecimal, "0x7F7F", "32639"},
        {"-(2^100)", plain, 0, Normal, "-1267650600228229401496703205377",
         "-1267650600228229401496703205377"},
        {"127", s8, 7, Normal, "-1", "-1"},
        {"127", s8, 7, Hexadecimal, "0xFF", "-1"},
        {"-1", s8, 0, Binary, "0b11111110", "-2"},
        {"255", u8, 7, Normal, "127", "127"},
        {"0", u16, 15, Octal, "0o100000", "32768"},
        {"0", s32, 31, Normal, "-2147483648", "-2147483648"},
        {"-1", s64, 63, Hexadecimal, "0x7FFFFFFFFFFFFFFF", "9223372036854775807"},
        {"0", u64, 63, Normal, "9223372036854775808", "9223372036854775808"},
    };
    for (const auto &r : rows) {
        const std::string what =
            describe(r.expression, r.setup, r.format) + " bit " + std::to_string(r.bit);
        const std::string text = flippedBitText(*evaluated(r.expression, r.setup), r.bit, r.format);
        EXPECT_EQ(text, r.text) << what;
        EXPECT_EQ(bitView(*evaluated(text, r.setup)).rows[0].plain, r.value) << what;
    }
    // Outside the grid, and without bits, nothing is written.
    EXPECT_EQ(flippedBitText(*evaluated("1", u8), 8, Normal), "");
    EXPECT_EQ(flippedBitText(*evaluated("-1", plain), 8, Normal), "");
    EXPECT_EQ(flippedBitText(*evaluated("1", plain), 64, Normal), "");
    EXPECT_EQ(flippedBitText(*evaluated("7/2", plain), 0, Normal), "");
}

TEST(BitView, HugeValueShowsItsLowBitsAndTheCountOfTheRest) {
    // 10^1000000 + 5: a million digits; the grid holds its low 64 bits.
    const NumberRef n = evaluated("10^1000000+5", plain);
    const BitView v = bitView(*n);
    ASSERT_EQ(v.kind, BitViewKind::integer);
    EXPECT_EQ(v.significantBits, 3321929u);
    EXPECT_EQ(v.bitsAbove, 3321929u - 64);
    // 10^1000000 is a multiple of 2^1000000: its low 64 bits are zero.
    EXPECT_EQ(v.bits, 5u);
    EXPECT_EQ(v.rows[0].plain.size(), 1000001u);
    EXPECT_EQ(v.rows[3].plain.size(), 2 + 3321929u);
    EXPECT_EQ(v.rows[3].grouped.size(), v.rows[3].plain.size() + (3321929u - 1) / 4);
    EXPECT_EQ(v.summary, "Unlimited: 3 321 929 significant bits, bits 0 to 63 shown, "
                         "3 321 865 more above");
}

} // namespace
