// SPDX-License-Identifier: MIT
// Digit texts: the reading and writing rules, letter cases, signs and the failure messages.

#include "tests/bigint/test_support.h"

#include "bigint/BigUnsignedInABase.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const char *const overBase36Reading =
    "BigUnsignedInABase(std::string, Base): The default string conversion routines use the "
    "symbol set 0-9, A-Z and therefore support only up to base 36.  You tried a conversion "
    "with a base over 36; write your own string conversion routine.";
const char *const overBase36Writing =
    "BigUnsignedInABase ==> std::string: The default string conversion routines use the symbol "
    "set 0-9, A-Z and therefore support only up to base 36.  You tried a conversion with a base "
    "over 36; write your own string conversion routine.";
const char *const badSymbol =
    "BigUnsignedInABase(std::string, Base): Bad symbol in input.  Only 0-9, A-Z, a-z are accepted.";
const char *const digitTooLarge = "BigUnsignedInABase::BigUnsignedInABase(const Digit *, Index, "
                                  "Base): A digit is too large for the specified base";

struct ReadCase {
    const char *text;
    unsigned short base;
    const char *decimal; // the value, or nullptr when reading fails with `failure`
    const char *failure;
};

TEST(TextToInteger, ReadsDigitsSignsAndRejectsBadInput) {
    const ReadCase cases[] = {
        {"", 10, "0", nullptr},
        {"000", 10, "0", nullptr},
        {"-0", 10, "0", nullptr},
        {"-", 10, "0", nullptr},
        {"+15", 10, "15", nullptr},
        {"-ff", 16, "-255", nullptr},
        {"1F", 16, "31", nullptr},
        {"1f", 16, "31", nullptr},
        {"01f", 16, "31", nullptr},
        {"z", 36, "35", nullptr},
        {"Zz", 36, "1295", nullptr},
        {"777", 8, "511", nullptr},
        {"18446744073709551616", 10, "18446744073709551616", nullptr},
        {"12", 2, nullptr, digitTooLarge},
        {"1 2", 10, nullptr, badSymbol},
        {"1.5", 10, nullptr, badSymbol},
        {"--5", 10, nullptr, badSymbol},
        {"\xC3\xA9", 10, nullptr, badSymbol},
        // Digits are checked from the last character: the space is met before the 9.
        {"9 ", 8, nullptr, badSymbol},
        {" 9", 8, nullptr, digitTooLarge},
        {"10", 37, nullptr, overBase36Reading},
        {"", 37, nullptr, overBase36Reading},
    };
    for (const auto &c : cases) {
        std::string got;
        std::string failure = failureOf([&] { got = str(textToInteger(c.text, c.base)); });
        if (c.decimal) {
            EXPECT_EQ(failure, "") << c.text;
            EXPECT_EQ(got, c.decimal) << c.text << " in base " << c.base;
        } else {
            EXPECT_EQ(failure, c.failure) << c.text << " in base " << c.base;
        }
    }
    EXPECT_EQ(textToInteger("-0", 10).getSign(), BigInteger::zero);
    EXPECT_EQ(textToInteger("-", 10).getSign(), BigInteger::zero);
}

// Long decimal texts are checked eight characters at a time: a symbol that is no decimal
// digit fails the reading wherever it stands in its group, with the failure of its kind, and
// the characters next to '0' and '9' are no digits.
TEST(TextToInteger, LongDecimalTextsRejectEveryBadSymbol) {
    const struct {
        char symbol;
        const char *failure;
    } bad[] = {{'/', badSymbol},     {':', badSymbol},     {' ', badSymbol},    {'.', badSymbol},
               {'\x7F', badSymbol},  {'\x80', badSymbol},  {'\xFA', badSymbol}, {'\xFF', badSymbol},
               {'a', digitTooLarge}, {'A', digitTooLarge}, {'z', digitTooLarge}};
    for (std::size_t length : {65, 72, 100, 2500}) {
        for (std::size_t position : {std::size_t(0), std::size_t(1), std::size_t(7), std::size_t(8),
                                     std::size_t(9), length / 2, length - 8, length - 1}) {
            for (const auto &b : bad) {
                std::string text(length, '5');
                text[position] = b.symbol;
                EXPECT_EQ(failureOf([&] { (void)textToInteger(text, 10); }), b.failure)
                    << "length " << length << ", position " << position << ", symbol "
                    << int(static_cast<unsigned char>(b.symbol));
            }
        }
    }
    EXPECT_EQ(str(textToInteger(std::string(70, '0') + "09", 10)), "9");
    EXPECT_EQ(str(textToInteger(std::string(70, '9'), 10)), std::string(70, '9'));
}

// The UTF-16 reading of decimal digits gives what the ASCII one gives, below, at and above
// the sizes where it reads in pieces, with leading zeros, and for texts of nines and of
// zeros with a one (every carry and none).
TEST(DecimalTextToUnsigned, MatchesTheAsciiReading) {
    std::mt19937 rng(16);
    for (const std::size_t length : {1, 19, 38, 65, 2000, 2889, 2890, 2891, 3000, 6000, 25000}) {
        std::vector<std::string> texts = {
            std::string(length, '9'), "1" + std::string(length - 1, '0'),
            std::string(length / 2, '0') + std::string(length - length / 2, '7')};
        std::string random(length, '0');
        for (char &c : random)
            c = char('0' + rng() % 10);
        texts.push_back(random);
        for (const std::string &text : texts) {
            const std::u16string wide(text.begin(), text.end());
            EXPECT_EQ(decimalTextToUnsigned(wide), textToUnsigned(text, 10)) << "length " << length;
        }
    }
    EXPECT_TRUE(decimalTextToUnsigned(u"0000").isZero());
    EXPECT_TRUE(decimalTextToUnsigned(u"").isZero());
}

TEST(IntegerToText, WritesUpperCaseDigitsAndSigns) {
    EXPECT_EQ(integerToText(I("0"), 10), "0");
    EXPECT_EQ(integerToText(I("31"), 16), "1F");
    EXPECT_EQ(integerToText(I("-255"), 16), "-FF");
    EXPECT_EQ(integerToText(I("35"), 36), "Z");
    EXPECT_EQ(unsignedToText(U("4294967296"), 2), "1" + std::string(32, '0'));
    EXPECT_EQ(integerToText(I("-1000000000"), 10), "-1000000000");
    EXPECT_EQ(integerToText(I("999999999999999999"), 10), "999999999999999999");
    EXPECT_EQ(failureOf([] { integerToText(I("5"), 37); }), overBase36Writing);
    EXPECT_EQ(failureOf([] { BigUnsignedInABase(BigUnsigned(5u), 1); }),
              "BigUnsignedInABase(BigUnsigned, Base): The base must be at least 2");
}

TEST(BigUnsignedInABase, DigitsAndRoomFromTheBaseBitCount) {
    BigUnsignedInABase d(U("4294967296"), 2);
    EXPECT_EQ(d.getLength(), 33u);
    EXPECT_EQ(d.getCapacity(), 64u); // two blocks, one bit per binary digit
    BigUnsignedInABase ten(U("1000"), 10);
    ASSERT_EQ(ten.getLength(), 4u);
    EXPECT_EQ(ten.getBlock(0), 0u);
    EXPECT_EQ(ten.getBlock(3), 1u);
    EXPECT_EQ(ten.getCapacity(), 11u); // ceil(32 / 3)
    // Digits beyond base 36 exist but cannot be written as text.
    BigUnsignedInABase big(U("4000"), 1000);
    EXPECT_EQ(big.getLength(), 2u);
    EXPECT_EQ(str(big.toBigUnsigned()), "4000");
    EXPECT_EQ(failureOf([&] { big.toString(); }), overBase36Writing);
}

} // namespace
