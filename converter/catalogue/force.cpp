// SPDX-License-Identifier: MIT
// Force: base unit "newton".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                              abbreviation  factor: newtons per unit
    {u"atomic unit of force",            u"",          u"8.238 722 06 e-8"},
    {u"dyne (cgs unit)",                 u"dyn",       u"1e-5"},
    {u"kilogram-force",                  u"kgf",       u"9.806 65"},
    {u"kip",                             u"kip",       u"4.448 221 615 2605 e3"},
    {u"milligrave-force, gravet-force",  u"mGf",       u"9.806 65e-3"},
    {u"newton",                          u"N",         u"1"},
    {u"ounce-force",                     u"ozf",       u"0.278 013 850 953 7812"},
    {u"pound",                           u"lb",        u"4.448 230 531"},
    {u"pound-force",                     u"lbf",       u"4.448 221 615 2605"},
    {u"poundal",                         u"pdl",       u"0.138 254 954 376"},
    {u"sthene (mts unit)",               u"sn",        u"1 e3"},
    {u"ton-force",                       u"tnf",       u"8.896 443 230 521 e3"},
};
// clang-format on

} // namespace

const CatalogueSection forceSection = {u"Force", 5, rows};
