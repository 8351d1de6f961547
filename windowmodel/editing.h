// SPDX-License-Identifier: MIT
#pragma once
// The text rules of the window that draw nothing: inserting into the expression line, how
// the history's last row follows the line, pastes that do not fit, and the width of an
// opened list.

#include <string>
#include <string_view>

// The expression line after inserting s over the selection [start, start + length) of text,
// and where the caret ends (just behind s).
struct Insertion {
    std::u16string text;
    int caret;
};
Insertion insertText(std::u16string_view text, int selectionStart, int selectionLength,
                     std::u16string_view s);

// True when the characters of a occur in b in the same order (not necessarily adjacent).
bool isSubsequence(std::u16string_view a, std::u16string_view b);

// What happens to the history when an evaluation of the line `typed` starts, given the
// expression of the last row.
enum class HistoryStep {
    addEmptyRow,    // the line was emptied: a new empty row waits for the next expression
    nothing,        // the line was emptied and the last row is already empty
    rewriteLastRow, // the line grew from the last row (or equals it): the row follows it
    addRow,         // an unrelated expression: a new row
    keep,           // the line is a shortened form of the last row: leave it alone
};
HistoryStep historyStepFor(std::u16string_view typed, std::u16string_view lastRow);

// 32767 as "32 767": groups of three digits apart, as the window writes numbers in texts.
std::u16string groupedDigits(long long n);

// The expression line's length limit (the edit control's own).
inline constexpr int lineMaxLength = 32767;
// Why a paste of pastedLength characters over a selection of selectionLength characters,
// in a line of lineLength, is refused: the text does not fit in maxLength characters and is
// not cut. Empty when it fits.
std::u16string pasteRefusal(int lineLength, int selectionLength, int pastedLength,
                            int maxLength = lineMaxLength);

// The width of an opened drop-down list: wide enough for its widest item text (plus 28
// pixels), but no wider than the room to the screen's right edge (when that is positive),
// and never narrower than the combo box itself.
int dropDownWidth(int widestItemText, int room, int comboWidth);
