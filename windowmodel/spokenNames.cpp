// SPDX-License-Identifier: MIT
#include "windowmodel/spokenNames.h"

#include <array>
#include <utility>

namespace {

// Every symbol caption of the pad, with what it does in an expression.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 21> symbolWords{{
    {u",", u"decimal comma"},
    {u"+", u"plus"},
    {u"-", u"minus"},
    {u"*", u"times"},
    {u"/", u"divided by"},
    {u"(", u"opening parenthesis"},
    {u")", u"closing parenthesis"},
    {u"||", u"logical or"},
    {u"&&", u"logical and"},
    {u"|", u"bitwise or"},
    {u"&", u"bitwise and"},
    {u"==", u"equal to"},
    {u"!=", u"not equal to"},
    {u"<", u"less than"},
    {u">", u"greater than"},
    {u"<=", u"less than or equal to"},
    {u">=", u"greater than or equal to"},
    {u"<<", u"shift left"},
    {u">>", u"shift right"},
    {u"!", u"logical not"},
    {u"~", u"bitwise not"},
}};

} // namespace

std::u16string spokenName(std::u16string_view caption) {
    for (const auto &[symbols, words] : symbolWords)
        if (caption == symbols) return std::u16string(words);
    if (caption.size() == 1 && caption[0] >= u'A' && caption[0] <= u'F')
        return u"hex digit " + std::u16string(caption);
    return {};
}
