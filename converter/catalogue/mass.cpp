// SPDX-License-Identifier: MIT
// Mass: base unit "gram", index 15 (not the kilogram, whose factor is 1e3).
// Avoirdupois weights follow the international pound of 1959 (453.592 37 g = 7 000 grains);
// troy and apothecaries' weights follow the grain of 64.798 91 mg.

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                      abbreviation        factor: grams per unit
    {u"atomic mass unit, unified",               u"u",               u"1.660 538 73 e-24"},             // CODATA 1998
    {u"atomic unit of mass, electron rest mass", u"me",              u"9.109 382 15 e-28"},             // CODATA 2006
    {u"bag (coffee)",                            u"",                u"60000"},                         // 60 kg
    {u"bag (Portland cement)",                   u"",                u"42 637.682 78"},                 // 94 lb
    {u"barge",                                   u"",                u"20 411 656.65"},                 // 22 1/2 short tons
    {u"carat",                                   u"kt",              u"(19*0.064 798 91/6)"},           // 3 1/6 grains
    {u"carat (metric)",                          u"ct",              u"200e-3"},                        // 200 mg
    {u"clove",                                   u"",                u"3 628.738 96"},                  // 8 lb
    {u"crith",                                   u"",                u"0.089 9349"},                    // 1 L of hydrogen at STP
    {u"dalton",                                  u"Da",              u"1.660 538 73 e-24"},             // one dalton is one unified atomic mass unit
    {u"dram (apothecary",                        u"dr t",            u"3.887 9346"},                    // apothecaries' dram, 60 grains
    {u"dram (avoirdupois)",                      u"dr av",           u"1.771 845 195 3125"},            // 1/16 oz av, 27 11/32 grains
    {u"electronvolt",                            u"eV",              u"1.7826 e-33"},                   // mass equivalent, 1 eV/c^2
    {u"gamma",                                   u"",                u"1e-6"},                          // one microgram
    {u"grain",                                   u"gr",              u"0.064 798 91"},
    {u"gram",                                    u"g",               u"1"},
    {u"grave",                                   u"G",               u"1e3"},                           // 1793 name of the kilogram
    {u"hundredweight (long)",                    u"long cwt or cwt", u"50 802.345 44"},                 // 112 lb
    {u"hundredweight (short)",                   u"sh cwt",          u"45 359.237"},                    // 100 lb
    {u"hyl (CGS unit)",                          u"",                u"980.665"},                       // 1 gram-force x s^2/cm
    {u"hyl (MKS unit)",                          u"",                u"9 806.65"},                      // 1 kilogram-force x s^2/m
    {u"kilogram",                                u"kg",              u"1e3"},
    {u"kip",                                     u"kip",             u"453 592.37"},                    // 1 000 lb
    {u"mark",                                    u"",                u"248.827 8144"},                  // 8 troy ounces
    {u"mite",                                    u"",                u"0.003 239 9455"},                // 1/20 grain
    {u"mite (metric)",                           u"",                u"0.05"},                          // 1/20 g
    {u"ounce (apothecary",                       u"oz t",            u"31.103 4768"},                   // apothecaries' ounce, 480 grains
    {u"ounce (avoirdupois)",                     u"oz av",           u"28.349 523 125"},                // 1/16 lb
    {u"ounce (U.S. food nutrition labeling)",    u"oz",              u"28"},                            // 28 g by U.S. labeling rule
    {u"pennyweight",                             u"dwt",             u"1.555 173 84"},                  // 24 grains
    {u"point",                                   u"",                u"0.002"},                         // 1/100 metric carat
    {u"pound (avoirdupois)",                     u"lb av",           u"0.453 592 37e3"},
    {u"pound (metric)",                          u"",                u"500"},
    {u"pound (troy)",                            u"lb t",            u"373.241 7216"},                  // 5 760 grains
    {u"quarter (Imperial)",                      u"",                u"12 700.586 36"},                 // 28 lb, 1/4 long hundredweight
    {u"quarter (informal)",                      u"",                u"226 796.185"},                   // 500 lb, 1/4 short ton
    {u"quarter, long (informal)",                u"",                u"254 011.7272"},                  // 560 lb, 1/4 long ton
    {u"quintal (metric)",                        u"q",               u"1e5"},                           // 100 kg
    {u"scruple (apothecary)",                    u"s ap",            u"1.295 9782"},                    // 20 grains
    {u"sheet",                                   u"",                u"0.647 9891"},                    // 1/700 lb, 10 grains
    {u"slug",                                    u"slug",            u"(453.592 37*9.806 65/0.3048)"},  // 1 lbf s^2/ft (g = 9.806 65 m/s^2)
    {u"stone",                                   u"st",              u"6.350 293 18e3"},                // 14 lb
    {u"ton, assay (long)",                       u"AT",              u"32.666 667"},                    // 32 2/3 g: mg/AT = troy oz/long ton
    {u"ton, assay (short)",                      u"AT",              u"(175/6)"},                       // 29 1/6 g: mg/AT = troy oz/short ton
    {u"ton, long",                               u"long tn or ton",  u"1 016.046 9088e3"},              // 2 240 lb
    {u"ton, short",                              u"sh tn",           u"907 184.74"},                    // 2 000 lb
    {u"tonne (mts unit)",                        u"t",               u"1 000e3"},
    {u"wey",                                     u"",                u"114 305.277 24"},                // 252 lb (18 stone)
};
// clang-format on

} // namespace

const CatalogueSection massSection = {u"Mass", 15, rows};
