// SPDX-License-Identifier: MIT
#include "bigint/kernels/ntt/shape.h"

#include <algorithm>
#include <bit>

namespace bigint::kernels::ntt {
namespace {

// The shortest shape for a product of `coefficients` coefficients; with vector kernels, only
// shapes whose every part they serve.
Shape shapeFor(std::size_t coefficients, const KernelSet &kernels) {
    const std::size_t n = std::bit_ceil(coefficients);
    if (n < 8 * kernels.shortestPart) return {n, 0};
    const int quarters = int((coefficients - n / 2 + n / 8 - 1) / (n / 8));
    return quarters < 4 ? Shape{n / 2, quarters} : Shape{n, 0};
}

// The cost of a transform of capacity c, in rough butterfly units, with the linear work
// around it (loading, pointwise product, Chinese remainder step) as a few more levels and the
// fixed cost of a call as a few thousand.
double transformCost(Shape s) {
    const double c = double(s.capacity());
    return c * (std::bit_width(s.n) + 4) + 4096;
}

} // namespace

bool fits(Shape s) {
    return s.quarters ? s.n <= maxLength / 2 : s.n <= maxLength;
}

Plan planFor(std::size_t na, std::size_t nb, bool square, const KernelSet &kernels) {
    const Shape whole = shapeFor(na + nb - 1, kernels);
    if (square || (fits(whole) && whole.capacity() < 4 * nb)) return {whole, na};
    Plan best{whole, na};
    double bestCost = -1;
    for (std::size_t n = std::bit_ceil(nb); n <= maxLength; n *= 2) {
        for (int quarters = 0; quarters < 4; ++quarters) {
            const Shape s{n, quarters};
            if (!fits(s) || s.capacity() < nb + 1 || (quarters && n < 4 * kernels.shortestPart))
                continue;
            const std::size_t chunk = std::min(na, s.capacity() - nb + 1);
            const double chunks = double((na + chunk - 1) / chunk);
            const double cost = transformCost(s) * (2 * chunks + 1);
            if (bestCost < 0 || cost < bestCost) best = {s, chunk}, bestCost = cost;
        }
        if (n >= na + nb) break;
    }
    return best;
}

} // namespace bigint::kernels::ntt
