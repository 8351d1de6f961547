// SPDX-License-Identifier: MIT
// The products: the plan of a multiplication, its transforms on one or two threads, and the
// Chinese remainder step and carries that make the product's blocks. The kernel set is chosen
// once per multiplication, at the entry points at the end, and every step takes it from there.
#include "bigint/kernels/multiply_ntt.h"

#include "bigint/interrupt.h"
#include "bigint/kernels/ntt/buffer.h"
#include "bigint/kernels/ntt/kernel_set.h"
#include "bigint/kernels/ntt/parts.h"
#include "bigint/kernels/ntt/shape.h"
#include "bigint/kernels/ntt/transform.h"
#include "bigint/kernels/ntt/twiddle_tables.h"
#include "bigint/kernels/spare_cores.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <exception>
#include <memory>
#include <thread>
#include <utility>

namespace bigint::kernels {
namespace ntt {
namespace {

// ---------------------------------------------------------------------------------------
// How a product is made.
//
// The blocks of a and b are the coefficients of polynomials A and B with A(2^32) = a. For
// each of three primes p below 2^31, the residues of A and B modulo the parts of a "shape"
// (factors of x^(2n) - 1 of total degree at least the product's length, see Shape) are
// transformed, multiplied pointwise and transformed back, which gives A B modulo p and the
// parts; joining the parts gives A B modulo p. The Chinese remainder step makes the exact
// coefficients from the three residues, and adding them up with their carries makes a b.
//
// The transforms (see "The transforms" in twiddles.h) work on 32-bit values with Shoup's
// multiplication by precomputed twiddles, radix 4, depth first in cache-sized blocks, with the
// kernels of the widest vectors the processor has (kernel_set.h); very unbalanced operands
// are cut into chunks that share the transform of the shorter one (multiplyPieces), and the
// largest products run the two halves of every transform on two threads.
//
// Why three primes below 2^31 suffice: see modular.h.
// ---------------------------------------------------------------------------------------

// r (+)= carry + sum of c_i 2^(32 i) for the r.size() coefficients with digits d (added
// when accumulating, else written); returns what carries out of the top.
u128 addCoefficients(Blocks r, const u32 *d0, const u32 *d1, const u32 *d2, bool accumulate,
                     u128 acc) {
    const u64 p0 = moduli[0].p, p1 = moduli[1].p;
    for (std::size_t i = 0; i < r.size(); ++i) {
        acc += u128(d1[i] + p1 * d2[i]) * p0 + d0[i];
        if (accumulate) acc += r[i];
        r[i] = Block(acc);
        acc >>= 32;
    }
    return acc;
}

// r (+)= carry, carrying up as far as needed (accumulating) or writing all of r; the sum
// must fit r.
void addCarry(Blocks r, u128 carry, bool accumulate) {
    for (std::size_t i = 0; i < r.size() && (carry != 0 || !accumulate); ++i) {
        if (accumulate) carry += r[i];
        r[i] = Block(carry);
        carry >>= 32;
    }
    assert(carry == 0);
}

// Transforms from parallelLength on are split into their two halves, which run on two
// threads; from splitLength on they are split on one thread too (the split costs a second
// pass over the operand and one over the result, but keeps the halves apart in the cache).
// Measured with a free second core: 1.4 times as fast at 2^16, 1.5 at 2^18, 1.9 at 2^21.
constexpr std::size_t parallelLength = std::size_t(1) << 16;
constexpr std::size_t splitLength = std::size_t(1) << 20;

// The transforms of one product of a chunk of a by b, modulo each prime.
struct Work {
    Shape shape;
    bool split;
    ConstBlocks a; // the chunk of a; empty: only b is transformed
    ConstBlocks b; // empty: b's transforms are in y already (or a squares)
    bool square;   // a times itself: no y
    u32 *x, *y;    // residues of a, and of b per prime `yStride` apart
    std::size_t cap, yStride;
    const Twiddles *tables[3];
    const KernelSet *kernels; // for the whole product
};

// The parts of half `half` (when split), or all of them.
void runHalf(const Work &w, int half) {
    Part parts[5];
    const int count = partsOf(w.shape, w.split, parts);
    for (int k = 0; k < 3; ++k) {
        const Twiddles &t = *w.tables[k];
        const Modulus &m = moduli[k];
        for (int i = 0; i < count; ++i) {
            const Part &p = parts[i];
            if (w.split && p.owner != half) continue;
            checkInterrupt();
            u32 *yk = w.square ? nullptr : w.y + k * w.yStride + p.offset;
            if (!w.b.empty()) {
                loadResidue(*w.kernels, yk, p, w.b, t, m);
                forward(*w.kernels, yk, p.length, p.block, t, m);
            }
            if (w.a.empty()) continue;
            u32 *xk = w.x + k * w.cap + p.offset;
            loadResidue(*w.kernels, xk, p, w.a, t, m);
            convolve(*w.kernels, xk, yk, p.length, p.block, t, m);
        }
    }
}

// Whether the transforms of shape s are long enough to share between two threads.
bool twoThreads(Shape s) {
    static const bool cores = std::thread::hardware_concurrency() >= 2;
    return cores && s.n >= parallelLength;
}

// f(0) here and f(1) on a second thread when `two` and a core is spare, else both here.
template <class F>
void inHalves(bool two, const F &f) {
    std::atomic<int> &spare = spareCores();
    int available = two ? spare.load() : 0;
    while (available > 0) {
        if (!spare.compare_exchange_weak(available, available - 1)) continue;
        struct GiveBack {
            std::atomic<int> &spare;
            ~GiveBack() { ++spare; }
        } giveBack{spare};
        std::thread helper;
        // An exception of either half (an interruption) reaches the caller once both have
        // ended: the other half still works on the buffers the caller owns.
        std::exception_ptr helperError;
        try {
            helper = std::thread([&f, &helperError] {
                try {
                    f(1);
                } catch (...) {
                    helperError = std::current_exception();
                }
            });
        } catch (const std::exception &) { // no thread to be had: do it here
            f(0);
            f(1);
            return;
        }
        try {
            f(0);
        } catch (...) {
            helper.join();
            throw;
        }
        helper.join();
        if (helperError) std::rethrow_exception(helperError);
        return;
    }
    f(0);
    f(1);
}

void run(const Work &w) {
    if (!w.split) return runHalf(w, 0);
    inHalves(twoThreads(w.shape), [&w](int half) { runHalf(w, half); });
}

// r (+)= the product of `count` coefficients from the residues of all parts: the inverse of
// the split, the joins of the parts, the Chinese remainder step and the carries, each
// in two halves on two threads when the product has them.
void finish(const Work &w, const Garner &g, Blocks r, std::size_t count, bool accumulate) {
    const Shape s = w.shape;
    const bool two = w.split && twoThreads(s);
    const std::size_t n = s.n;
    if (w.split) {
        inHalves(two, [&](int half) {
            for (int k = 0; k < 3; ++k) {
                u32 *xk = w.x + k * w.cap;
                const Twiddles &t = *w.tables[k];
                inverseLevel(*w.kernels, xk, n, 0, half, t, moduli[k]);
                if (s.quarters >= 2) inverseLevel(*w.kernels, xk + n, n / 2, 2, half, t, moduli[k]);
            }
        });
    }
    // The first join, with the part of block 4 or 2, then the second with that of block 6.
    for (int join = 0; join < (s.quarters == 3 ? 2 : s.quarters ? 1 : 0); ++join) {
        const std::size_t size = join || s.quarters == 1 ? n / 4 : n / 2;
        const std::size_t mid = two ? size / 2 : size;
        inHalves(two, [&](int half) {
            const std::size_t from = half ? mid : 0, to = half ? size : mid;
            for (int k = 0; k < 3; ++k)
                joinParts(*w.kernels, w.x + k * w.cap, s, join, from, to, moduli[k], *w.tables[k]);
        });
    }
    const std::size_t mid = two ? count / 2 : count;
    u128 carry[2] = {};
    inHalves(two, [&](int half) {
        // In steps that keep the digits in the cache until the carries take them.
        constexpr std::size_t step = 2048;
        for (std::size_t at = half ? mid : 0, to = half ? count : mid; at < to; at += step) {
            const std::size_t n = std::min(step, to - at);
            u32 *x0 = w.x + at, *x1 = x0 + w.cap, *x2 = x1 + w.cap;
            w.kernels->digits(g, x0, x1, x2, n);
            carry[half] = addCoefficients(r.subspan(at, n), x0, x1, x2, accumulate, carry[half]);
        }
    });
    // The top half's carry goes above the coefficients, then the bottom half's carry into the
    // top half.
    addCarry(r.subspan(count), carry[mid < count ? 1 : 0], accumulate);
    if (mid < count) addCarry(r.subspan(mid), carry[0], true);
}

// r := a * b (or r := r + a * b when accumulating, r long enough for the sum), with
// a.size() >= b.size() and b.size() <= maxLength / 2.
void multiplyPieces(Blocks r, ConstBlocks a, ConstBlocks b, bool square, const KernelSet &kernels,
                    bool accumulate) {
    const std::size_t na = a.size(), nb = b.size();
    assert(na >= nb && nb <= maxLength / 2);
    const Plan plan = planFor(na, nb, square, kernels);
    const Shape s = plan.shape;
    const std::size_t cap = s.capacity();
    assert(fits(s) && plan.chunk + nb - 1 <= cap);
    assert(std::min(plan.chunk, nb) <= maxLength / 2); // the bound proven at the top
    const bool oneChunk = plan.chunk >= na;

    std::shared_ptr<const Twiddles> tables[3];
    for (int k = 0; k < 3; ++k)
        tables[k] = twiddlesFor(kernels, k, s.tableSize());
    const Buffer x = allocate(3 * cap), y = square ? Buffer() : allocate((oneChunk ? 1 : 3) * cap);
    Work w{s,
           s.n >= splitLength || twoThreads(s),
           {},
           {},
           square,
           x.get(),
           y.get(),
           cap,
           oneChunk ? 0 : cap,
           {tables[0].get(), tables[1].get(), tables[2].get()},
           &kernels};
    if (!square) {
        w.b = b;
        if (!oneChunk) { // b once for all chunks
            run(w);
            w.b = {};
        }
    }
    if (!oneChunk && !accumulate) {
        std::fill(r.begin(), r.end(), 0);
        accumulate = true;
    }
    const Garner &garner = garners[std::countr_zero(s.quarters ? 2 * s.n : s.n)];
    for (std::size_t at = 0; at < na; at += plan.chunk) {
        checkInterrupt();
        w.a = a.subspan(at, std::min(plan.chunk, na - at));
        run(w);
        finish(w, garner, r.subspan(at), w.a.size() + nb - 1, accumulate);
    }
}

void multiplyWith(Blocks r, ConstBlocks a, ConstBlocks b, const KernelSet &kernels) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b));
    const bool square = a.data() == b.data() && a.size() == b.size();
    if (a.size() < b.size()) std::swap(a, b);
    constexpr std::size_t maxPiece = maxLength / 2;
    if (b.size() <= maxPiece) return multiplyPieces(r, a, b, square, kernels, false);
    // Both operands longer than one transform serves: add up a times pieces of b.
    std::fill(r.begin(), r.end(), 0);
    for (std::size_t at = 0; at < b.size(); at += maxPiece) {
        multiplyPieces(r.subspan(at), a, b.subspan(at, std::min(maxPiece, b.size() - at)), false,
                       kernels, true);
    }
}

} // namespace
} // namespace ntt

void multiplyNtt(Blocks r, ConstBlocks a, ConstBlocks b) {
    ntt::multiplyWith(r, a, b, ntt::fastestKernels());
}

void multiplyNttPortable(Blocks r, ConstBlocks a, ConstBlocks b) {
    ntt::multiplyWith(r, a, b, ntt::portableKernels);
}

bool nttKernelsAvailable(NttKernels kernels) {
    return ntt::availableKernels(kernels) != nullptr;
}

void multiplyNttWith(NttKernels kernels, Blocks r, ConstBlocks a, ConstBlocks b) {
    const ntt::KernelSet *k = ntt::availableKernels(kernels);
    ntt::multiplyWith(r, a, b, k ? *k : ntt::portableKernels);
}

} // namespace bigint::kernels
