// SPDX-License-Identifier: MIT
// Luminance: base unit "candela per square metre".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                        abbreviation     factor: candelas per square metre per unit
    {u"candela per square foot",   u"cd/ft\u00B2",  u"10.763910417"},
    {u"candela per square inch",   u"cd/in\u00B2",  u"1550.0031"},
    {u"candela per square metre",  u"cd/m\u00B2",   u"1"},
    {u"footlambert",               u"fL",           u"3.4262590996"},
    {u"lambert",                   u"L",            u"3183.0988618"},
    {u"stilb (CGS unit)",          u"sb",           u"1 e4"},
};
// clang-format on

} // namespace

const CatalogueSection luminanceSection = {u"Luminance", 2, rows};
