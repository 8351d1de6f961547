// SPDX-License-Identifier: MIT
#include "converter/itemMatch.h"

#include <algorithm>
#include <functional>

namespace {

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return out;
}

// The forms of a name that a person may type for it: the name itself, and without the
// dash that ends a prefix name ("kilo-").
std::vector<std::string> nameForms(const std::string &name) {
    std::vector<std::string> forms{lowerAscii(name)};
    if (name.size() > 1 && name.back() == '-')
        forms.push_back(lowerAscii(name.substr(0, name.size() - 1)));
    return forms;
}

} // namespace

ItemMatch matchItem(const std::vector<MatchableItem> &items, std::string_view given) {
    ItemMatch match;
    if (!given.empty() && given.size() < 10 &&
        given.find_first_not_of("0123456789") == std::string_view::npos) {
        std::size_t index = std::stoul(std::string(given));
        if (index < items.size()) match.index = int(index);
        return match;
    }
    const std::string lowered = lowerAscii(given);
    const std::vector<std::function<bool(const MatchableItem &)>> rules{
        [&](const MatchableItem &item) { return item.listText == given; },
        [&](const MatchableItem &item) {
            const auto forms = nameForms(item.name);
            return std::find(forms.begin(), forms.end(), lowered) != forms.end();
        },
        [&](const MatchableItem &item) { return !item.symbol.empty() && item.symbol == given; },
        [&](const MatchableItem &item) {
            return !item.symbol.empty() && lowerAscii(item.symbol) == lowered;
        },
    };
    for (const auto &rule : rules) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (rule(items[i])) match.candidates.push_back(int(i));
        if (match.candidates.empty()) continue;
        const std::string &first = items[std::size_t(match.candidates.front())].conversion;
        const bool oneChoice =
            match.candidates.size() == 1 ||
            (!first.empty() &&
             std::all_of(match.candidates.begin(), match.candidates.end(),
                         [&](int i) { return items[std::size_t(i)].conversion == first; }));
        if (oneChoice) {
            match.index = match.candidates.front();
            match.candidates.clear();
        }
        return match;
    }
    return match;
}
