// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader is told when the window shows a new result or conversion, without
// the focus leaving the control the user works in.

#include <string>
#include <string_view>

// Texts longer than this many characters are spoken up to it, with how many follow.
inline constexpr std::size_t spokenTextLimit = 100;

// text as it is spoken: whole up to spokenTextLimit characters; a longer one cut there,
// followed by "... and N more characters" (N in groups of three digits).
std::u16string spokenText(std::u16string_view text);

// One announcement of two texts, each spoken as spokenText: a new result and the
// converter's line when the converter shows one ("42. 42 m = 4200 cm"), or the item picked
// in a converter list and the new line. Empty when first is empty (nothing new to speak).
std::u16string announcement(std::u16string_view first, std::u16string_view then);
