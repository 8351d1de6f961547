// SPDX-License-Identifier: MIT
// Volume: base unit "cubic metre", index 18 (prefix power 3).
// Imperial measures follow the imperial gallon of 4.546 09 L; U.S. fluid measures the
// gallon of 231 cubic inches; U.S. dry measures the bushel of 2 150.42 cubic inches.

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                         abbreviation    factor: cubic metres per unit
    {u"acre-foot",                                  u"ac ft",       u"1 233.481 837 547 52"},
    {u"acre-inch",                                  u"",            u"102.790 153 128 96"},         // 1 acre x 1 in
    {u"barrel (Imperial)",                          u"bl (Imp)",    u"0.163 659 24"},               // 36 imperial gallons
    {u"barrel (petroleum)",                         u"bl",          u"0.158 987 294 928"},          // 42 U.S. gallons
    {u"barrel (U.S. dry)",                          u"bl (US)",     u"0.115 627 123 584"},          // 7 056 cu in, legal fruit barrel
    {u"barrel (U.S. fluid)",                        u"fl bl (US)",  u"0.119 240 471 196"},          // 31 1/2 U.S. gallons
    {u"board-foot",                                 u"fbm",         u"2.359 737 216 e-3"},          // 144 cu in
    {u"bucket (Imperial)",                          u"bkt",         u"0.018 184 36"},               // 4 imperial gallons
    {u"bushel (Imperial)",                          u"bu (Imp)",    u"0.036 368 72"},               // 8 imperial gallons
    {u"bushel (U.S. dry heaped)",                   u"bu (US)",     u"0.045 026 981 558 76"},       // 2 747.715 cu in (legal)
    {u"bushel (U.S. dry level)",                    u"bu (US lvl)", u"0.035 239 070 166 88"},       // 2 150.42 cu in (Winchester)
    {u"butt, pipe",                                 u"",            u"0.476 961 884 784"},          // 126 U.S. gallons (wine)
    {u"coomb",                                      u"",            u"0.145 474 88"},               // 4 imperial bushels
    {u"cord (firewood)",                            u"",            u"3.624 556 363 776"},          // 128 cu ft (8 x 4 x 4 ft)
    {u"cord-foot",                                  u"",            u"0.453 069 545 472"},          // 16 cu ft
    {u"cubic fathom",                               u"cu fm",       u"6.116 438 863 872"},          // 216 cu ft
    {u"cubic foot",                                 u"cu ft",       u"0.028 316 846 592"},
    {u"cubic inch",                                 u"cu in",       u"16.387 064 e-6"},
    {u"cubic metre",                                u"m\u00B3",     u"1", 3},
    {u"cubic mile",                                 u"cu mi",       u"4 168 181 825.440 579 584"},
    {u"cubic yard",                                 u"cu yd",       u"0.764 554 857 984"},          // 27 cu ft
    {u"cup (breakfast)",                            u"",            u"284.130 625 e-6"},            // 10 imperial fluid ounces
    {u"cup (Canadian)",                             u"c (CA)",      u"227.3045 e-6"},               // 8 imperial fluid ounces
    {u"cup (metric)",                               u"c",           u"250.0 e-6"},
    {u"cup (U.S. customary)",                       u"c (US)",      u"236.588 2365 e-6"},           // 8 U.S. fluid ounces
    {u"cup (U.S. food nutrition labeling)",         u"c (US)",      u"240 e-6"},                    // 240 mL by U.S. labeling rule
    {u"dash (Imperial)",                            u"",            u"369.961 751 302 08 3 e-9"},   // 1/384 imperial gill
    {u"dash (U.S.)",                                u"",            u"308.057 599 609 375 e-9"},    // 1/96 U.S. fluid ounce
    {u"dessertspoon (Imperial)",                    u"",            u"(142.065 3125 e-6/12)"},      // 1/12 imperial gill
    {u"drop (Imperial)",                            u"gtt",         u"(28.413 0625 e-6/288)"},      // 1/288 imperial fluid ounce
    {u"drop (Imperial) (alt)",                      u"gtt",         u"(142.065 3125 e-6/1824)"},    // 1/1824 imperial gill
    {u"drop (medical)",                             u"",            u"(1 e-6/12)"},                 // 1/12 mL
    {u"drop (metric)",                              u"",            u"50 e-9"},                     // 1/20 mL
    {u"drop (U.S.)",                                u"gtt",         u"(29.573 529 5625 e-6/360)"},  // 1/360 U.S. fluid ounce
    {u"drop (U.S.) (alt)",                          u"gtt",         u"(29.573 529 5625 e-6/456)"},  // 1/456 U.S. fluid ounce
    {u"fifth",                                      u"",            u"757.082 3568 e-6"},           // 1/5 U.S. gallon
    {u"firkin",                                     u"",            u"0.040 914 81"},               // 9 imperial gallons (ale)
    {u"fluid drachm (Imperial)",                    u"fl dr",       u"3.551 632 8125 e-6"},         // 1/8 imperial fluid ounce
    {u"fluid dram (U.S.)",                          u"fl dr",       u"3.696 691 195 3125 e-6"},     // 1/8 U.S. fluid ounce
    {u"fluid scruple (Imperial)",                   u"fl s",        u"(28.413 0625 e-6/24)"},       // 1/24 imperial fluid ounce
    {u"gallon (beer)",                              u"beer gal",    u"4.621 152 048 e-3"},          // 282 cu in (ale gallon)
    {u"gallon (Imperial)",                          u"gal (Imp)",   u"4.546 09 e-3"},
    {u"gallon (U.S. dry)",                          u"gal (US)",    u"4.404 883 770 86 e-3"},       // 1/8 U.S. bushel, 268.8025 cu in
    {u"gallon (U.S. fluid",                         u"gal (US)",    u"3.785 411 784 e-3"},          // 231 cu in
    {u"gill (Imperial)",                            u"gi (Imp)",    u"142.065 3125 e-6"},           // 5 imperial fluid ounces
    {u"gill (U.S.)",                                u"gi (US)",     u"118.294 118 25 e-6"},         // 4 U.S. fluid ounces
    {u"hogshead (Imperial)",                        u"hhd (Imp)",   u"0.245 488 86"},               // 54 imperial gallons (ale)
    {u"hogshead (U.S.)",                            u"hhd (US)",    u"0.238 480 942 392"},          // 63 U.S. gallons (wine)
    {u"jigger (bartending)",                        u"",            u"44.360 294 343 75 e-6"},      // 1 1/2 U.S. fluid ounces
    {u"kilderkin",                                  u"",            u"0.081 829 62"},               // 18 imperial gallons
    {u"lambda",                                     u"",            u"1 e-9"},                      // one microlitre
    {u"last",                                       u"",            u"2.909 4976"},                 // 80 imperial bushels
    {u"litre",                                      u"L",           u"0.001"},
    {u"load",                                       u"",            u"1.415 842 3296"},             // 50 cu ft
    {u"minim (Imperial)",                           u"min",         u"(28.413 0625 e-6/480)"},      // 1/480 imperial fluid ounce
    {u"minim (U.S.)",                               u"min",         u"61.611 519 921 875 e-9"},     // 1/480 U.S. fluid ounce
    {u"ounce (fluid Imperial)",                     u"fl oz (Imp)", u"28.413 0625 e-6"},            // 1/160 imperial gallon
    {u"ounce (fluid U.S. customary)",               u"US fl oz",    u"29.573 529 5625 e-6"},        // 1/128 U.S. gallon
    {u"ounce (fluid U.S. food nutrition labeling)", u"US fl oz",    u"3e-5"},                       // 30 mL by U.S. labeling rule
    {u"peck (Imperial)",                            u"pk",          u"9.092 18 e-3"},               // 2 imperial gallons
    {u"peck (U.S. dry)",                            u"pk",          u"8.809 767 541 72 e-3"},       // 1/4 U.S. bushel
    {u"perch",                                      u"per",         u"0.700 841 953 152"},          // masonry: 16.5 x 1.5 x 1 cu ft
    {u"pinch (Imperial)",                           u"",            u"(142.065 3125 e-6/192)"},     // 1/192 imperial gill
    {u"pinch (U.S.)",                               u"",            u"616.115 199 218 75 e-9"},     // 1/48 U.S. fluid ounce
    {u"pint (Imperial)",                            u"pt (Imp)",    u"568.261 25 e-6"},             // 1/8 imperial gallon
    {u"pint (U.S. dry)",                            u"pt (US dry)", u"550.610 471 3575 e-6"},       // 1/64 U.S. bushel
    {u"pint (U.S. fluid)",                          u"pt (US fl)",  u"473.176 473 e-6"},            // 1/8 U.S. gallon
    {u"pony",                                       u"",            u"29.573 529 5625 e-6"},        // 1 U.S. fl oz (bartending)
    {u"pottle",                                     u"",            u"2.273 045 e-3"},              // 1/2 imperial gallon
    {u"quart (Imperial)",                           u"qt (Imp)",    u"1.136 5225 e-3"},             // 1/4 imperial gallon
    {u"quart (U.S. dry)",                           u"qt (US)",     u"1.101 220 942 715 e-3"},      // 1/32 U.S. bushel
    {u"quart (U.S. fluid)",                         u"qt (US)",     u"946.352 946 e-6"},            // 1/4 U.S. gallon
    {u"quarter",                                    u"",            u"0.290 949 76"},               // 8 imperial bushels
    {u"register ton",                               u"",            u"2.831 684 6592"},             // 100 cu ft
    {u"sack (Imperial)",                            u"",            u"0.109 106 16"},               // 3 imperial bushels
    {u"sack (U.S.)",                                u"",            u"0.105 717 210 500 64"},       // 3 U.S. bushels
    {u"seam",                                       u"",            u"0.290 949 76"},               // 8 imperial bushels
    {u"shot",                                       u"",            u"29.573 529 5625 e-6"},        // 1 U.S. fluid ounce
    {u"strike (Imperial)",                          u"",            u"0.072 737 44"},               // 2 imperial bushels
    {u"strike (U.S.)",                              u"",            u"0.070 478 140 333 76"},       // 2 U.S. bushels
    {u"tablespoon (Canadian)",                      u"tbsp",        u"14.206 531 25 e-6"},          // 1/2 imperial fluid ounce
    {u"tablespoon (Imperial)",                      u"tbsp",        u"17.758 164 0625 e-6"},        // 5/8 imperial fluid ounce
    {u"tablespoon (metric)",                        u"",            u"15.0 e-6"},
    {u"tablespoon (U.S. customary)",                u"tbsp",        u"14.786 764 781 25 e-6"},      // 1/2 U.S. fluid ounce
    {u"tablespoon (U.S. food nutrition labeling)",  u"tbsp",        u"15 e-6"},                     // 15 mL by U.S. labeling rule
    {u"teaspoon (Canadian)",                        u"tsp",         u"(28.413 0625 e-6/6)"},        // 1/6 imperial fluid ounce
    {u"teaspoon (Imperial)",                        u"tsp",         u"(142.065 3125 e-6/24)"},      // 1/24 imperial gill
    {u"teaspoon (metric)",                          u"",            u"5.0 e-6"},
    {u"teaspoon (U.S. customary)",                  u"tsp",         u"4.928 921 593 75 e-6"},       // 1/6 U.S. fluid ounce
    {u"teaspoon (U.S. food nutrition labeling)",    u"tsp",         u"5 e-6"},                      // 5 mL by U.S. labeling rule
    {u"timber foot",                                u"",            u"0.028 316 846 592"},          // 1 cu ft
    {u"ton (displacement)",                         u"",            u"0.991 089 630 72"},           // 35 cu ft of sea water
    {u"ton (freight)",                              u"",            u"1.132 673 863 68"},           // 40 cu ft (measurement ton)
    {u"ton (water)",                                u"",            u"1.018 324 16"},               // 28 imperial bushels
    {u"tun",                                        u"",            u"0.953 923 769 568"},          // 252 U.S. gallons (wine)
    {u"wey (U.S.)",                                 u"",            u"1.409 562 806 6752"},         // 40 U.S. bushels
};
// clang-format on

} // namespace

const CatalogueSection volumeSection = {u"Volume", 18, rows};
