// SPDX-License-Identifier: MIT
// Currency (updated 19.4.2010): base unit 97, "Euro".
//
// A row's factor is the number of units of its currency that one euro bought on Monday
// 19 April 2010. The section is marked inverted, so the converter stores each factor as
// (1/rate), in euros per unit like any other factor. Euro rows have rate 1; the obsolete
// currencies of the euro area keep their irrevocable conversion rates; the four metal ounces
// are ounces per euro. Rates are plain decimals of about six significant digits; official
// fixed rates keep their published digits.
//
// The rates come from the table converter/catalogue/sources/currency-2010-04-19.tsv (one line
// per row, in list order) and its notes, currency-2010-04-19.md beside it. The comment at the end
// of each row names its source:
//   reference   the catalogue's reference rate, kept digit for digit (15 rows). These come from
//               another source and time of day than the ECB fixing and do not all agree with
//               it or with each other: USD 1.34651 (3) and 1.34827 (311), WST 3.36127 (252)
//               and 3.36043 (326), TRL 2011209.30 next to TRY 2.0093.
//   ecb         ECB euro reference rate of 19 April 2010 (33 currencies; USD 1.3432). Other
//               rows of a reference row's currency use this, not the reference value.
//   dataset     another public daily rate for that day, per US dollar, times 1.3432; for FJD,
//               SBD and SCR the median of 12-26 April, as the 19th is an outlier
//   peg         a fixed peg or par with a currency whose rate is known, or a redenomination
//               of one (AZM = 5000 AZN, GHC = 10000 GHS, ROL = 10000 RON, VEB = 1000 VEF, ...)
//   fixed-euro  a euro row (1) or an irrevocable euro conversion rate
//   estimate    no daily rate found; from annual or monthly official averages. Most are
//               within a few percent; KPW, SOS, CUP and VND (official against market
//               rates) are uncertain.

#include "converter/catalogue/catalogue.h"

namespace {

// clang-format off
constexpr CatalogueRow rows[] = {
    // name                                                                   code  factor: units per euro
    {u"Afghanistan, Afghani",                                                  u"AFN", u"62.4588"},     // estimate
    {u"Albania, Lek",                                                          u"ALL", u"138.256"},     // dataset
    {u"Algeria, Dinar",                                                        u"DZD", u"99.1282"},     // estimate
    {u"America (United States), Dollar",                                       u"USD", u"1.34651"},     // reference
    {u"American Samoa, United States Dollar",                                  u"USD", u"1.3432"},      // ecb
    {u"Andorra, Euro",                                                         u"EUR", u"1"},           // reference
    {u"Angola, Kwanza",                                                        u"AOA", u"122.903"},     // estimate
    {u"Anguilla, East Caribbean Dollar",                                       u"XCD", u"3.62664"},     // peg
    {u"Antigua and Barbuda, East Caribbean Dollar",                            u"XCD", u"3.62664"},     // peg
    {u"Argentina, Peso",                                                       u"ARS", u"5.20557"},     // dataset
    {u"Armenia, Dram",                                                         u"AMD", u"529.543"},     // dataset
    {u"Aruba, Guilder",                                                        u"AWG", u"2.40433"},     // peg
    {u"Ashmore and Cartier Islands, Australia Dollar",                         u"AUD", u"1.4625"},      // ecb
    {u"Australia, Dollar",                                                     u"AUD", u"1.4625"},      // ecb
    {u"Austria, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Austria, Schilling [obsolete]",                                         u"ATS", u"13.7603"},     // fixed-euro
    {u"Azerbaijan, Manat [obsolete]",                                          u"AZM", u"5392.95"},     // estimate
    {u"Azerbaijan, New Manat",                                                 u"AZN", u"1.07859"},     // estimate
    {u"Azores, Euro",                                                          u"EUR", u"1"},           // fixed-euro
    {u"Bahamas, Dollar",                                                       u"BSD", u"1.3432"},      // peg
    {u"Bahrain, Dinar",                                                        u"BHD", u"0.505043"},    // peg
    {u"Bajan (Barbados), Dollar",                                              u"BBD", u"2.6864"},      // peg
    {u"Balearic Islands, Euro",                                                u"EUR", u"1"},           // fixed-euro
    {u"Bangladesh, Taka",                                                      u"BDT", u"93.1509"},     // estimate
    {u"Barbados, Dollar",                                                      u"BBD", u"2.6864"},      // peg
    {u"Belarus, Ruble",                                                        u"BYR", u"3997.36"},     // dataset
    {u"Belgium, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Belgium, Franc [obsolete]",                                             u"BEF", u"40.3399"},     // fixed-euro
    {u"Belize, Dollar",                                                        u"BZD", u"2.6864"},      // peg
    {u"Benin, CFA Franc BCEAO",                                                u"XOF", u"655.957"},     // peg
    {u"Bermuda, Dollar",                                                       u"BMD", u"1.3432"},      // peg
    {u"Bhutan, India Rupee",                                                   u"INR", u"60.088"},      // ecb
    {u"Bhutan, Ngultrum",                                                      u"BTN", u"60.088"},      // peg
    {u"Bolivia, Boliviano",                                                    u"BOB", u"9.42926"},     // estimate
    {u"Bonaire, Netherlands Antilles Guilder",                                 u"ANG", u"2.40433"},     // peg
    {u"Bosnia and Herzegovina, Convertible Marka",                             u"BAM", u"1.95583"},     // peg
    {u"Botswana, Pula",                                                        u"BWP", u"9.0666"},      // estimate
    {u"Brazil, Real",                                                          u"BRL", u"2.3738"},      // ecb
    {u"Britain (United Kingdom), Pound",                                       u"GBP", u"0.879047"},    // reference
    {u"British Indian Ocean Territory, United Kingdom Pound",                  u"GBP", u"0.8805"},      // ecb
    {u"British Indian Ocean Territory, United States Dollar",                  u"USD", u"1.3432"},      // ecb
    {u"British Virgin Islands, United States Dollar",                          u"USD", u"1.3432"},      // ecb
    {u"Brunei, Dollar",                                                        u"BND", u"1.8554"},      // peg
    {u"Brunei, Singapore Dollar",                                              u"SGD", u"1.8554"},      // ecb
    {u"Bulgaria, Lev",                                                         u"BGN", u"1.9558"},      // ecb
    {u"Burkina Faso, CFA Franc BCEAO",                                         u"XOF", u"655.957"},     // peg
    {u"Burma (Myanmar), Kyat",                                                 u"MMK", u"7.58193"},     // peg
    {u"Burundi, Franc",                                                        u"BIF", u"1652.94"},     // estimate
    {u"Cambodia, Riel",                                                        u"KHR", u"5614.58"},     // estimate
    {u"Cameroon, CFA Franc BEAC",                                              u"XAF", u"655.957"},     // peg
    {u"Canada, Dollar",                                                        u"CAD", u"1.368"},       // ecb
    {u"Canary Islands, Euro",                                                  u"EUR", u"1"},           // fixed-euro
    {u"Cape Verde, Escudo",                                                    u"CVE", u"110.265"},     // peg
    {u"Cayman Islands, Dollar",                                                u"KYD", u"1.11933"},     // peg
    {u"Central African Republic, CFA Franc BEAC",                              u"XAF", u"655.957"},     // peg
    {u"CFA Communaut\u00E9 Financi\u00E8re Africaine BEAC Franc",              u"XAF", u"655.957"},     // peg
    {u"CFA Communaut\u00E9 Financi\u00E8re Africaine BCEAO Franc",             u"XOF", u"655.957"},     // peg
    {u"Chad, CFA Franc BEAC",                                                  u"XAF", u"655.957"},     // peg
    {u"Chile, Peso",                                                           u"CLP", u"705.833"},     // dataset
    {u"China, Yuan Renminbi",                                                  u"CNY", u"9.1698"},      // ecb
    {u"Christmas Island, Australia Dollar",                                    u"AUD", u"1.4625"},      // ecb
    {u"Cocos (Keeling Islands, Australia Dollar",                              u"AUD", u"1.4625"},      // ecb
    {u"Colombia, Peso",                                                        u"COP", u"2603.1"},      // dataset
    {u"Communaut\u00E9 Financi\u00E8re Africaine BEAC Franc",                  u"XAF", u"655.957"},     // peg
    {u"Communaut\u00E9 Financi\u00E8re Africaine BCEAO Franc",                 u"XOF", u"655.957"},     // peg
    {u"Comoros, Franc",                                                        u"KMF", u"491.96775"},   // peg
    {u"Comptoirs Fran\u00E7ais du Pacifique Franc",                            u"XPF", u"119.331742"},  // peg
    {u"Congo/Brazzaville, CFA Franc BEAC",                                     u"XAF", u"655.957"},     // peg
    {u"Congo/Kinshasa, Franc",                                                 u"CDF", u"1215.6"},      // estimate
    {u"Cook Islands, New Zealand Dollar",                                      u"NZD", u"1.8965"},      // ecb
    {u"Coral Sea Islands, Australia Dollar",                                   u"AUD", u"1.4625"},      // ecb
    {u"Costa Rica, Colon",                                                     u"CRC", u"693.592"},     // estimate
    {u"C\u00F4te d'Ivoire, CFA Franc BCEAO",                                   u"XOF", u"655.957"},     // peg
    {u"Croatia, Kuna",                                                         u"HRK", u"7.261"},       // ecb
    {u"Cuba, Convertible Peso",                                                u"CUC", u"1.2437"},      // peg
    {u"Cuba, Peso",                                                            u"CUP", u"1.2437"},      // estimate
    {u"Cura\u00E7o, Netherlands Antilles Guilder",                             u"ANG", u"2.40433"},     // peg
    {u"Cyprus, Euro",                                                          u"EUR", u"1"},           // fixed-euro
    {u"Cyprus, Pound [obsolete]",                                              u"CYP", u"0.585274"},    // fixed-euro
    {u"Czech Republic, Koruna",                                                u"CZK", u"25.25"},       // ecb
    {u"Denmark, Krone",                                                        u"DKK", u"7.4427"},      // ecb
    {u"Djibouti, Franc",                                                       u"DJF", u"238.715"},     // peg
    {u"Dominica, East Caribbean Dollar",                                       u"XCD", u"3.62664"},     // peg
    {u"Dominican Republic, Peso",                                              u"DOP", u"48.8916"},     // dataset
    {u"Dutch (Netherlands), Euro",                                             u"EUR", u"1"},           // fixed-euro
    {u"Dutch (Netherlands), Guilder [obsolete]",                               u"NLG", u"2.20371"},     // fixed-euro
    {u"East Caribbean Dollar",                                                 u"XCD", u"3.62664"},     // peg
    {u"East Timor, United States Dollar",                                      u"USD", u"1.3432"},      // ecb
    {u"Ecuador, United States Dollar",                                         u"USD", u"1.3432"},      // ecb
    {u"Egypt, Pound",                                                          u"EGP", u"7.42493"},     // dataset
    {u"El Salvador, Colon",                                                    u"SVC", u"11.753"},      // peg
    {u"El Salvador, United States Dollar",                                     u"USD", u"1.3432"},      // ecb
    {u"England (United Kingdom), Pound",                                       u"GBP", u"0.8805"},      // ecb
    {u"Equatorial Guinea, CFA Franc BEAC",                                     u"XAF", u"655.957"},     // peg
    {u"Eritrea, Nakfa",                                                        u"ERN", u"20.6517"},     // peg
    {u"Estonia, Kroon",                                                        u"EEK", u"15.6466"},     // ecb
    {u"Ethiopia, Birr",                                                        u"ETB", u"18.066"},      // estimate
    {u"Euro",                                                                  u"EUR", u"1"},           // reference
    {u"Europa Island, Euro",                                                   u"EUR", u"1"},           // fixed-euro
    {u"Falkland Islands, Pound",                                               u"FKP", u"0.8805"},      // peg
    {u"Faroe Islands, Denmark Krone",                                          u"DKK", u"7.4427"},      // ecb
    {u"Fiji, Dollar",                                                          u"FJD", u"2.56927"},     // dataset
    {u"Finland, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Finland, Markka [obsolete]",                                            u"FIM", u"5.94573"},     // fixed-euro
    {u"France, Euro",                                                          u"EUR", u"1"},           // fixed-euro
    {u"France, Franc [obsolete]",                                              u"FRF", u"6.55957"},     // reference
    {u"French Guiana, Euro",                                                   u"EUR", u"1"},           // fixed-euro
    {u"French Polynesia, Comptoirs Fran\u00E7ais du Pacifique Franc",          u"XPF", u"119.331742"},  // peg
    {u"French Southern and Antarctic Lands, Euro",                             u"EUR", u"1"},           // fixed-euro
    {u"Gabon, CFA Franc BEAC",                                                 u"XAF", u"655.957"},     // peg
    {u"Gambia, Dalasi",                                                        u"GMD", u"35.2926"},     // dataset
    {u"Gaza Strip, Israel New Shekel",                                         u"ILS", u"4.99132"},     // dataset
    {u"Georgia, Lari",                                                         u"GEL", u"2.35329"},     // dataset
    {u"Germany, Deutsche Mark [obsolete]",                                     u"DEM", u"1.95583"},     // reference
    {u"Germany, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Ghana, Cedi [obsolete]",                                                u"GHC", u"19140.6"},     // peg
    {u"Ghana, Cedi",                                                           u"GHS", u"1.91406"},     // dataset
    {u"Gibraltar, Pound",                                                      u"GIP", u"0.8805"},      // peg
    {u"Gold Ounce",                                                            u"XAU", u"0.00118840"},  // reference
    {u"Great Britain (United Kingdom), Pound",                                 u"GBP", u"0.8805"},      // ecb
    {u"Greece, Euro",                                                          u"EUR", u"1"},           // fixed-euro
    {u"Greece, Drachma [obsolete]",                                            u"GRD", u"340.750"},     // fixed-euro
    {u"Greenland, Denmark Krone",                                              u"DKK", u"7.4427"},      // ecb
    {u"Grenada, East Caribbean Dollar",                                        u"XCD", u"3.62664"},     // peg
    {u"Guadeloupe, Euro",                                                      u"EUR", u"1"},           // fixed-euro
    {u"Guam, United States Dollar",                                            u"USD", u"1.3432"},      // ecb
    {u"Guatemala, Quetzal",                                                    u"GTQ", u"10.7651"},     // dataset
    {u"Guernsey, Pound",                                                       u"GGP", u"0.8805"},      // peg
    {u"Guinea, Franc",                                                         u"GNF", u"6749.58"},     // dataset
    {u"Guinea-Bissau, CFA Franc BCEAO",                                        u"XOF", u"655.957"},     // peg
    {u"Guyana, Dollar",                                                        u"GYD", u"273.341"},     // estimate
    {u"Haiti, Gourde",                                                         u"HTG", u"54.0638"},     // dataset
    {u"Holland (Netherlands), Euro",                                           u"EUR", u"1"},           // fixed-euro
    {u"Holland (Netherlands), Guilder [obsolete]",                             u"NLG", u"2.20371"},     // fixed-euro
    {u"Holy See (Vatican City), Euro",                                         u"EUR", u"1"},           // fixed-euro
    {u"Holy See (Vatican City), Lira [obsolete]",                              u"VAL", u"1936.27"},     // fixed-euro
    {u"Honduras, Lempira",                                                     u"HNL", u"25.4133"},     // dataset
    {u"Hong Kong, Dollar",                                                     u"HKD", u"10.427"},      // ecb
    {u"Hungary, Forint",                                                       u"HUF", u"265.38"},      // ecb
    {u"Iceland, Krona",                                                        u"ISK", u"170.613"},     // dataset
    {u"India, Rupee",                                                          u"INR", u"60.088"},      // ecb
    {u"Indonesia, Rupiah",                                                     u"IDR", u"12155.27"},    // ecb
    {u"International Monetary Fund Special Drawing Right",                     u"XDR", u"0.891101"},    // reference
    {u"Iran, Rial",                                                            u"IRR", u"13297.7"},     // dataset
    {u"Iraq, Dinar",                                                           u"IQD", u"1569.6"},      // dataset
    {u"Ireland, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Ireland, Pound [obsolete]",                                             u"IEP", u"0.787564"},    // fixed-euro
    {u"Islas Malvinas (Falkland Islands), Pound",                              u"FKP", u"0.8805"},      // peg
    {u"Isle of Man, Pound",                                                    u"IMP", u"0.8805"},      // peg
    {u"Israel, New Shekel",                                                    u"ILS", u"4.99132"},     // dataset
    {u"Italy, Euro",                                                           u"EUR", u"1"},           // fixed-euro
    {u"Italy, Lira [obsolete]",                                                u"ITL", u"1936.27"},     // fixed-euro
    {u"Ivory Coast (C\u00F4te d'Ivoire), CFA Franc BCEAO",                     u"XOF", u"655.957"},     // peg
    {u"Jamaica, Dollar",                                                       u"JMD", u"119.034"},     // dataset
    {u"Japan, Yen",                                                            u"JPY", u"124.613"},     // reference
    {u"Jersey, Pound",                                                         u"JEP", u"0.8805"},      // peg
    {u"Johnson, United States Dollar",                                         u"USD", u"1.3432"},      // ecb
    {u"Jordan, Dinar",                                                         u"JOD", u"0.952329"},    // peg
    {u"Juan de Nova, Euro",                                                    u"EUR", u"1"},           // fixed-euro
    {u"Kazakhstan, Tenge",                                                     u"KZT", u"196.765"},     // dataset
    {u"Kenya, Shilling",                                                       u"KES", u"103.899"},     // dataset
    {u"Kiribati, Australia Dollar",                                            u"AUD", u"1.4625"},      // ecb
    {u"Kuwait, Dinar",                                                         u"KWD", u"0.386842"},    // dataset
    {u"Kyrgyzstan, Som",                                                       u"KGS", u"60.7734"},     // dataset
    {u"Laos, Kip",                                                             u"LAK", u"11323.2"},     // estimate
    {u"Latvia, Lat",                                                           u"LVL", u"0.708"},       // ecb
    {u"Lebanon, Pound",                                                        u"LBP", u"2024.87"},     // peg
    {u"Lesotho, Loti",                                                         u"LSL", u"10.0317"},     // peg
    {u"Liberia, Dollar",                                                       u"LRD", u"95.3672"},     // estimate
    {u"Libya, Dinar",                                                          u"LYD", u"1.69243"},     // estimate
    {u"Liechtenstein, Switzerland Franc",                                      u"CHF", u"1.4345"},      // ecb
    {u"Lithuania, Litas",                                                      u"LTL", u"3.4528"},      // ecb
    {u"Luxembourg, Euro",                                                      u"EUR", u"1"},           // fixed-euro
    {u"Luxembourg, Franc [obsolete]",                                          u"LUF", u"40.3399"},     // fixed-euro
    {u"Macau, Pataca",                                                         u"MOP", u"10.7398"},     // peg
    {u"Macedonia, Denar",                                                      u"MKD", u"61.5"},        // estimate
    {u"Madagascar, Ariary",                                                    u"MGA", u"2780.42"},     // estimate
    {u"Madagascar, Franc [obsolete]",                                          u"MGF", u"13902.1"},     // estimate
    {u"Madeira Islands, Euro",                                                 u"EUR", u"1"},           // fixed-euro
    {u"Malawi, Kwacha",                                                        u"MWK", u"203.528"},     // dataset
    {u"Malaysia, Ringgit",                                                     u"MYR", u"4.3224"},      // ecb
    {u"Maldives, Rufiyaa",                                                     u"MVR", u"17.193"},      // peg
    {u"Mali, CFA Franc BCEAO",                                                 u"XOF", u"655.957"},     // peg
    {u"Malta, Euro",                                                           u"EUR", u"1"},           // fixed-euro
    {u"Malta, Lira [obsolete]",                                                u"MTL", u"0.429300"},    // fixed-euro
    {u"Malvinas (Falkland Islands), Pound",                                    u"FKP", u"0.8805"},      // peg
    {u"Marshall Islands, United States Dollar",                                u"USD", u"1.3432"},      // ecb
    {u"Martinique, Euro",                                                      u"EUR", u"1"},           // fixed-euro
    {u"Mauritania, Ouguiya",                                                   u"MRO", u"354.941"},     // dataset
    {u"Mauritius, Rupee",                                                      u"MUR", u"41.3034"},     // dataset
    {u"Mayotte, Euro",                                                         u"EUR", u"1"},           // fixed-euro
    {u"Mexico, Peso",                                                          u"MXN", u"16.549"},      // ecb
    {u"Micronesia, United States Dollar",                                      u"USD", u"1.3432"},      // ecb
    {u"Midway Islands, United States Dollar",                                  u"USD", u"1.3432"},      // ecb
    {u"Moldova, Leu",                                                          u"MDL", u"16.9693"},     // dataset
    {u"Monaco, Euro",                                                          u"EUR", u"1"},           // fixed-euro
    {u"Mongolia, Tughrik",                                                     u"MNT", u"1867.05"},     // estimate
    {u"Montenegro, Euro",                                                      u"EUR", u"1"},           // fixed-euro
    {u"Montserrat, East Caribbean Dollar",                                     u"XCD", u"3.62664"},     // peg
    {u"Morocco, Dirham",                                                       u"MAD", u"11.26"},       // estimate
    {u"Mozambique, Metical",                                                   u"MZN", u"42.7138"},     // estimate
    {u"Mozambique, Metical [obsolete]",                                        u"MZM", u"42713.8"},     // estimate
    {u"Myanmar (Burma), Kyat",                                                 u"MMK", u"7.58193"},     // peg
    {u"Namibia, Dollar",                                                       u"NAD", u"10.0317"},     // peg
    {u"Nauru, Australia Dollar",                                               u"AUD", u"1.4625"},      // ecb
    {u"Navassa, Haiti Gourde",                                                 u"HTG", u"54.0638"},     // dataset
    {u"Navassa, United States Dollar",                                         u"USD", u"1.3432"},      // ecb
    {u"Nepal, Rupee",                                                          u"NPR", u"96.1408"},     // peg
    {u"Netherlands Antilles, Guilder",                                         u"ANG", u"2.40433"},     // peg
    {u"Netherlands, Euro",                                                     u"EUR", u"1"},           // fixed-euro
    {u"Netherlands, Guilder [obsolete]",                                       u"NLG", u"2.20371"},     // fixed-euro
    {u"New Caledonia, Comptoirs Fran\u00E7ais du Pacifique Franc",             u"XPF", u"119.331742"},  // peg
    {u"New Zealand, Dollar",                                                   u"NZD", u"1.8965"},      // ecb
    {u"Nicaragua, Cordoba",                                                    u"NIO", u"28.4087"},     // estimate
    {u"Niger, CFA Franc BCEAO",                                                u"XOF", u"655.957"},     // peg
    {u"Nigeria, Naira",                                                        u"NGN", u"201.816"},     // dataset
    {u"Niue, New Zealand Dollar",                                              u"NZD", u"1.8965"},      // ecb
    {u"Norfolk Island, Australia Dollar",                                      u"AUD", u"1.4625"},      // ecb
    {u"North Korea, Won",                                                      u"KPW", u"130.29"},      // estimate
    {u"Northern Mariana Islands, United States Dollar",                        u"USD", u"1.3432"},      // ecb
    {u"Norway, Krone",                                                         u"NOK", u"7.983"},       // ecb
    {u"Oman, Rial",                                                            u"OMR", u"0.51646"},     // peg
    {u"Pakistan, Rupee",                                                       u"PKR", u"112.827"},     // dataset
    {u"Palau, United States Dollar",                                           u"USD", u"1.3432"},      // ecb
    {u"Palladium Ounce",                                                       u"XPD", u"0.00256772"},  // dataset
    {u"Panama, Balboa",                                                        u"PAB", u"1.3432"},      // peg
    {u"Panama, United States Dollar",                                          u"USD", u"1.3432"},      // ecb
    {u"Papua New Guinea, Kina",                                                u"PGK", u"3.53759"},     // dataset
    {u"Paracel Islands, China Yuan Renminbi",                                  u"CNY", u"9.1698"},      // ecb
    {u"Paracel Islands, Vietnam Dong",                                         u"VND", u"25520.8"},     // estimate
    {u"Paraguay, Guarani",                                                     u"PYG", u"6333.19"},     // dataset
    {u"Peru, Nuevo Sol",                                                       u"PEN", u"3.8429"},      // dataset
    {u"Philippines, Peso",                                                     u"PHP", u"59.941"},      // ecb
    {u"Pitcairn, New Zealand Dollar",                                          u"NZD", u"1.8965"},      // ecb
    {u"Platinum Ounce",                                                        u"XPT", u"0.000794250"}, // reference
    {u"Poland, Zloty",                                                         u"PLN", u"3.9031"},      // ecb
    {u"Portugal, Euro",                                                        u"EUR", u"1"},           // fixed-euro
    {u"Portugal, Escudo [obsolete]",                                           u"PTE", u"200.482"},     // fixed-euro
    {u"Puerto Rico, United States Dollar",                                     u"USD", u"1.3432"},      // ecb
    {u"Qatar, Riyal",                                                          u"QAR", u"4.88925"},     // peg
    {u"R\u00E9union, Euro",                                                    u"EUR", u"1"},           // fixed-euro
    {u"Romania, New Leu",                                                      u"RON", u"4.1578"},      // ecb
    {u"Romania, Leu [obsolete]",                                               u"ROL", u"41578"},       // peg
    {u"Russia, Ruble",                                                         u"RUB", u"39.2675"},     // ecb
    {u"Rwanda, Franc",                                                         u"RWF", u"770.493"},     // dataset
    {u"Saba, Netherlands Antilles Guilder",                                    u"ANG", u"2.40433"},     // peg
    {u"Saint Helena, Pound",                                                   u"SHP", u"0.8805"},      // peg
    {u"Saint Kitts and Nevis, East Caribbean Dollar",                          u"XCD", u"3.62664"},     // peg
    {u"Saint Lucia, East Caribbean Dollar",                                    u"XCD", u"3.62664"},     // peg
    {u"Saint Pierre and Miquelon, Euro",                                       u"EUR", u"1"},           // fixed-euro
    {u"Saint Vincent and The Grenadines, East Caribbean Dollar",               u"XCD", u"3.62664"},     // peg
    {u"Saint-Martin, Euro",                                                    u"EUR", u"1"},           // fixed-euro
    {u"Samoa, Tala",                                                           u"WST", u"3.36127"},     // reference
    {u"San Marino, Euro",                                                      u"EUR", u"1"},           // fixed-euro
    {u"S\u00E3o Tome and Principe, Dobra",                                     u"STD", u"24500"},       // peg
    {u"Saudi Arabia, Riyal",                                                   u"SAR", u"5.037"},       // peg
    {u"Scotland (United Kingdom), Pound",                                      u"GBP", u"0.8805"},      // ecb
    {u"Seborga, Luigino",                                                      u"SPL", u"0.223867"},    // peg
    {u"Senegal, CFA Franc BCEAO",                                              u"XOF", u"655.957"},     // peg
    {u"Serbia, Dinar",                                                         u"RSD", u"99.5"},        // estimate
    {u"Seychelles, Rupee",                                                     u"SCR", u"16.1184"},     // dataset
    {u"Sierra Leone, Leone",                                                   u"SLL", u"5198.18"},     // dataset
    {u"Silver Ounce",                                                          u"XAG", u"0.0767713"},   // dataset
    {u"Singapore, Dollar",                                                     u"SGD", u"1.8554"},      // ecb
    {u"Sint Eustatius, Netherlands Antilles Guilder",                          u"ANG", u"2.40433"},     // peg
    {u"Sint Maarten, Netherlands Antilles Guilder",                            u"ANG", u"2.40433"},     // peg
    {u"Slovakia, Euro",                                                        u"EUR", u"1"},           // fixed-euro
    {u"Slovakia, Koruna [obsolete]",                                           u"SKK", u"30.1260"},     // fixed-euro
    {u"Slovenia, Euro",                                                        u"EUR", u"1"},           // fixed-euro
    {u"Slovenia, Tolar [obsolete]",                                            u"SIT", u"239.640"},     // fixed-euro
    {u"Solomon Islands, Dollar",                                               u"SBD", u"10.6096"},     // dataset
    {u"Somalia, Shilling",                                                     u"SOS", u"42082.5"},     // estimate
    {u"South Africa, Rand",                                                    u"ZAR", u"10.0317"},     // ecb
    {u"South Georgia, United Kingdom Pound",                                   u"GBP", u"0.8805"},      // ecb
    {u"South Korea, Won",                                                      u"KRW", u"1501.86"},     // ecb
    {u"South Sandwich Islands, United Kingdom Pound",                          u"GBP", u"0.8805"},      // ecb
    {u"Spain, Euro",                                                           u"EUR", u"1"},           // fixed-euro
    {u"Spain, Peseta [obsolete]",                                              u"ESP", u"166.386"},     // fixed-euro
    {u"Sri Lanka, Rupee",                                                      u"LKR", u"152.99"},      // dataset
    {u"Sudan, Dinar [obsolete]",                                               u"SDD", u"310.279"},     // estimate
    {u"Sudan, Pound",                                                          u"SDG", u"3.10279"},     // estimate
    {u"Suriname, Dollar",                                                      u"SRD", u"3.68708"},     // estimate
    {u"Suriname, Guilder",                                                     u"SRG", u"3687.08"},     // estimate
    {u"Svalbard and Jan Mayen, Norway Krone",                                  u"NOK", u"7.983"},       // ecb
    {u"Swaziland, Lilangeni",                                                  u"SZL", u"10.0317"},     // peg
    {u"Swaziland, South Africa Rand",                                          u"ZAR", u"10.0317"},     // ecb
    {u"Sweden, Krona",                                                         u"SEK", u"9.698"},       // ecb
    {u"Switzerland, Franc",                                                    u"CHF", u"1.43391"},     // reference
    {u"Syria, Pound",                                                          u"SYP", u"61.8987"},     // dataset
    {u"Taiwan, New Dollar",                                                    u"TWD", u"42.2839"},     // dataset
    {u"Tajikistan, Somoni",                                                    u"TJS", u"6.04225"},     // dataset
    {u"Tajikistan, Russia Ruble",                                              u"RUB", u"39.2675"},     // ecb
    {u"Tanzania, Shilling",                                                    u"TZS", u"1820.04"},     // estimate
    {u"Thailand, Baht",                                                        u"THB", u"43.379"},      // ecb
    {u"Togo, CFA Franc BCEAO",                                                 u"XOF", u"655.957"},     // peg
    {u"Tokelau, New Zealand Dollar",                                           u"NZD", u"1.8965"},      // ecb
    {u"Tonga, Pa'anga",                                                        u"TOP", u"2.59079"},     // dataset
    {u"Transnistria, Moldova Leu",                                             u"MDL", u"16.9693"},     // dataset
    {u"Trinidad and Tobago, Dollar",                                           u"TTD", u"8.52932"},     // dataset
    {u"Tunisia, Dinar",                                                        u"TND", u"1.93018"},     // estimate
    {u"Turkey, Lira",                                                          u"TRY", u"2.0093"},      // ecb
    {u"Turkey, Lira [obsolete]",                                               u"TRL", u"2011209.30"},  // reference
    {u"Turkmenistan, New Manat",                                               u"TMT", u"3.82787"},     // dataset
    {u"Turkmenistan, Manat",                                                   u"TMM", u"19139.4"},     // peg
    {u"Turks and Caicos Islands, United States Dollar",                        u"USD", u"1.3432"},      // ecb
    {u"Tuvalu, Australia Dollar",                                              u"AUD", u"1.4625"},      // ecb
    {u"Tuvalu, Dollar",                                                        u"TVD", u"1.4625"},      // peg
    {u"Uganda, Shilling",                                                      u"UGX", u"2793.86"},     // dataset
    {u"Ukraine, Hryvna",                                                       u"UAH", u"10.6434"},     // dataset
    {u"United Arab Emirates, Dirham",                                          u"AED", u"4.9329"},      // peg
    {u"United Kingdom, Pound",                                                 u"GBP", u"0.8805"},      // ecb
    {u"United States, Dollar",                                                 u"USD", u"1.34827"},     // reference
    {u"Uruguay, Peso",                                                         u"UYU", u"26.0581"},     // dataset
    {u"Uzbekistan, Som",                                                       u"UZS", u"2095.46"},     // dataset
    {u"Vanuatu, Vatu",                                                         u"VUV", u"131.298"},     // dataset
    {u"Vatican City, Euro",                                                    u"EUR", u"1"},           // fixed-euro
    {u"Vatican City, Lira [obsolete]",                                         u"VAL", u"1936.27"},     // fixed-euro
    {u"Venezuela, Bolivar Fuerte",                                             u"VEF", u"5.76139"},     // dataset
    {u"Venezuela, Bolivar",                                                    u"VEB", u"5761.39"},     // peg
    {u"Vietnam, Dong",                                                         u"VND", u"25520.8"},     // estimate
    {u"Virgin Islands, United States Dollar",                                  u"USD", u"1.3432"},      // ecb
    {u"Wake Island, United States Dollar",                                     u"USD", u"1.3432"},      // ecb
    {u"Wallis and Futuna Islands, Comptoirs Fran\u00E7ais du Pacifique Franc", u"XPF", u"119.331742"},  // peg
    {u"West Bank, Israel New Shekel",                                          u"ILS", u"4.99132"},     // dataset
    {u"West Bank, Jordan Dinar",                                               u"JOD", u"0.952329"},    // peg
    {u"Western Sahara, Morocco Dirham",                                        u"MAD", u"11.26"},       // estimate
    {u"Samoa, Tala",                                                           u"WST", u"3.36043"},     // reference
    {u"Yemen, Rial",                                                           u"YER", u"273.744"},     // dataset
    {u"Zambia, Kwacha",                                                        u"ZMK", u"6339.9"},      // dataset
    {u"Zimbabwe, Dollar",                                                      u"ZWD", u"40295.3"},     // dataset
};
// clang-format on

} // namespace

const CatalogueSection currencySection = {u"Currency (updated 19.4.2010)", 97, rows, true};
