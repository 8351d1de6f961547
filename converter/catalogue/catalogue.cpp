// SPDX-License-Identifier: MIT
#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CataloguePrefix prefixes[] = {
    {u"yocto-", u"y", u"1e-24"},
    {u"zepto-", u"z", u"1e-21"},
    {u"atto-", u"a", u"1e-18"},
    {u"femto-", u"f", u"1e-15"},
    {u"pico-", u"p", u"1e-12"},
    {u"nano-", u"n", u"1e-9"},
    {u"micro-", u"\u00B5", u"1e-6"}, // MICRO SIGN, not the Greek mu
    {u"milli-", u"m", u"1e-3"},
    {u"centi-", u"c", u"1e-2"},
    {u"deci-", u"d", u"1e-1"},
    {u"(normal, no prefix)", u"", u"1"},
    {u"deca-", u"da", u"1e1"},
    {u"hecto-", u"h", u"1e2"},
    {u"kilo-", u"k", u"1e3"},
    {u"mega-", u"M", u"1e6"},
    {u"giga-", u"G", u"1e9"},
    {u"tera-", u"T", u"1e12"},
    {u"peta-", u"P", u"1e15"},
    {u"exa-", u"E", u"1e18"},
    {u"zetta-", u"Z", u"1e21"},
    {u"yotta-", u"Y", u"1e24"},
    {u"kilo- (binary)", u"Ki", u"1024"},
    {u"mega- (binary)", u"Mi", u"1024^2"},
    {u"giga- (binary)", u"Gi", u"1024^3"},
    {u"tera- (binary)", u"Ti", u"1024^4"},
    {u"peta- (binary)", u"Pi", u"1024^5"},
    {u"exa- (binary)", u"Ei", u"1024^6"},
    {u"zetta- (binary)", u"Zi", u"1024^7"},
    {u"yotta- (binary)", u"Yi", u"1024^8"},
};
// clang-format on

} // namespace

const std::array<const CatalogueSection *, categoryCount> &catalogueSections() {
    static const std::array<const CatalogueSection *, categoryCount> sections = {
        &lengthSection,      &areaSection,           &volumeSection,      &planeAngleSection,
        &massSection,        &densitySection,        &timeSection,        &speedSection,
        &forceSection,       &pressureSection,       &torqueSection,      &energySection,
        &powerSection,       &electricChargeSection, &temperatureSection, &luminanceSection,
        &illuminanceSection, &currencySection,
    };
    return sections;
}

std::span<const CataloguePrefix> cataloguePrefixes() {
    return prefixes;
}
