// SPDX-License-Identifier: MIT
#pragma once
// The output formats in one table: the caption of the window's menu item (with its
// mnemonic), the words the command line takes, and for the radix formats their base and
// prefix. The window's menu, reckonwise-eval and the formatter all read it, so a format is
// added by one row here and its tests.

#include "number/Settings.h"

#include <array>
#include <string_view>

struct OutputFormatRow {
    OutputFormat format;
    std::u16string_view menuCaption; // "&" marks the mnemonic
    std::string_view word;           // the command line's word
    std::string_view shortWord;      // a shorter word the command line also takes, or empty
    unsigned radix;                  // 10, or the base of a radix format
    std::u16string_view prefix;      // a radix format's prefix before the digits
};

inline constexpr std::array<OutputFormatRow, outputFormatCount> outputFormats{{
    {Normal, u"&Normal", "normal", "", 10, u""},
    {Full, u"&Full", "full", "", 10, u""},
    {Scientific, u"&Scientific", "scientific", "sci", 10, u""},
    {Engineer, u"&Engineer", "engineer", "eng", 10, u""},
    {Hexadecimal, u"&Hexadecimal", "hexadecimal", "hex", 16, u"0x"},
    {Octal, u"O&ctal", "octal", "oct", 8, u"0o"},
    {Binary, u"&Binary", "binary", "bin", 2, u"0b"},
}};

constexpr const OutputFormatRow &outputFormatRow(OutputFormat format) {
    return outputFormats[std::size_t(format)];
}

// Integers in a radix format are written in its base with its prefix; floats have no
// text there.
constexpr bool isRadixFormat(OutputFormat format) {
    return outputFormatRow(format).radix != 10;
}

static_assert(
    [] {
        for (std::size_t i = 0; i < outputFormats.size(); ++i)
            if (std::size_t(outputFormats[i].format) != i) return false;
        return true;
    }(),
    "rows in the order of OutputFormat");
