// SPDX-License-Identifier: MIT
// Finding a converter list item from what a person types: which rule decides, letter case,
// and ambiguity.

#include "converter/itemMatch.h"

#include <gtest/gtest.h>

namespace {

const std::vector<MatchableItem> items{
    {"meter [m]", "meter", "m", "1"},
    {"foot [ft]", "foot", "ft", "0.3048"},
    {"fathom [fm]", "fathom", "fm", "1.8288"},
    {"fermi [fm]", "fermi", "fm", "1e-15"},
    {"mile [M]", "mile", "M", "1609"},
    {"kilo- [k]", "kilo-", "k", "1e3"},
    {"kilo- (binary) [Ki]", "kilo- (binary)", "Ki", "2^10"},
    {"Euro [EUR]", "Euro", "EUR", "1"},
    {"Dutch (Netherlands), Euro [EUR]", "Dutch (Netherlands), Euro", "EUR", "1"},
    {"12", "twelve", "", ""},
};

struct Case {
    const char *given;
    int index;
    std::vector<int> candidates;
};

TEST(ItemMatch, RulesInOrder) {
    const Case cases[] = {
        {"1", 1, {}},         // an index
        {"10", -1, {}},       // an index past the end names nothing
        {"12", -1, {}},       // digits are an index, never a list text
        {"foot [ft]", 1, {}}, // the list text
        {"FOOT", 1, {}},      // the name in any case
        {"kilo", 5, {}},      // a prefix name without its dash
        {"kilo-", 5, {}},     {"Kilo- (Binary)", 6, {}},
        {"ft", 1, {}},                       // the symbol
        {"m", 0, {}},                        // symbols tell their letter case apart
        {"M", 4, {}},         {"FT", 1, {}}, // in any case when no symbol is exact
        {"fm", -1, {2, 3}},                  // two units of one symbol, converting differently
        {"EUR", 7, {}},                      // two that convert alike: the first
        {"furlong", -1, {}},  {"", -1, {}},
    };
    for (const Case &c : cases) {
        const ItemMatch match = matchItem(items, c.given);
        EXPECT_EQ(match.index, c.index) << c.given;
        EXPECT_EQ(match.candidates, c.candidates) << c.given;
    }
}

} // namespace
