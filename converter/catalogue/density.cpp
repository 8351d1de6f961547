// SPDX-License-Identifier: MIT
// Density: base unit "kilogram per cubic metre".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                           abbreviation  factor: kilograms per cubic metre per unit
    {u"gram per millilitre",                          u"g/mL",      u"1000"},
    {u"kilogram per cubic metre",                     u"kg/m3",     u"1"},
    {u"kilogram per litre",                           u"kg/L",      u"1000"},
    {u"ounce (avoirdupois) per cubic foot",           u"oz/ft3",    u"1.001153961"},
    {u"ounce (avoirdupois) per cubic inch",           u"oz/in3",    u"1.729994044e3"},
    {u"ounce (avoirdupois) per gallon (Imperial)",    u"oz/gal",    u"6.236023291"},
    {u"ounce (avoirdupois) per gallon (U.S. fluid)",  u"oz/gal",    u"7.489151707"},
    {u"pound (avoirdupois) per cubic foot",           u"lb/ft3",    u"16.01846337"},
    {u"pound (avoirdupois) per cubic inch",           u"lb/in3",    u"2.767990471e4"},
    {u"pound (avoirdupois) per gallon (Imperial)",    u"lb/gal",    u"99.77637266"},
    {u"pound (avoirdupois) per gallon (U.S. fluid)",  u"lb/gal",    u"119.8264273"},
    {u"slug per cubic foot",                          u"slug/ft3",  u"515.3788184"},
};
// clang-format on

} // namespace

const CatalogueSection densitySection = {u"Density", 1, rows};
