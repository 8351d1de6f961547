// SPDX-License-Identifier: MIT
// What a screen reader is told of new results and conversions.

#include "windowmodel/announcements.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Announcements, ResultsAndLinesAreSpokenWholeOrCutWithTheirRest) {
    const std::u16string digits(250, u'7');
    const std::u16string hundred(100, u'7');
    // A surrogate pair across the cut stays whole: the cut moves before it.
    std::u16string paired(99, u'1');
    paired += u"\U0001D7D8";
    paired += std::u16string(10, u'2');
    struct Case {
        std::u16string_view first, then, expected;
    };
    const std::u16string cutDigits = hundred + u"... and 150 more characters";
    const std::u16string cutPair = std::u16string(99, u'1') + u"... and 12 more characters";
    const std::u16string withLine = u"5. " + cutDigits;
    const Case cases[] = {
        {u"42", u"", u"42"},
        {u"5", u"5 ft = 1,524 m", u"5. 5 ft = 1,524 m"},
        {u"foot", u"5 ft = 1,524 m", u"foot. 5 ft = 1,524 m"},
        {u"", u"5 ft = 1,524 m", u""}, // no new result: nothing to say
        {u"", u"", u""},
        {hundred, u"", hundred},
        {digits, u"", cutDigits},
        {u"5", digits, withLine},
        {paired, u"", cutPair},
    };
    for (const Case &c : cases)
        EXPECT_EQ(announcement(c.first, c.then), c.expected)
            << c.first.size() << " + " << c.then.size() << " characters";
    EXPECT_EQ(spokenText(std::u16string(1234567, u'9')).substr(100),
              u"... and 1 234 467 more characters");
}

} // namespace
