// SPDX-License-Identifier: MIT
#include "number/carriedIntegers.h"

#include "bigint/textConversion.h"
#include "number/evaluator.h"

#include <atomic>
#include <unordered_map>

namespace {

// Names are never given twice in a process, so a cache key with a token can only ever
// mean the one Number it was made for.
std::atomic<std::uint64_t> lastName{0};

std::uint64_t nameOf(const Number &n) {
    std::uint64_t name = n.carriedName.load(std::memory_order_acquire);
    if (name != 0) return name;
    const std::uint64_t fresh = lastName.fetch_add(1, std::memory_order_relaxed) + 1;
    // Two threads may name the same Number at once; the first name stored is its name.
    if (n.carriedName.compare_exchange_strong(name, fresh, std::memory_order_acq_rel)) return fresh;
    return name;
}

// The Numbers whose tokens this thread's evaluations are reading, by name: made for the
// first token and freed with the last one. A thread therefore never ends with a map to
// destroy; MinGW's threads may free a thread_local's storage before its destructor runs.
using Registry = std::unordered_map<std::uint64_t, NumberRef>;
thread_local Registry *registry = nullptr;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The name of the token at text[at] (the mark), and where the token ends.
struct Token {
    std::uint64_t name = 0;
    std::size_t end = 0;
};
Token tokenAt(std::u16string_view text, std::size_t at) {
    Token t{0, at + 1};
    while (t.end < text.size() && isDigit(text[t.end]) && t.name <= UINT64_MAX / 10 - 1)
        t.name = t.name * 10 + (text[t.end++] - u'0');
    return t;
}

const Number *registered(std::uint64_t name) {
    if (!registry) return nullptr;
    const auto found = registry->find(name);
    return found == registry->end() ? nullptr : found->second.get();
}

} // namespace

bool isWorthCarrying(const Number &inner, std::u16string_view innerText) {
    if (inner.kind != Integer ||
        inner.integerValue.getMagnitude().getLength() < carriedIntegerBlocks)
        return false;
    std::size_t begin = 0, end = innerText.size();
    while (begin < end && innerText[begin] <= u' ')
        ++begin;
    while (end > begin && innerText[end - 1] <= u' ')
        --end;
    return !isDecimalDigits(innerText.substr(begin, end - begin));
}

CarriedScope::~CarriedScope() {
    if (registered.empty()) return;
    for (const std::uint64_t name : registered)
        registry->erase(name);
    if (registry->empty()) {
        delete registry;
        registry = nullptr;
    }
}

void CarriedScope::append(std::u16string &text, const NumberRef &inner) {
    const std::uint64_t name = nameOf(*inner);
    // The same Number twice in one text ("(x)+(x)") is registered once, by the first.
    if (!registry) registry = new Registry;
    if (registry->emplace(name, inner).second) registered.push_back(name);
    if (inner->integerValue.getSign() == BigInteger::negative) text += u'-';
    text += carriedIntegerMark;
    const std::string digits = std::to_string(name);
    text.append(digits.begin(), digits.end());
}

const BigUnsigned *carriedMagnitude(std::u16string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] <= u' ')
        ++begin;
    while (end > begin && text[end - 1] <= u' ')
        --end;
    if (begin == end || text[begin] != carriedIntegerMark) return nullptr;
    const Token t = tokenAt(text, begin);
    if (t.end != end) return nullptr;
    const Number *n = registered(t.name);
    return n ? &n->integerValue.getMagnitude() : nullptr;
}

std::u16string withCarriedDigits(std::u16string_view text) {
    std::u16string out;
    std::size_t done = 0;
    for (std::size_t at = text.find(carriedIntegerMark); at != std::u16string_view::npos;
         at = text.find(carriedIntegerMark, done)) {
        const Token t = tokenAt(text, at);
        const Number *n = registered(t.name);
        if (!n) {
            out.append(text.substr(done, t.end - done));
        } else {
            out.append(text.substr(done, at - done));
            const std::string digits = unsignedToText(n->integerValue.getMagnitude(), 10);
            out.append(digits.begin(), digits.end());
        }
        done = t.end;
    }
    out.append(text.substr(done));
    return out;
}
