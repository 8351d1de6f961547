// SPDX-License-Identifier: MIT
// Energy: base unit "joule".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                          abbreviation         factor: joules per unit
    {u"barrel of oil equivalent",                    u"bboe",             u"6.12 e9"},
    {u"British thermal unit (ISO)",                  u"BTUISO",           u"1.0545 e3"},
    {u"British thermal unit (International Table)",  u"BTUIT",            u"1.055 055 852 62 e3"},
    {u"British thermal unit (mean)",                 u"BTUmean",          u"1.055 87 e3"},
    {u"British thermal unit (thermochemical)",       u"BTUth",            u"1.054 350 e3"},
    {u"British thermal unit (39 \u00B0F)",           u"BTU39 \u00B0F",    u"1.059 67 e3"},
    {u"British thermal unit (59 \u00B0F)",           u"BTU59 \u00B0F",    u"1.054 804 e3"},
    {u"British thermal unit (60 \u00B0F)",           u"BTU60 \u00B0F",    u"1.054 68 e3"},
    {u"British thermal unit (63 \u00B0F)",           u"BTU63 \u00B0F",    u"1.0546 e3"},
    {u"calorie (International Table)",               u"cal",              u"4.1868"},
    {u"calorie (mean)",                              u"calmean",          u"4.190 02"},
    {u"calorie (thermochemical)",                    u"calth",            u"4.184"},
    {u"calorie (3.98 \u00B0C)",                      u"cal3.98 \u00B0C",  u"4.2045"},
    {u"calorie (15 \u00B0C)",                        u"cal15 \u00B0C",    u"4.1855"},
    {u"calorie (20 \u00B0C)",                        u"cal20 \u00B0C",    u"4.1819"},
    {u"Celsius heat unit (International Table)",     u"CHUIT",            u"1.899 100 534 716 e3"},
    {u"cubic centimetre of atmosphere",              u"cc atm",           u"0.101 325"},
    {u"cubic foot of atmosphere",                    u"cu ft atm",        u"2.869 204 480 9344 e3"},
    {u"cubic foot of natural gas",                   u"",                 u"1.055 055 852 62 e6"},
    {u"cubic yard of atmosphere",                    u"cu yd atm",        u"77.468 520 985 2288 e3"},
    {u"electronvolt",                                u"eV",               u"1.602 177 33 e-19"},
    {u"erg (cgs unit)",                              u"erg",              u"1e-7"},
    {u"foot-pound force",                            u"ft lbf",           u"1.355 817 948 331 4004"},
    {u"foot-poundal",                                u"ft pdl",           u"4.214 011 009 380 48 e-2"},
    {u"gallon-atmosphere (imperial)",                u"imp gal atm",      u"460.632 569 25"},
    {u"gallon-atmosphere (US)",                      u"US gal atm",       u"383.556 849 0138"},
    {u"hartree, atomic unit of energy",              u"Eh",               u"4.359 744 e-18"},
    {u"horsepower-hour",                             u"hp\u00B7h",        u"2.684 519 537 696 172 792 e6"},
    {u"inch-pound force",                            u"in lbf",           u"0.112 984 829 027 6167"},
    {u"joule",                                       u"J",                u"1"},
    {u"kilocalorie",                                 u"kcal",             u"4.1868 e3"},
    {u"kilowatt-hour",                               u"kW\u00B7h",        u"3.6 e6"},
    {u"litre-atmosphere",                            u"l atm",            u"101.325"},
    {u"quad",                                        u"",                 u"1.055 055 852 62 e18"},
    {u"rydberg",                                     u"Ry",               u"2.179 872 e-18"},
    {u"therm (E.C.)",                                u"",                 u"105.505 585 262 e6"},
    {u"therm (U.S.)",                                u"",                 u"105.4804 e6"},
    {u"thermie",                                     u"th",               u"4.1868 e6"},
    {u"ton of coal equivalent",                      u"TCE",              u"29.3076 e9"},
    {u"ton of oil equivalent",                       u"TOE",              u"41.868 e9"},
    {u"ton of TNT",                                  u"tTNT",             u"4.184 e9"},
};
// clang-format on

} // namespace

const CatalogueSection energySection = {u"Energy", 29, rows};
