// SPDX-License-Identifier: MIT
#pragma once
// The odd primes up to a bound, ascending, for algorithms that work from a number's prime
// factors (the factorial's): small bounds are served from a table made at compile time,
// larger ones by a sieve of Eratosthenes over the odd numbers.

#include <cstdint>
#include <span>
#include <vector>

namespace bigint {

// The odd primes p <= n, ascending (empty for n < 3). The span points into a static table
// while n is below 2^15, else into `storage`, which is filled for the purpose.
std::span<const std::uint32_t> oddPrimesUpTo(std::uint32_t n, std::vector<std::uint32_t> &storage);

} // namespace bigint
