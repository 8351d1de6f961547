// SPDX-License-Identifier: MIT
#include "bigint/kernels/radix_dc.h"

#include "bigint/kernels/spare_cores.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide.h"
#include "bigint/kernels/divide_reciprocal.h"
#include "bigint/kernels/multiply.h"
#include "bigint/tuning.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <future>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace bigint::kernels {

namespace {

static_assert(toDigitsDivideAndConquerThreshold >= 2,
              "the numbers split must reach the smallest power, which has one block");
static_assert(fromDigitsDivideAndConquerThreshold >= 4 &&
                  fromDecimalTextDivideAndConquerThreshold >= 4,
              "the digit strings split must be longer than the smallest power, of one block");

// base^digits == blocks * 2^(32 * zeroBlocks). Powers of even bases end in many zero bits
// (nearly a third of those of 10^k), which the divisions and products then skip.
struct Power {
    std::vector<Block> blocks; // without leading or trailing zero blocks
    std::size_t zeroBlocks = 0;
    std::size_t digits = 0;

    std::size_t size() const { return zeroBlocks + blocks.size(); }

    // The reciprocal of blocks that divides the numbers below next (this power's square),
    // and the dividends' size it serves: their blocks above this power's zero blocks.
    struct Reciprocal {
        std::vector<Block> mu;
        std::size_t dividendBlocks = 0;
    };
    // Made by the first conversion that needs it and kept with the power, so that the
    // conversions of numbers of like sizes share it as they share the power.
    const Reciprocal &reciprocalBelow(const Power &next) const {
        std::call_once(reciprocalMade, [&] {
            made.dividendBlocks = next.size() - zeroBlocks;
            made.mu = reciprocal(blocks, made.dividendBlocks);
        });
        return made;
    }

private:
    mutable std::once_flag reciprocalMade;
    mutable Reciprocal made;
};
using PowerPointer = std::shared_ptr<const Power>;

// The powers P_j of every base, by (base, j), shared by all threads.
class PowerCache {
public:
    PowerPointer find(unsigned base, std::size_t level) {
        std::lock_guard lock(mutex);
        auto it = entries.find({base, level});
        if (it == entries.end()) return nullptr;
        it->second.lastUse = ++clock;
        return it->second.power;
    }

    // Keeps p, unless another thread has kept that power meanwhile; returns the one kept.
    // A power larger than the whole budget is returned without being kept.
    PowerPointer keep(unsigned base, std::size_t level, PowerPointer p) {
        std::lock_guard lock(mutex);
        const Key key{base, level};
        if (auto it = entries.find(key); it != entries.end()) {
            it->second.lastUse = ++clock;
            return it->second.power;
        }
        if (p->blocks.size() > budget) return p;
        dropUntil(budget - p->blocks.size());
        total += p->blocks.size();
        entries.emplace(key, Entry{p, ++clock});
        return p;
    }

    std::size_t blocks() {
        std::lock_guard lock(mutex);
        return total;
    }

    std::size_t setBudget(std::size_t blocks) {
        std::lock_guard lock(mutex);
        dropUntil(blocks);
        return std::exchange(budget, blocks);
    }

private:
    using Key = std::pair<unsigned, std::size_t>;
    struct Entry {
        PowerPointer power;
        std::uint64_t lastUse;
    };
    // Drops the least recently used powers until the others hold at most `blocks` blocks.
    void dropUntil(std::size_t blocks) {
        while (total > blocks) {
            auto oldest = std::min_element(entries.begin(), entries.end(), [](auto &a, auto &b) {
                return a.second.lastUse < b.second.lastUse;
            });
            total -= oldest->second.power->blocks.size();
            entries.erase(oldest);
        }
    }

    std::mutex mutex;
    std::map<Key, Entry> entries;
    std::size_t total = 0; // blocks held by the entries
    std::size_t budget = radixPowerCacheBlocks;
    std::uint64_t clock = 0;
};

PowerCache &powerCache() {
    static PowerCache cache;
    return cache;
}

// P_0: the largest power of base in a block.
PowerPointer firstPower(unsigned base) {
    auto p = std::make_shared<Power>();
    Block power = 1;
    while (DoubleBlock(power) * base <= 0xFFFFFFFFu) {
        power *= base;
        ++p->digits;
    }
    p->blocks.assign(1, power);
    return p;
}

// P_(j+1) == P_j^2.
PowerPointer square(const Power &p) {
    std::vector<Block> s(2 * p.blocks.size());
    multiply(s, p.blocks, p.blocks);
    std::size_t low = 0;
    while (s[low] == 0)
        ++low;
    auto next = std::make_shared<Power>();
    next->blocks.assign(s.begin() + std::ptrdiff_t(low),
                        s.begin() + std::ptrdiff_t(normalizedSize(s)));
    next->zeroBlocks = 2 * p.zeroBlocks + low;
    next->digits = 2 * p.digits;
    return next;
}

// P_0, P_1, ... as far as the largest one of at most maxBlocks blocks and maxDigits digits,
// from the cache or computed (outside its lock) and kept there.
std::vector<PowerPointer> powersOf(unsigned base, std::size_t maxBlocks, std::size_t maxDigits) {
    std::vector<PowerPointer> powers;
    for (std::size_t level = 0;; ++level) {
        if (level > 0) {
            // The square of an s-block power has at least 2s - 1 blocks.
            const Power &last = *powers.back();
            if (2 * last.size() - 1 > maxBlocks || 2 * last.digits > maxDigits) break;
        }
        PowerPointer p = powerCache().find(base, level);
        if (!p) {
            p = powerCache().keep(base, level,
                                  level == 0 ? firstPower(base) : square(*powers.back()));
        }
        if (p->size() > maxBlocks || p->digits > maxDigits) break;
        powers.push_back(std::move(p));
    }
    return powers;
}

// y >= p, for y without leading zero blocks.
bool atLeast(ConstBlocks y, const Power &p) {
    if (y.size() != p.size()) return y.size() > p.size();
    return compareSameSize(y.subspan(p.zeroBlocks), p.blocks) >= 0;
}

Blocks normalized(Blocks y) {
    return y.first(normalizedSize(y));
}

// Runs first and second, at the same time when the work of `blocks` blocks pays for a
// thread and a core is spare. The halves write disjoint parts of the output; the powers
// they read are immutable and shared.
template <class First, class Second>
void bothHalves(std::size_t blocks, First first, Second second) {
    std::atomic<int> &spare = spareCores();
    int available = spare.load();
    while (blocks >= parallelConversionBlocks && available > 0) {
        if (spare.compare_exchange_weak(available, available - 1)) {
            struct GiveBack {
                std::atomic<int> &spare;
                ~GiveBack() { ++spare; }
            } giveBack{spare};
            auto other = std::async(std::launch::async, first);
            second();
            other.get(); // rethrows what the other half threw
            return;
        }
    }
    first();
    second();
}

// The two ways digits are written: their values, least significant first, or a decimal text
// most significant first, the digits of a piece at the end of its room. low(n) is the room
// of the n lowest digits, high(n) the rest; leaf() writes the digits of y by the quadratic
// method through its dispatcher and returns their count, and pad() fills the rest of the
// room with zeros.
template <class D>
struct DigitRoom {
    std::span<D> digits;
    unsigned base;

    std::size_t size() const { return digits.size(); }
    DigitRoom low(std::size_t n) const { return {digits.first(n), base}; }
    DigitRoom high(std::size_t n) const { return {digits.subspan(n), base}; }
    std::size_t leaf(ConstBlocks y) const {
        std::vector<D> buffer(maxDigitsForBlocks(y.size(), base));
        const std::size_t count = toDigits(buffer, y, base);
        assert(count <= digits.size());
        std::copy(buffer.begin(), buffer.begin() + std::ptrdiff_t(count), digits.begin());
        return count;
    }
    void pad(std::size_t count) const {
        std::fill(digits.begin() + std::ptrdiff_t(count), digits.end(), D(0));
    }
};

struct TextRoom {
    std::span<char> text;

    std::size_t size() const { return text.size(); }
    TextRoom low(std::size_t n) const { return {text.last(n)}; }
    TextRoom high(std::size_t n) const { return {text.first(text.size() - n)}; }
    std::size_t leaf(ConstBlocks y) const { return toDecimalText(text, y); }
    void pad(std::size_t count) const {
        std::fill(text.begin(), text.end() - std::ptrdiff_t(count), '0');
    }
};

template <class Room>
class ToDigits {
public:
    ToDigits(unsigned base, std::vector<PowerPointer> powers)
        : base(base), powers(std::move(powers)) {}

    // Writes the digits of y without leading zeros and returns their count; out has room
    // for them. y is clobbered.
    std::size_t top(Room out, Blocks y) {
        y = normalized(y);
        if (y.size() < toDigitsDivideAndConquerThreshold) return out.leaf(y);
        std::size_t level = powers.size() - 1;
        while (!atLeast(y, *powers[level]))
            --level;
        const Power &p = *powers[level];
        std::vector<Block> q = divideByPower(y, p);
        std::size_t highDigits = 0;
        bothHalves(
            y.size(), [&] { padded(out.low(p.digits), y.first(p.size()), level); },
            [&] { highDigits = top(out.high(p.digits), q); });
        return p.digits + highDigits;
    }

private:
    // Writes exactly out.size() == powers[level]->digits digits of y < powers[level],
    // leading zeros included. y is clobbered.
    void padded(Room out, Blocks y, std::size_t level) {
        y = normalized(y);
        if (y.size() < toDigitsDivideAndConquerThreshold) {
            out.pad(out.leaf(y));
            return;
        }
        assert(level > 0);
        const Power &p = *powers[level - 1];
        std::vector<Block> q = divideByPower(y, p, reciprocalFor(level));
        bothHalves(
            y.size(),
            [&] { padded(out.low(p.digits), y.first(std::min(y.size(), p.size())), level - 1); },
            [&] { padded(out.high(p.digits), q, level - 1); });
    }
    // The reciprocal for the divisions of padded(.., level), by powers[level - 1]; none (a
    // null pointer) where it does not pay: for the smaller powers, and for the few divisions
    // of the top levels, which the reciprocal's own division would cost as much as it saves.
    const Power::Reciprocal *reciprocalFor(std::size_t level) const {
        const Power &p = *powers[level - 1];
        if (p.blocks.size() < reciprocalDivisionThreshold || level + 2 > powers.size())
            return nullptr;
        return &p.reciprocalBelow(*powers[level]);
    }

    // Returns floor(y / p) and leaves y mod p in y's low p.size() blocks, zeros above.
    static std::vector<Block> divideByPower(Blocks y, const Power &p,
                                            const Power::Reciprocal *r = nullptr) {
        if (y.size() < p.size()) return {};
        const Blocks high = y.subspan(p.zeroBlocks);
        std::vector<Block> q(high.size() - p.blocks.size() + 1);
        if (r && high.size() <= r->dividendBlocks)
            divideByReciprocal(q, high, p.blocks, r->mu, r->dividendBlocks);
        else
            divideWithRemainder(q, high, p.blocks);
        return q;
    }

    unsigned base;
    std::vector<PowerPointer> powers;
};

// The two ways a number to read is given: digit values least significant first, or a
// decimal text most significant first. low(n) is the piece of the n lowest digits, high(n)
// the rest, leaf() the quadratic method through its dispatcher.
template <class D>
struct DigitValues {
    std::span<const D> digits;
    unsigned base;

    std::size_t size() const { return digits.size(); }
    DigitValues low(std::size_t n) const { return {digits.first(n), base}; }
    DigitValues high(std::size_t n) const { return {digits.subspan(n), base}; }
    std::size_t leaf(Blocks r) const { return fromDigits(r, digits, base); }
};

template <class Char>
struct DecimalText {
    std::basic_string_view<Char> text;
    unsigned base = 10;

    std::size_t size() const { return text.size(); }
    DecimalText low(std::size_t n) const { return {text.substr(text.size() - n)}; }
    DecimalText high(std::size_t n) const { return {text.substr(0, text.size() - n)}; }
    std::size_t leaf(Blocks r) const { return fromDecimalText(r, text); }
};

template <class Source>
class FromDigits {
public:
    FromDigits(unsigned base, std::vector<PowerPointer> powers, std::size_t threshold)
        : base(base), powers(std::move(powers)), threshold(threshold) {}

    // fromDigits (radix.h).
    std::size_t convert(Blocks r, Source digits) const {
        if (maxBlocksForDigits(digits.size(), base) < threshold) return digits.leaf(r);
        std::size_t level = powers.size() - 1;
        while (powers[level]->digits >= digits.size())
            --level;
        const Power &p = *powers[level];
        const Source low = digits.low(p.digits), high = digits.high(p.digits);

        std::vector<Block> h(maxBlocksForDigits(high.size(), base));
        std::size_t hn = 0;
        const std::size_t lowRoom = maxBlocksForDigits(low.size(), base);
        bothHalves(
            lowRoom, [&] { hn = convert(h, high); }, [&] { convert(r.first(lowRoom), low); });
        std::fill(r.begin() + std::ptrdiff_t(lowRoom), r.end(), Block(0));
        if (hn != 0) {
            std::vector<Block> product(hn + p.blocks.size());
            multiply(product, ConstBlocks(h).first(hn), p.blocks);
            const auto significant = ConstBlocks(product).first(normalizedSize(product));
            assert(p.zeroBlocks + significant.size() <= r.size());
            const Blocks target = r.subspan(p.zeroBlocks);
            [[maybe_unused]] const Block carry = add(target, target, significant);
            assert(carry == 0);
        }
        return normalizedSize(r);
    }

private:
    unsigned base;
    std::vector<PowerPointer> powers;
    std::size_t threshold; // the dispatcher's: smaller pieces go back to it
};

template <class D>
std::size_t toDigitsAnyDigit(std::span<D> digits, ConstBlocks x, unsigned base) {
    assert(base >= 2 && base <= 65535);
    const std::size_t n = normalizedSize(x);
    assert(n >= toDigitsDivideAndConquerThreshold);
    std::vector<Block> y(x.begin(), x.begin() + std::ptrdiff_t(n));
    ToDigits<DigitRoom<D>> conversion(base,
                                      powersOf(base, n, std::numeric_limits<std::size_t>::max()));
    return conversion.top({digits, base}, y);
}

template <class D>
std::size_t fromDigitsAnyDigit(Blocks r, std::span<const D> digits, unsigned base) {
    assert(base >= 2 && base <= 65535);
    assert(maxBlocksForDigits(digits.size(), base) >= fromDigitsDivideAndConquerThreshold);
    assert(r.size() >= maxBlocksForDigits(digits.size(), base));
    FromDigits<DigitValues<D>> conversion(
        base, powersOf(base, std::numeric_limits<std::size_t>::max(), digits.size() - 1),
        fromDigitsDivideAndConquerThreshold);
    return conversion.convert(r, {digits, base});
}

} // namespace

std::size_t toDigitsDivideAndConquer(std::span<Digit> digits, ConstBlocks x, unsigned base) {
    return toDigitsAnyDigit(digits, x, base);
}
std::size_t toDigitsDivideAndConquer(std::span<SmallDigit> digits, ConstBlocks x, unsigned base) {
    return toDigitsAnyDigit(digits, x, base);
}
std::size_t fromDigitsDivideAndConquer(Blocks r, std::span<const Digit> digits, unsigned base) {
    return fromDigitsAnyDigit(r, digits, base);
}
std::size_t fromDigitsDivideAndConquer(Blocks r, std::span<const SmallDigit> digits,
                                       unsigned base) {
    return fromDigitsAnyDigit(r, digits, base);
}

std::size_t toDecimalTextDivideAndConquer(std::span<char> text, ConstBlocks x) {
    const std::size_t n = normalizedSize(x);
    assert(n >= toDigitsDivideAndConquerThreshold);
    std::vector<Block> y(x.begin(), x.begin() + std::ptrdiff_t(n));
    ToDigits<TextRoom> conversion(10, powersOf(10, n, std::numeric_limits<std::size_t>::max()));
    return conversion.top({text}, y);
}

template <class Char>
std::size_t fromDecimalTextByHalves(Blocks r, std::basic_string_view<Char> text) {
    assert(maxBlocksForDigits(text.size(), 10) >= fromDecimalTextDivideAndConquerThreshold);
    assert(r.size() >= maxBlocksForDigits(text.size(), 10));
    FromDigits<DecimalText<Char>> conversion(
        10, powersOf(10, std::numeric_limits<std::size_t>::max(), text.size() - 1),
        fromDecimalTextDivideAndConquerThreshold);
    return conversion.convert(r, {text});
}

std::size_t fromDecimalTextDivideAndConquer(Blocks r, std::string_view text) {
    return fromDecimalTextByHalves(r, text);
}

std::size_t fromDecimalTextDivideAndConquer(Blocks r, std::u16string_view text) {
    return fromDecimalTextByHalves(r, text);
}

std::size_t radixPowerCacheSize() {
    return powerCache().blocks();
}

std::size_t setRadixPowerCacheBudget(std::size_t blocks) {
    return powerCache().setBudget(blocks);
}

} // namespace bigint::kernels
