// SPDX-License-Identifier: MIT
// Plane angle: base unit "radian".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                        abbreviation  factor: radians per unit
    {u"angular mil",               u"\u00B5",    u"0.981 748 e-3"},
    {u"arcminute",                 u"'",         u"0.290 888 e-3"},
    {u"arcsecond",                 u"\"",        u"4.848 137 e-6"},
    {u"centesimal minute of arc",  u"'",         u"0.157 080 e-3"},
    {u"centesimal second of arc",  u"\"",        u"1.570 796 e-6"},
    {u"degree (of arc)",           u"\u00B0",    u"17.453 293 e-3"},
    {u"grad",                      u"grad",      u"15.707 963 e-3"},
    {u"octant",                    u"",          u"0.785 398"},
    {u"quadrant",                  u"",          u"1.570 796"},
    {u"radian",                    u"rad",       u"1"},
    {u"sextant",                   u"",          u"1.047 198"},
    {u"sign",                      u"",          u"0.523 599"},
};
// clang-format on

} // namespace

const CatalogueSection planeAngleSection = {u"Plane angle", 9, rows};
