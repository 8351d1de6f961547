// SPDX-License-Identifier: MIT
#include "windowmodel/buttonPad.h"

namespace {

constexpr CaretAfterInsert after = CaretAfterInsert::after;
constexpr CaretAfterInsert inside = CaretAfterInsert::inside;

// Designed boxes; every button is shown 2 pixels larger on each side.
constexpr PadButton button(std::u16string_view caption, std::u16string_view inserts,
                           CaretAfterInsert caret, int left, int top, int width, int height) {
    return PadButton{caption, inserts, caret, left - 2, top - 2, width + 4, height + 4};
}

} // namespace

const std::array<PadButton, padButtonCount> padButtons = {
    // clang-format off
    button(u"0", u"0", after, 8, 112, 33, 25),
    button(u"1", u"1", after, 8, 81, 33, 25),
    button(u"2", u"2", after, 47, 81, 33, 25),
    button(u"3", u"3", after, 86, 81, 33, 25),
    button(u"4", u"4", after, 8, 50, 33, 25),
    button(u"5", u"5", after, 47, 50, 33, 25),
    button(u"6", u"6", after, 86, 50, 33, 25),
    button(u"7", u"7", after, 8, 19, 33, 25),
    button(u"8", u"8", after, 47, 19, 33, 25),
    button(u"9", u"9", after, 86, 19, 33, 25),
    button(u",", u",", after, 47, 112, 33, 25),
    button(u"e", u"e", after, 86, 112, 33, 25),
    button(u"+", u"+", after, 136, 19, 57, 25),
    button(u"-", u"-", after, 136, 50, 57, 25),
    button(u"*", u"*", after, 136, 81, 57, 25),
    button(u"/", u"/", after, 136, 112, 57, 25),
    button(u"modulo (%)", u"%", after, 208, 19, 75, 25),
    button(u"power (^)", u"^", after, 208, 50, 75, 25),
    button(u"factorial (!)", u"!", after, 208, 81, 75, 25),
    button(u"square root", u"sqrt()", inside, 208, 112, 75, 25),
    button(u"Hex (0x)", u"0x", after, 479, 19, 64, 25),
    button(u"Octal (0o)", u"0o", after, 479, 50, 64, 25),
    button(u"Binary (0b)", u"0b", after, 479, 81, 64, 25),
    button(u"A", u"A", after, 8, 159, 33, 25),
    button(u"B", u"B", after, 47, 159, 33, 25),
    button(u"C", u"C", after, 86, 159, 33, 25),
    button(u"D", u"D", after, 8, 190, 33, 25),
    button(u"E", u"E", after, 47, 190, 33, 25),
    button(u"F", u"F", after, 86, 190, 33, 25),
    button(u"sin", u"sin()", inside, 289, 19, 34, 25),
    button(u"cos", u"cos()", inside, 289, 50, 34, 25),
    button(u"tan", u"tan()", inside, 289, 81, 34, 25),
    button(u"asin", u"asin()", inside, 289, 112, 34, 25),
    button(u"acos", u"acos()", inside, 289, 143, 34, 25),
    button(u"atan", u"atan()", inside, 289, 174, 34, 25),
    button(u"(", u"(", after, 136, 159, 57, 25),
    button(u")", u")", after, 136, 190, 57, 25),
    button(u"abs", u"abs()", inside, 329, 19, 57, 25),
    button(u"floor", u"floor()", inside, 329, 50, 57, 25),
    button(u"ceil", u"ceil()", inside, 329, 81, 57, 25),
    button(u"round", u"round()", inside, 329, 112, 57, 25),
    button(u"logarithm (ln)", u"ln()", inside, 208, 143, 75, 25),
    button(u"log10", u"log10()", inside, 208, 174, 75, 25),
    button(u"exp", u"exp()", inside, 329, 143, 57, 25),
    button(u"pi", u"pi", after, 329, 174, 57, 25),
    button(u"||", u"||", after, 393, 19, 33, 25),
    button(u"&&", u"&&", after, 432, 19, 33, 25),
    button(u"|", u"|", after, 393, 50, 33, 25),
    button(u"&", u"&", after, 432, 50, 33, 25),
    button(u"==", u"==", after, 393, 81, 33, 25),
    button(u"!=", u"!=", after, 432, 81, 33, 25),
    button(u"<", u"<", after, 393, 112, 33, 25),
    button(u">", u">", after, 432, 112, 33, 25),
    button(u"<=", u"<=", after, 393, 143, 33, 25),
    button(u">=", u">=", after, 432, 143, 33, 25),
    button(u"<<", u"<<", after, 471, 112, 33, 25),
    button(u">>", u">>", after, 510, 112, 33, 25),
    button(u"!", u"!", after, 471, 143, 33, 25),
    button(u"~", u"~", after, 510, 143, 33, 25),
    button(u"Select all", u"", CaretAfterInsert::selectAll, 408, 184, 124, 25),
    // clang-format on
};
