// SPDX-License-Identifier: MIT
#include "bigint/kernels/ntt/twiddle_tables.h"

#include "bigint/kernels/ntt/buffer.h"

#include <algorithm>
#include <bit>
#include <mutex>

namespace bigint::kernels::ntt {
namespace {

// The storage behind a Twiddles view.
struct Table {
    Buffer fwd, fwdShoup, inv, invShoup;
    Twiddles view;
};

// The tables of `size` entries (a power of two), extending `prefix` when given.
std::shared_ptr<const Twiddles> buildTwiddles(const KernelSet &kernels, const Modulus &m,
                                              std::size_t size, const Twiddles *prefix) {
    auto table = std::make_shared<Table>();
    Table &t = *table;
    t.fwd = allocate(size);
    t.fwdShoup = allocate(size);
    t.inv = allocate(size);
    t.invShoup = allocate(size);
    std::size_t h = 1;
    t.fwd[0] = t.inv[0] = 1;
    t.fwdShoup[0] = t.invShoup[0] = shoup(1, m);
    if (prefix && prefix->size <= size) {
        h = prefix->size;
        std::copy(prefix->fwd, prefix->fwd + h, t.fwd.get());
        std::copy(prefix->fwdShoup, prefix->fwdShoup + h, t.fwdShoup.get());
        std::copy(prefix->inv, prefix->inv + h, t.inv.get());
        std::copy(prefix->invShoup, prefix->invShoup + h, t.invShoup.get());
    }
    for (; h < size; h *= 2) {
        // brv(h + j) = brv(h) + brv(j) for j < h, and brv(2^b) = 2^(24 - b).
        const u64 e = u64(1) << (24 - std::countr_zero(h));
        const Factor f = factorOf(fromMontgomery(power(m.root, e, m), m), m),
                     g = factorOf(fromMontgomery(power(m.rootInv, e, m), m), m);
        const KernelSet &k = servingCount(kernels, h);
        k.scale(t.fwd.get() + h, t.fwdShoup.get() + h, t.fwd.get(), h, f, m);
        k.scale(t.inv.get() + h, t.invShoup.get() + h, t.inv.get(), h, g, m);
    }
    t.view = {size, t.fwd.get(), t.fwdShoup.get(), t.inv.get(), t.invShoup.get()};
    return {table, &t.view}; // sharing the ownership of the storage
}

} // namespace

std::shared_ptr<const Twiddles> twiddlesFor(const KernelSet &kernels, int k, std::size_t size) {
    size = std::clamp<std::size_t>(size, 1024, maxTwiddles);
    static std::mutex mutex;
    static std::shared_ptr<const Twiddles> kept[3][kernelSetCount];
    const std::lock_guard lock(mutex);
    auto &entry = kept[k][int(kernels.id)];
    if (!entry || entry->size < size) entry = buildTwiddles(kernels, moduli[k], size, entry.get());
    return entry;
}

} // namespace bigint::kernels::ntt
