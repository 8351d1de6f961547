// SPDX-License-Identifier: MIT
#include "windowmodel/announcements.h"

#include "windowmodel/editing.h"

std::u16string spokenText(std::u16string_view text) {
    if (text.size() <= spokenTextLimit) return std::u16string(text);
    std::size_t cut = spokenTextLimit;
    // Never half a surrogate pair.
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
    return std::u16string(text.substr(0, cut)) + u"... and " +
           groupedDigits(static_cast<long long>(text.size() - cut)) + u" more characters";
}

std::u16string announcement(std::u16string_view first, std::u16string_view then) {
    if (first.empty()) return {};
    std::u16string spoken = spokenText(first);
    if (!then.empty()) spoken += u". " + spokenText(then);
    return spoken;
}
