// SPDX-License-Identifier: MIT
#include "windowmodel/editing.h"

#include <algorithm>
#include <cstddef>
#include <string>

Insertion insertText(std::u16string_view text, int selectionStart, int selectionLength,
                     std::u16string_view s) {
    const int size = int(text.size());
    int p = std::clamp(selectionStart, 0, size);
    int end = std::clamp(p + std::max(selectionLength, 0), p, size);
    std::u16string result(text.substr(0, std::size_t(p)));
    result += s;
    result += text.substr(std::size_t(end));
    return Insertion{std::move(result), p + int(s.size())};
}

bool isSubsequence(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    for (char16_t c : b)
        if (i < a.size() && a[i] == c) ++i;
    return i == a.size();
}

HistoryStep historyStepFor(std::u16string_view typed, std::u16string_view lastRow) {
    if (typed.empty()) return lastRow.empty() ? HistoryStep::nothing : HistoryStep::addEmptyRow;
    if (isSubsequence(lastRow, typed)) return HistoryStep::rewriteLastRow;
    if (!isSubsequence(typed, lastRow)) return HistoryStep::addRow;
    return HistoryStep::keep;
}

std::u16string groupedDigits(long long n) {
    std::u16string digits;
    for (char c : std::to_string(n))
        digits += char16_t(c);
    for (auto at = std::ptrdiff_t(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), 1, u' ');
    return digits;
}

std::u16string pasteRefusal(int lineLength, int selectionLength, int pastedLength, int maxLength) {
    if (pastedLength > maxLength)
        return u"The text is longer than " + groupedDigits(maxLength) +
               u" characters and was not pasted.";
    const int kept = lineLength - std::clamp(selectionLength, 0, lineLength);
    if (kept + pastedLength > maxLength)
        return u"With the text the line would be longer than " + groupedDigits(maxLength) +
               u" characters, so it was not pasted.";
    return {};
}

int dropDownWidth(int widestItemText, int room, int comboWidth) {
    int w = widestItemText + 28;
    if (room > 0 && room < w) w = room;
    return std::max(w, comboWidth);
}
