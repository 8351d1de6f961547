// SPDX-License-Identifier: MIT
// The spoken names of the pad's buttons: every caption without a letter or a digit, and
// every hexadecimal digit, is read in words; every other caption is read as it is.

#include "windowmodel/buttonPad.h"
#include "windowmodel/spokenNames.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

std::string ascii(std::u16string_view s) {
    return std::string(s.begin(), s.end());
}

bool hasLetterOrDigit(std::u16string_view s) {
    for (char16_t c : s)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            return true;
    return false;
}

TEST(SpokenNames, SymbolButtonsAndHexDigitsAreReadInWords) {
    const std::map<std::string, std::string> expected = {
        {",", "decimal comma"},
        {"+", "plus"},
        {"-", "minus"},
        {"*", "times"},
        {"/", "divided by"},
        {"(", "opening parenthesis"},
        {")", "closing parenthesis"},
        {"||", "logical or"},
        {"&&", "logical and"},
        {"|", "bitwise or"},
        {"&", "bitwise and"},
        {"==", "equal to"},
        {"!=", "not equal to"},
        {"<", "less than"},
        {">", "greater than"},
        {"<=", "less than or equal to"},
        {">=", "greater than or equal to"},
        {"<<", "shift left"},
        {">>", "shift right"},
        {"!", "logical not"},
        {"~", "bitwise not"},
        {"A", "hex digit A"},
        {"B", "hex digit B"},
        {"C", "hex digit C"},
        {"D", "hex digit D"},
        {"E", "hex digit E"},
        {"F", "hex digit F"},
    };
    std::map<std::string, std::string> named;
    for (const PadButton &b : padButtons) {
        const std::u16string name = spokenName(b.caption);
        if (!name.empty()) named[ascii(b.caption)] = ascii(name);
        // No button is left to be read as bare punctuation.
        if (!hasLetterOrDigit(b.caption)) {
            EXPECT_FALSE(name.empty()) << ascii(b.caption);
        }
        for (char16_t c : name)
            EXPECT_TRUE((c >= u'a' && c <= u'z') || c == u' ' || (c >= u'A' && c <= u'F'))
                << ascii(name);
    }
    EXPECT_EQ(named, expected);
}

// Read with punctuation left out (as a screen reader does at its lower punctuation levels),
// every button of the pad still says something of its own: "factorial (!)" and "!" (the
// logical not) once sounded alike.
TEST(SpokenNames, EveryPadButtonSoundsDifferent) {
    std::map<std::string, std::string> heard; // what is heard -> the caption
    for (const PadButton &b : padButtons) {
        const std::u16string name = spokenName(b.caption);
        std::string words;
        for (char16_t c : name.empty() ? std::u16string(b.caption) : name) {
            if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
                words += char(c);
            else if (c >= u'A' && c <= u'Z')
                words += char(c - u'A' + u'a');
            else if (c == u' ' && !words.empty() && words.back() != ' ')
                words += ' ';
        }
        while (!words.empty() && words.back() == ' ')
            words.pop_back();
        EXPECT_FALSE(words.empty()) << ascii(b.caption);
        const auto [at, added] = heard.emplace(words, ascii(b.caption));
        EXPECT_TRUE(added) << ascii(b.caption) << " sounds like " << at->second << ": " << words;
    }
    EXPECT_EQ(heard.size(), std::size_t(padButtonCount));
}

TEST(SpokenNames, WordsAndDigitsAreReadAsTheyAre) {
    for (std::u16string_view caption : {u"0", u"7", u"e", u"sin", u"Select all", u"Hex (0x)",
                                        u"factorial (!)", u"a", u"G", u"AB", u""})
        EXPECT_EQ(spokenName(caption), u"") << ascii(caption);
}

} // namespace
