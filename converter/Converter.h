// SPDX-License-Identifier: MIT
#pragma once
// The unit converter's model: unit and prefix records built from the catalogue, the lists
// of the current category's units and of the prefixes, and the conversion expression that
// the calculator's own evaluator computes. The panel's five lists are reached through
// ConverterList, so the model runs and is tested without a window.

#include <string>
#include <string_view>
#include <vector>

// One unit or prefix.
struct Unit {
    std::u16string name;
    std::u16string abbreviation;
    std::u16string factor;        // "(" factor ")" without white space, or "(1/" rate ")"
    std::u16string toBaseFormula; // in x, for the temperature scales only
    std::u16string fromBaseFormula;
    int prefixPower = 0; // times the prefix factor applies: 1, or 2 / 3 for square / cubic
};

// A list the user picks from (a combo box in the window). Programmatic selection raises no
// change event.
class ConverterList {
public:
    virtual ~ConverterList() = default;
    virtual void clear() = 0;
    virtual void append(const std::u16string &text) = 0;
    virtual void select(int index) = 0;
    virtual int selected() const = 0; // -1 when nothing is selected
};

// The name, with " [abbreviation]" when there is one.
std::u16string displayText(std::u16string_view name, std::u16string_view abbreviation);

// The expression that converts value (a text) from unit `from` with prefix `fromPrefix`
// to unit `to` with prefix `toPrefix`.
std::u16string buildConversionExpression(std::u16string_view value, const Unit &from,
                                         const Unit &fromPrefix, const Unit &to,
                                         const Unit &toPrefix);

class Converter {
public:
    Converter(ConverterList &category, ConverterList &fromUnit, ConverterList &toUnit,
              ConverterList &fromPrefix, ConverterList &toPrefix);

    std::vector<Unit> units;    // the units of the selected category, in list order
    std::vector<Unit> prefixes; // the 29 prefixes, in list order
    bool invertFactors = false; // set only while the currency rows are added

    // Appends a unit to both unit lists and to `units`; returns its index.
    int addUnit(std::u16string_view name, std::u16string_view abbreviation,
                std::u16string_view factorText, int prefixPower, std::u16string_view toBaseFormula,
                std::u16string_view fromBaseFormula);
    // Appends a prefix to both prefix lists and to `prefixes`.
    void addPrefix(std::u16string_view name, std::u16string_view abbreviation,
                   std::u16string_view factorText);
    // Refills the unit lists with a category's units and selects its base unit on both sides.
    void fillUnits(int category);
    // Fills the category and prefix lists and the units of the first category.
    void initConverter();

    ConverterList &categoryList, &fromUnitList, &toUnitList, &fromPrefixList, &toPrefixList;
};
