// SPDX-License-Identifier: MIT
#include "converter/unitNames.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr std::string_view micro = "\u00B5"; // the symbol of "micro-"

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::vector<std::string> splitWords(std::string_view s) {
    std::vector<std::string> words{""};
    for (char c : s) {
        if (c == ' ')
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

std::string joinWords(const std::vector<std::string> &words) {
    std::string out;
    for (const std::string &w : words)
        out += (&w == &words.front() ? "" : " ") + w;
    return out;
}

bool isVowel(char c) {
    return std::string_view("aeiou").find(c) != std::string_view::npos;
}

// Lower case with every word ending in a consonant and "re" spelled "-er", so that
// "metre" and "meter", "litres" and "liters" read alike ("are" and "square" stay).
std::string normalised(std::string_view s) {
    std::vector<std::string> words = splitWords(lowerAscii(s));
    for (std::string &w : words) {
        const std::size_t n = w.size();
        if (n >= 3 && w.ends_with("re") && w[n - 3] >= 'a' && w[n - 3] <= 'z' && !isVowel(w[n - 3]))
            std::swap(w[n - 2], w[n - 1]);
    }
    return joinWords(words);
}

// The singular readings of a name in which one word is in the plural of one kind.
enum class Plural { S, Es, Ies, Feet };

std::vector<std::string> singularReadings(std::string_view given, Plural kind) {
    const std::vector<std::string> words = splitWords(lowerAscii(given));
    std::vector<std::string> readings;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        std::string single;
        switch (kind) {
        case Plural::S:
            if (w.size() > 2 && w.ends_with('s') && !w.ends_with("ss"))
                single = w.substr(0, w.size() - 1);
            break;
        case Plural::Es:
            if (w.size() > 3 && w.ends_with("es")) single = w.substr(0, w.size() - 2);
            break;
        case Plural::Ies:
            if (w.size() > 4 && w.ends_with("ies")) single = w.substr(0, w.size() - 3) + "y";
            break;
        case Plural::Feet:
            if (w == "feet") single = "foot";
            break;
        }
        if (single.empty()) continue;
        std::vector<std::string> changed = words;
        changed[i] = single;
        readings.push_back(joinWords(changed));
    }
    return readings;
}

// The normalised forms of an item's name: the name, a prefix name without its "-", a
// scale named "degree X" as "X".
std::vector<std::string> nameForms(const std::string &name) {
    std::vector<std::string> forms{normalised(name)};
    if (name.size() > 1 && name.back() == '-')
        forms.push_back(normalised(name.substr(0, name.size() - 1)));
    constexpr std::string_view degree = "degree ";
    if (name.size() > degree.size() && name.starts_with(degree)) {
        const char c = name[degree.size()];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            forms.push_back(normalised(name.substr(degree.size())));
    }
    return forms;
}

// The given text read by rules 8, 9 and 11: as written, then each kind of plural.
std::vector<std::vector<std::string>> readingsInOrder(std::string_view given) {
    std::vector<std::vector<std::string>> steps{{normalised(given)}};
    for (Plural kind : {Plural::S, Plural::Es, Plural::Ies, Plural::Feet}) {
        std::vector<std::string> step;
        for (const std::string &r : singularReadings(given, kind))
            step.push_back(normalised(r));
        steps.push_back(std::move(step));
    }
    return steps;
}

bool anyIn(const std::vector<std::string> &readings, const std::vector<std::string> &forms) {
    return std::any_of(readings.begin(), readings.end(), [&](const std::string &r) {
        return std::find(forms.begin(), forms.end(), r) != forms.end();
    });
}

// A symbol as it is typed on a plain keyboard: without blanks, middle dots and degree
// signs, with "2" and "3" for "²" and "³", in lower case: "kW·h" as "kwh", "m²" as "m2".
std::string looseSymbol(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::string_view rest = s.substr(i);
        if (rest.starts_with("\u00B7") || rest.starts_with("\u00B0")) {
            ++i;
        } else if (rest.starts_with("\u00B2") || rest.starts_with("\u00B3")) {
            out += rest[1] == '\xB2' ? '2' : '3';
            ++i;
        } else if (s[i] != ' ') {
            out += s[i];
        }
    }
    return lowerAscii(out);
}

// A prefix name a unit name can be joined to: "kilo" for "kilo-", none for the binary ones
// and "(normal, no prefix)".
std::string joinableName(const std::string &prefixName) {
    if (prefixName.size() < 2 || !prefixName.ends_with('-')) return {};
    if (prefixName.find_first_of(" (") != std::string::npos) return {};
    return lowerAscii(prefixName.substr(0, prefixName.size() - 1));
}

std::size_t allowedEdits(std::size_t length) {
    return std::clamp<std::size_t>((length + 1) / 3, 1, 3);
}

// The prefixes whose symbol `given` begins with, each with the rest of `given`: "u" stands
// for the "µ" of micro.
std::vector<std::pair<std::size_t, std::string_view>>
prefixSymbolSplits(const std::vector<MatchableItem> &prefixes, std::string_view given) {
    std::vector<std::pair<std::size_t, std::string_view>> splits;
    for (std::size_t p = 0; p < prefixes.size(); ++p) {
        const std::string &symbol = prefixes[p].symbol;
        for (const std::string &typed : {symbol, symbol == micro ? "u" : std::string()})
            if (!typed.empty() && given.size() > typed.size() && given.starts_with(typed))
                splits.emplace_back(p, given.substr(typed.size()));
    }
    return splits;
}

} // namespace

std::size_t editDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment: three rows of the table.
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[b.size()];
}

UnitMatch matchUnit(const std::vector<MatchableItem> &units,
                    const std::vector<MatchableItem> &prefixes, std::string_view given) {
    UnitMatch match;
    if (given.empty()) return match;
    if (given.size() < 10 && given.find_first_not_of("0123456789") == std::string_view::npos) {
        const std::size_t index = std::stoul(std::string(given));
        if (index < units.size()) match.found.unit = int(index);
        return match;
    }
    const std::string lowered = lowerAscii(given);
    const std::string asMicro =
        given.starts_with('u') ? std::string(micro) + std::string(given.substr(1)) : "";
    std::vector<std::vector<std::string>> forms;
    for (const MatchableItem &item : units)
        forms.push_back(nameForms(item.name));
    const std::vector<std::vector<std::string>> readings = readingsInOrder(given);

    // Each rule adds the choices it finds; the first that finds any decides.
    using Rule = std::function<void(std::vector<UnitChoice> &)>;
    auto eachUnit = [&](std::function<bool(const MatchableItem &, std::size_t)> fits) {
        return Rule([&units, fits](std::vector<UnitChoice> &found) {
            for (std::size_t i = 0; i < units.size(); ++i)
                if (fits(units[i], i)) found.push_back({int(i), -1});
        });
    };
    auto byName = [&](const std::vector<std::string> &step) {
        return eachUnit([&forms, &step](const MatchableItem &, std::size_t i) {
            return anyIn(step, forms[i]);
        });
    };
    std::vector<Rule> rules{
        eachUnit([&](const MatchableItem &u, std::size_t) { return u.listText == given; }),
        eachUnit([&](const MatchableItem &u, std::size_t) {
            // Rule 3: exact names only; spelling variants come later.
            const std::vector<std::string> exact = {
                lowerAscii(u.name),
                u.name.ends_with('-') ? lowerAscii(u.name.substr(0, u.name.size() - 1)) : ""};
            return std::find(exact.begin(), exact.end(), lowered) != exact.end();
        }),
        eachUnit([&](const MatchableItem &u, std::size_t) {
            return !u.symbol.empty() && u.symbol == given;
        }),
        eachUnit([&](const MatchableItem &u, std::size_t) {
            return !asMicro.empty() && u.symbol == asMicro;
        }),
        [&](std::vector<UnitChoice> &found) {
            for (const auto &[p, rest] : prefixSymbolSplits(prefixes, given))
                for (std::size_t u = 0; u < units.size(); ++u)
                    if (units[u].symbol == rest) found.push_back({int(u), int(p)});
        },
        eachUnit([&](const MatchableItem &u, std::size_t) {
            return !u.symbol.empty() && lowerAscii(u.symbol) == lowered;
        }),
    };
    for (const std::vector<std::string> &step : readings)
        rules.push_back(byName(step));
    rules.push_back(eachUnit([&](const MatchableItem &u, std::size_t) {
        const std::string loose = looseSymbol(u.symbol);
        return !loose.empty() && loose == looseSymbol(given);
    }));
    rules.push_back([&](std::vector<UnitChoice> &found) {
        for (const auto &[p, rest] : prefixSymbolSplits(prefixes, given))
            for (std::size_t u = 0; u < units.size(); ++u) {
                const std::string loose = looseSymbol(units[u].symbol);
                if (!loose.empty() && loose == looseSymbol(rest)) found.push_back({int(u), int(p)});
            }
    });
    rules.push_back([&](std::vector<UnitChoice> &found) {
        for (std::size_t p = 0; p < prefixes.size(); ++p) {
            const std::string name = joinableName(prefixes[p].name);
            if (name.empty() || lowered.size() <= name.size() || !lowered.starts_with(name))
                continue;
            for (const std::vector<std::string> &step :
                 readingsInOrder(std::string_view(given).substr(name.size())))
                for (std::size_t u = 0; u < units.size(); ++u)
                    if (anyIn(step, forms[u])) found.push_back({int(u), int(p)});
        }
    });

    for (const Rule &rule : rules) {
        std::vector<UnitChoice> found;
        rule(found);
        for (const UnitChoice &c : found)
            if (std::find(match.candidates.begin(), match.candidates.end(), c) ==
                match.candidates.end())
                match.candidates.push_back(c);
        if (match.candidates.empty()) continue;
        // Choices that convert alike (the same unit conversion and prefix) are one.
        auto conversion = [&](const UnitChoice &c) {
            const std::string &unit = units[std::size_t(c.unit)].conversion;
            if (unit.empty()) return std::string();
            return unit + '|' + (c.prefix < 0 ? "" : prefixes[std::size_t(c.prefix)].conversion);
        };
        const std::string first = conversion(match.candidates.front());
        if (match.candidates.size() == 1 ||
            (!first.empty() &&
             std::all_of(match.candidates.begin(), match.candidates.end(),
                         [&](const UnitChoice &c) { return conversion(c) == first; }))) {
            match.found = match.candidates.front();
            match.candidates.clear();
        }
        return match;
    }
    return match;
}

std::vector<UnitSuggestion> suggestUnits(const std::vector<MatchableItem> &units,
                                         const std::vector<MatchableItem> &prefixes,
                                         std::string_view given, std::size_t most) {
    struct Scored {
        std::size_t edits;
        UnitSuggestion suggestion;
    };
    std::vector<Scored> scored;
    // The fewest edits from `typed` to an item's name forms, to its symbol, or (one edit
    // more) to the first word of either, which names the unit that the rest qualifies:
    // "lb" is close to "pound (troy) [lb t]", "year" to "year (Julian)".
    auto distanceTo = [](const std::string &typed, const MatchableItem &item) {
        std::size_t best = std::string::npos;
        for (const std::string &form : nameForms(item.name))
            best = std::min(best, editDistance(typed, form));
        if (!item.symbol.empty())
            best = std::min(best, editDistance(typed, lowerAscii(item.symbol)));
        for (const std::string *text : {&item.name, &item.symbol}) {
            const std::string words = normalised(*text);
            const std::string first = words.substr(0, words.find_first_of(" ;,()"));
            if (!first.empty()) best = std::min(best, editDistance(typed, first) + 1);
        }
        return best;
    };
    const std::string typed = normalised(given);
    std::vector<std::string> readings;
    for (const std::vector<std::string> &step : readingsInOrder(given))
        readings.insert(readings.end(), step.begin(), step.end());
    for (std::size_t u = 0; u < units.size(); ++u) {
        std::size_t edits = std::string::npos;
        for (const std::string &reading : readings)
            edits = std::min(edits, distanceTo(reading, units[u]));
        if (edits <= allowedEdits(typed.size()))
            scored.push_back({edits, {{int(u), -1}, units[u].listText}});
    }
    // A prefix name joined to a name close to a unit's: "kilomiter" to "kilometer".
    for (std::size_t p = 0; p < prefixes.size(); ++p) {
        const std::string name = joinableName(prefixes[p].name);
        if (name.empty() || typed.size() < name.size() + 2 || !typed.starts_with(name)) continue;
        const std::string rest = typed.substr(name.size());
        std::vector<std::string> restReadings;
        for (const std::vector<std::string> &step : readingsInOrder(rest))
            restReadings.insert(restReadings.end(), step.begin(), step.end());
        for (std::size_t u = 0; u < units.size(); ++u) {
            std::size_t edits = std::string::npos;
            for (const std::string &reading : restReadings)
                edits = std::min(edits, distanceTo(reading, units[u]));
            if (edits <= allowedEdits(rest.size()))
                scored.push_back({edits, {{int(u), int(p)}, name + units[u].name}});
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const Scored &a, const Scored &b) { return a.edits < b.edits; });
    std::vector<UnitSuggestion> out;
    for (const Scored &s : scored)
        if (out.size() < most) out.push_back(s.suggestion);
    return out;
}
