// SPDX-License-Identifier: MIT
#pragma once
// The texts of the help and About windows.

#include "reckonwise/version.h"

#include <string_view>
#include <vector>

// The version line of the About window and the first line of the help text.
inline constexpr std::u16string_view versionText = u"Reckonwise v. " RECKONWISE_VERSION;
inline constexpr std::u16string_view authorLine = u"brindlewood, 2010";
inline constexpr std::u16string_view contactLine = u"brindlewood@reckonwise.example";

// The help text, one entry per line (a paragraph is one line; empty entries are empty lines).
const std::vector<std::u16string_view> &helpLines();
