// SPDX-License-Identifier: MIT
#pragma once
// reckonwise-eval's command line: the options, the words they take, and the usage text.

#include "number/Settings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char *programName = "reckonwise-eval";

// A usage error (exit status 2); the text names the bad option or value.
struct UsageError {
    std::string message;
};

struct EvalOptions {
    OutputFormat format = Normal;
    AngleUnit angle = Degrees;
    std::int32_t rangeBits = 0;
    bool rangeSigned = true;
    bool showKind = false;
    bool bases = false; // each result in the four bases, and its readings under a range
    bool group = false; // with bases: digits in groups
    bool strict = false;
    bool quiet = false;
    // The decimal mark written, one character in UTF-8: by default the locale's (LC_NUMERIC).
    std::string decimalPoint = ".";
    std::optional<std::size_t> cacheLimit;
    bool help = false;
    bool version = false;
    bool catalogue = false;
    std::vector<std::string> convert; // CATEGORY FROM TO VALUE
    std::optional<std::string> fromPrefix, toPrefix;
    std::vector<std::string> expressions;

    // Throws UsageError.
    static EvalOptions parse(int argc, char **argv);
};

const char *usageText();

// The decimal mark of the locale the environment names (LC_ALL, LC_NUMERIC, LANG): "." in
// the C locale and where the locale is not installed. Call before other threads start: it
// sets the process's numeric locale for a moment.
std::string localeDecimalMark();

// Whether c (UTF-8) may be written as the decimal mark: one character that cannot be read
// as part of an expression (no digit, sign, letter, operator, bracket or blank).
bool isDecimalMarkAllowed(std::string_view c);
