// SPDX-License-Identifier: MIT
// Illuminance: base unit "lux".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                     abbreviation     factor: lux per unit
    {u"footcandle",             u"fc",           u"10.763910417"},
    {u"lumen per square inch",  u"lm/in\u00B2",  u"1550.0031"},
    {u"lux",                    u"lx",           u"1"},
    {u"phot (CGS unit)",        u"ph",           u"1 e4"},
};
// clang-format on

} // namespace

const CatalogueSection illuminanceSection = {u"Illuminance", 2, rows};
