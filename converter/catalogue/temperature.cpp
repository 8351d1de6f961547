// SPDX-License-Identifier: MIT
// Temperature: base unit "kelvin".
// The scales other than kelvin convert by formula in x: their factor text is empty.

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                   abbreviation       factor  power  to kelvin                 from kelvin
    {u"degree Celsius",       u"\u00B0C",        u"",    1,     u"x+273.15",              u"x-273.15"},
    {u"degree Delisle",       u"\u00B0De",       u"",    1,     u"373.15-x*2/3",          u"3/2*(373.15-x)"},
    {u"degree Fahrenheit",    u"\u00B0F",        u"",    1,     u"(x+459.67)*5/9",        u"x*9/5-459.67"},
    {u"degree Newton",        u"\u00B0N",        u"",    1,     u"x*100/33+273.15",       u"33/100*(x-273.15)"},
    {u"degree Rankine",       u"\u00B0R",        u"",    1,     u"x*5/9",                 u"x*9/5"},
    {u"degree R\u00E9aumur",  u"\u00B0R\u00E9",  u"",    1,     u"x*5/4+273.15",          u"4/5*(x-273.15)"},
    {u"degree R\u00F8mer",    u"\u00B0R\u00F8",  u"",    1,     u"(x-7.5)*40/21+273.15",  u"7.5+21/40*(x-273.15)"},
    {u"kelvin",               u"K",              u"1",   1,     u"",                      u""},
};
// clang-format on

} // namespace

const CatalogueSection temperatureSection = {u"Temperature", 7, rows};
