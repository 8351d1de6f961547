// SPDX-License-Identifier: MIT
// Torque: base unit "Newton metre".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                 abbreviation   factor: newton metres per unit
    {u"foot-pound force",   u"ft lbf",     u"1.355 817 948 331 4004"},
    {u"foot-poundal",       u"ft pdl",     u"4.214 011 009 380 48 e-2"},
    {u"inch-pound force",   u"in lbf",     u"0.112 984 829 027 6167"},
    {u"metre kilogram",     u"m kg",       u"9.806 65"},                  // one kilogram-force at one metre
    {u"Newton metre",       u"N\u00B7m",   u"1"},
};
// clang-format on

} // namespace

const CatalogueSection torqueSection = {u"Torque", 4, rows};
