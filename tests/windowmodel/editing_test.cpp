// SPDX-License-Identifier: MIT
// The window's text rules without a window: insertion, the history's last-row rules, pastes
// and the pad table.

#include "windowmodel/buttonPad.h"
#include "windowmodel/editing.h"
#include "windowmodel/helpText.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

struct InsertCase {
    std::u16string_view text;
    int start, length;
    std::u16string_view inserted, expected;
    int caret;
};

TEST(InsertText, ReplacesTheSelectionAndPutsTheCaretBehind) {
    const InsertCase cases[] = {
        {u"", 0, 0, u"sin()", u"sin()", 5}, {u"12+34", 3, 2, u"*", u"12+*", 4},
        {u"12+34", 0, 5, u"7", u"7", 1},    {u"12+34", 2, 0, u"0x", u"120x+34", 4},
        {u"abc", 7, 3, u"!", u"abc!", 4}, // a stale selection past the end is clamped
    };
    for (const auto &c : cases) {
        Insertion got = insertText(c.text, c.start, c.length, c.inserted);
        EXPECT_EQ(got.text, c.expected);
        EXPECT_EQ(got.caret, c.caret);
    }
}

struct HistoryCase {
    std::u16string_view typed, lastRow;
    HistoryStep expected;
};

TEST(History, LastRowFollowsTheLine) {
    const HistoryCase cases[] = {
        {u"1+2", u"1+", HistoryStep::rewriteLastRow},    // grows
        {u"1+2", u"1+2", HistoryStep::rewriteLastRow},   // forced re-evaluation
        {u"1+2", u"", HistoryStep::rewriteLastRow},      // fills an empty row
        {u"1 + 2", u"1+2", HistoryStep::rewriteLastRow}, // spaces only grow it
        {u"13", u"12", HistoryStep::addRow},             // unrelated
        {u"1+", u"1+2", HistoryStep::keep},              // shortened
        {u"", u"1+2", HistoryStep::addEmptyRow},
        {u"", u"", HistoryStep::nothing},
    };
    for (const auto &c : cases)
        EXPECT_EQ(historyStepFor(c.typed, c.lastRow), c.expected);
}

TEST(Paste, ATextThatDoesNotFitIsRefusedWithAReason) {
    struct Case {
        int line, selection, pasted;
        std::u16string_view refusal;
    };
    const std::u16string_view tooLong =
        u"The text is longer than 32 767 characters and was not pasted.";
    const std::u16string_view lineTooLong = u"With the text the line would be longer than 32 767 "
                                            u"characters, so it was not pasted.";
    const Case cases[] = {
        {0, 0, 32767, u""},         {0, 0, 32768, tooLong},     {0, 0, 100000, tooLong},
        {10, 10, 32767, u""},       {10, 0, 32757, u""},        {10, 0, 32758, lineTooLong},
        {32767, 32767, 32767, u""}, {32767, 0, 0, u""},         {5, 9, 32767, u""},
        {32767, 1, 2, lineTooLong}, {40000, 0, 1, lineTooLong},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pasteRefusal(c.line, c.selection, c.pasted), c.refusal)
            << c.line << " " << c.selection << " " << c.pasted;
    EXPECT_EQ(pasteRefusal(0, 0, 1001, 1000),
              u"The text is longer than 1 000 characters and was not pasted.");
    EXPECT_EQ(pasteRefusal(0, 0, 100, 99),
              u"The text is longer than 99 characters and was not pasted.");
}

TEST(ButtonPad, EveryButtonHasItsOwnPlaceInsideTheGroup) {
    std::set<std::pair<int, int>> corners;
    for (const PadButton &b : padButtons) {
        EXPECT_TRUE(corners.insert({b.left, b.top}).second)
            << "overlap at " << b.left << "," << b.top;
        EXPECT_GE(b.left, 0);
        EXPECT_LE(b.left + b.width, 552);
        EXPECT_LE(b.top + b.height, 224);
        // Buttons that insert a call put the caret between its parentheses.
        bool call = b.inserts.size() > 2 && b.inserts.substr(b.inserts.size() - 2) == u"()";
        EXPECT_EQ(call, b.caret == CaretAfterInsert::inside);
    }
    EXPECT_EQ(padButtons[59].caret, CaretAfterInsert::selectAll);
    EXPECT_EQ(padButtons[45].inserts, u"||");
    EXPECT_EQ(padButtons[47].inserts, u"|");
}

TEST(HelpText, StartsWithTheVersionAndEndsWithTheAuthor) {
    const auto &lines = helpLines();
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[0], u"Reckonwise v. 1.0");
    EXPECT_EQ(lines[2], u"Quick help");
    EXPECT_TRUE(lines[22].starts_with(u"Warning: "));
    EXPECT_EQ(lines[26], authorLine);
}

} // namespace
