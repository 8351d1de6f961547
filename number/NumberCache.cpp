#include "number/NumberCache.h"

#include <functional>

NumberCache numberCache;

std::size_t NumberKeyHash::operator()(const NumberKey &k) const noexcept {
    std::size_t h = std::hash<std::u16string_view>{}(k.text);
    std::size_t s = (std::size_t(std::uint32_t(k.angleUnit)) << 40) ^
                    (std::size_t(std::uint32_t(k.rangeBits)) << 8) ^ std::size_t(k.rangeSigned);
    return h ^ (s + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2));
}

Number *NumberCache::lookUp(const NumberKey &key) const {
    auto it = index.find(key);
    return it == index.end() ? nullptr : it->second.front();
}

Number &NumberCache::append(std::unique_ptr<Number> n) {
    Number &ref = *n;
    entries.push_back(std::move(n));
    index[keyOf(ref)].push_back(&ref);
    return ref;
}

const std::vector<Number *> &NumberCache::entriesLike(const NumberKey &key) const {
    static const std::vector<Number *> none;
    auto it = index.find(key);
    return it == index.end() ? none : it->second;
}
