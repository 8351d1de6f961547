// SPDX-License-Identifier: MIT
#pragma once
// Reading the unit names a person types into a converter list: besides an item's index,
// list text, name or symbol (see itemMatch.h), a prefix symbol or name joined to a unit
// ("km", "us" for µs, "kilometres"), plurals ("miles", "feet") and either spelling of
// -er/-re ("liter", "litre"). Only rules: no name is added to the catalogue. Also the
// closest names for a name that reads as nothing, for a "did you mean" hint.

#include "converter/itemMatch.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A unit of the list, with the prefix a name joined to it (-1: none).
struct UnitChoice {
    int unit = -1;
    int prefix = -1;
    bool operator==(const UnitChoice &) const = default;
};

// The one choice found (unit -1 when none), or every candidate when several choices that
// convert differently fit equally well.
struct UnitMatch {
    UnitChoice found;
    std::vector<UnitChoice> candidates;
};

// The rules, tried in this order; the first one that any item meets decides, so an exact
// name or symbol always wins over a reading made by a later rule:
//   1. a decimal index;  2. the exact list text;  3. the name, ignoring letter case (a
//   prefix name also without its "-");  4. the symbol, exactly;  5. the symbol, with a
//   leading "u" read as "µ";  6. a prefix symbol and a unit symbol, joined, exactly ("km",
//   "us");  7. the symbol, ignoring letter case;  8. the name with -re and -er spelled
//   either way, and a "degree" scale without that word ("celsius");  9. the same with one
//   word in the plural: "-s", else "-es", else "-ies" for "-y", else "feet";  10. the
//   symbol as typed on a plain keyboard, ignoring case: without blanks, "·" and "°", with
//   "2" and "3" for "²" and "³" ("kwh", "C", "m2");  11. a prefix symbol joined to a
//   symbol read as in 10 ("cm3");  12. a prefix name joined to a unit name read as in 8
//   and 9 ("kilometres").
// Several choices meeting the deciding rule make the match ambiguous, unless they all
// convert alike (the same conversion, and the same prefix).
// prefixes may be empty (for the prefix and category lists themselves).
UnitMatch matchUnit(const std::vector<MatchableItem> &units,
                    const std::vector<MatchableItem> &prefixes, std::string_view given);

// A name close to one that matched nothing, with what to type for it.
struct UnitSuggestion {
    UnitChoice choice;
    std::string text; // the list text, or a prefix name joined to a unit name
};

// Up to `most` choices whose name, symbol or a word of either is within a few edits of
// `given` (fewer edits for shorter names), closest first.
std::vector<UnitSuggestion> suggestUnits(const std::vector<MatchableItem> &units,
                                         const std::vector<MatchableItem> &prefixes,
                                         std::string_view given, std::size_t most = 5);

// Edits (insert, delete, replace, swap two neighbours) between two byte strings.
std::size_t editDistance(std::string_view a, std::string_view b);
