// SPDX-License-Identifier: MIT
// Finding a converter list item from what a person types: which rule decides, letter case,
// and ambiguity; unit names as people type them, and the names offered for a typo.

#include "converter/itemMatch.h"
#include "converter/unitNames.h"

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

// Unit names as people type them, on a few rows shaped like the catalogue's: exact
// matches first, then joined prefixes, plurals, -er/-re and plain-keyboard symbols.
namespace unitNames {

const std::vector<MatchableItem> prefixes{
    {"micro- [\u00B5]", "micro-", "\u00B5", "1e-6"}, // 0
    {"milli- [m]", "milli-", "m", "1e-3"},           // 1
    {"(normal, no prefix)", "(normal, no prefix)", "", "1"},
    {"deca- [da]", "deca-", "da", "1e1"}, // 3
    {"kilo- [k]", "kilo-", "k", "1e3"},   // 4
    {"mega- [M]", "mega-", "M", "1e6"},   // 5
    {"kilo- (binary) [Ki]", "kilo- (binary)", "Ki", "1024"},
};

const std::vector<MatchableItem> units{
    {"meter [m]", "meter", "m", "1"},                                       // 0
    {"mile [mi]", "mile", "mi", "1609"},                                    // 1
    {"mil; thou [mil]", "mil; thou", "mil", "2.54e-5"},                     // 2
    {"nautical mile [nmi]", "nautical mile", "nmi", "1852"},                // 3
    {"foot [ft]", "foot", "ft", "0.3048"},                                  // 4
    {"inch [in]", "inch", "in", "0.0254"},                                  // 5
    {"litre [L]", "litre", "L", "1e-3"},                                    // 6
    {"century", "century", "", "3e9"},                                      // 7
    {"kilowatt-hour [kW\u00B7h]", "kilowatt-hour", "kW\u00B7h", "3.6e6"},   // 8
    {"degree Celsius [\u00B0C]", "degree Celsius", "\u00B0C", "f"},         // 9
    {"square metre [m\u00B2]", "square metre", "m\u00B2", "1|2"},           // 10
    {"carat [kt]", "carat", "kt", "0.2"},                                   // 11
    {"tonne [t]", "tonne", "t", "1e6"},                                     // 12
    {"pound (troy) [lb t]", "pound (troy)", "lb t", "373"},                 // 13
    {"pound (avoirdupois) [lb av]", "pound (avoirdupois)", "lb av", "453"}, // 14
    {"micron [\u00B5]", "micron", "\u00B5", "1e-6"},                        // 15
    {"second [s]", "second", "s", "1"},                                     // 16
    {"are [a]", "are", "a", "100"},                                         // 17
    {"point (Didot) [pt]", "point (Didot)", "pt", "3.8e-4"},                // 18
    {"point (TeX) [pt]", "point (TeX)", "pt", "3.5e-4"},                    // 19
};

struct UnitCase {
    const char *given;
    UnitChoice found;
    std::vector<UnitChoice> candidates;
};

TEST(UnitNames, RulesInOrder) {
    const UnitCase cases[] = {
        {"4", {4, -1}, {}},                     // an index
        {"m", {0, -1}, {}},                     // the symbol
        {"mil", {2, -1}, {}},                   // a symbol wins over milli- and "il"
        {"nmi", {3, -1}, {}},                   // the symbol, not nano-mile (no nano- here either)
        {"kt", {11, -1}, {}},                   // carat's symbol wins over kilo- and tonne
        {"km", {0, 4}, {}},                     // prefix and unit symbols joined
        {"Mm", {0, 5}, {}},                     // letter case tells mega from milli
        {"mm", {0, 1}, {}},                     //
        {"dam", {0, 3}, {}},                    // a two-letter prefix
        {"us", {16, 0}, {}},                    // u for micro
        {"\u00B5s", {16, 0}, {}},               //
        {"u", {15, -1}, {}},                    // a symbol µ typed as u
        {"um", {0, 0}, {}},                     //
        {"MI", {1, -1}, {}},                    // a symbol in any case
        {"miles", {1, -1}, {}},                 // plural -s
        {"inches", {5, -1}, {}},                // plural -es
        {"centuries", {7, -1}, {}},             // plural -ies
        {"feet", {4, -1}, {}},                  //
        {"nautical miles", {3, -1}, {}},        // any one word in the plural
        {"liter", {6, -1}, {}},                 // -er for -re
        {"Liters", {6, -1}, {}},                //
        {"metre", {0, -1}, {}},                 // -re for -er
        {"square meters", {10, -1}, {}},        //
        {"ares", {17, -1}, {}},                 // "are" keeps its spelling
        {"celsius", {9, -1}, {}},               // a degree scale without "degree"
        {"degrees Celsius", {9, -1}, {}},       //
        {"kWh", {8, -1}, {}},                   // a symbol without its middle dot
        {"kwh", {8, -1}, {}},                   //
        {"C", {9, -1}, {}},                     // without its degree sign
        {"m2", {10, -1}, {}},                   // 2 for ²
        {"km2", {10, 4}, {}},                   // and with a prefix
        {"kilometres", {0, 4}, {}},             // prefix and unit names joined
        {"millilitre", {6, 1}, {}},             //
        {"megaseconds", {16, 5}, {}},           //
        {"pt", {-1, -1}, {{18, -1}, {19, -1}}}, // two units of one symbol
        {"points", {-1, -1}, {}},               // no unit is named "point" alone
        {"lb", {-1, -1}, {}},                   // nor has the symbol "lb"
        {"Kim", {0, 6}, {}},                    // a binary prefix joins by its symbol
        {"kilo", {-1, -1}, {}},                 // a prefix name alone is no unit
        {"", {-1, -1}, {}},
    };
    for (const UnitCase &c : cases) {
        const UnitMatch match = matchUnit(units, prefixes, c.given);
        EXPECT_EQ(match.found, c.found) << c.given;
        EXPECT_EQ(match.candidates, c.candidates) << c.given;
    }
}

TEST(UnitNames, Suggestions) {
    const struct {
        const char *given;
        std::vector<std::string> texts;
    } cases[] = {
        // "lb" is one edit from "l", and a word of two symbols.
        {"lb", {"litre [L]", "pound (troy) [lb t]", "pound (avoirdupois) [lb av]"}},
        {"pounds", {"pound (troy) [lb t]", "pound (avoirdupois) [lb av]"}},
        {"fot", {"foot [ft]"}},                                // one edit
        {"meetr", {"meter [m]"}},                              // a swap is one edit
        {"kilomiter", {"kilometer", "kilolitre", "kilomile"}}, // a prefix joined
        {"xyzzy", {}},                                         // nothing close
    };
    for (const auto &c : cases) {
        std::vector<std::string> texts;
        for (const UnitSuggestion &s : suggestUnits(units, prefixes, c.given))
            texts.push_back(s.text);
        EXPECT_EQ(texts, c.texts) << c.given;
    }
    EXPECT_EQ(suggestUnits(units, prefixes, "mi", 2).size(), 2U); // at most as many as asked
}

TEST(UnitNames, EditDistance) {
    const struct {
        const char *a, *b;
        std::size_t edits;
    } cases[] = {
        {"", "", 0},           {"", "abc", 3},           {"foot", "foot", 0}, {"fot", "foot", 1},
        {"meetr", "meter", 1}, {"kitten", "sitting", 3}, {"ab", "ba", 1},     {"ca", "abc", 3},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(editDistance(c.a, c.b), c.edits) << c.a << " " << c.b;
        EXPECT_EQ(editDistance(c.b, c.a), c.edits) << c.b << " " << c.a;
    }
}

} // namespace unitNames
