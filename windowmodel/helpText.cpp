// SPDX-License-Identifier: MIT
#include "windowmodel/helpText.h"

const std::vector<std::u16string_view> &helpLines() {
    static const std::vector<std::u16string_view> lines = {
        versionText,
        u"",
        u"Quick help",
        u"",
        u"Using the program is very easy. You can give any numerical expression for the program "
        u"you want. Just input the expression with your keyboard or with buttons which you can "
        u"enable from menu. Examples: ",
        u"",
        u"2 + 3 / (5 + 4)^3",
        u"5e4 + 6 * 10^4 + 0,643",
        u"sin(50) + 3!",
        u"floor(exp(sqrt(6))) * pi",
        u"",
        u"The calculator also has support for hexadecimal numbers and many common programming "
        u"language operators:",
        u"",
        u"0xFF & 0xF4 + 5",
        u"1 && 0 || 0 && 0",
        u"",
        u"The program uses big integers for the mathematical operations; its big-integer code "
        u"is its own, written for Reckonwise. This means that there is no limit of integer "
        u"values. If the result is not an integer, the calculator will automatically continue "
        u"the calculations with floats. Float precision is long double (fraction 64 bits, "
        u"exponent 15 bits). You can limit the value range to longs/shorts/chars if you want. "
        u"Each calculation is done in separate background thread.",
        u"",
        u"With enter key you can select all text and then easily insert the next expression.",
        u"",
        u"Reckonwise is versatile and easy to use, but it is not designed to be fast or powerful, "
        u"and it is quite slow with big numbers. If you need more speed, use a faster "
        u"calculator such as PARI/GP. Reckonwise is meant for programmers and basic computer "
        u"users who need to calculate something quickly and easily. It also has a history and "
        u"a converter that converts almost anything to anything. All features are in the main "
        u"menu.",
        u"",
        u"Warning: there is no responsibility and no guarantee that the calculator calculates "
        u"anything correctly; you use this software at your own risk. The calculator does try "
        u"to calculate correctly, so if an expression gives a wrong answer, please report it "
        u"to brindlewood@reckonwise.example.",
        u"",
        u"",
        u"",
        authorLine,
    };
    return lines;
}
