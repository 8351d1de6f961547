// SPDX-License-Identifier: MIT
// Speed: base unit "metre per second".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                        abbreviation  factor: metres per second per unit
    {u"foot per hour",             u"fph",       u"8.466 667 e-5"},
    {u"foot per minute",           u"fpm",       u"5.08 e-3"},
    {u"foot per second",           u"fps",       u"3.048 e-1"},
    {u"furlong per fortnight",     u"",          u"1.663 095 e-4"},
    {u"inch per minute",           u"ipm",       u"4.23 333 e-4"},
    {u"inch per second",           u"ips",       u"2.54 e-2"},
    {u"kilometre per hour",        u"km/h",      u"2.777 778 e-1"},
    {u"knot",                      u"kn",        u"0.514 444"},
    {u"knot (Admiralty)",          u"kn",        u"0.514 773333333333"},
    {u"mach number",               u"M",         u"340"},
    {u"metre per second",          u"m/s",       u"1"},
    {u"mile per hour",             u"mph",       u"0.447 04"},
    {u"mile per minute",           u"mpm",       u"26.8224"},
    {u"mile per second",           u"mps",       u"1 609.344"},
    {u"speed of light in vacuum",  u"c",         u"299 792 458"},
    {u"speed of sound in air",     u"s",         u"340"},
};
// clang-format on

} // namespace

const CatalogueSection speedSection = {u"Speed", 10, rows};
