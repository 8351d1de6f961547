// SPDX-License-Identifier: MIT
// Power: base unit "watt".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                        abbreviation        factor: watts per unit
    {u"atmosphere-cubic centimetre per minute",    u"atm ccm",         u"1.688 75 e-3"},
    {u"atmosphere-cubic centimetre per second",    u"atm ccs",         u"0.101 325"},
    {u"atmosphere-cubic foot per hour",            u"atm cfh",         u"0.797 001 244 704"},
    {u"atmosphere-cubic foot per minute",          u"atm\u00B7cfm",    u"47.820 074 682 24"},
    {u"atmosphere-cubic foot per second",          u"atm cfs",         u"2.869 204 480 9344 e3"},
    {u"BTU (International Table) per hour",        u"BTUIT/h",         u"0.293 071"},
    {u"BTU (International Table) per minute",      u"BTUIT/min",       u"17.584 264"},
    {u"BTU (International Table) per second",      u"BTUIT/s",         u"1.055 055 852 62 e3"},
    {u"calorie (International Table) per second",  u"calIT/s",         u"4.1868"},
    {u"foot-pound-force per hour",                 u"ft lbf/h",        u"3.766 161 e-4"},
    {u"foot-pound-force per minute",               u"ft lbf/min",      u"2.259 696 580 552 334 e-2"},
    {u"foot-pound-force per second",               u"ft lbf/s",        u"1.355 817 948 331 4004"},
    {u"horsepower (boiler)",                       u"bhp",             u"9.810 657 e3"},
    {u"horsepower (European electrical)",          u"hp",              u"736"},
    {u"horsepower (Imperial electrical)",          u"hp",              u"746"},
    {u"horsepower (Imperial mechanical)",          u"hp",              u"745.699 871 582 270 22"},
    {u"horsepower (metric)",                       u"hp",              u"735.498 75"},
    {u"litre-atmosphere per minute",               u"L\u00B7atm/min",  u"1.688 75"},
    {u"litre-atmosphere per second",               u"L\u00B7atm/s",    u"101.325"},
    {u"lusec",                                     u"lusec",           u"1.333 e-4"},
    {u"poncelet",                                  u"p",               u"980.665"},
    {u"square foot equivalent direct radiation",   u"sq ft EDR",       u"70.337 057"},
    {u"ton of air conditioning",                   u"",                u"3 504"},
    {u"ton of refrigeration (Imperial)",           u"",                u"3.938 875 e3"},
    {u"ton of refrigeration (IT)",                 u"",                u"3.516 853 e3"},
    {u"watt",                                      u"W",               u"1"},
};
// clang-format on

} // namespace

const CatalogueSection powerSection = {u"Power", 25, rows};
