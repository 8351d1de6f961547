// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader says for a pad button. Captions made only of symbols ("+", "<<",
// "&&") are read as nothing or as punctuation names at most settings, and a lone "A" as a
// word, so those buttons carry a name in words; the caption shown stays as it is.

#include <string>
#include <string_view>

// The spoken name for the caption: words for a caption of symbols only, "hex digit A" to
// "hex digit F" for the hexadecimal digits; empty when the caption reads well as it is
// (words, and the decimal digits, which every reader speaks).
std::u16string spokenName(std::u16string_view caption);
