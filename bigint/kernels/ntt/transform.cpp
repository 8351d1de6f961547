// SPDX-License-Identifier: MIT
#include "bigint/kernels/ntt/transform.h"

#include <bit>
#include <cassert>

namespace bigint::kernels::ntt {
namespace {

// ---------------------------------------------------------------------------------------
// The order of the levels, the same for every kernel set: two levels at a time, depth first
// from the top while a block is larger than a cache block, then each cache block to the
// bottom (the last single level, if the count is odd, just above the kernel's own bottom
// levels); the inverse runs the same steps backwards. A product of two transforms runs
// forward, pointwise product and inverse on each cache block in turn.
// ---------------------------------------------------------------------------------------
constexpr std::size_t cacheBlock = 4096;

// The tree below block j of length n uses the table entries below (j + 1) n / 2. One that
// would run past the table, but is no longer than twice the table, is transformed instead as
// the cyclic tree (below block 0) of x_i theta^i, with theta^n = fwd[j]^2: substituting
// x = theta y turns x^n - fwd[j]^2 into fwd[j]^2 (y^n - 1). Longer trees split first.
bool pastTable(std::size_t n, std::size_t j, const Twiddles &t) {
    return j != 0 && (j + 1) * (n / 2) > t.size && n <= 2 * t.size;
}

// theta in Montgomery form, from z (or z^-1 for the inverse): fwd[j]^2 = z^(2 brv(j)) with
// brv the reversal of 25 bits, and 2 brv(j) is a multiple of n since j n <= 2^26.
u32 twistRoot(std::size_t n, std::size_t j, u32 z, const Modulus &m) {
    u64 reversed = 0;
    for (int b = 0; b < maxLogLength - 1; ++b)
        reversed |= u64((j >> b) & 1) << (maxLogLength - 2 - b);
    assert(2 * reversed % n == 0);
    return power(z, 2 * reversed / n, m);
}

// The passes of one kernel set over one prime's tables.
struct Passes {
    const KernelSet &k;
    const Twiddles &t;
    const Modulus &m;

    void finishForward(u32 *x, std::size_t size, std::size_t j) const {
        const std::size_t bottom = std::size_t(1) << k.bottomLevels;
        std::size_t blocks = 1;
        for (; size >= 4 * bottom; size /= 4, j *= 4, blocks *= 4)
            k.forward4(x, blocks, size, j, t, m);
        if (size == 2 * bottom) {
            k.forward2(x, blocks, size, j, t, m);
            j *= 2, blocks *= 2;
        }
        if (k.bottomLevels > 0) k.forwardBottom(x, blocks / bottom, j / bottom, t, m);
    }

    void finishInverse(u32 *x, std::size_t size, std::size_t j) const {
        const std::size_t bottom = std::size_t(1) << k.bottomLevels;
        std::size_t blocks = size / bottom, s = bottom;
        j *= blocks;
        if (k.bottomLevels > 0) k.inverseBottom(x, blocks / bottom, j / bottom, t, m);
        if (std::countr_zero(blocks) % 2 == 1) {
            blocks /= 2, j /= 2, s *= 2;
            k.inverse2(x, blocks, s, j, t, m);
        }
        while (s < size) {
            blocks /= 4, j /= 4, s *= 4;
            k.inverse4(x, blocks, s, j, t, m);
        }
    }

    void forward(u32 *x, std::size_t n, std::size_t j) const {
        if (pastTable(n, j, t)) {
            k.twist(x, n, twistRoot(n, j, m.root, m), m);
            return forward(x, n, 0);
        }
        if (n <= cacheBlock) return finishForward(x, n, j);
        k.forward4(x, 1, n, j, t, m);
        for (std::size_t c = 0; c < 4; ++c)
            forward(x + c * (n / 4), n / 4, 4 * j + c);
    }

    void convolve(u32 *x, const u32 *y, std::size_t n, std::size_t j) const {
        if (pastTable(n, j, t)) {
            k.twist(x, n, twistRoot(n, j, m.root, m), m);
            convolve(x, y, n, 0);
            return k.twist(x, n, twistRoot(n, j, m.rootInv, m), m);
        }
        if (n <= cacheBlock) {
            finishForward(x, n, j);
            k.pointwise(x, y, n, m);
            return finishInverse(x, n, j);
        }
        k.forward4(x, 1, n, j, t, m);
        for (std::size_t c = 0; c < 4; ++c)
            convolve(x + c * (n / 4), y ? y + c * (n / 4) : nullptr, n / 4, 4 * j + c);
        k.inverse4(x, 1, n, j, t, m);
    }
};

} // namespace

void forward(const KernelSet &kernels, u32 *x, std::size_t n, std::size_t j, const Twiddles &t,
             const Modulus &m) {
    Passes{servingLength(kernels, n), t, m}.forward(x, n, j);
}

void convolve(const KernelSet &kernels, u32 *x, const u32 *y, std::size_t n, std::size_t j,
              const Twiddles &t, const Modulus &m) {
    Passes{servingLength(kernels, n), t, m}.convolve(x, y, n, j);
}

void inverseLevel(const KernelSet &kernels, u32 *x, std::size_t n, std::size_t j, int half,
                  const Twiddles &t, const Modulus &m) {
    const std::size_t quarter = n / 4;
    servingLength(kernels, n).joinPairs(x + half * quarter, n / 2, quarter, inverseAt(t, j), m);
}

} // namespace bigint::kernels::ntt
