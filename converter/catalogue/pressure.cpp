// SPDX-License-Identifier: MIT
// Pressure: base unit "pascal".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                    abbreviation   factor: pascals per unit
    {u"atmosphere (standard)",                 u"atm",        u"101 325"},
    {u"atmosphere (technical)",                u"at",         u"9.806 65 e4"},
    {u"bar",                                   u"bar",        u"1e5"},
    {u"barye (cgs unit)",                      u"",           u"0.1"},
    {u"centimetre of mercury",                 u"cmHg",       u"1.333 22 e3"},
    {u"centimetre of water (4 \u00B0C)",       u"cmH2O",      u"98.0638"},
    {u"foot of mercury (conventional)",        u"ftHg",       u"40.636 66 e3"},
    {u"foot of water (39.2 \u00B0F)",          u"ftH2O",      u"2.988 98 e3"},
    {u"inch of mercury (conventional)",        u"inHg",       u"3.386 389 e3"},
    {u"inch of water (39.2 \u00B0F)",          u"inH2O",      u"249.082"},
    {u"kilogram-force per square millimetre",  u"kgf/mm2",    u"9.806 65 e6"},
    {u"kip per square inch",                   u"ksi",        u"6.894 757 e6"},
    {u"micron (micrometre) of mercury",        u"mHg",        u"0.133 3224"},
    {u"millimetre of mercury",                 u"mmHg",       u"133.3224"},
    {u"millimetre of water (3.98 \u00B0C)",    u"mmH2O",      u"9.806 38"},
    {u"pascal",                                u"Pa",         u"1"},
    {u"pi\u00E8ze (mts unit)",                 u"pz",         u"1 e3"},
    {u"pound per square foot",                 u"psf",        u"47.880 25"},
    {u"pound per square inch",                 u"psi",        u"6.894 757 e3"},
    {u"poundal per square foot",               u"pdl/sq ft",  u"1.488 164"},
    {u"short ton per square foot",             u"",           u"95.760 518 e3"},
    {u"torr",                                  u"torr",       u"133.3224"},
};
// clang-format on

} // namespace

const CatalogueSection pressureSection = {u"Pressure", 15, rows};
