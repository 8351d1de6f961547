// SPDX-License-Identifier: MIT
#pragma once
// Small text helpers shared by the core, the tools and the windows.

#include <string>
#include <string_view>

// The text with every space, tab, line feed, vertical tab, form feed and carriage return
// removed; code units above 255 never count as white space.
std::u16string stripWhiteSpace(std::u16string_view text);

// Left-to-right replacement of non-overlapping occurrences; the replacement is never
// rescanned and an empty pattern never matches.
std::u16string replaceAll(std::u16string_view text, std::u16string_view pattern,
                          std::u16string_view replacement);

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; lone surrogates are written as the
// three-byte form of U+FFFD.
std::u16string utf8ToUtf16(std::string_view s);
std::string utf16ToUtf8(std::u16string_view s);

// ASCII texts (result texts, digit texts) between the two string types.
std::u16string asciiToUtf16(std::string_view s);
