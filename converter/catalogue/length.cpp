// SPDX-License-Identifier: MIT
// Length: base unit "meter" (the metre), index 33.
// Inch, foot, yard and mile are the international units of 1959 (yard = 0.9144 m).

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                           abbreviation  factor: metres per unit
    {u"\u00C5ngstr\u00F6m",           u"\u00C5",    u"0.0000000001"},
    {u"astronomical unit",            u"au",        u"149597871464.0"},                  // older measured value (fixed at 149 597 870 700 m in 2012)
    {u"barleycorn",                   u"",          u"0.008466666666666666666666"},      // 1/3 inch
    {u"bohr (atomic unit of length)", u"a0",        u"5.2917720859e-11"},                // CODATA 2006
    {u"cable length (Imperial)",      u"",          u"185.3184"},                        // 608 ft, 1/10 Admiralty n. mile
    {u"cable length",                 u"",          u"185.2"},                           // international: 1/10 nautical mile
    {u"cable length (U.S.)",          u"",          u"219.456"},                         // 720 ft (120 fathoms)
    {u"chain (Gunter's Surveyor's)",  u"ch",        u"20.1168"},                         // 66 ft
    {u"cubit",                        u"",          u"0.4572"},                          // 18 in
    {u"ell",                          u"ell",       u"1.143"},                           // English ell, 45 in
    {u"fathom",                       u"fm",        u"1.8288"},                          // 6 ft
    {u"fermi",                        u"fm",        u"1e-15"},                           // one femtometre
    {u"finger",                       u"",          u"0.022 225"},                       // 7/8 in
    {u"finger (cloth)",               u"",          u"0.1143"},                          // 4 1/2 in
    {u"foot (Beno\u00EEt)",           u"ft (Ben)",  u"0.304 799 735"},                   // Benoit's 1895 yard comparison
    {u"foot (Clarke's; Cape)",        u"ft (Cla)",  u"0.304 797 2654"},                  // Clarke's foot (1865)
    {u"foot (Indian)",                u"ft Ind",    u"0.304 7996"},                      // Indian survey foot as fixed in 1962
    {u"foot",                         u"ft",        u"0.3048"},
    {u"foot (Sear's)",                u"ft (Sear)", u"0.304 799 47"},                    // Sears 1922: 1 m = 39.370 147 in
    {u"foot (U.S. Survey)",           u"ft (US)",   u"0.304 800 610"},                   // 1200/3937 m, rounded
    {u"french; charriere",            u"F",         u"(0.001/3)"},                       // 1/3 mm (catheter gauge)
    {u"furlong",                      u"fur",       u"201.168"},                         // 660 ft (10 chains)
    {u"hand",                         u"",          u"0.1016"},                          // 4 in
    {u"inch",                         u"in",        u"0.0254"},
    {u"league (land)",                u"lea",       u"4 828.032"},                       // 3 miles
    {u"light-day",                    u"",          u"25 902 068 371 200"},              // 86 400 s at 299 792 458 m/s
    {u"light-hour",                   u"",          u"1 079 252 848 800"},               // 3 600 s at 299 792 458 m/s
    {u"light-minute",                 u"",          u"17 987 547 480"},                  // 60 s at 299 792 458 m/s
    {u"light-second",                 u"",          u"299 792 458"},                     // speed of light, exact
    {u"light-year",                   u"",          u"9.460 730 472 5808e15"},           // Julian year of 365.25 days
    {u"line",                         u"ln",        u"0.002 1166666666666666"},          // 1/12 in
    {u"link (Gunter's; Surveyor's)",  u"lnk",       u"0.201 168"},                       // 1/100 Gunter's chain, 0.66 ft
    {u"link (Ramsden's; Engineer's)", u"lnk",       u"0.3048"},                          // 1/100 engineer's chain of 100 ft
    {u"meter",                        u"m",         u"1"},
    {u"mickey",                       u"",          u"0.000 127"},                       // 1/200 in (mouse resolution)
    {u"micron",                       u"\u00B5",    u"1e-6"},                            // one micrometre
    {u"mil; thou",                    u"mil",       u"0.000 0254"},                      // 1/1000 in
    {u"mil (Sweden and Norway)",      u"mil",       u"10000"},                           // Scandinavian mile, 10 km
    {u"mile (geographical)",          u"",          u"1 853.7936"},                      // 6 082 ft
    {u"mile",                         u"mi",        u"1 609.344"},
    {u"mile (tactical or data)",      u"",          u"1 828.8"},                         // 6 000 ft
    {u"mile (telegraph)",             u"mi",        u"1 855.3176"},                      // 6 087 ft
    {u"mile (U.S. Survey)",           u"mi",        u"(6 336 000/3937)"},                // 5 280 survey feet of 1200/3937 m
    {u"nail (cloth)",                 u"",          u"0.057 15 "},                       // 2 1/4 in
    {u"nautical league",              u"nl",        u"5556"},                            // 3 nautical miles
    {u"nautical mile (Admiralty)",    u"nmi (Adm)", u"1 853.184"},                       // 6 080 ft
    {u"nautical mile",                u"nmi",       u"1852"},                            // international, 1929
    {u"nautical mile (US pre 1954)",  u"",          u"1 853.248"},                       // U.S. value until 1954
    {u"pace",                         u"",          u"0.762"},                           // 2 1/2 ft
    {u"palm",                         u"",          u"0.0762"},                          // 3 in
    {u"parsec",                       u"pc",        u"3.085 677 82e16"},                 // 648 000/pi au, rounded
    {u"pica",                         u"",          u"(12*0.000 351 459 8)"},            // 12 American points
    {u"point (American, English)",    u"pt",        u"0.000 351 459 8"},                 // 0.013 837 in
    {u"point (Didot; European)",      u"pt",        u"(0.05/133)"},                      // 1878: 2 660 points per metre
    {u"point (PostScript)",           u"pt",        u"0.000 352 77777777777777777777"},  // 1/72 in
    {u"point (TeX)",                  u"pt",        u"0.000 351 45980 351 4598"},        // 1/72.27 in
    {u"quarter",                      u"",          u"0.2286"},                          // 1/4 yd
    {u"rod; pole; perch",             u"rd",        u"5.0292"},                          // 16 1/2 ft
    {u"rope",                         u"rope",      u"6.096"},                           // 20 ft
    {u"span",                         u"",          u"0.2286"},                          // 9 in
    {u"spat",                         u"",          u"1e12"},                            // one terametre
    {u"stick",                        u"",          u"0.0508"},                          // 2 in
    {u"stigma; bicron (picometre)",   u"pm",        u"1e-12"},
    {u"twip",                         u"twp",       u"1.76388888888888888888888e-5"},    // 1/20 PostScript point, 1/1440 in
    {u"x unit; siegbahn",             u"xu",        u"1.0021e-13"},                      // approximate; never fixed exactly
    {u"yard",                         u"yd",        u"0.9144"},
};
// clang-format on

} // namespace

const CatalogueSection lengthSection = {u"Length", 33, rows};
