// SPDX-License-Identifier: MIT
// Time: base unit "second".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                       abbreviation     factor: seconds per unit
    {u"atomic unit of time",      u"au",           u"2.418 884 254 e-17"},
    {u"Callippic cycle",          u"",             u"2.398 3776 e9"},
    {u"century",                  u"",             u"100*31 556 952"},
    {u"day",                      u"d",            u"86400"},
    {u"day (sidereal)",           u"d",            u"86 164.1"},
    {u"decade",                   u"",             u"10*31 556 952"},
    {u"fortnight",                u"",             u"1 209 600"},
    {u"helek",                    u"",             u"10/3"},
    {u"Hipparchic cycle",         u"",             u"9.593 424 e9"},
    {u"hour",                     u"h",            u"3 600"},
    {u"jiffy",                    u"",             u".016666666666666666666666666"},
    {u"jiffy (alternate)",        u"",             u"10e-3"},
    {u"ke (quarter of an hour)",  u"",             u"900"},
    {u"ke (traditional)",         u"",             u"864"},
    {u"lustre",                   u"",             u"1.5768 e8"},
    {u"Metonic cycle",            u"",             u"5.996 16 e8"},
    {u"millennium",               u"",             u"1000*31 556 952"},
    {u"milliday",                 u"md",           u"86.4"},
    {u"minute",                   u"min",          u"60"},
    {u"moment",                   u"",             u"90"},
    {u"month (full)",             u"mo",           u"2 592 000"},
    {u"month (Greg. av.)",        u"mo",           u"2.6297 e6"},
    {u"month (hollow)",           u"mo",           u"2 505 600"},
    {u"month (synodic)",          u"mo",           u"2.551 e6"},
    {u"octaeteris",               u"",             u"2.524 608 e8"},
    {u"Planck time",              u"",             u"1.351 211 868 e-43"},
    {u"second",                   u"s",            u"1"},
    {u"shake",                    u"",             u"10e-9"},
    {u"sigma",                    u"",             u"1e-6"},
    {u"Sothic cycle",             u"",             u"4.607 4096 e10"},
    {u"svedberg",                 u"S",            u"100e-15"},
    {u"week",                     u"wk",           u"604 800"},
    {u"year (Gregorian)",         u"a, y, or yr",  u"31 556 952"},
    {u"year (Julian)",            u"a, y, or yr",  u"31 557 600"},
    {u"year (sidereal)",          u"a, y, or yr",  u"31 558 149.7632"},
    {u"year (tropical)",          u"a, y, or yr",  u"31 556 925"},
};
// clang-format on

} // namespace

const CatalogueSection timeSection = {u"Time", 26, rows};
