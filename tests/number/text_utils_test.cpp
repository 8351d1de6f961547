// SPDX-License-Identifier: MIT
// The conversions between the UTF-8 of the command line and the UTF-16 of the evaluator:
// ASCII runs next to every sequence length, and malformed input replaced, not dropped.

#include "number/textUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextUtils, Utf8AndUtf16BothWays) {
    struct Row {
        std::string utf8;
        std::u16string utf16;
    };
    const Row rows[] = {
        {"", u""},
        {"12+34", u"12+34"},
        {"5 km\xC2\xB2", u"5 km\u00B2"}, // two bytes
        {"\xC2\xB2"
         "1",
         u"\u00B2"
         "1"}, // at the start
        {"a\xE2\x88\x9A"
         "2b",
         u"a\u221A"
         "2b"},                                  // three bytes
        {"x\xF0\x9F\x98\x80y", u"x\U0001F600y"}, // four bytes: a surrogate pair
        {std::string(100, '7') + "\xC2\xB3", std::u16string(100, u'7') + u"\u00B3"},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(utf8ToUtf16(r.utf8), r.utf16) << r.utf8;
        EXPECT_EQ(utf16ToUtf8(r.utf16), r.utf8) << r.utf8;
    }
    // Malformed input becomes U+FFFD in place, the ASCII around it kept.
    EXPECT_EQ(utf8ToUtf16("1\x80"
                          "2"),
              u"1\uFFFD"
              "2");
    EXPECT_EQ(utf8ToUtf16("1\xE2\x88"), u"1\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"
                          "3"),
              u"\uFFFD\uFFFD"
              "3"); // an overlong form
    EXPECT_EQ(utf16ToUtf8(u"4\xD800"
                          "5"),
              "4\xEF\xBF\xBD"
              "5"); // a lone surrogate
}

} // namespace
