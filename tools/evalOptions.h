// SPDX-License-Identifier: MIT
#pragma once
// reckonwise-eval's command line: the options, the words they take, and the usage text.

#include "number/Settings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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
    bool strict = false;
    std::string decimalPoint = ","; // one character, UTF-8
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
