// SPDX-License-Identifier: MIT
#pragma once
// Finding a converter list item from what a person types: its index in the list, its exact
// list text, its name in any letter case, or its symbol. Used by reckonwise-eval's
// --convert, where "ft", "foot", "Foot", "foot [ft]" and the index all name one unit.

#include <string>
#include <string_view>
#include <vector>

// One list item as the rules see it (UTF-8).
struct MatchableItem {
    std::string listText; // "foot [ft]", "kilo- [k]", "Currency (updated 19.4.2010)"
    std::string name;     // "foot", "kilo-", "Currency" (a category's caption without its remark)
    std::string symbol;   // "ft", "k"; empty when the item has none
    // Items with the same non-empty conversion convert alike ("United States, Dollar" and
    // "Ecuador, United States Dollar"): a match among only such items takes the first.
    std::string conversion;
};

// The outcome: the index of the one item found, or -1 with every candidate when several
// items match equally well (none when nothing matches).
struct ItemMatch {
    int index = -1;
    std::vector<int> candidates;
};

// The rules, tried in this order; the first one that any item meets decides:
//   1. a decimal index into the list;
//   2. the exact list text;
//   3. the name, ignoring letter case (ASCII), also without a prefix name's trailing "-"
//      ("currency", "kilo");
//   4. the symbol, exactly (letter case tells milli "m" from mega "M");
//   5. the symbol, ignoring letter case ("usd").
// Several items meeting the first rule met make the match ambiguous, unless they all
// convert alike.
ItemMatch matchItem(const std::vector<MatchableItem> &items, std::string_view given);
