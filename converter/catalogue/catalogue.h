// SPDX-License-Identifier: MIT
#pragma once
// The converter's static catalogue: 18 categories of units and the list of prefixes, as
// rows of text exactly as the converter lists them. Every factor is an expression text for
// the evaluator (digit groups may be separated by blanks; they are removed when a unit record
// is built), so exact factors stay exact.
//
// Each category lives in a file of its own in this folder, one table row per unit, in list
// order; a reviewer can read a table against its reference line by line.

#include <array>
#include <span>
#include <string_view>

struct CatalogueRow {
    std::u16string_view name;
    std::u16string_view abbreviation;        // may be empty
    std::u16string_view factor;              // base units per unit; empty for formula units
    int prefixPower = 1;                     // 2 for square units, 3 for the cubic metre
    std::u16string_view toBaseFormula = u""; // in x; only the temperature scales
    std::u16string_view fromBaseFormula = u"";
};

struct CatalogueSection {
    std::u16string_view caption;
    int baseUnit; // index of the unit with factor "1" selected by default
    std::span<const CatalogueRow> rows;
    // Currency rows give how many units one euro buys; the converter stores them inverted.
    bool invertFactors = false;
};

struct CataloguePrefix {
    std::u16string_view name;
    std::u16string_view abbreviation;
    std::u16string_view factor;
};

inline constexpr int categoryCount = 18;
inline constexpr int defaultPrefix = 10; // "(normal, no prefix)"

// The categories in list order.
const std::array<const CatalogueSection *, categoryCount> &catalogueSections();
// The 29 prefixes in list order.
std::span<const CataloguePrefix> cataloguePrefixes();

// One per category file.
extern const CatalogueSection lengthSection, areaSection, volumeSection, planeAngleSection,
    massSection, densitySection, timeSection, speedSection, forceSection, pressureSection,
    torqueSection, energySection, powerSection, electricChargeSection, temperatureSection,
    luminanceSection, illuminanceSection, currencySection;
