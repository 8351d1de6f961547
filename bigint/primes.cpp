// SPDX-License-Identifier: MIT
#include "bigint/primes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace bigint {

namespace {

// Odd numbers below tableLimit, k standing for 2k + 1: composite[k] once sieved.
constexpr std::uint32_t tableLimit = 1u << 15;

template <std::size_t size>
constexpr std::array<bool, size> oddComposites() {
    std::array<bool, size> composite{};
    composite[0] = true; // 1
    for (std::size_t k = 1; (2 * k + 1) * (2 * k + 1) < 2 * size; ++k) {
        if (composite[k]) continue;
        const std::size_t p = 2 * k + 1;
        for (std::size_t j = (p * p - 1) / 2; j < size; j += p)
            composite[j] = true;
    }
    return composite;
}

constexpr std::array<bool, tableLimit / 2> tableComposites = oddComposites<tableLimit / 2>();

constexpr std::size_t tablePrimeCount() {
    std::size_t count = 0;
    for (const bool c : tableComposites)
        count += c ? 0 : 1;
    return count;
}

constexpr std::array<std::uint32_t, tablePrimeCount()> smallOddPrimes = [] {
    std::array<std::uint32_t, tablePrimeCount()> primes{};
    std::size_t at = 0;
    for (std::size_t k = 0; k < tableComposites.size(); ++k)
        if (!tableComposites[k]) primes[at++] = std::uint32_t(2 * k + 1);
    return primes;
}();

static_assert(smallOddPrimes.front() == 3 && smallOddPrimes.back() == tableLimit - 19,
              "32749 is the largest prime below 2^15");

} // namespace

std::span<const std::uint32_t> oddPrimesUpTo(std::uint32_t n, std::vector<std::uint32_t> &storage) {
    if (n < tableLimit) {
        const auto end = std::upper_bound(smallOddPrimes.begin(), smallOddPrimes.end(), n);
        return {smallOddPrimes.data(), std::size_t(end - smallOddPrimes.begin())};
    }
    // One bit per odd number 2k + 1 <= n, set when composite.
    const std::size_t odds = (std::size_t(n) - 1) / 2 + 1;
    std::vector<std::uint64_t> composite((odds + 63) / 64);
    for (std::size_t k = 1; (2 * k + 1) * (2 * k + 1) <= n; ++k) {
        if (composite[k / 64] >> (k % 64) & 1) continue;
        const std::size_t p = 2 * k + 1;
        for (std::size_t j = (p * p - 1) / 2; j < odds; j += p)
            composite[j / 64] |= std::uint64_t(1) << (j % 64);
    }
    storage.clear();
    // At most 1.25506 n / ln n primes up to n (Rosser and Schoenfeld).
    storage.reserve(std::size_t(1.26 * double(n) / std::log(double(n))));
    for (std::size_t k = 1; k < odds; ++k)
        if (!(composite[k / 64] >> (k % 64) & 1)) storage.push_back(std::uint32_t(2 * k + 1));
    return storage;
}

} // namespace bigint
