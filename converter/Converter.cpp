// SPDX-License-Identifier: MIT
#include "converter/Converter.h"

#include "converter/catalogue/catalogue.h"
#include "number/textUtils.h"

std::u16string displayText(std::u16string_view name, std::u16string_view abbreviation) {
    std::u16string text(name);
    if (!abbreviation.empty()) {
        text += u" [";
        text += abbreviation;
        text += u"]";
    }
    return text;
}

std::u16string buildConversionExpression(std::u16string_view value, const Unit &from,
                                         const Unit &fromPrefix, const Unit &to,
                                         const Unit &toPrefix) {
    std::u16string e(value);
    // To the base unit, then the "From" prefix as many times as the unit's power.
    if (from.toBaseFormula.empty())
        e += u"*" + from.factor;
    else
        e = u"(" + replaceAll(from.toBaseFormula, u"x", u"(" + e + u")") + u")";
    for (int i = 0; i < from.prefixPower; ++i)
        e += u"*" + fromPrefix.factor;
    // From the base unit, then the "To" prefix.
    if (to.fromBaseFormula.empty())
        e += u"/" + to.factor;
    else
        e = u"(" + replaceAll(to.fromBaseFormula, u"x", u"(" + e + u")") + u")";
    for (int i = 0; i < to.prefixPower; ++i)
        e += u"/" + toPrefix.factor;
    return e;
}

Converter::Converter(ConverterList &category, ConverterList &fromUnit, ConverterList &toUnit,
                     ConverterList &fromPrefix, ConverterList &toPrefix)
    : categoryList(category), fromUnitList(fromUnit), toUnitList(toUnit),
      fromPrefixList(fromPrefix), toPrefixList(toPrefix) {}

int Converter::addUnit(std::u16string_view name, std::u16string_view abbreviation,
                       std::u16string_view factorText, int prefixPower,
                       std::u16string_view toBaseFormula, std::u16string_view fromBaseFormula) {
    const std::u16string text = displayText(name, abbreviation);
    fromUnitList.append(text);
    toUnitList.append(text);
    Unit u;
    u.name = name;
    u.abbreviation = abbreviation;
    u.factor = (invertFactors ? u"(1/" : u"(") + stripWhiteSpace(factorText) + u")";
    u.toBaseFormula = toBaseFormula;
    u.fromBaseFormula = fromBaseFormula;
    u.prefixPower = prefixPower;
    units.push_back(std::move(u));
    return int(units.size()) - 1;
}

void Converter::addPrefix(std::u16string_view name, std::u16string_view abbreviation,
                          std::u16string_view factorText) {
    const std::u16string text = displayText(name, abbreviation);
    fromPrefixList.append(text);
    toPrefixList.append(text);
    Unit p;
    p.name = name;
    p.abbreviation = abbreviation;
    p.factor = u"(" + stripWhiteSpace(factorText) + u")";
    prefixes.push_back(std::move(p));
}

void Converter::fillUnits(int category) {
    fromUnitList.clear();
    toUnitList.clear();
    units.clear();
    if (category < 0 || category >= categoryCount) return;
    const CatalogueSection &section = *catalogueSections()[std::size_t(category)];
    invertFactors = section.invertFactors;
    int base = -1;
    for (std::size_t i = 0; i < section.rows.size(); ++i) {
        const CatalogueRow &row = section.rows[i];
        int index = addUnit(row.name, row.abbreviation, row.factor, row.prefixPower,
                            row.toBaseFormula, row.fromBaseFormula);
        if (int(i) == section.baseUnit) base = index;
    }
    invertFactors = false;
    fromUnitList.select(base);
    toUnitList.select(base);
}

void Converter::initConverter() {
    categoryList.clear();
    for (const CatalogueSection *section : catalogueSections())
        categoryList.append(std::u16string(section->caption));
    categoryList.select(0);
    for (const CataloguePrefix &p : cataloguePrefixes())
        addPrefix(p.name, p.abbreviation, p.factor);
    fromPrefixList.select(defaultPrefix);
    toPrefixList.select(defaultPrefix);
    fillUnits(0);
}
