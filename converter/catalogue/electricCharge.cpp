// SPDX-License-Identifier: MIT
// Electric charge: base unit "coulomb".

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                     abbreviation  factor: coulombs per unit
    {u"abcoulomb",              u"abC",       u"10"},
    {u"atomic unit of charge",  u"au",        u"1.602 176 462 e-19"},
    {u"coulomb",                u"C",         u"1"},
    {u"faraday",                u"F",         u"96 485.3383"},
    {u"statcoulomb",            u"statC",     u"3.335 641 e-10"},
};
// clang-format on

} // namespace

const CatalogueSection electricChargeSection = {u"Electric charge", 2, rows};
