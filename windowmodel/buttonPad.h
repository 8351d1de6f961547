// SPDX-License-Identifier: MIT
#pragma once
// The 60 buttons of the pad as data: caption, the text each inserts, where the caret ends,
// and the designed place inside the "Buttons" group box (already grown by 2 pixels on every
// side, as the window shows them).

#include <array>
#include <string_view>

enum class CaretAfterInsert {
    after,     // behind the inserted text
    inside,    // one character back, between "(" and ")"
    selectAll, // the "Select all" button: nothing is inserted
};

struct PadButton {
    std::u16string_view caption; // as shown; "&" is literal here
    std::u16string_view inserts;
    CaretAfterInsert caret;
    int left, top, width, height; // as shown: the designed box grown by 2 pixels per side
};

inline constexpr int padButtonCount = 60;

// Button n of the pad is padButtons[n - 1]; its tab order is n - 1.
extern const std::array<PadButton, padButtonCount> padButtons;
