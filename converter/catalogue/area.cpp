// SPDX-License-Identifier: MIT
// Area: base unit "square metre".
// Factors are square metres per unit; "square kilometre" and "square metre" take a
// chosen prefix twice.

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                 abbreviation  factor                       prefix power
    {u"acre",                               u"ac",        u"4 046.856 4224"},
    {u"acre (U. S. survey)",                u"ac",        u"4 046.873"},
    {u"are",                                u"a",         u"100"},
    {u"barn",                               u"b",         u"1e-28"},
    {u"barony",                             u"",          u"1.618 742e7"},
    {u"board",                              u"bd",        u"7.741 92e-3"},
    {u"circular inch",                      u"circ in",   u"5.067 075e-4"},
    {u"circular mil",                       u"circ mil",  u"5.067 075e-10"},
    {u"cord",                               u"",          u"1.486 448 64"},
    {u"dunam",                              u"",          u"1000"},
    {u"Guntha",                             u"",          u"101.17"},
    {u"hectare",                            u"ha",        u"10 000"},
    {u"hide",                               u"",          u"5e5"},
    {u"rood",                               u"ro",        u"1 011.714 1056"},
    {u"section",                            u"",          u"2.589 988 110 336e6"},
    {u"shed",                               u"",          u"1e-52"},
    {u"square (roofing)",                   u"",          u"9.290 304"},
    {u"square chain",                       u"sq ch",     u"404.685 642 24"},
    {u"square chain (U.S. Survey)",         u"sq ch",     u"404.687 3"},
    {u"square foot",                        u"sq ft",     u"9.290 304e-2"},
    {u"square foot (U.S. Survey)",          u"sq ft",     u"9.290 341 161 327 49e-2"},
    {u"square inch",                        u"sq in",     u"6.4516e-4"},
    {u"square kilometre",                   u"km\u00B2",  u"1e6",                      2},
    {u"square link (Gunter's)",             u"sq lnk",    u"4.046 856 4224e-2"},
    {u"square link (Gunter's)(US Survey)",  u"sq lnk",    u"4.046 872e-2"},
    {u"square link (Ramsden's)",            u"sq lnk",    u"0.09290304"},
    {u"square metre",                       u"m\u00B2",   u"1",                        2},
    {u"square mil",                         u"sq mil",    u"6.4516e-10"},
    {u"square mile",                        u"sq mi",     u"2.589 988 110 336e6"},
    {u"square mile  (U.S. Survey)",         u"sq mi",     u"2.589 998 47e6"},
    {u"square rod",                         u"sq rd",     u"25.292 852 64"},
    {u"square yard",                        u"sq yd",     u"0.836 127 36"},
    {u"stremma",                            u"",          u"1000"},
    {u"township",                           u"",          u"9.323 994e7"},
    {u"yardland",                           u"",          u"1.2e5"},
};
// clang-format on

} // namespace

const CatalogueSection areaSection = {u"Area", 26, rows};
