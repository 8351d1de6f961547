// SPDX-License-Identifier: MIT
// The converter's model and catalogue: how rows become records, the conversion expression,
// the catalogue's shape, and conversions checked to the exact line the panel shows.

#include "converter/TextList.h"
#include "converter/catalogue/catalogue.h"
#include "converter/conversionText.h"
#include "number/Settings.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/outputFormats.h"
#include "number/textUtils.h"
#include "number/valueKind.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

std::string u8(std::u16string_view s) {
    return utf16ToUtf8(s);
}

int indexOf(const std::vector<std::u16string> &items, std::u16string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return int(i);
    return -1;
}

TEST(ConverterModel, RecordsFromRows) {
    StandaloneConverter s;
    Converter &c = s.converter;
    c.addUnit(u"a", u"", u"0.057 15 ", 1, u"", u"");
    c.addUnit(u"b", u"", u"4 168 181 825.440 579 584", 1, u"", u"");
    c.addUnit(u"c", u"", u"(0.001/3)", 1, u"", u"");
    c.addUnit(u"arcsecond", u"\"", u"1", 1, u"", u"");
    c.addPrefix(u"mega- (binary)", u"Mi", u"1024^2");
    c.addPrefix(u"(normal, no prefix)", u"", u"1");
    EXPECT_EQ(c.units[0].factor, u"(0.05715)");
    EXPECT_EQ(c.units[1].factor, u"(4168181825.440579584)");
    EXPECT_EQ(c.units[2].factor, u"((0.001/3))");
    EXPECT_EQ(c.prefixes[0].factor, u"(1024^2)");
    EXPECT_EQ(s.fromUnit.items[3], u"arcsecond [\"]");
    EXPECT_EQ(s.toPrefix.items[1], u"(normal, no prefix)");
    EXPECT_EQ(s.fromUnit.items, s.toUnit.items);
}

TEST(ConverterModel, CurrencyRatesAreInvertedOnlyWhileCurrenciesAreAdded) {
    StandaloneConverter s;
    Converter &c = s.converter;
    c.initConverter();
    c.fillUnits(17);
    EXPECT_FALSE(c.invertFactors);
    EXPECT_EQ(u8(c.units[3].factor), "(1/1.34651)");
    EXPECT_EQ(u8(c.units[97].factor), "(1/1)");
    c.fillUnits(0);
    int foot = indexOf(s.fromUnit.items, u"foot [ft]");
    ASSERT_GE(foot, 0);
    EXPECT_EQ(u8(c.units[std::size_t(foot)].factor), "(0.3048)");
}

TEST(ConverterModel, ConversionExpressions) {
    Unit none{u"(normal, no prefix)", u"", u"(1)", u"", u"", 0};
    Unit kilo{u"kilo-", u"k", u"(1e3)", u"", u"", 0};
    Unit foot{u"foot", u"ft", u"(0.3048)", u"", u"", 1};
    Unit meter{u"meter", u"m", u"(1)", u"", u"", 1};
    Unit squareMetre{u"square metre", u"m\u00B2", u"(1)", u"", u"", 2};
    Unit celsius{u"degree Celsius", u"\u00B0C", u"()", u"x+273.15", u"x-273.15", 1};
    Unit fahrenheit{u"degree Fahrenheit", u"\u00B0F", u"()", u"(x+459.67)*5/9", u"x*9/5-459.67", 1};
    Unit rankine{u"r", u"", u"()", u"3/2*(373.15-x)", u"373.15-x*2/3", 1};
    EXPECT_EQ(buildConversionExpression(u"5", foot, none, meter, none), u"5*(0.3048)*(1)/(1)/(1)");
    EXPECT_EQ(buildConversionExpression(u"3", squareMetre, kilo, squareMetre, none),
              u"3*(1)*(1e3)*(1e3)/(1)/(1)/(1)");
    EXPECT_EQ(buildConversionExpression(u"20", celsius, none, fahrenheit, none),
              u"((((20)+273.15)*(1))*9/5-459.67)/(1)");
    EXPECT_EQ(buildConversionExpression(u"7", rankine, none, meter, none),
              u"(3/2*(373.15-(7)))*(1)/(1)/(1)");
}

TEST(Catalogue, ShapeOfEveryCategory) {
    const int counts[categoryCount] = {66, 35, 96, 12, 48, 12, 36, 16, 12,
                                       22, 5,  41, 26, 5,  8,  6,  4,  330};
    const int bases[categoryCount] = {33, 26, 18, 9,  15, 1, 26, 10, 5,
                                      15, 4,  29, 25, 2,  7, 2,  2,  97};
    std::size_t total = 0;
    for (int c = 0; c < categoryCount; ++c) {
        const CatalogueSection &s = *catalogueSections()[std::size_t(c)];
        EXPECT_EQ(int(s.rows.size()), counts[c]) << u8(s.caption);
        EXPECT_EQ(s.baseUnit, bases[c]) << u8(s.caption);
        const CatalogueRow &base = s.rows[std::size_t(s.baseUnit)];
        EXPECT_EQ(base.factor, u"1") << u8(s.caption);
        EXPECT_TRUE(base.toBaseFormula.empty());
        EXPECT_EQ(s.invertFactors, c == 17);
        for (const CatalogueRow &r : s.rows) {
            // Either a factor or both formulas.
            EXPECT_EQ(r.factor.empty(), !r.toBaseFormula.empty()) << u8(r.name);
            EXPECT_EQ(r.toBaseFormula.empty(), r.fromBaseFormula.empty()) << u8(r.name);
        }
        total += s.rows.size();
    }
    EXPECT_EQ(total, 780u);
    EXPECT_EQ(cataloguePrefixes().size(), 29u);
    EXPECT_EQ(cataloguePrefixes()[6].abbreviation, u"\u00B5"); // MICRO SIGN
}

TEST(Catalogue, EveryFactorIsAPositiveNumber) {
    StandaloneConverter s;
    s.converter.initConverter();
    for (const Unit &p : s.converter.prefixes) {
        const NumberRef nRef = evaluateExpression(p.factor);
        const Number &n = *nRef;
        EXPECT_TRUE(n.kind != NoValue && toLongDouble(n) > 0) << u8(p.name);
    }
    for (int c = 0; c < categoryCount; ++c) {
        s.converter.fillUnits(c);
        EXPECT_EQ(s.fromUnit.selected(), catalogueSections()[std::size_t(c)]->baseUnit);
        EXPECT_EQ(s.toUnit.selected(), s.fromUnit.selected());
        for (const Unit &u : s.converter.units) {
            if (!u.toBaseFormula.empty()) continue;
            const NumberRef nRef = evaluateExpression(u.factor);
            const Number &n = *nRef;
            EXPECT_TRUE(n.kind != NoValue && toLongDouble(n) > 0)
                << c << " " << u8(u.name) << " " << u8(u.factor);
        }
    }
}

TEST(Catalogue, TemperatureScalesRoundTripThroughKelvin) {
    StandaloneConverter s;
    s.converter.initConverter();
    s.converter.fillUnits(14);
    const Unit &none = s.converter.prefixes[defaultPrefix];
    const Unit &kelvin = s.converter.units[7];
    for (const Unit &scale : s.converter.units) {
        for (const char16_t *value : {u"0", u"1000", u"-40"}) {
            std::u16string toKelvin = buildConversionExpression(value, scale, none, kelvin, none);
            std::u16string back =
                buildConversionExpression(u"(" + toKelvin + u")", kelvin, none, scale, none);
            long double v = toLongDouble(*evaluateExpression(value));
            long double got = toLongDouble(*evaluateExpression(back));
            EXPECT_LE(std::fabs(got - v), 1e-15L * std::max(1.0L, std::fabs(v)))
                << u8(scale.name) << " " << u8(value);
        }
    }
}

struct LineCase {
    const char *category, *from, *to, *fromPrefix, *toPrefix, *value, *line;
};

TEST(ConversionLine, AsThePanelShowsIt) {
    const LineCase cases[] = {
        {"Length", "foot [ft]", "meter [m]", nullptr, nullptr, "5", "5 ft = 1,524 m"},
        {"Length", "meter [m]", "meter [m]", nullptr, nullptr, "5", "5 m = 5 m"},
        {"Length", "light-year", "meter [m]", nullptr, nullptr, "1", "9,460730472e15 m"},
        {"Length", "foot [ft]", "barleycorn", nullptr, nullptr, "5", "5 ft = 180"},
        {"Area", "square metre [m\u00B2]", "square metre [m\u00B2]", "kilo- [k]", nullptr, "1",
         "1 km\u00B2 = 1000000 m\u00B2"},
        {"Length", "meter [m]", "meter [m]", "yotta- (binary) [Yi]", nullptr, "1",
         "1 Yim = 1,208925819e24 m"},
        {"Currency (updated 19.4.2010)", "America (United States), Dollar [USD]", "Euro [EUR]",
         nullptr, nullptr, "100", "100 USD = 74,26606561 EUR"},
        {"Time", "century", "second [s]", nullptr, nullptr, "1", "3155695200 s"},
        {"Length", "meter [m]", "meter [m]", nullptr, nullptr, "", ""},
        {"Length", "meter [m]", "meter [m]", nullptr, nullptr, "abc", ""},
    };
    for (const LineCase &c : cases) {
        StandaloneConverter s;
        s.converter.initConverter();
        int category = indexOf(s.category.items, utf8ToUtf16(c.category));
        ASSERT_GE(category, 0) << c.category;
        s.converter.fillUnits(category);
        int from = indexOf(s.fromUnit.items, utf8ToUtf16(c.from));
        int to = indexOf(s.toUnit.items, utf8ToUtf16(c.to));
        ASSERT_GE(from, 0) << c.from;
        ASSERT_GE(to, 0) << c.to;
        int p =
            c.fromPrefix ? indexOf(s.fromPrefix.items, utf8ToUtf16(c.fromPrefix)) : defaultPrefix;
        int q = c.toPrefix ? indexOf(s.toPrefix.items, utf8ToUtf16(c.toPrefix)) : defaultPrefix;
        EXPECT_EQ(u8(conversionText(utf8ToUtf16(c.value), s.converter, from, p, to, q, Normal)),
                  c.line)
            << c.from << " -> " << c.to;
    }
    // Exact in Full: 1024^8 metres.
    StandaloneConverter s;
    s.converter.initConverter();
    EXPECT_EQ(u8(conversionText(u"1", s.converter, 33, 28, 33, defaultPrefix, Full)),
              "1 Yim = 1208925819614629174706176 m");
    EXPECT_EQ(u8(conversionText(u"1", s.converter, 29, defaultPrefix, 33, defaultPrefix, Full)),
              "9460730472580800 m");
    // Indexes outside the lists give nothing.
    EXPECT_EQ(conversionText(u"1", s.converter, -1, defaultPrefix, 33, defaultPrefix, Normal), u"");
    EXPECT_EQ(conversionText(u"1", s.converter, 33, 29, 33, defaultPrefix, Normal), u"");
}

// Four rows whose published factors were plainly wrong, each checked against the unit it is
// defined by: a kilogram-force at a metre, the unified atomic mass unit, 0.013 837 inch.
TEST(Catalogue, CorrectedRowsAgreeWithTheirDefinitions) {
    const struct {
        const char *category, *from, *to, *value, *line;
    } rows[] = {
        {"Torque", "metre kilogram [m kg]", "Newton metre [N\u00B7m]", "1",
         "1 m kg = 9,80665 N\u00B7m"},
        {"Mass", "dalton [Da]", "atomic mass unit, unified [u]", "1", "1 Da = 1 u"},
        {"Length", "point (American, English) [pt]", "inch [in]", "1", "1 pt = 0,013837 in"},
        {"Length", "pica", "inch [in]", "1", "0,166044 in"},
    };
    for (const auto &row : rows) {
        StandaloneConverter s;
        s.converter.initConverter();
        const int category = indexOf(s.category.items, utf8ToUtf16(row.category));
        ASSERT_GE(category, 0) << row.category;
        s.converter.fillUnits(category);
        const int from = indexOf(s.fromUnit.items, utf8ToUtf16(row.from));
        const int to = indexOf(s.toUnit.items, utf8ToUtf16(row.to));
        ASSERT_GE(from, 0) << row.from;
        ASSERT_GE(to, 0) << row.to;
        EXPECT_EQ(u8(conversionText(utf8ToUtf16(row.value), s.converter, from, defaultPrefix, to,
                                    defaultPrefix, Normal)),
                  row.line);
    }
}

// The window converts the result label's text, in whatever format it is shown and under
// whatever range, with the factors written after it unbracketed: every result text must read
// as one value there, so that it converts as it would in brackets (here foot to inch and
// Celsius to kelvin, a formula); in Full, whose texts are exact, that is the expression's own
// value.
TEST(ConversionLine, ConvertsTheResultTextInEveryFormatAndRange) {
    StandaloneConverter s;
    s.converter.initConverter();
    const std::pair<int, int> rangesAndUnlimited[] = {{0, 1},  {8, 0},  {8, 1},  {16, 0}, {16, 1},
                                                      {32, 0}, {32, 1}, {64, 0}, {64, 1}};
    const char16_t *expressions[] = {u"5",      u"-5",  u"100",   u"-128", u"255",
                                     u"2^40+3", u"1/4", u"-2^63", u"0"};
    for (const auto &[bits, isSigned] : rangesAndUnlimited) {
        settings::setValueRange(bits, isSigned != 0);
        for (const OutputFormatRow &format : outputFormats) {
            for (const char16_t *expression : expressions) {
                const std::u16string shown =
                    formatNumber(*evaluateExpression(expression), format.format);
                if (shown.empty()) continue; // a fraction in a radix format has no text to convert
                for (const auto &[category, fromText, toText] :
                     {std::tuple{u"Length", u"foot [ft]", u"inch [in]"},
                      std::tuple{u"Temperature", u"degree Celsius [\u00B0C]", u"kelvin [K]"}}) {
                    s.converter.fillUnits(indexOf(s.category.items, category));
                    const int from = indexOf(s.fromUnit.items, fromText);
                    const int to = indexOf(s.toUnit.items, toText);
                    ASSERT_GE(from, 0);
                    ASSERT_GE(to, 0);
                    const std::u16string viaText = conversionText(
                        shown, s.converter, from, defaultPrefix, to, defaultPrefix, format.format);
                    const std::u16string bracketed =
                        u"(" + (format.format == Full ? std::u16string(expression) : shown) + u")";
                    const std::u16string viaValue =
                        conversionText(bracketed, s.converter, from, defaultPrefix, to,
                                       defaultPrefix, format.format);
                    EXPECT_EQ(u8(viaText), u8(viaValue))
                        << u8(expression) << " shown as " << u8(shown) << " in " << format.word
                        << ", range " << bits << (isSigned ? " signed" : " unsigned");
                }
            }
        }
    }
    settings::setValueRange(0, true);
}

} // namespace
